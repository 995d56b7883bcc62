// The dialogs, offscreen: values in and out of each dialog, the checks that
// keep one open, and what O.K. and Cancel do to the page or the project when
// the designer opens them (one undo step, or nothing).

#include "app/mainwindow.h"
#include "app/menutreemodel.h"
#include "app/optionbinding.h"
#include "app/propertyeditor.h"
#include "dialogs/advancedlinkdialog.h"
#include "dialogs/advancedprojectdialog.h"
#include "dialogs/foldersectiondialog.h"
#include "dialogs/menupositiondialog.h"
#include "dialogs/multilingualdialog.h"
#include "dialogs/pageoptionsdialog.h"
#include "dialogs/portalsectiondialog.h"
#include "dialogs/shopsectiondialog.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"
#include "tree/nodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUndoStack>
#include <QtTest>

using namespace qwk;

namespace {

const QString kDemo = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");

template <typename T = QWidget>
T *child(QWidget &parent, const char *name)
{
    T *w = parent.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

void click(QWidget &parent, const char *name)
{
    child<QAbstractButton>(parent, name)->click();
}

// The designer on the demo project; each dialog it opens is handed to answer.
struct Designer {
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    MainWindow w{prompt, settings};
    std::function<void(QDialog &)> answer = [](QDialog &d) { d.reject(); };
    QStringList opened;

    Designer()
    {
        w.propertyEditor().setDialogRunner([this](QDialog &d) {
            opened << d.objectName();
            answer(d);
        });
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
        w.openProject(kDemo);
        prompt.asked.clear();
    }
    MenuNode *select(const QString &key)
    {
        w.selectTreeNode(key);
        return MenuTreeModel::nodeOf(w.treeModel().indexOfKey(key));
    }
    QUndoStack &undo() { return w.document().undoStack(); }
    QWidget *field(const char *key) { return w.optionBinder().field(QString::fromLatin1(key)); }
};

QVariantMap values(const MenuNode &node, const QStringList &keys)
{
    QVariantMap m;
    for (const QString &k : keys)
        m.insert(k, node.value(k));
    return m;
}

const QStringList kSectionKeys = {
    QStringLiteral("lnkOptURLDNN"),           QStringLiteral("lnkOptURLHarddisk"),
    QStringLiteral("lnkOptURLCSK"),           QStringLiteral("lnkHarddiskDirPage"),
    QStringLiteral("lnkHarddiskIncludePage"), QStringLiteral("lnkHarddiskExcludePage"),
    QStringLiteral("lnkHarddiskOptionsPage"), QStringLiteral("lnkDNNTabID"),
    QStringLiteral("lnkChkPageDnnHeaderTemplate"), QStringLiteral("lnkCSKSku"),
    QStringLiteral("lnkCSKOptionChoice")};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readingOrder_data();
    void readingOrder();
    void folderDialogValues();
    void portalTabIdRefused_data();
    void portalTabIdRefused();
    void portalDoubleQuote();
    void shopDialogValues();
    void positionDialog();
    void pageOptionsHelpAndExclusion();
    void sectionThroughDesigner_data();
    void sectionThroughDesigner();
    void sectionCancelled_data();
    void sectionCancelled();
    void positionThroughDesigner();
    void pageOptionsThroughDesigner();
    void multiLingual_data();
    void multiLingual();
    void advancedProjectOptions();
};

void TestDialogs::readingOrder_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n : {"frmHarddiskDirectory", "frmDNNDirectory", "frmCSKDirectory", "frmPageOptions",
                          "frmAdvancedLinkOptions", "frmAdvancedStandardOptions", "frmMenuPosition", "frmMultiLingual"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

// Tab goes through the fields as they are read, left to right and top to
// bottom, and Return is O.K.
void TestDialogs::readingOrder()
{
    QFETCH(QString, name);
    test::ScriptedPrompt prompt;
    std::unique_ptr<QDialog> d;
    if (name == u"frmHarddiskDirectory")
        d = std::make_unique<FolderSectionDialog>(QDir::tempPath());
    else if (name == u"frmDNNDirectory")
        d = std::make_unique<PortalSectionDialog>(prompt, QString());
    else if (name == u"frmCSKDirectory")
        d = std::make_unique<ShopSectionDialog>(prompt);
    else if (name == u"frmPageOptions")
        d = std::make_unique<PageOptionsDialog>();
    else if (name == u"frmAdvancedLinkOptions")
        d = std::make_unique<AdvancedLinkOptionsDialog>();
    else if (name == u"frmAdvancedStandardOptions")
        d = std::make_unique<AdvancedProjectOptionsDialog>();
    else if (name == u"frmMenuPosition")
        d = std::make_unique<MenuPositionDialog>(prompt);
    else
        d = std::make_unique<MultiLingualDialog>(prompt);
    QCOMPARE(d->objectName(), name);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    QVERIFY(child<QPushButton>(*d, "cmdExit")->isDefault());
    QRect previous;
    QStringList order;
    for (QWidget *w = d->nextInFocusChain(); w != d.get(); w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || w->focusProxy())
            continue;
        const QRect r(w->mapTo(d.get(), QPoint(0, 0)), w->size());
        order << w->objectName();
        if (previous.isValid()) {
            // The next field starts a line further down, or stands to the right on the same line.
            const bool sameLine = r.top() < previous.bottom() && r.bottom() > previous.top();
            QVERIFY2(sameLine ? r.left() >= previous.right() : r.top() >= previous.bottom(),
                     qPrintable(order.join(u", ")));
        }
        previous = r;
    }
    QVERIFY(order.size() >= 3);
}

void TestDialogs::folderDialogValues()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("docs")));
    FolderSectionDialog d(root.path());
    d.setValue({QString(), QStringLiteral(".htm||.html||"), QString(), QStringLiteral("r||str||sub||ext||")});
    // No folder yet: the web root; the stored lists and boxes as they were.
    QCOMPARE(child<QLineEdit>(d, "txtFolder")->text(), QDir::toNativeSeparators(root.path()));
    QCOMPARE(child<QPlainTextEdit>(d, "txtInclude")->toPlainText(), QStringLiteral(".htm\n.html"));
    QStringList ticked;
    for (QCheckBox *c : d.findChildren<QCheckBox *>())
        if (c->isChecked())
            ticked << c->objectName();
    ticked.sort();
    QCOMPARE(ticked, QStringList({"chkExt", "chkStr", "chkSub"}));
    click(d, "chkExternalWindow");
    click(d, "chkDash");
    child<QLineEdit>(d, "txtFolder")->setText(root.filePath(QStringLiteral("docs")));
    click(d, "cmdExit");
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(d.value());
    QCOMPARE(d.value()->folder, root.filePath(QStringLiteral("docs")));
    QCOMPARE(d.value()->include, QStringLiteral(".htm||.html||"));
    QCOMPARE(d.value()->exclude, QStringLiteral("||"));
    QCOMPARE(d.value()->options, QStringLiteral("e||str||sub||ext||dash||"));

    // Reopened on its own folder, the tree shows it; Cancel gives nothing.
    d.setValue(*d.value());
    QCOMPARE(child<QLineEdit>(d, "txtFolder")->text(), QDir::toNativeSeparators(root.filePath("docs")));
    QCOMPARE(child<QPlainTextEdit>(d, "txtExclude")->toPlainText(), QString());
    click(d, "cmdCancel");
    QVERIFY(!d.value());

    // A site address is kept as typed; the tree opens at the start folder.
    FolderSectionDialog site(root.filePath(QStringLiteral("docs")));
    site.setValue({QStringLiteral("/docs"), QStringLiteral("||"), QString(), QString()});
    QCOMPARE(child<QLineEdit>(site, "txtFolder")->text(), QDir::toNativeSeparators(QStringLiteral("/docs")));
    auto *tree = child<QTreeView>(site, "dirBox");
    QCOMPARE(static_cast<QFileSystemModel *>(tree->model())->filePath(tree->currentIndex()),
             root.filePath(QStringLiteral("docs")));
    QCOMPARE(child<QPlainTextEdit>(site, "txtInclude")->toPlainText(), QString());
    click(site, "cmdExit");
    QCOMPARE(site.value()->folder, QStringLiteral("/docs"));
    QCOMPARE(site.value()->include, QStringLiteral("||"));
}

