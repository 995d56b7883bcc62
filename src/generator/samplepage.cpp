#include "generator/samplepage.h"

#include "core/emitter.h"
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

// The page. A line that holds only an optional piece is left out with it.
const QStringView kSamplePage = uR"html(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd"><HTML>
<HEAD>
<meta name=Generator content="Quenwick">
$styleSheetLink$
$languageScript$
</HEAD>
<BODY>
$sampleScript$
<script src="$h:scriptAddress$" type ="text/javascript"></script>
<p style="font-weight:700;text-decoration:underline;margin-top:15px;">File Information:</p>
<p>File name:  $h:samplePath$</p>
<p>File date:  $date$</p>
$cssLink$
<p>Javascript link:  $h:scriptAddress$</p>
$languageNote$
</BODY>
</HTML>
)html";

// Without the style sheet in the script, the page links it.
const QStringView kStyleSheetLink = uR"html(<link rel="stylesheet" type="text/css" href="$h:styleSheetAddress$">)html";
const QStringView kCssLink = uR"html(<p>CSS link:  $h:styleSheet$</p>)html";
const QStringView kCssInScript = uR"html(<p>CSS link:  None. CSS file included in javascript menutree file</p>)html";

// A multilingual menu reads its language from a script variable; the page
// sets one. The name is checked to be a script name before it goes in.
const QStringView kLanguageScript = uR"html(<script type="text/javascript">var $language$= 'en-US';</script>)html";
const QStringView kLanguageNote = uR"html(<p>Inserted script: var $language$= 'en-US'</p>)html";

// The project's own script for the sample page, as the author wrote it.
const QStringView kSampleScript = uR"html(<script type ="text/javascript">$sampleHtml$</script>)html";

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

    QString page;
    TextEmitter e(page);
    e.setLineEnd(kCRLF);
    e.set(u"scriptAddress"_qs, scriptAddress);
    e.set(u"samplePath"_qs, samplePath);
    e.set(u"language"_qs, language);
    e.set(u"sampleHtml"_qs, sampleHtml);
    if (!cssInScript) {
        const QString styleSheet = m_run.styleSheetPath();
        e.set(u"styleSheet"_qs, styleSheet);
        e.set(u"styleSheetAddress"_qs, m_run.ra(styleSheet));
    }
    e.set(u"styleSheetLink"_qs, cssInScript ? QString() : e.render(kStyleSheetLink));
    e.set(u"languageScript"_qs, multilingual ? e.render(kLanguageScript) : QString());
    e.set(u"sampleScript"_qs, sampleHtml.isEmpty() ? QString() : e.render(kSampleScript));
    e.set(u"cssLink"_qs, e.render(cssInScript ? kCssInScript : kCssLink));
    e.set(u"languageNote"_qs, multilingual ? e.render(kLanguageNote) : QString());
    const QLocale locale = QLocale::system();
    e.set(u"date"_qs,
        locale.toString(QDate::currentDate(), QLocale::ShortFormat) + u' '
            + locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    e.emit(kSamplePage);
    return page;
}

} // namespace qwk
