// The style preview and the live menu preview in the embedded browser,
// offscreen: what the pages show is read back from their documents.

#include "app/livepreview.h"
#include "app/mainwindow.h"
#include "app/pageview.h"
#include "app/projectdocument.h"
#include "app/stylepreview.h"
#include "app/stylesheettab.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

using namespace qwk;

namespace {

const QString kDemo = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");
constexpr int kLoadTimeout = 30000;

// Runs script in the view's page and waits for its value.
QVariant evaluate(PageView &view, const QString &script)
{
    QVariant value;
    bool done = false;
    view.runJavaScript(script, [&](const QVariant &v) {
        value = v;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kLoadTimeout))
        qWarning() << "no answer from the page for" << script;
    return value;
}

QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// The demo project with a copy of its web folder as the web root, and a
// picture; its script and sheet are named there but not written.
struct LiveProject {
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    ProjectDocument doc {prompt, settings};
    QTemporaryDir web;
    std::unique_ptr<LivePreview> preview;

    LiveProject()
    {
        doc.openProject(kDemo);
        prompt.asked.clear();
        const QString demoWeb = QFileInfo(kDemo).absolutePath() + QStringLiteral("/web");
        for (QDirIterator it(demoWeb, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString from = it.next();
            const QString to = web.filePath(QDir(demoWeb).relativeFilePath(from));
            QDir().mkpath(QFileInfo(to).absolutePath());
            QFile::copy(from, to);
        }
        clsOptions &o = doc.options();
        o.setControlValue(u"prjFilWebRoot", web.path());
        o.setControlValue(u"prjFilJS", web.filePath(QStringLiteral("menu/qmenu.js")));
        o.setControlValue(u"prjFilCSS", web.filePath(QStringLiteral("menu/qmenu.css")));
        o.setControlValue(u"prjCSSinJS", 0);
        QDir(web.path()).mkpath(QStringLiteral("img"));
        test::writeBytes(web.filePath(QStringLiteral("img/logo.svg")),
                         "<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'/>");
        doc.css().document().setText(QStringLiteral(".LinkLine { color: rgb(1, 2, 3) }\n"));
        preview = std::make_unique<LivePreview>(doc);
        preview->resize(400, 500);
        preview->show();
    }
    // Waits for the next refresh to end.
    bool refreshed()
    {
        QSignalSpy spy(preview.get(), &LivePreview::refreshed);
        return spy.wait(kLoadTimeout);
    }
    QVariant js(const QString &script) { return evaluate(preview->pageView(), script); }
    MenuNode &node(int pos) { return *doc.tree().root().nodes().item(pos); }
};

// The section id of the folder whose anchor shows name.
const QString kFolderId = QStringLiteral(
    "(function(n){var a=document.querySelectorAll('[id^=a]');for(var i=0;i<a.length;i++)"
    "if(a[i].textContent==n&&document.getElementById(a[i].id.substring(1)))return a[i].id.substring(1);"
    "return ''})('%1')");
const QString kShown = QStringLiteral(
    "(function(e){return !!e&&getComputedStyle(e).display!='none'&&e.getClientRects().length>0})"
    "(document.getElementById('%1'))");

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stylePreviewLinksSavedSheet();
    void linksDoNotNavigate();
    void pageOfAnySizeResolvesAgainstItsBase_data();
    void pageOfAnySizeResolvesAgainstItsBase();
    void servedSiteStaysInFolder_data();
    void servedSiteStaysInFolder();
    void liveMenuFollowsEdits();
    void failingRunShowsError();
    void openFoldersStayOpen();
    void menuItemShowsTheViewAndIsKept();
    void styleSheetTabButtonShowsThePreview();
};

void TestPreview::stylePreviewLinksSavedSheet()
{
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    ProjectDocument doc(prompt, settings);
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("style sheets/menu.css"));
    QDir(dir.path()).mkpath(QStringLiteral("style sheets"));
    doc.options().setControlValue(u"prjFilCSS", sheet);
    clsCSS &css = doc.css();
    css.document().setText(QStringLiteral(".LinkLine { color: rgb(0, 0, 255) }\n.Notice { color: rgb(255, 0, 0) }\n"
                                          "td { font-size: 11px }\n"));
    css.loadCSSClassesListBox();

