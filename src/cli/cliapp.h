#pragma once
// What one call of quenwick-cli works with: a non-interactive prompt whose
// messages go to standard error, a settings store in memory (the command line
// neither reads nor writes the user's settings), the option store and the
// project's root folder.

#include "core/prompt.h"
#include "options/options.h"
#include "options/settingsstore.h"
#include "tree/menutree.h"

#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

namespace qwk::cli {

enum ExitStatus { Success = 0, JobFailed = 1, BadArguments = 2 };

struct Arguments {
    QString command;
    QString project;
    QString out;
    QStringList sets; // "KEY=VALUE"
    bool compact = false;
    bool tree = false;
};

class CliApp {
public:
    CliApp(QTextStream &out, QTextStream &err);

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    Prompt &prompt() { return m_prompt; }
    clsOptions &options() { return *m_options; }
    clsFolder &root() { return m_tree->root(); }

    // Starts a new project: defaults, preferences at 0, an empty tree.
    void newProject();
    // Reads PROJECT; on failure prints one line and returns false.
    bool openProject(const QString &path);
    // Applies every --set (and --compact); on a bad one prints one line and
    // returns false.
    bool applySettings(const Arguments &args);
    // Prints "quenwick-cli: " + text to standard error.
    void fail(const QString &text);
    // Lets the process end without freeing the menu tree (see the definition).
    void keepTreeUntilExit();

private:
    QTextStream &m_out;
    QTextStream &m_err;
    NonInteractivePrompt m_prompt;
    MemorySettingsStore m_settings;
    std::unique_ptr<clsOptions> m_options;
    std::unique_ptr<MenuTree> m_tree;
};

} // namespace qwk::cli
