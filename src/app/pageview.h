#pragma once
// A small web page view for the designer's previews. The embedded browser
// (Qt WebEngine) sits behind this interface, so code and tests that never
// look at a page do not need it, and a build without it shows a notice
// instead. Only the page the designer sets is shown: links clicked in it go
// nowhere. Pages may also be served from memory at addresses of servedUrl(),
// with every other address of that kind read from a folder on disk.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <functional>

namespace qwk {

class PageView : public QWidget {
    Q_OBJECT
public:
    using ScriptResult = std::function<void(const QVariant &result)>;

    explicit PageView(QWidget *parent = nullptr) : QWidget(parent) {}

    // False for the notice shown when the program has no embedded browser.
    virtual bool hasBrowser() const = 0;
    // Shows html; its relative addresses resolve against baseUrl.
    virtual void setHtml(const QString &html, const QUrl &baseUrl) = 0;
    // Shows the page at url (a servedUrl() address or a file).
    virtual void load(const QUrl &url) = 0;
    // Runs script in the page; result gets its value (on the window's thread).
    virtual void runJavaScript(const QString &script, const ScriptResult &result = {}) = 0;

    // The served site: files answered from memory by path ("/menu/q.js"),
    // every other path read from folder (nothing outside it).
    void serveFile(const QString &path, const QByteArray &data, const QByteArray &mimeType);
    void clearServedFiles() { m_served.clear(); }
    void setServedFolder(const QString &folder) { m_folder = folder; }
    // The address of path on the served site; a "?" starts its query.
    static QUrl servedUrl(const QString &path);

    // What the served site answers for path: the memory file, or the file
    // under the folder; false when there is none or the path leaves the folder.
    struct Reply {
        QByteArray data;
        QByteArray mimeType;
    };
    bool answer(const QString &path, Reply &reply) const;

Q_SIGNALS:
    void loadFinished(bool ok);

private:
    QHash<QString, Reply> m_served;
    QString m_folder;
};

// A page view with the embedded browser when the program has one.
PageView *createPageView(QWidget *parent = nullptr);

// Before the application object exists: registers the served site's address
// scheme with the embedded browser (which accepts schemes only then).
void prepareEmbeddedBrowser();

// The address scheme of the served site.
inline const QString kServedScheme = QStringLiteral("quenwick-preview");

} // namespace qwk