void TestDialogs::portalTabIdRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("fraction") << "12.5" << "The tabID of the folder to insert must be an integer";
    QTest::newRow("letters") << "abc" << "The tabID of the folder to insert must be an integer";
    QTest::newRow("empty") << "" << "You must give the TabID of the folder to add.";
}

void TestDialogs::portalTabIdRefused()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    test::ScriptedPrompt prompt;
    PortalSectionDialog d(prompt, QStringLiteral("No link -- insert HTML code file:"));
    d.setValue({QStringLiteral("0"), QStringLiteral("i||ih||"), QStringLiteral("<b>[FOLDERNAME]</b>")});
    QVERIFY(child<QRadioButton>(d, "optDnnTab0")->isChecked());
    child<QRadioButton>(d, "optDnnTab1")->click();
    child<QLineEdit>(d, "txtTabID")->setText(typed);
    click(d, "cmdExit");
    QCOMPARE(prompt.messages(), QStringList{message});
    QVERIFY(!d.value());
    QCOMPARE(d.result(), int(QDialog::Rejected)); // still open, nothing decided
    // A whole number is taken; typing it chooses "siblings of" by itself.
    child<QRadioButton>(d, "optDnnTab2")->click();
    child<QLineEdit>(d, "txtTabID")->clear();
    QTest::keyClicks(child<QLineEdit>(d, "txtTabID"), QStringLiteral("57"));
    QVERIFY(child<QRadioButton>(d, "optDnnTab1")->isChecked());
    click(d, "cmdExit");
    QVERIFY(d.value());
    QCOMPARE(d.value()->tabId, QStringLiteral("57"));
    QCOMPARE(d.value()->options, QStringLiteral("i||ih||"));
}

