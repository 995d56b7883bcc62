#include "app/livepreview.h"

#include "app/pageview.h"
#include "app/projectdocument.h"
#include "core/htmltext.h"
#include "generator/identifiers.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"

#include <QApplication>
#include <QFileInfo>
#include <QVBoxLayout>

namespace qwk {

const QString LivePreview::kPagePath = QStringLiteral("/quenwick-menu-preview.html");
const QString LivePreview::kScriptPath = QStringLiteral("/quenwick-menu-preview.js");
const QString LivePreview::kStyleSheetPath = QStringLiteral("/quenwick-menu-preview.css");

namespace {

// The folders shown open: the elements whose id is a section id ("e1d2d1")
// and that have an anchor, drawn on the page.
const QString kReadOpenFolders = QStringLiteral(
    "(function(){var r=[],a=document.querySelectorAll('[id]');"
    "for(var i=0;i<a.length;i++){var e=a[i];"
    "if(/^[A-Za-z]\\d+(d\\d+)+$/.test(e.id)&&document.getElementById('a'+e.id)"
    "&&getComputedStyle(e).display!='none'&&e.getClientRects().length>0)r.push(e.id)}"
    "return r})()");

// Opens the listed folders that are closed, parents first, by clicking
// their anchors as the person did; the menu's own script does the rest.
QString openFoldersScript(const QStringList &ids)
{
    QString list;
    for (const QString &id : ids)
        list += (list.isEmpty() ? u"'"_qs : u",'"_qs) + id + u'\'';
    return QStringLiteral(
               "(function(ids){ids.sort(function(a,b){return a.split('d').length-b.split('d').length});"
               "for(var i=0;i<ids.length;i++){var e=document.getElementById(ids[i]),"
               "a=document.getElementById('a'+ids[i]);"
               "if(e&&a&&!(getComputedStyle(e).display!='none'&&e.getClientRects().length>0))a.click()}"
               "return ids.length})([")
           + list + QStringLiteral("])");
}

// The page loads the script as the sample page does; the style sheet comes
// after the script, so the editor's rules win over a copy the script may
// carry of the sheet on disk.
QString menuPage(const QString &scriptAddress, const QString &styleSheetAddress, const QString &languageVariable,
                 const QString &sampleHtml, const QString &version)
{
    QString page = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\"><HTML>\n"
        "<HEAD>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n");
    if (!languageVariable.isEmpty())
        page += QStringLiteral("<script type=\"text/javascript\">var ") + languageVariable
                + QStringLiteral("= 'en-US';</script>\n");
    page += QStringLiteral("</HEAD>\n<BODY>\n");
    if (!sampleHtml.isEmpty())
        page += QStringLiteral("<script type=\"text/javascript\">") + sampleHtml + QStringLiteral("</script>\n");
    page += QStringLiteral("<script src=\"") + htmlEscaped(scriptAddress) + version
            + QStringLiteral("\" type=\"text/javascript\" charset=\"utf-8\"></script>\n");
    page += QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"") + htmlEscaped(styleSheetAddress) + version
            + QStringLiteral("\">\n</BODY>\n</HTML>\n");
    return page;
}

QString errorPage(const QString &message)
{
    QString text = htmlEscaped(message);
    text.replace(u'\n', QStringLiteral("<br>"));
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
                          "<p id=\"quenwickPreviewError\" style=\"color:#a00000;font-family:sans-serif\">")
           + text + QStringLiteral("</p></body></html>");
}

} // namespace

LivePreview::LivePreview(ProjectDocument &doc, QWidget *parent)
    : QWidget(parent), m_doc(doc), m_view(createPageView(this))
{
    setObjectName(QStringLiteral("livePreview"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_timer.setSingleShot(true);
    m_timer.setInterval(300);
    connect(&m_timer, &QTimer::timeout, this, &LivePreview::refresh);
    connect(&doc.tree(), &MenuTree::changed, this, &LivePreview::scheduleRefresh);
    connect(&doc.tree(), &MenuTree::rootReplaced, this, &LivePreview::scheduleRefresh);
    connect(&doc.options(), &clsOptions::valueChanged, this, &LivePreview::scheduleRefresh);
    connect(&doc.css().document(), &CssDocument::textChanged, this, &LivePreview::scheduleRefresh);
    connect(m_view, &PageView::loadFinished, this, &LivePreview::onLoadFinished);
    m_pending = true;
}

void LivePreview::scheduleRefresh()
{
    m_pending = true;
    if (isVisible())
        m_timer.start();
}

void LivePreview::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_pending)
        m_timer.start();
}

