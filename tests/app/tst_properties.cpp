// The property frames and option tabs of the main window, offscreen: what
// typing and clicking in them does to the node, the tree and the undo stack,
// and that every option has exactly one field.

#include "app/mainwindow.h"
#include "app/menutreemodel.h"
#include "app/optionbinding.h"
#include "app/propertyeditor.h"
#include "options/settingsstore.h"
#include "app/runwindow.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/projectfile.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QTreeView>
#include <QUndoStack>
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
        // A dialog that opens here is closed at once, as Escape would.
        w.propertyEditor().setDialogRunner([](QDialog &d) { d.reject(); });
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
        w.openProject(kDemo);
        prompt.asked.clear(); // the demo's style sheet is not on this machine
    }
    template <typename T = QWidget>
    T *field(const QString &key)
    {
        return qobject_cast<T *>(w.optionBinder().field(key));
    }
    void select(const QString &key) { w.selectTreeNode(key); }
    MenuNode *node(const QString &key) { return MenuTreeModel::nodeOf(w.treeModel().indexOfKey(key)); }
    QString entry(const QString &key) { return w.treeModel().indexOfKey(key).data().toString(); }
    QUndoStack &undo() { return w.document().undoStack(); }
    // Empties a line edit as a person would.
    void clear(QLineEdit *e)
    {
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Backspace);
    }
};

} // namespace

class TestProperties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyOptionHasOneField();
    void showingNodesIsNotAnEdit();
    void typingRenamesAndUndoes();
    void pageTypeSwitchesSubFrame();
    void clickIntoEmptyUrlChoosesUrlLink();
    void emptyingColumnWidth();
    void spaceWarning_data();
    void spaceWarning();
    void projectOptionHandlers();
    void replaceJavaScriptAsks();
    void positionMenuRefusedForDownwardMainMenus();
    void statusBarShowsFocusedField();
    void resetClassNamesIsOneStep_data();
    void resetClassNamesIsOneStep();
    void editsChangeTheGeneratedScript_data();
    void editsChangeTheGeneratedScript();
    void editsReachTheProjectFile_data();
    void editsReachTheProjectFile();
};

void TestProperties::everyOptionHasOneField()
{
    Window t;
    QHash<QString, int> bound;
    for (QWidget *wdg : t.w.findChildren<QWidget *>()) {
        const QString key = OptionBinder::keyOf(wdg);
        if (!key.isEmpty())
            ++bound[key];
    }
    QSet<QString> wanted;
    for (const ControlDef &c : optionControls()) {
        if ((c.tag.startsWith(u"prj") && !c.caption.isEmpty()) || c.tag.startsWith(u"lnk"))
            wanted.insert(c.tag);
    }
    QVERIFY(wanted.size() > 60);
    for (const QString &key : std::as_const(wanted)) {
        if (bound.value(key) != 1)
            QFAIL(qPrintable(QStringLiteral("%1 has %2 fields").arg(key).arg(bound.value(key))));
    }
}

void TestProperties::showingNodesIsNotAnEdit()
{
    Window t;
    t.w.action(QStringLiteral("mnuInsertColumn"))->trigger();
    t.undo().clear(); // the insert is where this test starts
    QVERIFY(!t.w.document().prjChanged());
    const QStringList kinds = {QStringLiteral("frameFolderMain"), QStringLiteral("FramePageMain"),
                               QStringLiteral("frameColumn"), QStringLiteral("frameEOF")};
    QSet<QString> seen;
    for (int r = 0; r < t.w.treeModel().rowCount(); ++r) {
        t.w.treeView()->setCurrentIndex(t.w.treeModel().index(r, 0));
        seen.insert(t.w.propertyEditor().currentFrame());
    }
    QCOMPARE(seen, QSet<QString>(kinds.begin(), kinds.end()));
    QCOMPARE(t.undo().count(), 0);
    QVERIFY(!t.w.document().prjChanged());
}