void TestDialogs::portalDoubleQuote()
{
    test::ScriptedPrompt prompt;
    PortalSectionDialog d(prompt, QString());
    d.setValue({QStringLiteral("-1"), QString(), QStringLiteral("<b class=\"h\">[FOLDERNAME]</b>")});
    QVERIFY(child<QRadioButton>(d, "optDnnTab2")->isChecked());
    prompt.answers = {Answer::Cancel};
    click(d, "cmdExit");
    QCOMPARE(prompt.questions().size(), 1);
    QVERIFY(!d.value());
    prompt.answers = {Answer::Ok};
    click(d, "cmdExit");
    QVERIFY(d.value());
    QCOMPARE(d.value()->tabId, QStringLiteral("-1"));
    QCOMPARE(d.value()->headerTemplate, QStringLiteral("<b class='h'>[FOLDERNAME]</b>"));
}

void TestDialogs::shopDialogValues()
{
    test::ScriptedPrompt prompt;
    ShopSectionDialog d(prompt);
    d.setValue({QStringLiteral("B-12"), QStringLiteral("optCSKAudienceType")});
    QVERIFY(child<QCheckBox>(d, "chkSku")->isChecked());
    QVERIFY(child<QRadioButton>(d, "optCSKAudienceType")->isChecked());
    click(d, "chkSku"); // unticked: the number is not stored
    click(d, "optCSKChinesePublishers");
    click(d, "cmdExit");
    QVERIFY(d.value());
    QCOMPARE(d.value()->sku, QString());
    QCOMPARE(d.value()->choice, QStringLiteral("optCSKChinesePublishers"));
}

