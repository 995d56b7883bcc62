#pragma once
// Writes the runtime library of the menu script (globals, drawing, anchors,
// clicks, cookies, the scripting and drop-down functions, languages and the
// link-address hook) and the page-load code that reads the open-sections
// cookie. Identifiers come from the run's script identifiers, class names
// from its checked lookup, the cookie name from the project's base name.

#include <QString>

namespace qwk {

class RunServices;
class TextEmitter;

class ScriptRuntimeWriter {
public:
    explicit ScriptRuntimeWriter(RunServices &run)
        : m_run(run)
    {
    }

    // Append to out; the run is aborted (RunAborted) for a transform hook
    // with a double quote or a language variable that is no script name.
    void writeRuntime(QString &out);
    void writePageLoadCode(QString &out);

    QString writeRuntime();
    QString writePageLoadCode();

    // Stops the run for a transform hook with a double quote or, in a
    // multilingual project, a language variable that is no script name;
    // returns the language variable (qwkLang when none is set). Both
    // runtimes call it before writing anything.
    static QString checkedLanguageVariable(RunServices &run);

    // The notice at the top of every script.
    static QString notice();

private:
    void configure(TextEmitter &e) const;
    void setOptionPieces(TextEmitter &e);

    RunServices &m_run;
};

} // namespace qwk
