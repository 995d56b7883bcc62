#include "generator/samplepage.h"

#include "core/htmltext.h"
#include "core/textbuild.h"
#include "generator/runservices.h"
#include "options/options.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTime>

namespace qwk {

namespace {

const QString kDefaultName = QStringLiteral("qSample.html");

QString folderOf(const QString &path)
{
    const qsizetype sep = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return sep < 0 ? QString() : path.left(sep + 1);
}

QString joined(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    const QChar sep = folder.contains(u'\\') && !folder.contains(u'/') ? QChar(u'\\') : QChar(u'/');
    return folder + sep + name;
}

} // namespace

SamplePageWriter::SamplePageWriter(RunServices &run)
    : m_run(run)
{
}

QString SamplePageWriter::defaultSampleFile() const
{
    const clsOptions &options = m_run.projectOptions();
    const QString current = options.text(u"prjFilSample");
    if (!current.isEmpty())
        return current;
    if (!options.text(u"prjFilWebRoot").trimmed().isEmpty())
        return joined(options.text(u"prjFilWebRoot"), kDefaultName);
    for (const QString &known :
        { options.text(u"prjFilJS"), options.text(u"prjFilCSS"), m_run.projectFile() }) {
        if (!known.isEmpty())
            return folderOf(known) + kDefaultName;
    }
    return kDefaultName;
}

FileDialogRequest SamplePageWriter::fileRequest() const
{
    FileDialogRequest request;
    request.title = QStringLiteral("Write sample file:");
    request.defaultExt = QStringLiteral("html");
    request.filter = QStringLiteral("*.html|*.html|aspx.*|aspx.*");
    request.askOverwrite = true;
    request.startName = defaultSampleFile();
    return request;
}

void SamplePageWriter::writeSample(const std::optional<QString> &chosen)
{
    const QString scriptAddress = m_run.ra(m_run.projectOptions().text(u"prjFilJS"));
    if (!chosen || chosen->isEmpty())
        m_run.abortRun(QStringLiteral("Cancel was selected. No sample page was written."));
    const QString &path = *chosen;

    const QString page = pageText(path, scriptAddress);
    m_run.logLine(QStringLiteral("Writing file: ") + path);
    m_run.writeTextFile(path, page);
    m_run.logLine(QString(49, u'-'));
}

QString SamplePageWriter::pageText(const QString &samplePath, const QString &scriptAddress)
{
    const clsOptions &options = m_run.projectOptions();
    const bool cssInScript = options.isChecked(u"prjCSSinJS");
    const bool multilingual = options.isChecked(u"prjChkMultiLingual");
    const QString language = options.text(u"prjJavascriptLanguageVariable");
    // Written bare into a script element and the page: only a script name may go there.
    if (multilingual && !language.trimmed().isEmpty() && !isScriptVariableName(language.trimmed()))
        m_run.abortRun(QStringLiteral("Javascript language variable is not a script name: ") + language.trimmed());
    const QString sampleHtml = options.text(u"prjSampleHTML");
    const QString scriptSrc = htmlEscaped(scriptAddress);

    QString page;
    const auto line = [&page](const QString &text) {
        page += text;
        page += kCRLF;
    };
    line(QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"
        "<HTML>"));
    line(QStringLiteral("<HEAD>"));
    line(QStringLiteral("<meta name=Generator content=\"Quenwick\">"));
    QString styleSheet;
    if (!cssInScript) {
        styleSheet = m_run.styleSheetPath();
        line(QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"")
            + htmlEscaped(m_run.ra(styleSheet)) + QStringLiteral("\">"));
    }
    if (multilingual)
        line(QStringLiteral("<script type=\"text/javascript\">var ") + language
            + QStringLiteral("= 'en-US';</script>"));
    line(QStringLiteral("</HEAD>"));
    line(QStringLiteral("<BODY>"));
    if (!sampleHtml.isEmpty())
        line(QStringLiteral("<script type =\"text/javascript\">") + sampleHtml + QStringLiteral("</script>"));
    line(QStringLiteral("<script src=\"") + scriptSrc
        + QStringLiteral("\" type =\"text/javascript\"></script>"));
    line(QStringLiteral(
        "<p style=\"font-weight:700;text-decoration:underline;margin-top:15px;\">File Information:</p>"));
    line(QStringLiteral("<p>File name:  ") + htmlEscaped(samplePath) + QStringLiteral("</p>"));
    const QLocale locale = QLocale::system();
    line(QStringLiteral("<p>File date:  ") + locale.toString(QDate::currentDate(), QLocale::ShortFormat)
        + u' ' + locale.toString(QTime::currentTime(), QLocale::ShortFormat) + QStringLiteral("</p>"));
    if (!cssInScript)
        line(QStringLiteral("<p>CSS link:  ") + htmlEscaped(styleSheet) + QStringLiteral("</p>"));
    else
        line(QStringLiteral("<p>CSS link:  None. CSS file included in javascript menutree file</p>"));
    line(QStringLiteral("<p>Javascript link:  ") + htmlEscaped(scriptAddress) + QStringLiteral("</p>"));
    if (multilingual)
        line(QStringLiteral("<p>Inserted script: var ") + language + QStringLiteral("= 'en-US'</p>"));
    line(QStringLiteral("</BODY>"));
    line(QStringLiteral("</HTML>"));
    return page;
}

} // namespace qwk
