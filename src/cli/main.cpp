// quenwick-cli: runs Quenwick's jobs on a project file without the designer.

#include "cli/cliapp.h"
#include "cli/commands.h"
#include "cli/csscommand.h"
#include "cli/help.h"
#include "cli/runcommand.h"

#include <QCoreApplication>
#include <algorithm>
#include <QStringConverter>
#include <cstdio>
#include <functional>
#include <map>
#include <new>

using namespace qwk::cli;

namespace {

struct Verb {
    bool needsProject;
    bool needsOut;
    bool allowsOut;
    bool allowsSet;
    bool allowsCompact;
    bool allowsTree;
    std::function<int(CliApp &, const Arguments &)> run;
};

const std::map<QString, Verb> &verbs()
{
    static const std::map<QString, Verb> v = {
        {QStringLiteral("show"), {true, false, false, false, false, false, showCommand}},
        {QStringLiteral("save"), {true, true, true, true, false, false, saveCommand}},
        {QStringLiteral("new"), {false, true, true, true, false, false, newCommand}},
        {QStringLiteral("css"), {true, false, true, false, false, true, cssCommand}},
        {QStringLiteral("run"), {true, false, false, true, true, false, runCommand}},
        {QStringLiteral("sitemap"), {true, false, false, true, false, false, runCommand}},
        {QStringLiteral("sample"), {true, false, true, true, false, false, runCommand}},
    };
    return v;
}

// Parses the arguments; on a mistake writes one line and returns false.
bool parse(const QStringList &argv, Arguments *args, const Verb **verb, QString *why)
{
    if (argv.size() < 2) {
        *why = QStringLiteral("no command given");
        return false;
    }
    args->command = argv[1];
    const auto it = verbs().find(args->command);
    if (it == verbs().end()) {
        *why = QStringLiteral("unknown command \"%1\"").arg(args->command);
        return false;
    }
    *verb = &it->second;
    for (int i = 2; i < argv.size(); ++i) {
        const QString &a = argv[i];
        auto needValue = [&](QString *into) {
            if (i + 1 >= argv.size()) {
                *why = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            *into = argv[++i];
            return true;
        };
        if (a == u"--set" && (*verb)->allowsSet) {
            QString kv;
            if (!needValue(&kv))
                return false;
            args->sets << kv;
        } else if (a.startsWith(u"--set=") && (*verb)->allowsSet) {
            args->sets << a.mid(6);
        } else if (a == u"--out" && (*verb)->allowsOut) {
            if (!needValue(&args->out))
                return false;
        } else if (a.startsWith(u"--out=") && (*verb)->allowsOut) {
            args->out = a.mid(6);
        } else if (a == u"--compact" && (*verb)->allowsCompact) {
            args->compact = true;
        } else if (a == u"--tree" && (*verb)->allowsTree) {
            args->tree = true;
        } else if (a.startsWith(u"--")) {
            *why = QStringLiteral("%1 does not take %2").arg(args->command, a);
            return false;
        } else if ((*verb)->needsProject && args->project.isEmpty()) {
            args->project = a;
        } else {
            *why = QStringLiteral("unexpected argument \"%1\"").arg(a);
            return false;
        }
    }
    if ((*verb)->needsProject && args->project.isEmpty()) {
        *why = QStringLiteral("%1 needs a PROJECT file").arg(args->command);
        return false;
    }
    if ((*verb)->needsOut && args->out.isEmpty()) {
        *why = QStringLiteral("%1 needs --out FILE").arg(args->command);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication qapp(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const QStringList argList = QCoreApplication::arguments();
    const auto isHelp = [](const QString &a) { return a == u"--help" || a == u"-h"; };
    if (argList.size() == 2 && isHelp(argList[1])) {
        out << usageText();
        return Success;
    }
    if (argList.size() == 2 && argList[1] == u"--version") {
        out << versionLine();
        return Success;
    }
    // "COMMAND --help" anywhere after the command, so a half-typed call can ask.
    if (argList.size() >= 3 && commandHelp(argList[1]) && std::any_of(argList.begin() + 2, argList.end(), isHelp)) {
        out << commandHelpText(*commandHelp(argList[1]));
        return Success;
    }
    Arguments args;
    const Verb *verb = nullptr;
    QString why;
    if (!parse(argList, &args, &verb, &why)) {
        err << "quenwick-cli: " << why << '\n' << usageLines();
        return BadArguments;
    }
    CliApp app(out, err);
    int status = JobFailed;
    // Nothing may end the tool with an abort: a site build must see a
    // message and an exit status.
    try {
        status = verb->run(app, args);
        app.keepTreeUntilExit();
    } catch (const std::bad_alloc &) {
        out.flush();
        err << "quenwick-cli: not enough memory for " << args.command << '\n';
    } catch (const std::exception &e) {
        out.flush();
        err << "quenwick-cli: " << args.command << " failed: " << e.what() << '\n';
    }
    out.flush();
    err.flush();
    return status;
}
