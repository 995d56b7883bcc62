#pragma once
// The texts of quenwick-cli --help and quenwick-cli COMMAND --help, from one
// table of the commands in the order the usage lists them.

#include <QString>

namespace qwk::cli {

struct CommandHelp {
    const char *name;
    const char *arguments; // what follows the command name in the usage line
    const char *text;      // what it does, and its options
};

// The command of that name, or nullptr.
const CommandHelp *commandHelp(const QString &name);
QString usageLines(); // the usage line of every command (after a mistake)
QString usageText();  // those, the help and version lines and what the tool does
QString commandHelpText(const CommandHelp &); // one command's usage and description
QString versionLine();

} // namespace qwk::cli
