// The "Style Sheet" tab driven through its widgets, offscreen: values applied
// through the lists, the rule list following the editor, "Last Color", and
// the style sheet reloaded after another program changed it.

#include "app/externalcsseditor.h"
#include "app/mainwindow.h"
#include "app/optionbinding.h"
#include "app/stylesheettab.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace qwk;

namespace {

const QString kSheet = QStringLiteral(".a {\r\n\tbackground-color : white;\r\n\tmargin : 0px;\r\n}\r\n\r\n"
                                      ".b {\r\n\tcolor : red;\r\n\tcolor : blue;\r\n}\r\n\r\n.c {}\r\n");

struct Window {
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    MainWindow w{prompt, settings};
    QTemporaryDir dir;
    QString file;

    explicit Window(const QString &sheet = kSheet)
    {
        file = dir.filePath(QStringLiteral("menu.css"));
        test::writeBytes(file, sheet.toLatin1());
        w.document().options().setControlValue(u"prjFilCSS", file);
        w.document().css().loadCSSFile();
        w.resize(900, 600);
        w.show();
        for (int i = 0; i < w.tabs()->count(); ++i) {
            if (w.tabs()->tabText(i) == u"Style Sheet")
                w.tabs()->setCurrentIndex(i);
        }
        (void)QTest::qWaitForWindowExposed(&w);
    }
    StyleSheetTab &tab() { return w.styleSheetTab(); }
    QPlainTextEdit *editor() { return tab().editor(); }
    const QString &text() { return w.document().css().text(); }
    static void click(QListWidget *list, const QString &text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        list->scrollToItem(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    }
    // The rule with this selector as it stands in the text, up to its "}".
    QString rule(const QString &selector)
    {
        const qsizetype from = text().indexOf(selector + QStringLiteral(" {"));
        return from < 0 ? QString() : text().mid(from, text().indexOf(u'}', from) - from + 1);
    }
    // The editor shows the document's text, a CR LF as one line break.
    bool mirrored()
    {
        return editor()->toPlainText() == QString(text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
};

} // namespace

class TestStyleSheetTab : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void applyValue_data();
    void applyValue();
    void refreshKeepsCaretAndScroll();
    void ruleClickSelectsRule();
    void typingReachesTheSheet();
    void lastColour();
    void externalChange_data();
    void externalChange();
    void ownSaveIsNotReloaded();
    void keyboardReachesEveryControl();
    void externalEditorProgram_data();
    void externalEditorProgram();
};

void TestStyleSheetTab::applyValue_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("rule");
    QTest::newRow("placed in order") << ".a" << "color" << "red"
                                     << ".a {\r\n\tbackground-color : white;\r\n\tcolor : red;\r\n\tmargin : 0px;\r\n}";
    QTest::newRow("appended") << ".a" << "padding" << "0px 0px 0px 0px"
                              << ".a {\r\n\tbackground-color : white;\r\n\tmargin : 0px;\r\n\tpadding : 0px 0px 0px 0px;\r\n}";
    QTest::newRow("replaced") << ".a" << "margin" << "3px 4px 3px 4px"
                              << ".a {\r\n\tbackground-color : white;\r\n\tmargin : 3px 4px 3px 4px;\r\n}";
    QTest::newRow("delete removes both") << ".b" << "color" << "delete" << ".b {\r\n}";
    QTest::newRow("empty braces") << ".c" << "cursor" << "wait" << ".c {\r\n\tcursor : wait;\r\n}";
}

void TestStyleSheetTab::applyValue()
{
    QFETCH(QString, selector);
    QFETCH(QString, property);
    QFETCH(QString, value);
    QFETCH(QString, rule);
    Window t;
    t.click(t.tab().ruleList(), selector);
    t.click(t.tab().propertyList(), property);
    t.click(t.tab().valueList(), value);
    QCOMPARE(t.rule(selector), rule);
    QVERIFY(t.mirrored());
    QVERIFY(t.w.document().css().cssChanged());
    // The caret is left at the start of the rule's body, in the editor too.
    QCOMPARE(t.editor()->textCursor().position(),
             t.editor()->toPlainText().indexOf(selector + QStringLiteral(" {")) + selector.size() + 2);
    QVERIFY(t.editor()->hasFocus());
}

void TestStyleSheetTab::refreshKeepsCaretAndScroll()
{
    QString sheet;
    for (int i = 0; i < 400; ++i)
        sheet += QStringLiteral(".r%1 {\r\n\tcolor : red;\r\n}\r\n\r\n").arg(i);
    Window t(sheet);
    QPlainTextEdit *e = t.editor();
    // The caret in rule 200, in the middle of the view.
    QTextCursor c = e->textCursor();
    c.setPosition(e->toPlainText().indexOf(QStringLiteral(".r200 {")) + 10);
    e->setTextCursor(c);
    e->setFocus();
    e->centerCursor();
    const int scroll = e->verticalScrollBar()->value();
    const int caret = e->textCursor().position();
    QTest::keyClick(e, Qt::Key_X);
    QCOMPARE(e->textCursor().position(), caret + 1);
    QCOMPARE(e->verticalScrollBar()->value(), scroll);
    QCOMPARE(t.tab().ruleList()->currentItem()->text(), QStringLiteral(".r200"));
    QCOMPARE(t.tab().ruleList()->count(), 400);
    // A new rule typed at the end joins the list; the caret stays.
    c.movePosition(QTextCursor::End);
    e->setTextCursor(c);
    QTest::keyClicks(e, QStringLiteral(".new {"));
    QCOMPARE(t.tab().ruleList()->count(), 401);
    QCOMPARE(t.tab().ruleList()->item(400)->text(), QStringLiteral(".new"));
    QCOMPARE(e->textCursor().position(), e->toPlainText().size());
    QVERIFY(t.mirrored());
}

void TestStyleSheetTab::ruleClickSelectsRule()
{
    Window t;
    t.tab().propertyList()->setFocus();
    t.click(t.tab().ruleList(), QStringLiteral(".b"));
    QCOMPARE(t.editor()->textCursor().position(), t.editor()->toPlainText().indexOf(QStringLiteral(".b {")) + 4);
    QVERIFY(t.editor()->hasFocus());
    // Moving through the list by keyboard follows the rules and leaves the
    // focus in the list.
    t.tab().ruleList()->setFocus();
    QTest::keyClick(t.tab().ruleList(), Qt::Key_Down);
    QCOMPARE(t.editor()->textCursor().position(), t.editor()->toPlainText().indexOf(QStringLiteral(".c {")) + 4);
    QVERIFY(t.tab().ruleList()->hasFocus());
}

void TestStyleSheetTab::typingReachesTheSheet()
{
    Window t;
    QPlainTextEdit *e = t.editor();
    e->setFocus();
    QTextCursor c = e->textCursor();
    c.setPosition(e->toPlainText().indexOf(QStringLiteral("margin")));
    e->setTextCursor(c);
    // A new line gets the sheet's CR LF; a selection typed over is replaced.
    QTest::keyClicks(e, QStringLiteral("top : 0;"));
    QTest::keyClick(e, Qt::Key_Return);
    c = e->textCursor();
    c.setPosition(e->toPlainText().indexOf(QStringLiteral("white")));
    c.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
    QTest::keyClicks(e, QStringLiteral("navy"));
    QCOMPARE(t.rule(QStringLiteral(".a")),
             QStringLiteral(".a {\r\n\tbackground-color : navy;\r\n\ttop : 0;\r\nmargin : 0px;\r\n}"));
    QVERIFY(t.mirrored());
    QCOMPARE(t.w.document().css().document().caret(), t.text().indexOf(QStringLiteral("navy")) + 4);
    // The editor's own undo, not the tree's, and the sheet follows it.
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(t.rule(QStringLiteral(".a")).contains(QStringLiteral("background-color : white;")));
    QVERIFY(t.mirrored());
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(t.rule(QStringLiteral(".a")).contains(QStringLiteral("background-color : navy;")));
    // A click on a property's name in the editor chooses it in the list.
    c.setPosition(e->toPlainText().indexOf(QStringLiteral("margin")) + 2);
    QTest::mouseClick(e->viewport(), Qt::LeftButton, {}, e->cursorRect(c).center());
    QCOMPARE(t.tab().propertyList()->currentItem()->text(), QStringLiteral("margin"));
    QCOMPARE(t.tab().valueList()->item(0)->text(), QStringLiteral("0px 0px 0px 0px"));
}

void TestStyleSheetTab::lastColour()
{
    Window t;
    t.click(t.tab().ruleList(), QStringLiteral(".c"));
    t.click(t.tab().propertyList(), QStringLiteral("color"));
    t.prompt.replies = {QStringLiteral("#a0b1c2")};
    t.tab().lastColourButton()->click();
    QCOMPARE(t.tab().lastColourField()->text(), QStringLiteral("#A0B1C2"));
    QCOMPARE(t.tab().lastColourField()->palette().color(QPalette::Base), QColor(0xA0, 0xB1, 0xC2));
    QCOMPARE(t.rule(QStringLiteral(".c")), QStringLiteral(".c {\r\n\tcolor : #A0B1C2;\r\n}"));
    // "other..." asks again, starting from the last colour; a cancel changes nothing.
    t.prompt.replies = {std::nullopt};
    const QString before = t.text();
    t.click(t.tab().valueList(), QStringLiteral("other..."));
    QCOMPARE(t.prompt.asked.last().kind, QStringLiteral("pickColour"));
    QCOMPARE(t.prompt.asked.last().text, QStringLiteral("#A0B1C2"));
    QCOMPARE(t.text(), before);
    QCOMPARE(OptionBinder::keyOf(t.tab().lastColourField()), QStringLiteral("tmpColLast"));
}

void TestStyleSheetTab::externalChange_data()
{
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("reloaded");
    QTest::newRow("no changes here: loaded at once") << false << int(Answer::No) << true;
    QTest::newRow("changes here, Yes: loaded") << true << int(Answer::Yes) << true;
    QTest::newRow("changes here, No: kept") << true << int(Answer::No) << false;
}

void TestStyleSheetTab::externalChange()
{
    QFETCH(bool, unsaved);
    QFETCH(int, answer);
    QFETCH(bool, reloaded);
    Window t;
    QCOMPARE(t.tab().externalEditor().watchedFile(), QFileInfo(t.file).absoluteFilePath());
    if (unsaved) {
        t.editor()->setFocus();
        t.editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(t.editor(), QStringLiteral(".mine {}"));
    }
    const QString mine = t.text();
    t.prompt.answers = {Answer(answer)};
    // Another program saves as many editors do: a new file renamed over the old one.
    const QString other = QStringLiteral(".other {\r\n\tcolor : red;\r\n}\r\n");
    test::writeBytes(t.file + QStringLiteral(".tmp"), other.toLatin1());
    QFile::remove(t.file);
    QVERIFY(QFile::rename(t.file + QStringLiteral(".tmp"), t.file));
    QTRY_COMPARE_WITH_TIMEOUT(t.text() == other || !t.prompt.questions().isEmpty(), true, 5000);
    QTest::qWait(300);
    QCOMPARE(t.prompt.questions().size(), unsaved ? 1 : 0);
    QCOMPARE(t.text(), reloaded ? other : mine);
    QVERIFY(t.mirrored());
    QCOMPARE(t.w.document().css().cssChanged(), !reloaded);
    if (reloaded)
        QCOMPARE(t.tab().ruleList()->item(0)->text(), QStringLiteral(".other"));
    // The file is still watched after the rename: a second change arrives too.
    t.prompt.answers = {Answer::Yes};
    const QString again = QStringLiteral(".again {}\r\n");
    test::writeBytes(t.file, again.toLatin1());
    QTRY_COMPARE_WITH_TIMEOUT(t.text(), again, 5000);
}

void TestStyleSheetTab::ownSaveIsNotReloaded()
{
    Window t;
    t.editor()->setFocus();
    QTest::keyClicks(t.editor(), QStringLiteral("/* x */"));
    t.w.action(QStringLiteral("mnuCSSSave"))->trigger();
    QVERIFY(!t.w.document().css().cssChanged());
    // Typing goes on before the notice of the save arrives.
    QTest::keyClicks(t.editor(), QStringLiteral(" "));
    const QString typed = t.text();
    QTest::qWait(500);
    t.tab().externalEditor().checkNow();
    QVERIFY(t.prompt.questions().isEmpty());
    QCOMPARE(t.text(), typed);
}

void TestStyleSheetTab::keyboardReachesEveryControl()
{
    Window t;
    StyleSheetTab &tab = t.tab();
    t.editor()->setFocus();
    // Tab is a character in the editor; Ctrl+Tab leaves it.
    QTest::keyClick(t.editor(), Qt::Key_Tab);
    QVERIFY(t.editor()->hasFocus());
    QTest::keyClick(t.editor(), Qt::Key_Tab, Qt::ControlModifier);
    const QList<QWidget *> order{tab.ruleList(), tab.propertyList(), tab.valueList(), tab.lastColourButton(),
                                 tab.lastColourField(), tab.previewButton()};
    for (QWidget *w : order) {
        QCOMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(w, Qt::Key_Tab);
    }
    // Return in the value list applies the current value.
    t.click(tab.ruleList(), QStringLiteral(".c"));
    tab.valueList()->setFocus();
    tab.valueList()->setCurrentRow(tab.valueList()->count() > 2 ? 2 : 0);
    const QString value = tab.valueList()->currentItem()->text();
    QTest::keyClick(tab.valueList(), Qt::Key_Return);
    QCOMPARE(t.rule(QStringLiteral(".c")), QStringLiteral(".c {\r\n\t") + tab.propertyList()->currentItem()->text()
                                                + QStringLiteral(" : ") + value + QStringLiteral(";\r\n}"));
}

void TestStyleSheetTab::externalEditorProgram_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("started");
    QTest::newRow("the desktop's program") << true << "" << "";
    QTest::newRow("a chosen program") << true << "/opt/edit/bin/cssedit" << "/opt/edit/bin/cssedit";
    QTest::newRow("not saved yet") << false << "/opt/edit/bin/cssedit" << "none";
}

