// The page view with the embedded browser (Qt WebEngine); built only when
// the browser is found.
#include "app/pageview.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <memory>

namespace qwk {

namespace {

// QWebEngineView::setHtml takes pages of up to 2 MB; larger ones go through a file.
constexpr qsizetype kLargestInlinePage = 1500 * 1000;

// Shows the pages the designer sets and nothing else: a click on a link, a
// form or a script that changes the address is refused.
class PreviewPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    void expectLoad() { m_expected = true; }

protected:
    bool acceptNavigationRequest(const QUrl &, NavigationType, bool isMainFrame) override
    {
        if (!isMainFrame)
            return true;
        const bool ok = m_expected;
        m_expected = false;
        return ok;
    }

private:
    bool m_expected = false;
};

// Answers the served site's addresses from the view.
class ServedSiteHandler : public QWebEngineUrlSchemeHandler {
public:
    ServedSiteHandler(const PageView &view, QObject *parent) : QWebEngineUrlSchemeHandler(parent), m_view(view) {}
    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        PageView::Reply reply;
        if (job->requestMethod() != "GET" || !m_view.answer(job->requestUrl().path(), reply)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto *buffer = new QBuffer(job);
        buffer->setData(reply.data);
        job->reply(reply.mimeType, buffer);
    }

private:
    const PageView &m_view;
};

class WebPageView : public PageView {
public:
    explicit WebPageView(QWidget *parent) : PageView(parent)
    {
        // A profile of its own, kept in memory: the preview's cookies and
        // cache never mix with another view's or outlive the program.
        m_profile = new QWebEngineProfile(this);
        m_profile->installUrlSchemeHandler(kServedScheme.toLatin1(), new ServedSiteHandler(*this, m_profile));
        m_view = new QWebEngineView(this);
        m_view->setObjectName(QStringLiteral("webPreview"));
        m_page = new PreviewPage(m_profile, m_view);
        m_view->setPage(m_page);
        m_view->setContextMenuPolicy(Qt::NoContextMenu);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        connect(m_page, &QWebEnginePage::loadFinished, this, &PageView::loadFinished);
    }
    ~WebPageView() override
    {
        // The page goes before the profile it uses.
        delete m_view;
    }

    bool hasBrowser() const override { return true; }

    void setHtml(const QString &html, const QUrl &baseUrl) override
    {
        m_page->expectLoad();
        if (html.size() < kLargestInlinePage) {
            m_page->setHtml(html, baseUrl);
            return;
        }
        // A large page is read from a file; a base element keeps its
        // relative addresses pointing where they would have.
        if (!m_files)
            m_files = std::make_unique<QTemporaryDir>();
        const QString path = m_files->filePath(QStringLiteral("preview.html"));
        QString text = html;
        const qsizetype head = text.indexOf(QStringLiteral("<head>"), 0, Qt::CaseInsensitive);
        const QString base = QStringLiteral("<base href=\"") + baseUrl.toString(QUrl::FullyEncoded).toHtmlEscaped()
                             + QStringLiteral("\">");
        text.insert(head < 0 ? 0 : head + 6, base);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0) {
            Q_EMIT loadFinished(false);
            return;
        }
        f.close();
        m_page->load(QUrl::fromLocalFile(path));
    }

    void load(const QUrl &url) override
    {
        m_page->expectLoad();
        m_page->load(url);
    }

    void runJavaScript(const QString &script, const ScriptResult &result) override
    {
        if (result)
            m_page->runJavaScript(script, [result](const QVariant &v) { result(v); });
        else
            m_page->runJavaScript(script);
    }

private:
    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    PreviewPage *m_page = nullptr;
    std::unique_ptr<QTemporaryDir> m_files;
};

} // namespace

PageView *createWebPageView(QWidget *parent)
{
    return new WebPageView(parent);
}

void registerServedScheme()
{
    if (QWebEngineUrlScheme::schemeByName(kServedScheme.toLatin1()).name().isEmpty()) {
        QWebEngineUrlScheme scheme(kServedScheme.toLatin1());
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme
                        | QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

} // namespace qwk
