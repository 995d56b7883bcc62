#include "cli/runcommand.h"

#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "stylesheet/clscss.h"

#include <QFileInfo>

namespace qwk::cli {

namespace {

// The jobs, by verb.
RunDriver::Job jobOf(const QString &verb)
{
    if (verb == u"sitemap")
        return RunDriver::Job::SiteMap;
    if (verb == u"sample")
        return RunDriver::Job::WriteSample;
    return RunDriver::Job::Run;
}

} // namespace

int runCommand(CliApp &app, const Arguments &args)
{
    if (!app.openProject(args.project))
        return BadArguments;
    if (!app.applySettings(args))
        return BadArguments;

    clsOptions &options = app.options();
    // The style sheet is loaded as the designer loads it after opening a
    // project, so class names are checked against it.
    clsCSS css(&options, &app.prompt());
    if (!options.text(u"prjFilCSS").isEmpty() && QFileInfo(options.text(u"prjFilCSS")).isFile())
        css.loadCSSFile();
    css.setCssChanged(false);

    ScriptNameTables tables;
    RunServices run(options, app.prompt(), tables);
    run.setProjectFile(QFileInfo(args.project).absoluteFilePath());
    run.setClassCheck([&css](const QString &name) { return css.checkIfClassInEditor(name); });
    QTextStream &out = app.out();
    QTextStream &err = app.err();
    // The log goes to standard output; what stopped the job goes to standard
    // error as well, where a site build's log shows it.
    bool errorShown = false;
    QString lastEntry;
    QObject::connect(&run, &RunServices::logged, [&](const QString &entry) {
        out << entry << '\n';
        out.flush();
        if (entry.startsWith(u"Error: ")) {
            err << entry << '\n';
            err.flush();
            errorShown = true;
        }
        lastEntry = entry;
    });

    RunDriver driver(run, app.root(), &css);
    // Nobody is there to answer the sample page's save dialog: --out, else
    // the name the dialog would propose.
    driver.answerSampleFile(args.out.isEmpty() ? QString() : QFileInfo(args.out).absoluteFilePath());
    const bool ok = driver.runJob(jobOf(args.command));
    // Some failures are logged without "Error: " (the sample page's reason, a
    // missing location): the last entry says why.
    if (!ok && !errorShown && !lastEntry.isEmpty()) {
        err << lastEntry << '\n';
        err.flush();
    }
    return ok ? Success : JobFailed;
}

} // namespace qwk::cli
