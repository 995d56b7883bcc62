#pragma once
// The "writeSample" job: a small HTML page that includes the menu script, so
// the designer can open it in a browser and see the menu at work. The page
// also says where the page, the style sheet and the script are. With the
// accessible menu markup the page is HTML5 (a language, a title, one heading,
// a main landmark) and shows both ways of putting the menu in a page: the
// menu's static fragment enhanced by the script, and the script alone.

#include "core/prompt.h"

#include <QString>
#include <functional>
#include <optional>

namespace qwk {

class RunServices;

class SamplePageWriter {
public:
    explicit SamplePageWriter(RunServices &run);

    // The name the dialog proposes: "prjFilSample" when set, otherwise
    // "qSample.html" in the web root (or, without one, next to the script,
    // the style sheet or the project, whichever is known first).
    QString defaultSampleFile() const;
    // The save dialog that asks for the page's file name before the job.
    FileDialogRequest fileRequest() const;

    // The job: writes the page to path, the name chosen before the job;
    // nothing chosen (the dialog cancelled) ends the job as cancelled.
    // Trouble ends the job through the run services' abort.
    void writeSample(const std::optional<QString> &path);

    // The page's text for a page written to samplePath.
    QString pageText(const QString &samplePath, const QString &scriptAddress);

    // The accessible markup's static fragment of the menu (its <nav> with
    // every link), which the page holds in front of the script. Without a
    // source, or when it gives an empty text (a menu with parts read on the
    // server has no fragment), the script alone draws the menu there.
    using MenuFragment = std::function<QString()>;
    void setMenuFragment(MenuFragment fragment) { m_fragment = std::move(fragment); }

private:
    void setSharedPieces(class TextEmitter &e, bool cssInScript, bool multilingual);
    QString accessiblePageText(const QString &samplePath, const QString &scriptAddress);

    RunServices &m_run;
    MenuFragment m_fragment;
};

} // namespace qwk
