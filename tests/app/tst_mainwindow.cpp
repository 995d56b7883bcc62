// The main window driven through its menu items and keys, offscreen, with
// scripted answers for every question and dialog.

#include "app/mainwindow.h"
#include "app/menutreemodel.h"
#include "app/runwindow.h"
#include "app/startup.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/projectfile.h"

#include <QAction>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace qwk;

namespace {

const QString kDemo = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");

struct Window {
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    MainWindow w{prompt, settings};

    Window()
    {
        w.show();
        w.activateWindow();
        (void)QTest::qWaitForWindowActive(&w);
    }
    void openDemo()
    {
        w.openProject(kDemo);
        prompt.asked.clear(); // the demo's style sheet is not on this machine
    }
    void trigger(const QString &name) { w.action(name)->trigger(); }
    QString selectedText() const { return w.treeView()->currentIndex().data().toString(); }
    QString projectText() { return ProjectFile::projectText(w.document().options(), w.document().tree().root()); }
    QStringList recent() const
    {
        QStringList captions;
        for (QAction *a : w.menu(QStringLiteral("mnuRecentFiles"))->actions())
            captions << a->text();
        return captions;
    }
};

// A small project file in dir, with one page named name.
QString writeProject(const QString &dir, const QString &name)
{
    const QString path = dir + u'/' + name + QStringLiteral(".qwk");
    test::writeBytes(path, QStringLiteral("start:Quenwick 3.0\r\nstart:prjOptions\r\nend:prjOptions\r\n"
                                          "start:nodes\r\nstart:page\r\nlnkNamePage:%1\r\nend:page\r\nend:nodes\r\n"
                                          "end:Quenwick 3.0\r\n")
                               .arg(name)
                               .toLatin1());
    return path;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout();
    void editsSelectAndKeepFocus_data();
    void editsSelectAndKeepFocus();
    void keys_data();
    void keys();
    void askToSave_data();
    void askToSave();
    void missingProjectFile();
    void saveAndRecentFiles();
    void failedSaveKeepsChanges();
    void startProjectQuotes_data();
    void startProjectQuotes();
    void runWindow();
    void runSavesFirstWhenAsked();
    void anotherInstance();
    void rootPickers_data();
    void rootPickers();
    void previewCommands();
    void shutDownKeepsSettings();
    void shutDownClosesOtherWindows();
    void progressOnlyWhenSlow_data();
    void progressOnlyWhenSlow();
};

void TestMainWindow::layout()
{
    Window t;
    QTabWidget *tabs = t.w.tabs();
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    QCOMPARE(captions, (QStringList{"Build Tree", "Class names", "Style Sheet", "Images", "Options"}));
    QStringList tips;
    for (const char *tag : {"insertFolder", "insertPage", "insertColumn", "cutNode", "copyNode", "pasteNode", "deleteNode"})
        tips << t.w.findChild<QWidget *>(QStringLiteral("tb_") + QLatin1String(tag))->toolTip();
    QCOMPARE(tips, (QStringList{"Insert folder", "Insert page", "Insert column", "Cut node", "Copy node", "Paste node",
                                "Delete node"}));
    QCOMPARE(t.w.windowTitle(), QStringLiteral("Quenwick - "));
    // The style sheet tab names the sheet's file in the status bar.
    tabs->setCurrentIndex(2);
    bool shown = false;
    for (QLabel *l : t.w.statusBar()->findChildren<QLabel *>())
        shown = shown || l->text() == u"CSS file: New file";
    QVERIFY(shown);
    // A right click on the tree pops up the "Build tree" menu, which brings
    // the tree's tab back.
    QMenu *build = t.w.menu(QStringLiteral("mnuBuildTreeMenu"));
    Q_EMIT t.w.treeView()->customContextMenuRequested(QPoint(5, 5));
    QTRY_VERIFY(build->isVisible());
    build->close();
    QCOMPARE(tabs->currentIndex(), 0);
}

void TestMainWindow::editsSelectAndKeepFocus_data()
{
    QTest::addColumn<QStringList>("steps"); // "select KEY" or an action name
    QTest::addColumn<QString>("selected");  // the selected entry afterwards
    QTest::addColumn<QString>("undoText");

    QTest::newRow("page on end of tree") << QStringList{"select n7", "mnuInsertPage"} << "New Page" << "&Undo Insert page";
    QTest::newRow("cut the first, paste on the marker")
        << QStringList{"select n1", "mnuCutNode", "select n6", "mnuPasteNode"} << "Home" << "&Undo Paste node";
    QTest::newRow("delete the only node of a folder")
        << QStringList{"select n5n1", "actDeleteNode"} << "end of folder" << "&Undo Delete node";
    QTest::newRow("column refused in a folder") << QStringList{"select n3n1", "mnuInsertColumn"} << "Company" << "&Undo";
    QTest::newRow("undo a cut") << QStringList{"select n2", "mnuCutNode", "actUndo"} << "Products" << "&Undo";
}

void TestMainWindow::editsSelectAndKeepFocus()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, selected);
    QFETCH(QString, undoText);
    Window t;
    t.openDemo();
    for (const QString &step : steps) {
        if (step.startsWith(u"select "))
            t.w.selectTreeNode(step.mid(7));
        else
            t.trigger(step);
    }
    QCOMPARE(t.selectedText(), selected);
    QCOMPARE(t.w.action(QStringLiteral("actUndo"))->text(), undoText);
    QVERIFY(t.w.treeView()->hasFocus());
}

