#include "cli/help.h"

#include <iterator>

namespace qwk::cli {

namespace {

const CommandHelp kCommands[] = {
    {"run", "PROJECT [--set KEY=VALUE]... [--compact]",
     "Writes the menu script (and, where the project asks for it, the server control)\n"
     "as the designer's \"Write js or ASP.NET menu\" does, and prints the run log.\n"
     "  --compact          compact the script (the same as --set pgmChkScrambled=1)\n"},
    {"sitemap", "PROJECT [--set KEY=VALUE]...",
     "Writes the HTML site map of the project's menu and prints the run log.\n"},
    {"sample", "PROJECT [--out FILE] [--set KEY=VALUE]...",
     "Writes the sample page that loads the menu script and its style sheet, and\n"
     "prints the run log.\n"
     "  --out FILE         write the sample page to FILE, not where the project says\n"},
    {"show", "PROJECT",
     "Prints the menu tree, one entry a line (key, kind, name or column width,\n"
     "indented by level), then every project option that differs from a new\n"
     "project's default.\n"},
    {"save", "PROJECT --out FILE [--set KEY=VALUE]...",
     "Reads the project and writes it to FILE, with the --set values applied.\n"
     "  --out FILE         the project file to write\n"},
    {"new", "--out FILE [--set KEY=VALUE]...",
     "Writes a new project with the default options and an empty menu.\n"
     "  --out FILE         the project file to write\n"},
    {"css", "PROJECT [--tree] [--out FILE]",
     "Writes the default style sheet with the project's class names: the drop-down\n"
     "menu's sheet, or the tree menu's with --tree. A project with the accessible\n"
     "menu markup (prjChkAccessible) gets the sheet written for that markup.\n"
     "  --tree             the tree menu's style sheet\n"
     "  --out FILE         write to FILE instead of standard output\n"},
};

const char *kSetHelp =
    "  --set KEY=VALUE    set a project option (prj...) or a program preference (pgm...)\n"
    "                     for this call only; may be given more than once\n";

QString usageLine(const CommandHelp &c)
{
    return QStringLiteral("  quenwick-cli %1 %2\n").arg(QString::fromLatin1(c.name).leftJustified(7), QString::fromLatin1(c.arguments));
}

} // namespace

const CommandHelp *commandHelp(const QString &name)
{
    for (const CommandHelp &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

QString usageLines()
{
    QString text = QStringLiteral("usage:\n");
    for (const CommandHelp &c : kCommands)
        text += usageLine(c);
    return text;
}

QString usageText()
{
    return usageLines() + QStringLiteral("  quenwick-cli COMMAND --help\n"
                           "  quenwick-cli --help | --version\n"
                           "\nRuns Quenwick's jobs on a project file (.qwk) without the designer.\n"
                           "Nothing is asked: every question is answered No or Cancel.\n"
                           "Exit status: 0 success, 1 the job failed, 2 bad arguments or a project\n"
                           "file that cannot be opened. See quenwick-cli(1).\n");
}

QString commandHelpText(const CommandHelp &c)
{
    QString text = QStringLiteral("usage:\n") + usageLine(c) + u'\n' + QString::fromUtf8(c.text);
    if (QByteArray(c.arguments).contains("--set"))
        text += QString::fromLatin1(kSetHelp);
    return text;
}

QString versionLine()
{
    return QStringLiteral("quenwick-cli " QUENWICK_VERSION "\n");
}

} // namespace qwk::cli