void TestDialogs::positionDialog()
{
    test::ScriptedPrompt prompt;
    MenuPositionDialog d(prompt);
    d.setPosition(QStringLiteral("le.30"));
    QVERIFY(!child<QCheckBox>(d, "chkOpenTop")->isChecked());
    QVERIFY(child<QCheckBox>(d, "chkShiftLeft")->isChecked());
    auto *shift = child<QComboBox>(d, "cmbShiftDropDown");
    QCOMPARE(shift->currentText(), QStringLiteral("30"));
    QCOMPARE(shift->count(), 11);
    // Typing something that is no number says so; the dialog stays usable.
    shift->lineEdit()->clear();
    QTest::keyClicks(shift->lineEdit(), QStringLiteral("5x"));
    QCOMPARE(prompt.messages(), QStringList{QStringLiteral("The value must be a integer between 0 and 100")});
    shift->setEditText(QStringLiteral("5"));
    click(d, "chkOpenTop");
    click(d, "cmdExit");
    QCOMPARE(d.position(), QStringLiteral("tole.05"));
    d.setPosition(QStringLiteral("tole.05"));
    click(d, "chkOpenTop");
    click(d, "cmdCancel");
    QCOMPARE(d.position(), QStringLiteral("CANCEL"));
    // Escape is Cancel too.
    d.setPosition(QString());
    d.show();
    QTest::keyClick(&d, Qt::Key_Escape);
    QCOMPARE(d.position(), QStringLiteral("CANCEL"));
}

void TestDialogs::pageOptionsHelpAndExclusion()
{
    PageOptionsDialog d;
    d.setValue({{QStringLiteral("lnkChkPageNameIsFunction"), 1}, {QStringLiteral("lnkChkNewWindow"), 1}});
    auto *help = child<QPlainTextEdit>(d, "txtHelp");
    QVERIFY(help->toPlainText().isEmpty()); // loading shows no help
    click(d, "chkNoPageImage");
    QVERIFY(help->toPlainText().startsWith(u"This will hide the page image"));
    click(d, "chkNewWindow"); // unticking leaves the help as it was
    QVERIFY(help->toPlainText().startsWith(u"This will hide the page image"));
    click(d, "chkPageNameIsHiddenJavascript");
    QVERIFY(!child<QCheckBox>(d, "chkPageNameIsJavascriptFunction")->isChecked());
    click(d, "cmdExit");
    QVERIFY(d.value());
    QCOMPARE(d.value()->value(QStringLiteral("lnkChkPageNameIsHiddenJavascript")).toInt(), 1);
    QCOMPARE(d.value()->value(QStringLiteral("lnkChkPageNameIsFunction")).toInt(), 0);
    QCOMPARE(d.value()->value(QStringLiteral("lnkChkNewWindow")).toInt(), 0);
}

void TestDialogs::sectionThroughDesigner_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "lnkOptURLHarddisk";
    QTest::newRow("portal") << "lnkOptURLDNN";
    QTest::newRow("shop") << "lnkOptURLCSK";
}

// "Advanced Options" of a page, a kind of section and its dialog's O.K.: the
// kind and the values arrive together, as one undo step.
void TestDialogs::sectionThroughDesigner()
{
    QFETCH(QString, kind);
    Designer t;
    MenuNode *page = t.select(QStringLiteral("n1"));
    const QVariantMap before = values(*page, kSectionKeys);
    QTemporaryDir root;
    t.answer = [&](QDialog &d) {
        if (d.objectName() == u"frmAdvancedLinkOptions")
            d.findChild<QRadioButton *>(kind)->click();
        else if (d.objectName() == u"frmHarddiskDirectory")
            child<QLineEdit>(d, "txtFolder")->setText(root.path());
        else if (d.objectName() == u"frmDNNDirectory")
            child<QRadioButton>(d, "optDnnTab2")->click();
        else if (d.objectName() == u"frmCSKDirectory")
            click(d, "optCSKAuthorType");
        click(d, "cmdExit");
    };
    static_cast<QRadioButton *>(t.field("lnkOptAdvanced"))->click();
    QCOMPARE(t.opened.size(), 2);
    QCOMPARE(t.opened.first(), QStringLiteral("frmAdvancedLinkOptions"));
    QVERIFY(page->value(kind).toBool());
    QVERIFY(page->value(QStringLiteral("lnkOptAdvanced")).toBool());
    if (kind == u"lnkOptURLHarddisk") {
        QCOMPARE(page->value(QStringLiteral("lnkHarddiskDirPage")).toString(), root.path());
        QCOMPARE(page->value(QStringLiteral("lnkHarddiskOptionsPage")).toString(), QStringLiteral("i||str||sub||ext||"));
    } else if (kind == u"lnkOptURLDNN") {
        QCOMPARE(page->value(QStringLiteral("lnkDNNTabID")).toString(), QStringLiteral("-1"));
    } else {
        QCOMPARE(page->value(QStringLiteral("lnkCSKOptionChoice")).toString(), QStringLiteral("optCSKAuthorType"));
    }
    // One undo takes the whole dialog back; the link choice itself stays.
    t.undo().undo();
    QVERIFY(page->value(QStringLiteral("lnkOptAdvanced")).toBool());
    QCOMPARE(values(*page, kSectionKeys), before);
}

