#include "generator/samplepage.h"

#include "core/emitter.h"
#include "core/textbuild.h"
#include "core/textfile.h"
#include "generator/accessiblescript.h"
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

// The accessible markup's page. The menu stands before the main landmark:
// the fragment (when there is one) and the script that enhances it, or the
// script alone, which then draws the menu where it stands.
const QStringView kAccessiblePage = uR"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="generator" content="Quenwick">
<title>Menu sample page</title>
$styleSheetLink$
$languageScript$
</head>
<body>
$sampleScript$
$fragment$
<script src="$h:scriptAddress$"></script>
<main>
<h1>Menu sample page</h1>
<p>$menuHere$</p>
<h2>Two ways to put the menu in a page</h2>
<h3>The menu's lists in the page, enhanced by the script</h3>
<p>The run writes the menu's links as a static fragment beside the script. Include it in the page where the menu goes (with a server-side include, a static site generator or by copying it in) and put the script after it. Visitors without JavaScript get every link; with JavaScript the script makes the folders open and close.</p>
<pre><code>&lt;!--#include virtual=&quot;$h:fragmentAddress$&quot; --&gt;
&lt;script src=&quot;$h:scriptAddress$&quot;&gt;&lt;/script&gt;</code></pre>
<h3>The script alone</h3>
<p>Without the fragment, the script draws the menu where its script element stands:</p>
<pre><code>&lt;script src=&quot;$h:scriptAddress$&quot;&gt;&lt;/script&gt;</code></pre>
<p>or, loaded anywhere in the page (also with <code>defer</code> or <code>async</code>), into the element whose id is <code>$menuId$</code>:</p>
<pre><code>&lt;div id=&quot;$menuId$&quot;&gt;&lt;/div&gt;
&lt;script src=&quot;$h:scriptAddress$&quot; defer&gt;&lt;/script&gt;</code></pre>
<h2>File information</h2>
<p>File name:  $h:samplePath$</p>
<p>File date:  $date$</p>
$cssLink$
<p>Javascript link:  $h:scriptAddress$</p>
$languageNote$
</main>
</body>
</html>
)html";
const QStringView kAccessibleStyleSheetLink = uR"html(<link rel="stylesheet" href="$h:styleSheetAddress$">)html";
const QStringView kAccessibleLanguageScript = uR"html(<script>var $language$= 'en-US';</script>)html";
const QStringView kAccessibleSampleScript = uR"html(<script>$sampleHtml$</script>)html";
const QStringView kMenuFromFragment
    = u"The menu above is the static fragment included in this page, enhanced by the script.";
const QStringView kMenuFromScript = u"The menu above is drawn by the script where its script element stands.";

// The fragment's address: the script's with its extension replaced.
QString fragmentAddress(const QString &scriptAddress)
{
    const qsizetype slash = scriptAddress.lastIndexOf(u'/');
    const qsizetype dot = scriptAddress.lastIndexOf(u'.');
    const QString stem = dot > slash ? scriptAddress.left(dot) : scriptAddress;
    return stem + QStringLiteral(".fragment.html");
}

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

    const bool accessible = m_run.projectOptions().isChecked(u"prjChkAccessible");
    const QString page = pageText(path, scriptAddress);
    m_run.logLine(QStringLiteral("Writing file: ") + path);
    if (accessible) {
        // The page says it is UTF-8, so it is written so whatever the project's encoding.
        const FileResult written = writeFileAtomic(path, encodeText(page, true));
        if (!written.ok)
            m_run.abortRun(written.error);
    } else {
        m_run.writeTextFile(path, page);
    }
    m_run.logLine(QString(49, u'-'));
}

// What both pages say alike: the style sheet's path and address, the notes
// on the sheet and the languages, and the date the page was written.
void SamplePageWriter::setSharedPieces(TextEmitter &e, bool cssInScript, bool multilingual)
{
    if (!cssInScript) {
        const QString styleSheet = m_run.styleSheetPath();
        e.set(u"styleSheet"_qs, styleSheet);
        e.set(u"styleSheetAddress"_qs, m_run.ra(styleSheet));
    }
    e.set(u"cssLink"_qs, e.render(cssInScript ? kCssInScript : kCssLink));
    e.set(u"languageNote"_qs, multilingual ? e.render(kLanguageNote) : QString());
    const QLocale locale = QLocale::system();
    e.set(u"date"_qs,
        locale.toString(QDate::currentDate(), QLocale::ShortFormat) + u' '
            + locale.toString(QTime::currentTime(), QLocale::ShortFormat));
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
    if (options.isChecked(u"prjChkAccessible"))
        return accessiblePageText(samplePath, scriptAddress);
    const QString sampleHtml = options.text(u"prjSampleHTML");

    QString page;
    TextEmitter e(page);
    e.setLineEnd(kCRLF);
    e.set(u"scriptAddress"_qs, scriptAddress);
    e.set(u"samplePath"_qs, samplePath);
    e.set(u"language"_qs, language);
    e.set(u"sampleHtml"_qs, sampleHtml);
    setSharedPieces(e, cssInScript, multilingual);
    e.set(u"styleSheetLink"_qs, cssInScript ? QString() : e.render(kStyleSheetLink));
    e.set(u"languageScript"_qs, multilingual ? e.render(kLanguageScript) : QString());
    e.set(u"sampleScript"_qs, sampleHtml.isEmpty() ? QString() : e.render(kSampleScript));
    e.emit(kSamplePage);
    return page;
}

QString SamplePageWriter::accessiblePageText(const QString &samplePath, const QString &scriptAddress)
{
    const clsOptions &options = m_run.projectOptions();
    const bool cssInScript = options.isChecked(u"prjCSSinJS");
    const bool multilingual = options.isChecked(u"prjChkMultiLingual");
    const QString sampleHtml = options.text(u"prjSampleHTML");
    const QString fragment = m_fragment ? m_fragment() : QString();

    QString page;
    TextEmitter e(page);
    e.setLineEnd(kCRLF);
    e.set(u"scriptAddress"_qs, scriptAddress);
    e.set(u"fragmentAddress"_qs, fragmentAddress(scriptAddress));
    e.set(u"menuId"_qs, accessibleMenuId(m_run));
    e.set(u"samplePath"_qs, samplePath);
    e.set(u"language"_qs, options.text(u"prjJavascriptLanguageVariable"));
    e.set(u"sampleHtml"_qs, sampleHtml);
    // The fragment ends with its own line end or not; the page's lines stay whole either way.
    e.set(u"fragment"_qs, fragment.trimmed());
    e.set(u"menuHere"_qs, (fragment.trimmed().isEmpty() ? kMenuFromScript : kMenuFromFragment).toString());
    setSharedPieces(e, cssInScript, multilingual);
    e.set(u"styleSheetLink"_qs, cssInScript ? QString() : e.render(kAccessibleStyleSheetLink));
    e.set(u"languageScript"_qs, multilingual ? e.render(kAccessibleLanguageScript) : QString());
    e.set(u"sampleScript"_qs, sampleHtml.isEmpty() ? QString() : e.render(kAccessibleSampleScript));
    e.emit(kAccessiblePage);
    return page;
}

} // namespace qwk