    StylePreview preview(css);
    preview.show();
    QVERIFY(preview.pageView().hasBrowser());
    QSignalSpy loaded(&preview.pageView(), &PageView::loadFinished);
    QVERIFY(loaded.wait(kLoadTimeout)); // the empty page
    loaded.clear();
    css.previewCSS();
    QVERIFY(QFileInfo::exists(sheet));
    QVERIFY(loaded.wait(kLoadTimeout));
    QCOMPARE(loaded.first().first().toBool(), true);

    // The samples of the sheet's rules, styled by the saved file.
    PageView &view = preview.pageView();
    QCOMPARE(evaluate(view, QStringLiteral("document.querySelector('p.Notice').textContent")).toString(),
             QStringLiteral(".Notice"));
    QCOMPARE(evaluate(view, QStringLiteral("getComputedStyle(document.querySelector('p.Notice')).color")).toString(),
             QStringLiteral("rgb(255, 0, 0)"));
    QCOMPARE(evaluate(view, QStringLiteral("getComputedStyle(document.querySelector('span.LinkLine')).color"))
                 .toString(),
             QStringLiteral("rgb(0, 0, 255)"));
}

void TestPreview::linksDoNotNavigate()
{
    QTemporaryDir dir;
    test::writeBytes(dir.filePath(QStringLiteral("other.html")), "<html><body id='other'>other</body></html>");
    std::unique_ptr<PageView> view(createPageView());
    view->show();
    QSignalSpy loaded(view.get(), &PageView::loadFinished);
    view->setHtml(QStringLiteral("<html><body id='first'><a id='go' href='other.html'>go</a>"
                                 "<form id='f' action='other.html'></form></body></html>"),
                  QUrl::fromLocalFile(dir.path() + u'/'));
    QVERIFY(loaded.wait(kLoadTimeout));
    loaded.clear();
    evaluate(*view, QStringLiteral("document.getElementById('go').click()"));
    evaluate(*view, QStringLiteral("document.getElementById('f').submit()"));
    evaluate(*view, QStringLiteral("window.location.href='other.html'"));
    QTest::qWait(500);
    QCOMPARE(evaluate(*view, QStringLiteral("document.body.id")).toString(), QStringLiteral("first"));
    // The view still shows what it is told to.
    view->load(QUrl::fromLocalFile(dir.filePath(QStringLiteral("other.html"))));
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(*view, QStringLiteral("document.body ? document.body.id : ''")).toString(),
                              QStringLiteral("other"), kLoadTimeout);
}

void TestPreview::pageOfAnySizeResolvesAgainstItsBase_data()
{
    QTest::addColumn<int>("padding");
    QTest::newRow("small") << 0;
    QTest::newRow("over the browser's 2 MB for inline pages") << 3 * 1000 * 1000;
}

void TestPreview::pageOfAnySizeResolvesAgainstItsBase()
{
    QFETCH(int, padding);
    QTemporaryDir dir;
    test::writeBytes(dir.filePath(QStringLiteral("s.css")), "p { color: rgb(7, 8, 9) }");
    std::unique_ptr<PageView> view(createPageView());
    view->show();
    QSignalSpy loaded(view.get(), &PageView::loadFinished);
    view->setHtml(QStringLiteral("<html><head><link rel='stylesheet' href='s.css'></head><body><p id='x'>x</p>")
                      + QString(padding, u'y') + QStringLiteral("</body></html>"),
                  QUrl::fromLocalFile(dir.path() + u'/'));
    QVERIFY(loaded.wait(kLoadTimeout));
    QCOMPARE(evaluate(*view, QStringLiteral("getComputedStyle(document.getElementById('x')).color")).toString(),
             QStringLiteral("rgb(7, 8, 9)"));
    QCOMPARE(evaluate(*view, QStringLiteral("document.body.textContent.length")).toInt(), padding + 1);
}

void TestPreview::servedSiteStaysInFolder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("expected"); // empty: refused
    QTest::newRow("memory") << "/menu/q.js" << QByteArray("memory");
    QTest::newRow("disk") << "/img/a.txt" << QByteArray("disk");
    QTest::newRow("missing") << "/img/b.txt" << QByteArray();
    QTest::newRow("up") << "/../secret.txt" << QByteArray();
    QTest::newRow("up inside") << "/img/../../secret.txt" << QByteArray();
    QTest::newRow("link out") << "/out/secret.txt" << QByteArray();
    QTest::newRow("folder") << "/img" << QByteArray();
}

