#include "app/pageview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeDatabase>
#include <QVBoxLayout>

namespace qwk {

#ifdef QUENWICK_WEBENGINE
// webpageview.cpp, built only with the embedded browser.
PageView *createWebPageView(QWidget *parent);
void registerServedScheme();
#endif

namespace {

// Without the embedded browser: a notice where the page would be.
class NoBrowserView : public PageView {
public:
    explicit NoBrowserView(QWidget *parent) : PageView(parent)
    {
        auto *layout = new QVBoxLayout(this);
        auto *label = new QLabel(QStringLiteral("The preview is not available: this copy of Quenwick was built "
                                                "without an embedded web browser (Qt WebEngine)."),
                                 this);
        label->setObjectName(QStringLiteral("lblNoPreview"));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setEnabled(false);
        layout->addWidget(label);
    }
    bool hasBrowser() const override { return false; }
    void setHtml(const QString &, const QUrl &) override { Q_EMIT loadFinished(false); }
    void load(const QUrl &) override { Q_EMIT loadFinished(false); }
    void runJavaScript(const QString &, const ScriptResult &result) override
    {
        if (result)
            result(QVariant());
    }
};

} // namespace

void PageView::serveFile(const QString &path, const QByteArray &data, const QByteArray &mimeType)
{
    m_served.insert(path, Reply {data, mimeType});
}

QUrl PageView::servedUrl(const QString &path)
{
    QUrl url;
    url.setScheme(kServedScheme);
    url.setHost(QStringLiteral("site"));
    const QString full = path.startsWith(u'/') ? path : u'/' + path;
    const qsizetype query = full.indexOf(u'?');
    url.setPath(full.left(query));
    if (query >= 0)
        url.setQuery(full.mid(query + 1));
    return url;
}

bool PageView::answer(const QString &path, Reply &reply) const
{
    const auto served = m_served.constFind(path);
    if (served != m_served.cend()) {
        reply = *served;
        return true;
    }
    if (m_folder.isEmpty())
        return false;
    // The canonical path has no "..", and no link leads out of the folder.
    const QString root = QFileInfo(m_folder).canonicalFilePath();
    const QString file = QFileInfo(m_folder + u'/' + path).canonicalFilePath();
    if (root.isEmpty() || file.isEmpty() || !file.startsWith(root + u'/') || !QFileInfo(file).isFile())
        return false;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    reply.data = f.readAll();
    reply.mimeType = QMimeDatabase().mimeTypeForFile(file).name().toLatin1();
    return true;
}

PageView *createPageView(QWidget *parent)
{
#ifdef QUENWICK_WEBENGINE
    return createWebPageView(parent);
#else
    return new NoBrowserView(parent);
#endif
}

void prepareEmbeddedBrowser()
{
#ifdef QUENWICK_WEBENGINE
    registerServedScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
}

} // namespace qwk