void TestProperties::typingRenamesAndUndoes()
{
    Window t;
    t.select(QStringLiteral("n1"));
    auto *name = t.field<QLineEdit>(QStringLiteral("lnkNamePage"));
    QCOMPARE(name->text(), QStringLiteral("Home"));
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, QStringLiteral("X"));
    QCOMPARE(t.entry(QStringLiteral("n1")), QStringLiteral("HomeX"));
    QVERIFY(t.w.document().prjChanged());
    QTest::keyClicks(name, QStringLiteral("Y"));
    QCOMPARE(t.entry(QStringLiteral("n1")), QStringLiteral("HomeXY"));
    QCOMPARE(t.undo().count(), 1);
    t.undo().undo();
    QCOMPARE(t.entry(QStringLiteral("n1")), QStringLiteral("Home"));
    QCOMPARE(name->text(), QStringLiteral("Home"));
    QVERIFY(!t.w.document().prjChanged());
}

void TestProperties::pageTypeSwitchesSubFrame()
{
    Window t;
    t.select(QStringLiteral("n1"));
    NodePropertyEditor &ed = t.w.propertyEditor();
    QCOMPARE(ed.currentSubFrame(), QStringLiteral("frameURLOptions"));
    t.field<QRadioButton>(QStringLiteral("lnkOptTypePageJS"))->click();
    QCOMPARE(ed.currentSubFrame(), QStringLiteral("frameJSDesign"));
    t.field<QRadioButton>(QStringLiteral("lnkOptTypePageNormal"))->click();
    QCOMPARE(ed.currentSubFrame(), QStringLiteral("frameURLOptions"));
    QCOMPARE(t.node(QStringLiteral("n1"))->value(u"lnkOptTypePageJS").toBool(), false);
    QCOMPARE(t.undo().count(), 0); // there and back is no edit
    t.field<QRadioButton>(QStringLiteral("lnkOptTypePageJS"))->click();
    t.undo().undo();
    QCOMPARE(ed.currentSubFrame(), QStringLiteral("frameURLOptions"));
    QVERIFY(t.field<QRadioButton>(QStringLiteral("lnkOptTypePageNormal"))->isChecked());
    // A folder of the normal type shows neither sub-frame.
    t.select(QStringLiteral("n2"));
    QCOMPARE(ed.currentFrame(), QStringLiteral("frameFolderMain"));
    QCOMPARE(ed.currentSubFrame(), QString());
}

void TestProperties::clickIntoEmptyUrlChoosesUrlLink()
{
    Window t;
    t.select(QStringLiteral("n1"));
    auto *url = t.field<QLineEdit>(QStringLiteral("lnkURL"));
    t.clear(url);
    t.field<QRadioButton>(QStringLiteral("lnkOptURLNone"))->click();
    MenuNode *page = t.node(QStringLiteral("n1"));
    QVERIFY(page->value(u"lnkOptURLNone").toBool());
    QTest::mouseClick(url, Qt::LeftButton);
    QVERIFY(page->value(u"lnkOptURLPageURLNormal").toBool());
    QVERIFY(!page->value(u"lnkOptURLNone").toBool());
    QVERIFY(t.field<QRadioButton>(QStringLiteral("lnkOptURLPageURLNormal"))->isChecked());
}

void TestProperties::emptyingColumnWidth()
{
    Window t;
    t.select(QStringLiteral("n1"));
    t.w.action(QStringLiteral("mnuInsertColumn"))->trigger();
    const QString key = t.w.selectedKey();
    QCOMPARE(t.w.propertyEditor().currentFrame(), QStringLiteral("frameColumn"));
    auto *width = t.field<QLineEdit>(QStringLiteral("lnkColWidth"));
    t.clear(width);
    QTest::keyClicks(width, QStringLiteral("120"));
    QCOMPARE(t.entry(key), QStringLiteral("120"));
    QCOMPARE(t.node(key)->value(u"lnkChkColValue").toInt(), 1);
    QVERIFY(t.field<QCheckBox>(QStringLiteral("lnkChkColValue"))->isChecked());
    t.clear(width);
    QCOMPARE(t.entry(key), QString());
    QCOMPARE(t.node(key)->value(u"lnkChkColValue").toInt(), 0);
    QVERIFY(!t.field<QCheckBox>(QStringLiteral("lnkChkColValue"))->isChecked());
}