void TestMainWindow::keys_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("Insert") << QKeySequence(Qt::Key_Insert) << "&Undo Insert page";
    QTest::newRow("Ctrl+Shift+N") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N) << "&Undo Insert folder";
    QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete) << "&Undo Delete node";
    QTest::newRow("Ctrl+X") << QKeySequence(Qt::CTRL | Qt::Key_X) << "&Undo Cut node";
}

void TestMainWindow::keys()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, undoText);
    Window t;
    t.openDemo();
    t.w.printTree(QStringLiteral("n1"));
    QTest::keySequence(t.w.treeView(), key);
    QCOMPARE(t.w.action(QStringLiteral("actUndo"))->text(), undoText);
    // Ctrl+Z undoes it, Ctrl+Y does it again.
    QTest::keySequence(t.w.treeView(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(!t.w.document().prjChanged());
    QTest::keySequence(t.w.treeView(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(t.w.document().prjChanged());
    QTest::keySequence(t.w.treeView(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QTest::keySequence(t.w.treeView(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(t.w.action(QStringLiteral("actUndo"))->text(), undoText);
}

void TestMainWindow::askToSave_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("keptChanges");

    QTest::newRow("New, Cancel") << "mnuNewProject" << QList<Answer>{Answer::Cancel} << true;
    QTest::newRow("New, No") << "mnuNewProject" << QList<Answer>{Answer::No} << false;
    // Yes, but the Save As dialog is cancelled: nothing is thrown away.
    QTest::newRow("New, Yes, save cancelled") << "mnuNewProject" << QList<Answer>{Answer::Yes} << true;
    QTest::newRow("Open, Cancel") << "mnuOpenProject" << QList<Answer>{Answer::Cancel} << true;
    QTest::newRow("Open, No") << "mnuOpenProject" << QList<Answer>{Answer::No} << false;
}

void TestMainWindow::askToSave()
{
    QFETCH(QString, command);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, keptChanges);
    Window t;
    t.w.printTree(QStringLiteral("n1"));
    t.trigger(QStringLiteral("mnuInsertFolder"));
    const QString edited = t.projectText();
    t.prompt.answers = answers;
    t.trigger(command);
    QCOMPARE(t.prompt.questions(), QStringList{QStringLiteral("Save present project?")});
    QCOMPARE(t.projectText() == edited, keptChanges);
    QCOMPARE(t.w.document().prjChanged(), keptChanges);
}

void TestMainWindow::missingProjectFile()
{
    Window t;
    t.w.openProject(QStringLiteral("/nonexistent/old.qwk"));
    QCOMPARE(t.prompt.messages(), QStringList{QStringLiteral("The project file does not exist!")});
    QCOMPARE(t.w.windowTitle(), QStringLiteral("Quenwick - "));
    QCOMPARE(t.selectedText(), QStringLiteral("end of tree"));
}

void TestMainWindow::saveAndRecentFiles()
{
    QTemporaryDir dir;
    const QString a = writeProject(dir.path(), "a"), b = writeProject(dir.path(), "b"), c = writeProject(dir.path(), "c");
    Window t;
    for (const QString &p : {a, b, c, a})
        t.w.openProject(p);
    QCOMPARE(t.recent(), (QStringList{a, c, b}));
    QCOMPARE(t.w.windowTitle(), QStringLiteral("Quenwick - ") + a);
    QCOMPARE(t.selectedText(), QStringLiteral("a"));

    // Save As to a new file: the caption and the recent list follow, and the
    // file holds the edit.
    t.trigger(QStringLiteral("mnuInsertPage"));
    const QString d = dir.filePath("d.qwk");
    t.prompt.replies = {d};
    t.trigger(QStringLiteral("mnuSaveProjectAs"));
    QCOMPARE(t.prompt.asked.last().file.title, QStringLiteral("Save project file as:"));
    QCOMPARE(t.w.windowTitle(), QStringLiteral("Quenwick - ") + d);
    QCOMPARE(t.recent().first(), d);
    QVERIFY(!t.w.document().prjChanged());
    QCOMPARE(QString::fromLatin1(test::readBytes(d)), t.projectText());

    // A recent entry opens its project.
    t.w.menu(QStringLiteral("mnuRecentFiles"))->actions().at(2)->trigger();
    QCOMPARE(t.w.windowTitle(), QStringLiteral("Quenwick - ") + c);
}

void TestMainWindow::failedSaveKeepsChanges()
{
    QTemporaryDir dir;
    Window t;
    t.w.printTree(QStringLiteral("n1"));
    t.trigger(QStringLiteral("mnuInsertPage"));
    t.prompt.replies = {dir.filePath("no/such/folder/x.qwk")};
    t.trigger(QStringLiteral("mnuSaveProjectAs"));
    QVERIFY(t.prompt.messages().value(0).startsWith(QStringLiteral("Error reading or writing file")));
    QVERIFY(t.w.document().prjChanged());
    QCOMPARE(t.w.windowTitle(), QStringLiteral("Quenwick - "));
    // Asked on exit, the failed save keeps the window open.
    t.prompt.answers = {Answer::Yes};
    t.prompt.replies = {dir.filePath("no/such/folder/x.qwk")};
    QVERIFY(!t.w.close());
    QVERIFY(t.w.isVisible());
}

void TestMainWindow::startProjectQuotes_data()
{
    QTest::addColumn<bool>("quoted");
    QTest::newRow("in quotes") << true;
    QTest::newRow("without quotes") << false;
}

void TestMainWindow::startProjectQuotes()
{
    QFETCH(bool, quoted);
    QTemporaryDir dir;
    const QString a = writeProject(dir.path(), "a");
    Window t;
    QStringList notices;
    t.w.loadStartProject(quoted ? u'"' + a + u'"' : a, [&](const QString &n) { notices << n; });
    QCOMPARE(notices, QStringList{QStringLiteral("Loading clicked project")});
    QCOMPARE(t.w.windowTitle(), QStringLiteral("Quenwick - ") + a);
    QCOMPARE(t.selectedText(), QStringLiteral("a"));
    QVERIFY(t.prompt.asked.isEmpty());
}

void TestMainWindow::runWindow()
{
    Window t;
    QStringList labels;
    t.w.setRunWindowHook([&labels](RunWindow &window) {
        QObject::connect(&window, &RunWindow::jobFinished, &window, [&window, &labels] {
            labels << window.findChild<QLabel *>(QStringLiteral("lblMessage"))->text();
            auto *exit = window.findChild<QPushButton *>(QStringLiteral("cmdExit"));
            QVERIFY(exit->isEnabled());
            QCOMPARE(exit->text(), QStringLiteral("OK"));
            QMetaObject::invokeMethod(exit, "click", Qt::QueuedConnection);
        });
    });
    // No locations: the run stops before writing, with its message and log.
    t.trigger(QStringLiteral("mnuRun"));
    QVERIFY(t.prompt.messages().value(0).startsWith(QStringLiteral("First go to the options tab and ...")));
    QCOMPARE(t.w.lastLog().trimmed(), QStringLiteral("Missing a file location"));

    // With the locations set, the menu script is written on the worker.
    QTemporaryDir dir;
    clsOptions &o = t.w.document().options();
    o.setControlValue(u"prjFilWebRoot", dir.path());
    o.setControlValue(u"prjFilJS", dir.filePath("qmenu.js"));
    o.setControlValue(u"prjFilCSS", dir.filePath("qmenu.css"));
    o.setControlValue(u"prjCSSinJS", 0);
    t.prompt.asked.clear();
    t.w.printTree(QStringLiteral("n1"));
    t.trigger(QStringLiteral("mnuInsertPage"));
    t.trigger(QStringLiteral("mnuRun"));
    QVERIFY(QFileInfo::exists(dir.filePath("qmenu.js")));
    QVERIFY2(t.w.lastLog().contains(QStringLiteral("Writing file: ")), qPrintable(t.w.lastLog()));
    QCOMPARE(t.selectedText(), QStringLiteral("New Page")); // the same entry after the run
    QCOMPARE(labels, (QStringList{"Running Project", "Running Project"}));

    // "View last log" shows the log of that run.
    QString shown;
    t.w.setRunWindowHook([&shown](RunWindow &window) {
        shown = window.log();
        QMetaObject::invokeMethod(&window, "accept", Qt::QueuedConnection);
    });
    t.trigger(QStringLiteral("mnuRunViewLog"));
    QCOMPARE(shown, t.w.lastLog());
}

void TestMainWindow::runSavesFirstWhenAsked()
{
    QTemporaryDir dir;
    const QString a = writeProject(dir.path(), "a");
    Window t;
    t.w.openProject(a);
    QFile::remove(a);
    t.trigger(QStringLiteral("mnuPreferencesSaveProjectBeforeRun"));
    QVERIFY(t.w.document().options().isChecked(u"pgmChkSaveBeforeRun"));
    QVERIFY(!t.w.document().prjChanged()); // a preference is not part of the project
    t.w.setRunWindowHook([](RunWindow &window) {
        QObject::connect(&window, &RunWindow::jobFinished, &window, [&window] {
            QMetaObject::invokeMethod(&window, "accept", Qt::QueuedConnection);
        });
    });
    t.trigger(QStringLiteral("mnuRun"));
    QVERIFY(QFileInfo::exists(a)); // saved although nothing had changed
}

void TestMainWindow::anotherInstance()
{
    QTemporaryDir dir;
    const QString lockPath = dir.filePath("quenwick.lock");
    test::ScriptedPrompt prompt;
    std::unique_ptr<QLockFile> first, second;
    QVERIFY(startAnotherInstance(prompt, first, lockPath));
    QVERIFY(prompt.asked.isEmpty());
    prompt.answers = {Answer::No};
    QVERIFY(!startAnotherInstance(prompt, second, lockPath));
    QCOMPARE(prompt.questions(),
             QStringList{QStringLiteral("Quenwick is already running\nOpen another instance of Quenwick?")});
}

void TestMainWindow::rootPickers_data()
{
    QTest::addColumn<bool>("application"); // the application root, else the web root
    QTest::addColumn<QString>("before");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("after");

    QTest::newRow("web root, none yet") << false << "" << Answer::Ok
                                        << "Select the location of the root of your website?" << "/picked";
    QTest::newRow("web root, change declined") << false << "/srv/web" << Answer::Cancel
                                               << "Website root: /srv/web\nChange to a different Folder? " << "/srv/web";
    QTest::newRow("application root, none yet") << true << "" << Answer::Ok
                                                << "Select your application root directory?" << "/picked";
    QTest::newRow("application root, changed") << true << "/srv/app" << Answer::Ok
                                               << "Application root: /srv/app\nChange to a different Folder? " << "/picked";
}

void TestMainWindow::rootPickers()
{
    QFETCH(bool, application);
    QFETCH(QString, before);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    QFETCH(QString, after);
    Window t;
    const QString key = application ? QStringLiteral("prjFilAppRoot") : QStringLiteral("prjFilWebRoot");
    clsOptions &o = t.w.document().options();
    o.setControlValue(key, before);
    t.prompt.answers = {answer};
    t.prompt.replies = {QStringLiteral("/picked")};
    application ? t.w.dnnRootFileLocation() : t.w.webRootFileLocation();
    QCOMPARE(t.prompt.questions(), QStringList{question});
    QCOMPARE(o.text(key), after);
}

void TestMainWindow::previewCommands()
{
    Window t;
    clsOptions &o = t.w.document().options();
    // The address to preview: OK stores it, Cancel keeps it.
    t.prompt.replies = {QStringLiteral("http://localhost/x/"), std::nullopt};
    t.trigger(QStringLiteral("mnuUrlToPreview"));
    QCOMPARE(o.text(u"prjLocalURL"), QStringLiteral("http://localhost/x/"));
    t.trigger(QStringLiteral("mnuUrlToPreview"));
    QCOMPARE(o.text(u"prjLocalURL"), QStringLiteral("http://localhost/x/"));
    // An added browser becomes an item of the "Browser" menu.
    t.prompt.replies = {QStringLiteral("/usr/bin/firefox")};
    t.trigger(QStringLiteral("mnuAddBrowser"));
    QCOMPARE(t.w.menu(QStringLiteral("mnuBrowsers"))->actions().size(), 1);
    QCOMPARE(t.w.menu(QStringLiteral("mnuBrowsers"))->actions().first()->text(), QStringLiteral("/usr/bin/firefox"));
    QVERIFY(t.w.action(QStringLiteral("mnuDeleteBrowser"))->isEnabled());
}

void TestMainWindow::shutDownKeepsSettings()
{
    QTemporaryDir dir;
    const QString a = writeProject(dir.path(), "a");
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    QList<int> sizes;
    {
        MainWindow w(prompt, settings);
        w.show();
        w.openProject(a);
        w.action(QStringLiteral("mnuPreferencesStartUpLoadLast"))->trigger();
        w.findChild<QSplitter *>(QStringLiteral("treeSplitter"))->setSizes({200, 500});
        sizes = w.findChild<QSplitter *>(QStringLiteral("treeSplitter"))->sizes();
        // A style sheet changed since it was loaded is offered for saving.
        w.document().css().setCssChanged(true);
        prompt.answers = {Answer::No};
        QVERIFY(w.close());
        QCOMPARE(prompt.questions(), QStringList{QStringLiteral("Save CSS style sheet?")});
    }
    // The next start opens the last project, with the window as it was left.
    MainWindow w(prompt, settings);
    w.show();
    w.loadStartProject({});
    QCOMPARE(w.windowTitle(), QStringLiteral("Quenwick - ") + a);
    QVERIFY(w.action(QStringLiteral("mnuPreferencesStartUpLoadLast"))->isChecked());
    QCOMPARE(w.findChild<QSplitter *>(QStringLiteral("treeSplitter"))->sizes(), sizes);
}

void TestMainWindow::shutDownClosesOtherWindows()
{
    // A window that closes goes with the main window; one that refuses is named.
    struct Stubborn : QWidget {
        void closeEvent(QCloseEvent *event) override { event->ignore(); }
    };
    Window t;
    QWidget willing;
    Stubborn stubborn;
    stubborn.setObjectName(QStringLiteral("frmStubborn"));
    willing.show();
    stubborn.show();
    QVERIFY(t.w.close());
    QVERIFY(!willing.isVisible());
    QCOMPARE(t.prompt.messages(), QStringList{QStringLiteral("Something made frmStubborn  not closing correctly")});
}

void TestMainWindow::progressOnlyWhenSlow_data()
{
    QTest::addColumn<int>("lasts"); // milliseconds
    QTest::addColumn<bool>("shown");
    QTest::newRow("quick") << 0 << false;
    QTest::newRow("slow") << 1200 << true;
}

void TestMainWindow::progressOnlyWhenSlow()
{
    QFETCH(int, lasts);
    QFETCH(bool, shown);
    Window t;
    bool seen = false;
    QString label;
    // Looked at from the window's thread while the transfer runs.
    QTimer look;
    look.setInterval(50);
    connect(&look, &QTimer::timeout, [&] {
        if (auto *p = t.w.findChild<QProgressDialog *>(); p && p->isVisible()) {
            seen = true;
            label = p->labelText();
        }
    });
    look.start();
    const TransferResult r = t.w.runTransfer("Opening project file", "/x.qwk", [lasts](const auto &stage) {
        stage(QStringLiteral("Reading the menu tree"));
        QThread::msleep(lasts);
        return TransferResult{true, {}};
    });
    QVERIFY(r.ok);
    QCOMPARE(seen, shown);
    if (shown)
        QCOMPARE(label, QStringLiteral("Opening project file: \n\n/x.qwk\nReading the menu tree"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