void LivePreview::refresh()
{
    if (!m_view->hasBrowser())
        return;
    // A run window is open: its job owns the project until it ends.
    if (QApplication::activeModalWidget()) {
        m_timer.start();
        return;
    }
    // One refresh at a time; one that never ended (the browser's page
    // process went away) does not stop the preview for good.
    if (m_busy && m_clock.elapsed() < 20000) {
        m_again = true;
        return;
    }
    m_pending = false;
    m_busy = true;
    m_clock.start();
    if (!m_menuShown) {
        build();
        return;
    }
    m_view->runJavaScript(kReadOpenFolders, [this](const QVariant &open) {
        m_open = open.toStringList();
        build();
    });
}

void LivePreview::build()
{
    clsOptions &options = m_doc.options();
    ScriptNameTables tables;
    RunServices services(options, m_doc.prompt(), tables);
    services.setProjectFile(m_doc.prjFile().isEmpty() ? QString() : QFileInfo(m_doc.prjFile()).absoluteFilePath());
    services.useStyleSheet(m_doc.css());
    RunDriver driver(services, m_doc.tree().root(), &m_doc.css());
    QString script;
    const bool ok = driver.previewScript(script);

    // New addresses every time, so the browser takes nothing from its cache.
    const QString version = QStringLiteral("?v=%1").arg(++m_loads);
    m_view->clearServedFiles();
    m_view->setServedFolder(services.webRootFolder());
    if (ok) {
        m_error.clear();
        QString scriptAddress = services.ra(options.text(u"prjFilJS"));
        if (scriptAddress.isEmpty() || scriptAddress == kPagePath)
            scriptAddress = kScriptPath;
        QString cssAddress = services.ra(options.text(u"prjFilCSS"));
        if (cssAddress.isEmpty() || cssAddress == kPagePath || cssAddress == scriptAddress)
            cssAddress = kStyleSheetPath;
        QString language;
        if (options.isChecked(u"prjChkMultiLingual")
            && isScriptVariableName(options.text(u"prjJavascriptLanguageVariable").trimmed()))
            language = options.text(u"prjJavascriptLanguageVariable").trimmed();
        m_view->serveFile(scriptAddress, script.toUtf8(), "text/javascript;charset=utf-8");
        m_view->serveFile(cssAddress, m_doc.css().text().toUtf8(), "text/css;charset=utf-8");
        m_view->serveFile(kPagePath,
                          menuPage(scriptAddress, cssAddress, language, options.text(u"prjSampleHTML"), version).toUtf8(),
                          "text/html;charset=utf-8");
    } else {
        // The log's last entry is the run's "Error: " and its reason.
        const QStringList entries = services.logEntries();
        m_error = entries.isEmpty() ? driver.lastLog() : entries.last();
        m_view->serveFile(kPagePath, errorPage(m_error).toUtf8(), "text/html;charset=utf-8");
    }
    m_view->load(PageView::servedUrl(kPagePath + version));
}

void LivePreview::onLoadFinished()
{
    if (!m_busy)
        return;
    m_menuShown = m_error.isEmpty();
    if (!m_menuShown || m_open.isEmpty()) {
        finish();
        return;
    }
    m_view->runJavaScript(openFoldersScript(m_open), [this](const QVariant &) { finish(); });
}

void LivePreview::finish()
{
    m_lastMs = double(m_clock.nsecsElapsed()) / 1e6;
    m_busy = false;
    Q_EMIT refreshed();
    if (m_again) {
        m_again = false;
        refresh();
    }
}

} // namespace qwk