void TestProperties::spaceWarning_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("warned");
    QTest::newRow("space in the file name") << "/srv/quenwick-demo/web/img/a b.gif" << "/img/a b.gif" << true;
    QTest::newRow("space in a folder only") << "/srv/quenwick-demo/web/my img/ab.gif" << "/my img/ab.gif" << false;
    QTest::newRow("no space") << "/srv/quenwick-demo/web/img/ab.gif" << "/img/ab.gif" << false;
}

void TestProperties::spaceWarning()
{
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    QFETCH(bool, warned);
    Window t;
    t.prompt.replies << chosen;
    t.w.propertyEditor().fieldClicked(t.field<QLineEdit>(QStringLiteral("prjFilPLIMG")));
    QCOMPARE(t.w.document().options().text(u"prjFilPLIMG"), stored);
    QCOMPARE(t.field<QLineEdit>(QStringLiteral("prjFilPLIMG"))->text(), stored);
    QCOMPARE(t.prompt.messages().size(), warned ? 1 : 0);
    if (warned)
        QVERIFY(t.prompt.messages().first().contains(u"File name contains space"));
    // A cancelled dialog changes nothing.
    t.w.propertyEditor().fieldClicked(t.field<QLineEdit>(QStringLiteral("prjFilPLIMG")));
    QCOMPARE(t.w.document().options().text(u"prjFilPLIMG"), stored);
    QCOMPARE(t.undo().count(), 1);
}

void TestProperties::projectOptionHandlers()
{
    Window t;
    clsOptions &o = t.w.document().options();
    // The menu number comes and goes with its box, in one step.
    t.field<QCheckBox>(QStringLiteral("prjMultipleMenu"))->click();
    QCOMPARE(o.text(u"prjMultipleMenuNumber"), QStringLiteral("02"));
    QCOMPARE(t.field<QLineEdit>(QStringLiteral("prjMultipleMenuNumber"))->text(), QStringLiteral("02"));
    t.undo().undo();
    QCOMPARE(o.text(u"prjMultipleMenuNumber"), QString());
    QVERIFY(!t.w.document().prjChanged());
    // Automatic widths switch the width boxes off, and undo on again.
    t.field<QCheckBox>(QStringLiteral("prjAutomaticWidth"))->click();
    QVERIFY(!t.field(QStringLiteral("lnkChkColValue"))->isEnabled());
    t.undo().undo();
    QVERIFY(t.field(QStringLiteral("lnkChkColValue"))->isEnabled());
    // A pixel value that is no number is refused with a message.
    auto *indent = t.field<QComboBox>(QStringLiteral("prjLeftIndentMainFolder"));
    indent->lineEdit()->setFocus();
    indent->lineEdit()->selectAll();
    QTest::keyClicks(indent->lineEdit(), QStringLiteral("x"));
    QCOMPARE(t.prompt.messages(), QStringList{QStringLiteral("Illegal pixel value")});
    QCOMPARE(o.text(u"prjLeftIndentMainFolder"), QStringLiteral("9"));
    QTest::keyClick(indent->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(indent->lineEdit(), QStringLiteral("12"));
    QCOMPARE(o.text(u"prjLeftIndentMainFolder"), QStringLiteral("12"));
}

void TestProperties::replaceJavaScriptAsks()
{
    Window t;
    t.select(QStringLiteral("n1"));
    t.field<QRadioButton>(QStringLiteral("lnkOptTypePageJS"))->click();
    auto *samples = t.w.propertyEditor().findChild<QComboBox *>(QStringLiteral("cmbJS"));
    auto *js = t.field<QLineEdit>(QStringLiteral("lnkJS"));
    QVERIFY(js->text().isEmpty());
    QVERIFY(QMetaObject::invokeMethod(samples, "activated", Q_ARG(int, 3)));
    QCOMPARE(js->text(), javaScriptSamples()[3].code);
    QCOMPARE(t.prompt.questions().size(), 0); // an empty script is replaced without asking
    QVERIFY(QMetaObject::invokeMethod(samples, "activated", Q_ARG(int, 0))); // declined
    QCOMPARE(t.prompt.questions(), QStringList{QStringLiteral("Replace javascript?")});
    QCOMPARE(js->text(), javaScriptSamples()[3].code);
    QCOMPARE(t.node(QStringLiteral("n1"))->value(u"lnkJS").toString(), javaScriptSamples()[3].code);
}

void TestProperties::editsReachTheProjectFile_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed"); // empty: the box or button is clicked
    QTest::addColumn<QString>("line");  // expected in the saved project
    QTest::newRow("tree or drop-down") << "prjChkTreeMenus" << "" << "prjChkTreeMenus:0";
    QTest::newRow("class name") << "prjCNLinkBox" << "Nav" << "prjCNLinkBox:LinkBoxNav";
    QTest::newRow("image use") << "prjChkPLI" << "" << "prjChkPLI:1";
    QTest::newRow("automatic widths") << "prjAutomaticWidth" << "" << "prjAutomaticWidth:1";
    QTest::newRow("page url") << "lnkURL" << "?a" << "lnkURL:/index.html?a";
    QTest::newRow("page opens js") << "lnkOptTypePageJS" << "" << "lnkOptTypePageJS:True";
}