void TestStyleSheetTab::externalEditorProgram()
{
    QFETCH(bool, saved);
    QFETCH(QString, chosen);
    QFETCH(QString, started);
    Window t;
    if (!saved)
        t.w.document().css().newCSSFile(true);
    QString program = QStringLiteral("none");
    QString file;
    t.tab().externalEditor().setLauncher([&](const QString &p, const QString &f) {
        program = p;
        file = f;
        return true;
    });
    QAction *desktop = t.w.action(QStringLiteral("mnuCSSDesktopEditor"));
    if (!chosen.isEmpty()) {
        t.prompt.replies = {chosen};
        t.w.action(QStringLiteral("mnuCSSChooseExternalEditor"))->trigger();
        QVERIFY(desktop->isEnabled());
    }
    t.w.action(QStringLiteral("mnuCSSExternalEditor"))->trigger();
    QCOMPARE(program, started);
    QCOMPARE(file, saved ? t.file : QString());
    QCOMPARE(t.prompt.messages(),
             saved ? QStringList() : QStringList{"First save your CSS style sheet, and then retry this command"});
    // The choice is kept for the next start, and can be given up.
    MainWindow next(t.prompt, t.settings);
    QCOMPARE(next.styleSheetTab().externalEditor().program(), chosen);
    desktop->trigger();
    QVERIFY(!desktop->isEnabled());
    QCOMPARE(t.tab().externalEditor().program(), QString());
}

QTEST_MAIN(TestStyleSheetTab)
#include "tst_stylesheettab.moc"