void TestDialogs::sectionCancelled_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("cancelFirst"); // Cancel in the first dialog, or in the section's
    QTest::newRow("advanced options") << "lnkOptURLHarddisk" << true;
    QTest::newRow("folder") << "lnkOptURLHarddisk" << false;
    QTest::newRow("portal") << "lnkOptURLDNN" << false;
    QTest::newRow("shop") << "lnkOptURLCSK" << false;
}

void TestDialogs::sectionCancelled()
{
    QFETCH(QString, kind);
    QFETCH(bool, cancelFirst);
    Designer t;
    MenuNode *page = t.select(QStringLiteral("n1"));
    static_cast<QRadioButton *>(t.field("lnkOptAdvanced"))->click(); // closed at once
    const QVariantMap before = values(*page, kSectionKeys);
    const int steps = t.undo().count();
    t.answer = [&](QDialog &d) {
        if (d.objectName() == u"frmAdvancedLinkOptions" && !cancelFirst) {
            d.findChild<QRadioButton *>(kind)->click();
            click(d, "cmdExit");
            return;
        }
        for (QCheckBox *c : d.findChildren<QCheckBox *>())
            c->click(); // changed, then cancelled
        click(d, "cmdCancel");
    };
    static_cast<QRadioButton *>(t.field("lnkOptAdvanced"))->click();
    QCOMPARE(t.opened.size(), cancelFirst ? 2 : 3);
    QCOMPARE(values(*page, kSectionKeys), before);
    QCOMPARE(t.undo().count(), steps);
}

void TestDialogs::positionThroughDesigner()
{
    Designer t;
    MenuNode *folder = t.select(QStringLiteral("n2"));
    const QString before = folder->value(QStringLiteral("lnkMenuPosition")).toString();
    const int steps = t.undo().count();
    t.answer = [](QDialog &d) {
        click(d, "chkOpenTop");
        click(d, "chkShiftLeft");
        click(d, "cmdCancel");
    };
    click(t.w, "cmdMenuPosition");
    QCOMPARE(folder->value(QStringLiteral("lnkMenuPosition")).toString(), before);
    QCOMPARE(t.undo().count(), steps);
    t.answer = [](QDialog &d) {
        d.findChild<QCheckBox *>(QStringLiteral("chkOpenTop"))->setChecked(true);
        d.findChild<QCheckBox *>(QStringLiteral("chkShiftLeft"))->setChecked(true);
        d.findChild<QComboBox *>()->setEditText(QStringLiteral("100"));
        click(d, "cmdExit");
    };
    click(t.w, "cmdMenuPosition");
    QCOMPARE(folder->value(QStringLiteral("lnkMenuPosition")).toString(), QStringLiteral("tole"));
    QCOMPARE(t.undo().count(), steps + 1);
    t.undo().undo();
    QCOMPARE(folder->value(QStringLiteral("lnkMenuPosition")).toString(), before);
}