void TestProperties::editsReachTheProjectFile()
{
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    Window t;
    t.select(QStringLiteral("n1"));
    QWidget *f = t.field(key);
    QVERIFY(f);
    if (typed.isEmpty()) {
        qobject_cast<QAbstractButton *>(f)->click();
    } else {
        auto *e = qobject_cast<QLineEdit *>(f);
        e->setFocus();
        e->end(false);
        QTest::keyClicks(e, typed);
    }
    const QString text = ProjectFile::projectText(t.w.document().options(), t.w.document().tree().root());
    QVERIFY2(text.contains(line + QStringLiteral("\r\n")), qPrintable(line));
}

void TestProperties::positionMenuRefusedForDownwardMainMenus()
{
    Window t;
    auto *button = t.w.findChild<QPushButton *>(QStringLiteral("cmdMenuPosition"));
    QSignalSpy wanted(&t.w.propertyEditor(), &NodePropertyEditor::positionMenuWanted);
    t.select(QStringLiteral("n2"));
    button->click(); // main menus open sideways: allowed
    t.field<QCheckBox>(QStringLiteral("prjChkMainMenusDownward"))->click();
    button->click();
    QCOMPARE(t.prompt.messages().size(), 1);
    QVERIFY(t.prompt.messages().first().startsWith(u"To use this option for a main menu item"));
    t.w.treeView()->expand(t.w.treeModel().indexOfKey(QStringLiteral("n2")));
    t.select(QStringLiteral("n2n2"));
    button->click(); // a sub-folder is never refused
    QCOMPARE(wanted.count(), 2);
    QCOMPARE(t.prompt.messages().size(), 1);
}

void TestProperties::statusBarShowsFocusedField()
{
    Window t;
    t.select(QStringLiteral("n1"));
    QSignalSpy status(&t.w.propertyEditor(), &NodePropertyEditor::statusText);
    t.field(QStringLiteral("lnkURL"))->setFocus();
    t.field(QStringLiteral("lnkNamePage"))->setFocus();
    QCOMPARE(status.size(), 3);
    QCOMPARE(status.at(0).at(0).toString(), QStringLiteral("/index.html"));
    QCOMPARE(status.at(1).at(0).toString(), QString());
    QCOMPARE(status.at(2).at(0).toString(), QStringLiteral("Home"));
}

