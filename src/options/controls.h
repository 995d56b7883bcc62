#pragma once
// The option controls of the main window in control order: every project
// option ("prj"), program preference ("pgm") and node property ("lnk"). The
// control name decides the option's kind; the tag is the option key.

#include <QString>
#include <span>

namespace qwk {

struct ControlDef {
    QString name;
    QString tag;
    QString caption; // the control's own label, where it has one
};

inline constexpr int kProjectOptionCount = 57;
inline constexpr int kPreferenceCount = 3;

// Project options, then program preferences, then node properties.
std::span<const ControlDef> optionControls();

struct ScriptSample {
    QString title;
    QString code;
    QString note;
};

// The canned script samples offered for a folder's or page's script, in list order.
std::span<const ScriptSample> javaScriptSamples();

} // namespace qwk