void TestPreview::servedSiteStaysInFolder()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("web/img"));
    test::writeBytes(dir.filePath(QStringLiteral("web/img/a.txt")), "disk");
    test::writeBytes(dir.filePath(QStringLiteral("secret.txt")), "secret");
    QFile::link(dir.path(), dir.filePath(QStringLiteral("web/out")));
    std::unique_ptr<PageView> view(createPageView());
    view->setServedFolder(dir.filePath(QStringLiteral("web")));
    view->serveFile(QStringLiteral("/menu/q.js"), "memory", "text/javascript");
    PageView::Reply reply;
    QCOMPARE(view->answer(path, reply), !expected.isEmpty());
    QCOMPARE(reply.data, expected);
}

void TestPreview::liveMenuFollowsEdits()
{
    LiveProject p;
    const QStringList before = filesUnder(p.web.path());
    QVERIFY(p.refreshed());
    QVERIFY2(p.preview->errorMessage().isEmpty(), qPrintable(p.preview->errorMessage()));
    QVERIFY(p.js(QStringLiteral("document.body.innerText")).toString().contains(QStringLiteral("Home")));
    // The sheet comes from the editor: its file does not exist.
    QCOMPARE(p.js(QStringLiteral("getComputedStyle(document.querySelector('.LinkLine')).color")).toString(),
             QStringLiteral("rgb(1, 2, 3)"));

    // Three quick edits make one refresh after the wait.
    QSignalSpy refreshes(p.preview.get(), &LivePreview::refreshed);
    p.doc.tree().setValue(p.node(1), QStringLiteral("lnkNamePage"), QStringLiteral("Ho"));
    p.doc.tree().setValue(p.node(1), QStringLiteral("lnkNamePage"), QStringLiteral("Start"));
    p.doc.css().document().setText(QStringLiteral(".LinkLine { color: rgb(4, 5, 6) }\n"));
    QVERIFY(p.preview->timer().isActive());
    QVERIFY(refreshes.wait(kLoadTimeout));
    QTest::qWait(p.preview->timer().interval() + 200);
    QCOMPARE(refreshes.count(), 1);
    const QString text = p.js(QStringLiteral("document.body.innerText")).toString();
    QVERIFY2(text.contains(QStringLiteral("Start")) && !text.contains(QStringLiteral("Home")), qPrintable(text));
    QCOMPARE(p.js(QStringLiteral("getComputedStyle(document.querySelector('.LinkLine')).color")).toString(),
             QStringLiteral("rgb(4, 5, 6)"));
    // A page of the web root is served from the disk.
    QCOMPARE(p.js(QStringLiteral("(function(){var x=new XMLHttpRequest();x.open('GET','/img/logo.svg',false);"
                                 "x.send();return x.status})()"))
                 .toInt(),
             200);
    QCOMPARE(filesUnder(p.web.path()), before);
}

void TestPreview::failingRunShowsError()
{
    LiveProject p;
    QVERIFY(p.refreshed());
    p.doc.options().setControlValue(u"prjForceASP", 1);
    QVERIFY(p.refreshed());
    QVERIFY2(p.preview->errorMessage().startsWith(QStringLiteral("Error: \n")), qPrintable(p.preview->errorMessage()));
    const QString shown = p.js(QStringLiteral("document.getElementById('quenwickPreviewError').innerText")).toString();
    QVERIFY2(shown.startsWith(QStringLiteral("Error:")) && shown.contains(QStringLiteral("ASP.NET server control")),
             qPrintable(shown));
    QVERIFY(!p.js(QStringLiteral("document.body.innerText")).toString().contains(QStringLiteral("Home")));
    // Put right, the menu is back.
    p.doc.options().setControlValue(u"prjForceASP", 0);
    QVERIFY(p.refreshed());
    QVERIFY(p.preview->errorMessage().isEmpty());
    QVERIFY(p.js(QStringLiteral("document.body.innerText")).toString().contains(QStringLiteral("Home")));
}

