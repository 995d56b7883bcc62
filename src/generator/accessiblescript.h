#pragma once
// The accessible menu script: a runtime that records the data calls and
// builds lists and buttons from them (see accessibletemplates.cpp), with the
// start and draw calls that stand around the data instead of the classic
// markup's table.

#include <QString>

namespace qwk {

class RunServices;

// Whether the project asks for the accessible markup.
bool accessibleMarkup(const RunServices &run);

// The element id of the menu ("quenwick-menu", or "quenwick-menu-N" for
// menu number N) and its accessible name.
QString accessibleMenuId(const RunServices &run);
QString accessibleMenuLabel(const RunServices &run);

class AccessibleScriptWriter {
public:
    explicit AccessibleScriptWriter(RunServices &run)
        : m_run(run)
    {
    }

    // The runtime, with the notice first; aborts the run (RunAborted) for a
    // transform hook with a double quote or a language variable that is no
    // script name, as the classic runtime does.
    void writeRuntime(QString &out);
    // The calls before and after the data.
    QString startCall() const;
    QString drawCall() const;

private:
    RunServices &m_run;
};

} // namespace qwk
