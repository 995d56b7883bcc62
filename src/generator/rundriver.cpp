#include "generator/rundriver.h"

#include "core/prompt.h"
#include "generator/embedstylesheet.h"
#include "generator/runservices.h"
#include "generator/runtimewriter.h"
#include "generator/serialiser.h"
#include "options/options.h"
#include "stylesheet/clscss.h"
#include "tree/nodes.h"

namespace qwk {

namespace {
const QString kRule = QString(49, u'-');
}

RunDriver::RunDriver(RunServices &run, const clsFolder &root, clsCSS *styleSheet)
    : m_run(run), m_root(root), m_css(styleSheet)
{
}

QString RunDriver::jobLabel(const QString &job)
{
    if (job == u"showLog")
        return QStringLiteral("View last log");
    if (job == u"siteMap")
        return QStringLiteral("Writing the site map");
    return QStringLiteral("Running Project");
}

bool RunDriver::runJob(const QString &job)
{
    if (job == u"showLog" || job.isEmpty())
        return true;
    m_run.clearLog();
    m_run.readOptionFlags();
    clsOptions &options = m_run.projectOptions();
    if (options.text(u"prjJavascriptLanguageVariable").isEmpty())
        options.setControlValue(u"prjJavascriptLanguageVariable", QStringLiteral("qwkLang"));

    bool ok = true;
    if (job == u"run")
        ok = runWriter([this] { runScriptJob(); }, QStringLiteral("Missing a file location"));
    else if (job == u"writeSample")
        ok = runWriter(m_sampleWriter, QStringLiteral("Missing Folder or File location"), false);
    else if (job == u"siteMap")
        ok = runWriter(m_siteMapWriter, QStringLiteral("Missing a file location"));
    m_lastLog = m_run.logText();
    return ok;
}

bool RunDriver::runWriter(const JobWriter &writer, const QString &missingLine, bool errorPrefix)
{
    if (!checkFileLocations()) {
        m_run.logLine(missingLine);
        return false;
    }
    // Refused before anything is written: ids and markup of such a menu grow
    // with the square of its depth.
    if (const int depth = menuDepth(m_root); depth > kMaxMenuDepth) {
        m_run.logLine(QStringLiteral("Error: \nThe menu is %1 levels deep; Quenwick writes menus of at most %2 levels.")
                          .arg(depth)
                          .arg(kMaxMenuDepth));
        return false;
    }
    if (!writer) {
        m_run.logLine(QStringLiteral("Error: ") + u'\n'
                      + QStringLiteral("This version of Quenwick cannot perform this job yet."));
        return false;
    }
    if (errorPrefix)
        return m_run.runGuarded(writer);
    // The sample page's trouble is logged as its description alone.
    try {
        writer();
        return true;
    } catch (const RunAborted &e) {
        m_run.logLine(e.description());
    } catch (const std::exception &e) {
        m_run.logLine(QString::fromStdString(e.what()));
    }
    return false;
}

bool RunDriver::checkFileLocations()
{
    const clsOptions &options = m_run.projectOptions();
    QString message = QStringLiteral("First go to the options tab and ...");
    bool missing = false;
    if (options.text(u"prjFilWebRoot").isEmpty()) {
        message += QStringLiteral("\n  Select your web root location.");
        missing = true;
    }
    if (options.text(u"prjFilJS").isEmpty()) {
        message += QStringLiteral("\n  Select your js menu file location.");
        missing = true;
    }
    if (options.text(u"prjFilCSS").isEmpty()) {
        message += QStringLiteral("\n  Select your css file location.");
        missing = true;
    } else if (options.isChecked(u"prjCSSinJS") && m_css) {
        // The sheet's text goes into the script, so unsaved edits would be lost.
        m_css->askToSave(QStringLiteral("Do you want to save your CSS file?"));
    }
    if (missing)
        m_run.prompt().message(message, QStringLiteral("File locations unknown"));
    return !missing;
}

void RunDriver::logSelectedOptions()
{
    const clsOptions &options = m_run.projectOptions();
    m_run.logLine(QStringLiteral("Selected check option") + QStringLiteral(": "));
    for (int i = 0; i < options.controlCount(); ++i) {
        const ControlDef &c = options.control(i);
        if (!c.name.startsWith(u"chk") || !c.tag.startsWith(u"prj") || options.getControl(c.tag) != i)
            continue;
        if (!options.isChecked(c.tag))
            continue;
        QString caption = c.caption;
        if (caption.endsWith(u':'))
            caption += QStringLiteral(" ...");
        m_run.logLine(caption + QStringLiteral("  "));
    }
    m_run.logLine(kRule);
}

void RunDriver::runScriptJob()
{
    logSelectedOptions();
    writeScript();
}

QString RunDriver::scriptText()
{
    const clsOptions &options = m_run.projectOptions();
    const QString letter = m_run.menuLetter();
    QString width;
    if (options.isChecked(u"prjAutomaticWidth"))
        width = QStringLiteral("[$") + letter + QStringLiteral("1d0$]");
    else if (options.isChecked(u"prjChkFirstColValue") && !options.text(u"prjFirstColWid").isEmpty())
        width = options.text(u"prjFirstColWid").trimmed();

    m_run.logLine(QStringLiteral("Writing menutree to a string"));
    m_run.clearTreeFlags();

    MenuSerialiser serialiser(m_run);
    if (m_serialiserSetup)
        m_serialiserSetup(serialiser);
    QString data = serialiser.writeTableStart();
    QString id = letter + QStringLiteral("1d0");
    serialiser.serialiseNodes(data, m_root.nodes(), id, width);
    data += serialiser.writeTableEnd();
    m_run.logLine(kRule);

    ScriptRuntimeWriter runtime(m_run);
    QString script;
    script.reserve(data.size() + 64 * 1024);
    runtime.writeRuntime(script);
    runtime.writePageLoadCode(script);
    script += StyleSheetEmbedder(m_run).zCSSclasses();
    script += data;
    return script;
}

void RunDriver::writeScript()
{
    const QString path = m_run.projectOptions().text(u"prjFilJS");
    const QString script = scriptText();
    if (m_run.needsServerControl())
        m_run.abortRun(QStringLiteral("This menu needs the ASP.NET server control (server-side directories, "
                                      "portal or shop links, or the options that ask for it), which this version "
                                      "of Quenwick cannot write yet. No script file was written."));
    m_run.logLine(QStringLiteral("Writing file: ") + path);
    m_run.writeTextFile(path, script);
}

} // namespace qwk