void TestDialogs::pageOptionsThroughDesigner()
{
    Designer t;
    MenuNode *page = t.select(QStringLiteral("n1"));
    const int steps = t.undo().count();
    t.answer = [](QDialog &d) {
        click(d, "chkNewWindow");
        click(d, "chkNoPageImage");
        d.reject(); // closing the window changes nothing
    };
    click(t.w, "cmdOptions");
    QCOMPARE(t.undo().count(), steps);
    QCOMPARE(page->value(QStringLiteral("lnkChkNewWindow")).toInt(), 0);
    t.answer = [](QDialog &d) {
        click(d, "chkNewWindow");
        click(d, "cmdExit");
    };
    click(t.w, "cmdOptions");
    QCOMPARE(page->value(QStringLiteral("lnkChkNewWindow")).toInt(), 1);
    QCOMPARE(t.undo().count(), steps + 1);
    QVERIFY(t.field("lnkChkNewWindow")->isVisible());
    QVERIFY(!t.field("lnkChkNoPageImage")->isVisible());
}

void TestDialogs::multiLingual_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("languages");
    QTest::addColumn<int>("ticked");
    QTest::newRow("closed without entries") << false << "" << "" << 0;
    QTest::newRow("closed after typing") << false << "lang" << "en-US;;fr" << 0;
    QTest::newRow("both given") << true << "lang" << "en-US;;fr" << 1;
    QTest::newRow("variable empty") << true << "" << "en-US;;fr" << 0;
}

void TestDialogs::multiLingual()
{
    QFETCH(bool, ok);
    QFETCH(QString, variable);
    QFETCH(QString, languages);
    QFETCH(int, ticked);
    Designer t;
    clsOptions &options = t.w.document().options();
    const int steps = t.undo().count();
    t.answer = [&](QDialog &d) {
        child<QLineEdit>(d, "txtLanguageVariable")->setText(variable);
        child<QLineEdit>(d, "txtLanguages")->setText(languages);
        QVERIFY(!child<QLineEdit>(d, "txtResourceFile")->isVisibleTo(&d));
        click(d, "chkGlobalResource");
        QVERIFY(child<QLineEdit>(d, "txtResourceFile")->isVisibleTo(&d));
        child<QLineEdit>(d, "txtResourceFile")->setText(QStringLiteral("Menu"));
        if (ok)
            click(d, "cmdExit");
        else
            d.reject();
    };
    auto *box = static_cast<QCheckBox *>(t.field("prjChkMultiLingual"));
    box->click();
    QCOMPARE(t.opened, QStringList{QStringLiteral("frmMultiLingual")});
    QCOMPARE(options.controlValue(u"prjChkMultiLingual").toInt(), ticked);
    QCOMPARE(box->isChecked(), ticked == 1);
    QCOMPARE(options.text(u"prjLanguages"), ok ? languages : QString());
    QCOMPARE(options.text(u"prjResourceFile"), ok ? QStringLiteral("Menu") : QString());
    QCOMPARE(t.undo().count(), steps + (ok ? 1 : 0));
    // Unticking asks nothing.
    if (ticked) {
        box->click();
        QCOMPARE(t.opened.size(), 1);
        QCOMPARE(options.controlValue(u"prjChkMultiLingual").toInt(), 0);
        t.undo().undo();
    }
    if (ok) {
        t.undo().undo();
        QCOMPARE(options.controlValue(u"prjChkMultiLingual").toInt(), 0);
        QCOMPARE(options.text(u"prjLanguages"), QString());
    }
}

void TestDialogs::advancedProjectOptions()
{
    Designer t;
    clsOptions &options = t.w.document().options();
    const int steps = t.undo().count();
    t.answer = [](QDialog &d) { click(d, "cmdExit"); };
    click(t.w, "cmdAdvancedOptions"); // O.K. without edits: nothing changes
    QCOMPARE(t.undo().count(), steps);
    t.answer = [](QDialog &d) {
        child<QPlainTextEdit>(d, "TextTransformURL")->setPlainText(QStringLiteral("return url;"));
        click(d, "chkAllowLineBreaks");
        click(d, "cmdExit");
    };
    const int breaks = options.controlValue(u"prjChkAllowLineBreaks").toInt();
    click(t.w, "cmdAdvancedOptions");
    QCOMPARE(options.text(u"prjTransformURL"), QStringLiteral("return url;"));
    QCOMPARE(options.controlValue(u"prjChkAllowLineBreaks").toInt(), 1 - breaks);
    QCOMPARE(t.undo().count(), steps + 1);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
