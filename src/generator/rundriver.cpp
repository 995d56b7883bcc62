#include "generator/rundriver.h"

#include "core/prompt.h"
#include "generator/accessiblescript.h"
#include "generator/embedstylesheet.h"
#include "generator/folderexpansion.h"
#include "generator/identifiers.h"
#include "generator/menuflags.h"
#include "generator/menufragment.h"
#include "generator/runservices.h"
#include "generator/runtimewriter.h"
#include "generator/samplepage.h"
#include "generator/serialiser.h"
#include "generator/servercontrol.h"
#include "generator/sitemap.h"
#include "options/options.h"
#include "stylesheet/clscss.h"
#include "core/textfile.h"
#include "tree/nodes.h"

namespace qwk {

namespace {
const QString kRule = QString(49, u'-');

QString tooDeepMessage(int depth)
{
    return QStringLiteral("Error: \nThe menu is %1 levels deep; Quenwick writes menus of at most %2 levels.")
        .arg(depth)
        .arg(RunDriver::kMaxMenuDepth);
}
} // namespace

RunDriver::RunDriver(RunServices &run, clsFolder &root, clsCSS *styleSheet)
    : m_run(run), m_root(root), m_css(styleSheet)
{
}

QString RunDriver::jobLabel(Job job)
{
    switch (job) {
    case Job::ShowLog:
        return QStringLiteral("View last log");
    case Job::SiteMap:
        return QStringLiteral("Writing the site map");
    case Job::Run:
    case Job::WriteSample:
        break;
    }
    return QStringLiteral("Running Project");
}

bool RunDriver::runJob(Job job)
{
    const std::optional<Prepared> prepared = prepare(job);
    return prepared && generate(*prepared);
}

std::optional<RunDriver::Prepared> RunDriver::prepare(Job job)
{
    Prepared prepared;
    prepared.job = job;
    if (job == Job::ShowLog)
        return prepared;
    m_run.clearLog();
    clsOptions &options = m_run.projectOptions();
    if (options.text(u"prjJavascriptLanguageVariable").isEmpty())
        options.setControlValue(u"prjJavascriptLanguageVariable", QStringLiteral("qwkLang"));

    const auto refuse = [this](const QString &line) {
        m_run.logLine(line);
        m_lastLog = m_run.logText();
        return std::nullopt;
    };
    if (!checkFileLocations())
        return refuse(job == Job::WriteSample ? QStringLiteral("Missing Folder or File location")
                                              : QStringLiteral("Missing a file location"));
    // Refused before anything is written: ids and markup of such a menu grow
    // with the square of its depth.
    if (const int depth = menuDepth(m_root); depth > kMaxMenuDepth)
        return refuse(tooDeepMessage(depth));

    // The pages that link the style sheet need its file; when it is missing
    // the person may save it now. The job itself stops at the link if it is
    // still missing, after the lines that come before it.
    if (job == Job::WriteSample) {
        prepared.sampleFile = chooseSampleFile();
        if (prepared.sampleFile && !options.isChecked(u"prjCSSinJS"))
            m_run.offerToSaveStyleSheet();
    } else if (job == Job::SiteMap) {
        m_run.offerToSaveStyleSheet();
    }
    return prepared;
}

std::optional<QString> RunDriver::chooseSampleFile()
{
    const FileDialogRequest request = SamplePageWriter(m_run).fileRequest();
    std::optional<QString> chosen;
    if (m_sampleAnswer)
        chosen = m_sampleAnswer->isEmpty() ? request.startName : *m_sampleAnswer;
    else
        chosen = m_run.prompt().saveFile(request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    m_run.projectOptions().setControlValue(u"prjFilSample", *chosen);
    return chosen;
}

bool RunDriver::generate(const Prepared &prepared)
{
    if (prepared.job == Job::ShowLog)
        return true;
    m_run.readOptionFlags();
    bool ok = false;
    switch (prepared.job) {
    case Job::Run:
        ok = m_run.runGuarded([this] {
            logSelectedOptions();
            writeScript();
        });
        break;
    case Job::SiteMap:
        ok = m_run.runGuarded([this] { SiteMapWriter(m_run, m_root).writeSiteMap(); });
        break;
    case Job::WriteSample:
        ok = writeSample(prepared.sampleFile);
        break;
    case Job::ShowLog:
        break;
    }
    m_lastLog = m_run.logText();
    return ok;
}

bool RunDriver::writeSample(const std::optional<QString> &file)
{
    // The sample page's trouble is logged as its description alone.
    try {
        SamplePageWriter writer(m_run);
        // The accessible page shows the menu as the run's fragment, enhanced
        // by the script, so the page works with JavaScript off too.
        if (m_run.projectOptions().isChecked(u"prjChkAccessible"))
            writer.setMenuFragment([this] { return accessibleMenuFragment(m_run, m_root); });
        writer.writeSample(file);
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
    // A server run's script becomes server code: its text must not hold the
    // server's marks.
    ServerTextScope serverText(m_run.needsServerControl() || treeHasServerSections(m_root));

    // Pages that stand for a folder of the web site list its files.
    HardDiskDirectory folders(m_run);
    MenuSerialiser serialiser(m_run);
    serialiser.setFolderExpansion([&folders](QString &out, const clsPage &page, MenuSerialiser::LevelState &level) {
        folders.expandIntoMenu(out, page, level);
    });
    const bool accessible = accessibleMarkup(m_run);
    MenuFragmentBuilder fragment(m_run);
    QString data = serialiser.writeTableStart();
    QString id = letter + QStringLiteral("1d0");
    {
        DataCallObserverScope observe(accessible ? &fragment : nullptr);
        serialiser.serialiseNodes(data, m_root.nodes(), id, width);
    }
    data += serialiser.writeTableEnd();
    m_run.logLine(kRule);
    m_fragment = accessible ? fragment.html() : QString();
    m_fragmentUnknownNames = fragment.unknownNames();

    QString script;
    script.reserve(data.size() + 64 * 1024);
    if (accessible) {
        AccessibleScriptWriter(m_run).writeRuntime(script);
    } else {
        ScriptRuntimeWriter runtime(m_run);
        runtime.writeRuntime(script);
        runtime.writePageLoadCode(script);
    }
    script += StyleSheetEmbedder(m_run).zCSSclasses();
    script += data;
    return script;
}

void RunDriver::writeScript()
{
    const QString path = m_run.projectOptions().text(u"prjFilJS");
    const QString script = scriptText();
    if (m_run.needsServerControl()) {
        // The server rebuilds the script from the control's code-behind.
        ServerControlWriter(m_run).write(script);
        if (accessibleMarkup(m_run))
            m_run.logLine(QStringLiteral("No static menu is written: parts of this menu are put together on the "
                                         "server when the page is asked for."));
        return;
    }
    m_run.logLine(QStringLiteral("Writing file: ") + path);
    m_run.writeTextFile(path, script);
    if (accessibleMarkup(m_run))
        writeFragment(path);
}

void RunDriver::writeFragment(const QString &scriptPath)
{
    const QString path = accessibleFragmentPath(scriptPath);
    m_run.logLine(QStringLiteral("Writing file: ") + path);
    if (m_fragmentUnknownNames > 0)
        m_run.logLine(QStringLiteral("Note: %1 entries of the static menu have no name: their names are script "
                                     "expressions, which only the script can work out.")
                          .arg(m_fragmentUnknownNames));
    if (!m_run.projectOptions().text(u"prjTransformURL").trimmed().isEmpty())
        m_run.logLine(QStringLiteral("Note: the static menu's links are the addresses as entered; the address "
                                     "hook runs only in the script."));
    const FileResult written = writeFileAtomic(path, m_fragment.toUtf8());
    if (!written.ok)
        m_run.abortRun(written.error);
}

void RunDriver::checkServerControl() const
{
    // The server fills in parts of such a script (folder listings, portal and
    // shop sections, languages) when a visitor asks for the page; without it
    // the script holds placeholders that no browser can run.
    if (m_run.needsServerControl())
        m_run.abortRun(QStringLiteral("This menu is put together by the ASP.NET server control on the web server "
                                      "(server-side directories, portal or shop links, or the options that ask for "
                                      "it), so it cannot be previewed here. Run the project and open its page on "
                                      "the server."));
}

bool RunDriver::previewScript(QString &script)
{
    m_run.clearLog();
    m_run.readOptionFlags();
    bool ok = false;
    if (const int depth = menuDepth(m_root); depth > kMaxMenuDepth) {
        m_run.logLine(tooDeepMessage(depth));
    } else {
        ok = m_run.runGuarded([this, &script] {
            script = scriptText();
            checkServerControl();
        });
    }
    m_lastLog = m_run.logText();
    return ok;
}

} // namespace qwk