void TestPreview::openFoldersStayOpen()
{
    LiveProject p;
    QVERIFY(p.refreshed());
    const QString products = p.js(kFolderId.arg(QStringLiteral("Products"))).toString();
    const QString gadgets = p.js(kFolderId.arg(QStringLiteral("Gadgets"))).toString();
    const QString about = p.js(kFolderId.arg(QStringLiteral("About"))).toString();
    QVERIFY2(!products.isEmpty() && !gadgets.isEmpty() && !about.isEmpty(),
             qPrintable(p.js(QStringLiteral("document.body.innerHTML")).toString().left(3000)));
    QVERIFY(!p.js(kShown.arg(products)).toBool());
    p.js(QStringLiteral("document.getElementById('a%1').click()").arg(products));
    p.js(QStringLiteral("document.getElementById('a%1').click()").arg(gadgets));
    QVERIFY(p.js(kShown.arg(gadgets)).toBool());

    p.doc.tree().setValue(p.node(1), QStringLiteral("lnkNamePage"), QStringLiteral("Start"));
    QVERIFY(p.refreshed());
    QVERIFY(p.js(QStringLiteral("document.body.innerText")).toString().contains(QStringLiteral("Start")));
    QCOMPARE(p.preview->keptOpen().contains(gadgets), true);
    QVERIFY(p.js(kShown.arg(products)).toBool());
    QVERIFY(p.js(kShown.arg(gadgets)).toBool());
    QVERIFY(!p.js(kShown.arg(about)).toBool());
}

void TestPreview::menuItemShowsTheViewAndIsKept()
{
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    {
        MainWindow w(prompt, settings);
        w.show();
        QAction *item = w.action(QStringLiteral("mnuMenuPreview"));
        QCOMPARE(item->text(), QStringLiteral("&Menu preview"));
        QVERIFY(item->isCheckable() && !item->isChecked());
        QVERIFY(!w.menuPreview());
        item->trigger();
        QVERIFY(w.menuPreview() && w.menuPreview()->isVisible());
        QCOMPARE(w.findChild<QDockWidget *>(QStringLiteral("dockMenuPreview"))->windowTitle(),
                 QStringLiteral("Menu preview"));
        QSignalSpy refreshed(w.menuPreview(), &LivePreview::refreshed);
        QVERIFY(refreshed.wait(kLoadTimeout));
    }
    MainWindow again(prompt, settings);
    again.show();
    QVERIFY(again.action(QStringLiteral("mnuMenuPreview"))->isChecked());
    QVERIFY(again.menuPreview() && again.menuPreview()->isVisible());
    again.action(QStringLiteral("mnuMenuPreview"))->trigger();
    QVERIFY(!again.menuPreview()->isVisible());
    QCOMPARE(settings.get(kSettingsApplication, QStringLiteral("window"), QStringLiteral("menuPreview"), {}),
             QStringLiteral("0"));
}

// The browser of the "Style Sheet" tab comes with the first preview, and
// shows the page of the sheet that was just saved.
void TestPreview::styleSheetTabButtonShowsThePreview()
{
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    MainWindow w(prompt, settings);
    w.show();
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("menu.css"));
    w.document().options().setControlValue(u"prjFilCSS", sheet);
    w.document().css().document().setText(QStringLiteral(".Notice { color: rgb(255, 0, 0) }\n"));
    w.document().css().loadCSSClassesListBox();
    QVERIFY(!w.findChild<StylePreview *>(QStringLiteral("webBrowserCSS")));

    w.findChild<QPushButton *>(QStringLiteral("cmdPreviewCSS"))->click();
    auto *preview = w.findChild<StylePreview *>(QStringLiteral("webBrowserCSS"));
    QVERIFY(preview);
    QVERIFY(w.tabs()->widget(w.tabs()->indexOf(&w.styleSheetTab()))->isAncestorOf(preview));
    QVERIFY(QFileInfo::exists(sheet));
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(preview->pageView(), QStringLiteral("(function(){var p=document.querySelector('p.Notice');"
                                                     "return p?getComputedStyle(p).color:'';})()"))
            .toString(),
        QStringLiteral("rgb(255, 0, 0)"), kLoadTimeout);
}

int main(int argc, char *argv[])
{
    prepareEmbeddedBrowser();
    QApplication app(argc, argv);
    TestPreview t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_preview.moc"