void TestProperties::resetClassNamesIsOneStep_data()
{
    QTest::addColumn<bool>("agreed");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestProperties::resetClassNamesIsOneStep()
{
    QFETCH(bool, agreed);
    Window t;
    clsOptions &o = t.w.document().options();
    const QStringList keys{QStringLiteral("prjCNLinkBox"), QStringLiteral("prjCNMenuTreeBox")};
    for (const QString &key : keys) {
        auto *e = t.field<QLineEdit>(key);
        e->setFocus();
        e->end(false);
        QTest::keyClicks(e, QStringLiteral("X"));
    }
    const int steps = t.undo().count();
    t.prompt.answers << (agreed ? Answer::Ok : Answer::Cancel);
    t.w.findChild<QPushButton *>(QStringLiteral("cmdSetCNDefaults"))->click();
    QCOMPARE(t.prompt.questions(),
             QStringList{QStringLiteral("This will reset ALL the class names to the default names.")});
    QCOMPARE(t.undo().count(), steps + (agreed ? 1 : 0));
    for (const QString &key : keys) {
        const QString expected = agreed ? key.mid(5) : key.mid(5) + QStringLiteral("X");
        QCOMPARE(o.text(key), expected);
        QCOMPARE(t.field<QLineEdit>(key)->text(), expected);
    }
    if (!agreed)
        return;
    // One undo gives back every name the author had typed.
    t.undo().undo();
    for (const QString &key : keys) {
        QCOMPARE(o.text(key), key.mid(5) + QStringLiteral("X"));
        QCOMPARE(t.field<QLineEdit>(key)->text(), key.mid(5) + QStringLiteral("X"));
    }
}

void TestProperties::editsChangeTheGeneratedScript_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed"); // empty: the box is clicked
    QTest::addColumn<QString>("added"); // in the script after the edit, not before
    QTest::newRow("tree or drop-down") << "prjChkTreeMenus" << "" << "qMF(\"e1d2\",\"dd\"";
    QTest::newRow("class name") << "prjCNLinkBox" << "Nav" << "LinkBoxNav";
    QTest::newRow("image use") << "prjChkPLI" << "" << "new Image()";
    QTest::newRow("automatic widths") << "prjAutomaticWidth" << "" << "\"Products\",\"\",\"80px\")";
}

// The edit made in a field, then the menu run as the "Run" menu runs it.
void TestProperties::editsChangeTheGeneratedScript()
{
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, added);
    QTemporaryDir dir;
    Window t;
    t.w.setRunWindowHook([](RunWindow &window) {
        QObject::connect(&window, &RunWindow::jobFinished, &window,
                         [&window] { QMetaObject::invokeMethod(&window, "accept", Qt::QueuedConnection); });
    });
    clsOptions &o = t.w.document().options();
    o.setControlValue(u"pgmChkSaveBeforeRun", 0); // the demo project stays as it is
    o.setControlValue(u"prjFilWebRoot", dir.path());
    o.setControlValue(u"prjFilJS", dir.filePath("qmenu.js"));
    o.setControlValue(u"prjFilCSS", dir.filePath("qmenu.css"));
    o.setControlValue(u"prjCSSinJS", 0);
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("docs"))); // a page of the demo lists it
    auto run = [&] {
        QFile::remove(dir.filePath("qmenu.js"));
        t.w.runJob(RunDriver::Job::Run);
        return QString::fromLatin1(test::readBytes(dir.filePath("qmenu.js")));
    };
    const QString before = run();
    QVERIFY2(!before.isEmpty(), qPrintable(t.w.lastLog()));

    QWidget *f = t.field(key);
    QVERIFY(f);
    if (typed.isEmpty()) {
        qobject_cast<QAbstractButton *>(f)->click();
    } else {
        auto *e = qobject_cast<QLineEdit *>(f);
        e->setFocus();
        e->end(false);
        QTest::keyClicks(e, typed);
    }
    const QString after = run();
    QVERIFY2(!after.isEmpty(), qPrintable(t.w.lastLog()));
    QVERIFY(!before.contains(added));
    QVERIFY2(after.contains(added), qPrintable(added));
}

QTEST_MAIN(TestProperties)
#include "tst_properties.moc"
