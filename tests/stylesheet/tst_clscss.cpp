// The style sheet object: vocabulary, default sheets, class names, the file
// operations with their questions, the rule list and point-and-click editing.

#include "options/options.h"
#include "options/settingsstore.h"
#include "stylesheet/clscss.h"
#include "stylesheet/cssrules.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace qwk;
using qwk::test::ScriptedPrompt;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The drop-down sheet with the default names, written out from the rule
// table by hand.
QString expectedDropDownSheet(bool mouseOverHover)
{
    const char *linkHover = mouseOverHover ? "a.LinkLineMouseOver:hover" : "a.LinkLine:hover";
    const char *mainHover = mouseOverHover ? "a.MainFolderLineMouseOver:hover" : "a.MainFolderLine:hover";
    const QString box = QStringLiteral("\tbackground-color : white;\r\n\tborder : 1px navy solid;\r\n"
                                       "\tcolor : navy;\r\n\tmargin : 0px 0px 0px 0px;\r\n"
                                       "\tpadding : 3px 15px 3px 15px;\r\n");
    const QString navy = QStringLiteral("\tcolor : navy;\r\n\ttext-decoration : none;\r\n");
    const QString redLine = QStringLiteral("\tcolor : red;\r\n\ttext-decoration : none;\r\n");
    const QString blue = QStringLiteral("\tcolor : blue;\r\n");
    const QString red = QStringLiteral("\tcolor : red;\r\n");
    QString s;
    auto rule = [&](const char *sel, const QString &body) {
        s += QString::fromLatin1(sel) + QStringLiteral(" {\r\n") + body + QStringLiteral("}\r\n\r\n");
    };
    rule(".MenuTreeBox", {});
    rule(".MainFolderBox", box);
    rule(".MainFolderPage", {});
    rule(".MainFolderLine", navy);
    rule(".MainFolderLineMouseOver", redLine);
    rule(".SubFolderBox", box);
    rule(".SubFolderPage", {});
    rule(".SubFolderLine", navy);
    rule(".SubFolderLineMouseOver", redLine);
    rule(".LinkBox", box);
    rule(".LinkPage", {});
    rule(".LinkLine", blue);
    rule(".LinkLineMouseOver", red);
    rule("a.LinkLine", blue);
    rule("a.LinkLine:visited", blue);
    rule(linkHover, red);
    rule("a.MainFolderLineMouseOver", redLine);
    rule("a.MainFolderLine:visited", blue);
    rule(mainHover, red);
    return s;
}

} // namespace

class TestClsCss : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void vocabulary();
    void defaultDropDownSheet();
    void defaultTreeSheet();
    void mouseOverHoverSelectors_data();
    void mouseOverHoverSelectors();
    void renamedClassInNewSheet();
    void resetClassNames_data();
    void resetClassNames();
    void askToSave_data();
    void askToSave();
    void newSheetKeepsTextWhenSaveFails();
    void scriptFileName_data();
    void scriptFileName();
    void loadMissingOrEmpty_data();
    void loadMissingOrEmpty();
    void loadAndSaveKeepEncoding_data();
    void loadAndSaveKeepEncoding();
    void saveFailureKeepsState();
    void saveAsDialog();
    void openDialog();
    void openCancelledKeepsText();
    void newSheetCommands_data();
    void newSheetCommands();
    void locationFields_data();
    void locationFields();
    void externalEditor();
    void cssChangedFollowsEdits();
    void ruleListUpdatesInPlace();
    void chooseClassSelectsRule();
    void applyValues();
    void applyToMissingRule();
    void otherColour_data();
    void otherColour();
    void editorClickChoosesProperty();

private:
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<MemorySettingsStore> m_settings;
    std::unique_ptr<clsOptions> m_options;
    std::unique_ptr<clsCSS> m_css;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestClsCss::init()
{
    m_prompt = std::make_unique<ScriptedPrompt>();
    m_settings = std::make_unique<MemorySettingsStore>();
    m_options = std::make_unique<clsOptions>(m_prompt.get(), m_settings.get());
    m_options->loadNewPrjDefaults();
    m_css = std::make_unique<clsCSS>(m_options.get());
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestClsCss::cleanup()
{
    m_css.reset();
    m_options.reset();
}

void TestClsCss::vocabulary()
{
    const QStringList &names = clsCSS::cssProperties();
    const auto &values = clsCSS::cssPropertyValues();
    QCOMPARE(names.size(), 30);
    QCOMPARE(values.size(), 30);
    QCOMPARE(names.first(), QStringLiteral("background-color"));
    QCOMPARE(names.last(), QStringLiteral("white-space"));
    // Every list lets the author remove the property, except white-space.
    for (int i = 0; i < 29; ++i)
        QVERIFY2(values[i].last() == u"delete", qPrintable(names[i]));
    QCOMPARE(values[29], (QStringList { "normal", "nowrap", "pre" }));
    // The colour properties share the colour list, recognised by "aqua".
    for (const char *p : { "background-color", "color", "border-color" }) {
        const QStringList &v = values[names.indexOf(QString::fromLatin1(p))];
        QCOMPARE(v.first(), QStringLiteral("aqua"));
        QCOMPARE(v.size(), 19);
        QCOMPARE(v[17], QStringLiteral("other..."));
    }
    const QStringList &margin = values[names.indexOf(u"margin-top")];
    const QStringList &padding = values[names.indexOf(u"padding-top")];
    QCOMPARE(margin.size(), padding.size());
    QVERIFY(margin.contains(u"3ex") && !margin.contains(u"2ex"));
    QVERIFY(padding.contains(u"2ex") && !padding.contains(u"3ex"));
    QCOMPARE(values[names.indexOf(u"border")].size(), 23);
}

void TestClsCss::defaultDropDownSheet()
{
    m_options->setControlValue(u"prjChkMOMO", 0);
    m_options->setControlValue(u"prjFilCSS", QStringLiteral("/old/menu.css"));
    QSignalSpy changed(m_css.get(), &clsCSS::cssChangedChanged);
    QVERIFY(m_css->newCSSFile(true));
    QCOMPARE(m_css->text(), expectedDropDownSheet(false));
    QCOMPARE(m_options->text(u"prjFilCSS"), QString());
    QVERIFY(!m_css->cssChanged());
    QCOMPARE(m_css->classList().size(), 19);
    QCOMPARE(m_css->classList().first(), QStringLiteral(".MenuTreeBox"));
    QVERIFY(m_prompt->asked.isEmpty()); // nothing had changed: no question
}

void TestClsCss::defaultTreeSheet()
{
    m_options->setControlValue(u"prjChkMOMO", 0);
    QVERIFY(m_css->newCSSFile(false));
    const QString text = m_css->text();
    for (const char *box : { ".MainFolderBox", ".SubFolderBox", ".LinkBox" }) {
        const QString rule = QString::fromLatin1(box)
            + QStringLiteral(" {\r\n\tbackground-color : white;\r\n"
                             "\tcolor : navy;\r\n}\r\n\r\n");
        QVERIFY2(text.contains(rule), box);
    }
    QVERIFY(!text.contains(u"border"));
    QVERIFY(!text.contains(u"padding"));
    QVERIFY(text.endsWith(QStringLiteral("a.MainFolderLine:hover {\r\n\tcolor : red;\r\n}\r\n\r\n")));
}

void TestClsCss::mouseOverHoverSelectors_data()
{
    QTest::addColumn<int>("momo");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("main");
    QTest::newRow("new project default") << -1 << "a.LinkLineMouseOver:hover"
                                         << "a.MainFolderLineMouseOver:hover";
    QTest::newRow("off") << 0 << "a.LinkLine:hover"
                         << "a.MainFolderLine:hover";
    QTest::newRow("any other value is on") << 2 << "a.LinkLineMouseOver:hover"
                                           << "a.MainFolderLineMouseOver:hover";
}

void TestClsCss::mouseOverHoverSelectors()
{
    QFETCH(int, momo);
    if (momo >= 0)
        m_options->setControlValue(u"prjChkMOMO", momo);
    QVERIFY(m_css->newCSSFile(true));
    const QStringList &list = m_css->classList();
    QTEST(list[15], "link");
    QTEST(list[18], "main");
}

void TestClsCss::renamedClassInNewSheet()
{
    m_options->setControlValue(u"prjChkMOMO", 0);
    m_options->setControlValue(u"prjCNMainFolderLine", QStringLiteral("Top"));
    m_options->setControlValue(u"prjCNLinkBox", QStringLiteral("Nav Box"));
    QVERIFY(m_css->newCSSFile(true));
    const QStringList &list = m_css->classList();
    for (const char *sel : { ".Top", ".TopMouseOver", "a.TopMouseOver", "a.Top:visited", "a.Top:hover" })
        QVERIFY2(list.contains(QString::fromLatin1(sel)), sel);
    QVERIFY(!m_css->text().contains(u"MainFolderLine"));
    QVERIFY(list.contains(u".Nav Box"));
    QVERIFY(m_css->checkIfClassInEditor(QStringLiteral("Top")));
    QVERIFY(!m_css->checkIfClassInEditor(QStringLiteral("MainFolderLine")));
}

void TestClsCss::resetClassNames_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ok") << Answer::Ok << "MainFolderLine";
    QTest::newRow("cancel") << Answer::Cancel << "Top";
}

void TestClsCss::resetClassNames()
{
    QFETCH(Answer, answer);
    m_options->setControlValue(u"prjCNMainFolderLine", QStringLiteral("Top"));
    m_prompt->answers << answer;
    QCOMPARE(m_css->resetClassNames(), answer == Answer::Ok);
    QCOMPARE(
        m_prompt->questions(), QStringList { "This will reset ALL the class names to the default names." });
    QCOMPARE(m_prompt->asked.first().buttons, Buttons::OkCancel);
    QTEST(m_options->text(u"prjCNMainFolderLine"), "expected");
    if (answer == Answer::Ok)
        QCOMPARE(m_options->text(u"prjCNMenuTreeBox"), QStringLiteral("MenuTreeBox"));
}

void TestClsCss::askToSave_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("saveReply"); // a path for the save-as dialog, or cancel
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("written");
    QTest::newRow("unchanged asks nothing") << false << Answer::Yes << true << true << 0 << false;
    QTest::newRow("no keeps going") << true << Answer::No << true << true << 1 << false;
    QTest::newRow("yes saves") << true << Answer::Yes << true << true << 1 << true;
    QTest::newRow("yes but save cancelled") << true << Answer::Yes << false << false << 1 << false;
}

void TestClsCss::askToSave()
{
    QFETCH(bool, changed);
    QFETCH(Answer, answer);
    QFETCH(bool, saveReply);
    const QString path = m_dir->filePath(QStringLiteral("s.css"));
    m_css->document().setText(QStringLiteral(".a {}"));
    m_css->setCssChanged(changed);
    m_prompt->answers << answer;
    m_prompt->replies << (saveReply ? std::optional<QString>(path) : std::nullopt);
    QTEST(m_css->askToSave(QStringLiteral("Save CSS style sheet?")), "result");
    QTEST(int(m_prompt->questions().size()), "questions");
    if (!m_prompt->questions().isEmpty()) {
        QCOMPARE(m_prompt->questions().first(), QStringLiteral("Save CSS style sheet?"));
        QCOMPARE(m_prompt->asked.first().buttons, Buttons::YesNo);
    }
    QTEST(QFile::exists(path), "written");
}

void TestClsCss::newSheetKeepsTextWhenSaveFails()
{
    m_css->document().setText(QStringLiteral(".mine { color: red; }"));
    m_prompt->answers << Answer::Yes;
    m_prompt->replies << std::nullopt; // the save-as dialog is cancelled
    QVERIFY(!m_css->newCSSFile(true));
    QCOMPARE(m_prompt->questions(), QStringList { "Save current CSS file before loading a new one?" });
    QCOMPARE(m_css->text(), QStringLiteral(".mine { color: red; }"));
    QVERIFY(m_css->cssChanged());
}

void TestClsCss::scriptFileName_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("dialogOk");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("rejected");
    QTest::newRow("js") << "" << true << "/site/qmenu.js"
                        << "/site/qmenu.js" << false;
    QTest::newRow("upper-case JS") << "" << true << "C:\\site\\MENU.JS"
                                   << "C:\\site\\MENU.JS" << false;
    QTest::newRow("txt rejected") << "" << true << "/site/menu.txt"
                                  << "" << true;
    QTest::newRow("three characters") << "" << true << "a.b"
                                      << "a.b" << false;
    QTest::newRow("four characters") << "" << true << "abcd"
                                     << "" << true;
    QTest::newRow("cancel keeps a good name") << "old.js" << false << ""
                                              << "old.js" << false;
    QTest::newRow("cancel still checks") << "old.txt" << false << ""
                                         << "" << true;
}

void TestClsCss::scriptFileName()
{
    QFETCH(QString, before);
    QFETCH(bool, dialogOk);
    QFETCH(QString, chosen);
    QFETCH(bool, rejected);
    m_options->setControlValue(u"prjFilJS", before);
    m_prompt->replies << (dialogOk ? std::optional<QString>(chosen) : std::nullopt);
    QCOMPARE(m_css->saveJsFileLocation(), !rejected);
    const ScriptedPrompt::Asked &dialog = m_prompt->asked.first();
    QCOMPARE(dialog.kind, QStringLiteral("saveFile"));
    QCOMPARE(dialog.file.title, QStringLiteral("Save qMenu javascript file as:"));
    QCOMPARE(dialog.file.filter, QStringLiteral("*.js|*.js"));
    QCOMPARE(dialog.file.defaultExt, QStringLiteral("js"));
    QVERIFY(dialog.file.askOverwrite);
    QCOMPARE(dialog.file.startName, before.isEmpty() ? QStringLiteral("qMenu.js") : before);
    QTEST(m_options->text(u"prjFilJS"), "expected");
    const QString bad = dialogOk ? chosen : before;
    QCOMPARE(m_prompt->messages(),
        rejected ? QStringList { bad + QStringLiteral("\nIllegal menu file value") } : QStringList {});
}

void TestClsCss::loadMissingOrEmpty_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("missing file") << true;
    QTest::newRow("no file name") << false;
}

void TestClsCss::loadMissingOrEmpty()
{
    QFETCH(bool, named);
    if (named)
        m_options->setControlValue(u"prjFilCSS", m_dir->filePath(QStringLiteral("gone.css")));
    m_css->document().setText(QStringLiteral("x"));
    m_css->setCssChanged(false);
    QVERIFY(m_css->loadCSSFile());
    QCOMPARE(
        m_prompt->messages(), named ? QStringList { "Style sheet file does not exist" } : QStringList {});
    QCOMPARE(m_css->text(), expectedDropDownSheet(true));
    QCOMPARE(m_options->text(u"prjFilCSS"), QString());
    QVERIFY(!m_css->cssChanged());
}

void TestClsCss::loadAndSaveKeepEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("windows-1252") << QByteArray(".caf\xE9 {\r\n}\r\n")
                                  << QStringLiteral(".caf\u00e9 {\r\n}\r\n");
    QTest::newRow("utf-8") << QByteArray(".caf\xC3\xA9 {\r\n}\r\n")
                           << QStringLiteral(".caf\u00e9 {\r\n}\r\n");
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF.caf\xC3\xA9 {\n}\n")
                                     << QStringLiteral(".caf\u00e9 {\n}\n");
    QTest::newRow("beyond 1252") << QByteArray(".\xE2\x82\xAC\xE6\x97\xA5 {}")
                                 << QStringLiteral(".\u20ac\u65e5 {}");
}

// A sheet saved without changes comes back byte for byte: a UTF-8 sheet is
// not turned into Windows-1252 because its characters happen to fit.
void TestClsCss::loadAndSaveKeepEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString path = m_dir->filePath(QStringLiteral("menu.css"));
    qwk::test::writeBytes(path, bytes);
    m_options->setControlValue(u"prjFilCSS", path);
    QVERIFY(m_css->loadCSSFile());
    QCOMPARE(m_css->text(), text);
    QVERIFY(!m_css->cssChanged());
    QCOMPARE(m_css->classList().size(), 1);
    QFile::remove(path);
    m_css->setCssChanged(true);
    const int writes = m_settings->writeCount();
    QVERIFY(m_css->SaveCssFile());
    QCOMPARE(qwk::test::readBytes(path), bytes);
    QVERIFY(!m_css->cssChanged());
    QVERIFY(m_settings->writeCount() > writes); // the preferences were stored too
}

void TestClsCss::saveFailureKeepsState()
{
    const QString path = m_dir->filePath(QStringLiteral("no/such/folder/menu.css"));
    m_options->setControlValue(u"prjFilCSS", path);
    m_css->document().setText(QStringLiteral(".a {}"));
    QSignalSpy status(m_css.get(), &clsCSS::statusMessage);
    QVERIFY(!m_css->SaveCssFile());
    QVERIFY(m_css->cssChanged());
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.last().first().toString(), QStringLiteral("Saving style sheet"));
    QCOMPARE(m_prompt->messages().size(), 1);
    QVERIFY(m_prompt->messages().first().startsWith(
        path + QStringLiteral("\nError reading or writing the file\n")));
    QVERIFY(m_prompt->messages().first().size() > path.size() + 35); // the system's reason follows
}

void TestClsCss::saveAsDialog()
{
    const QString path = m_dir->filePath(QStringLiteral("new.css"));
    m_css->document().setText(QStringLiteral(".a {}\r\n"));
    m_prompt->replies << std::nullopt << path;
    QVERIFY(!m_css->SaveCssFile()); // no name yet: save as, cancelled
    QCOMPARE(m_options->text(u"prjFilCSS"), QString());
    QVERIFY(m_css->cssChanged());
    QVERIFY(m_css->SaveCssFileAs());
    const FileDialogRequest &r = m_prompt->asked.last().file;
    QCOMPARE(r.title, QStringLiteral("Save CSS style sheet as:"));
    QCOMPARE(r.filter, QStringLiteral("*.css|*.css|*.*|*.*"));
    QCOMPARE(r.defaultExt, QStringLiteral("css"));
    QCOMPARE(r.startName, QStringLiteral("*.css"));
    QVERIFY(r.askOverwrite);
    QCOMPARE(m_options->text(u"prjFilCSS"), path);
    QCOMPARE(qwk::test::readBytes(path), QByteArray(".a {}\r\n"));
    QVERIFY(!m_css->cssChanged());
}

void TestClsCss::openDialog()
{
    const QString path = m_dir->filePath(QStringLiteral("other.css"));
    qwk::test::writeBytes(path, ".x {\r\n}\r\n.y {\r\n}\r\n");
    QStringList asked;
    m_css->setDefaultFileFunction([&asked](const QString &current, const QString &name) {
        asked << current + u'|' + name;
        return QStringLiteral("/start/") + name;
    });
    m_options->setControlValue(u"prjFilCSS", QStringLiteral("/old.css"));
    m_css->document().setText(QStringLiteral(".mine {}"));
    m_prompt->answers << Answer::No;
    m_prompt->replies << path;
    m_css->openCSSFile();
    QCOMPARE(m_prompt->questions(), QStringList { "Save current CSS file before opening a new one?" });
    QCOMPARE(asked, QStringList { "/old.css|qMenu.css" });
    const FileDialogRequest &r = m_prompt->asked.last().file;
    QCOMPARE(r.title, QStringLiteral("Opeing CSS file"));
    QCOMPARE(r.startName, QStringLiteral("/start/qMenu.css"));
    QVERIFY(r.mustExist);
    QCOMPARE(m_options->text(u"prjFilCSS"), path);
    QCOMPARE(m_css->text(), QStringLiteral(".x {\r\n}\r\n.y {\r\n}\r\n"));
    QCOMPARE(m_css->classList(), (QStringList { ".x", ".y" }));
    QVERIFY(!m_css->cssChanged());
}

// Cancelling the dialog must not leave an empty sheet behind: a later
// "Save CSS style sheet?" would write it over the old file.
void TestClsCss::openCancelledKeepsText()
{
    m_options->setControlValue(u"prjFilCSS", QStringLiteral("/old.css"));
    m_css->document().setText(QStringLiteral(".mine {}"));
    m_prompt->answers << Answer::No;
    m_prompt->replies << std::nullopt;
    m_css->openCSSFile();
    QCOMPARE(m_css->text(), QStringLiteral(".mine {}"));
    QCOMPARE(m_options->text(u"prjFilCSS"), QStringLiteral("/old.css"));
}

void TestClsCss::newSheetCommands_data()
{
    QTest::addColumn<bool>("dropDown");
    QTest::newRow("mouse-over") << true;
    QTest::newRow("tree") << false;
}

void TestClsCss::newSheetCommands()
{
    QFETCH(bool, dropDown);
    const QString path = m_dir->filePath(QStringLiteral("fresh.css"));
    m_prompt->replies << path;
    if (dropDown)
        m_css->newMouseOverSheetCommand();
    else
        m_css->newTreeSheetCommand();
    QCOMPARE(m_prompt->messages(),
        dropDown ? QStringList { "You must save your new .css file sheet." } : QStringList {});
    QCOMPARE(m_prompt->asked.last().kind, QStringLiteral("saveFile"));
    QCOMPARE(m_options->text(u"prjFilCSS"), path);
    QCOMPARE(qwk::test::readBytes(path).contains("border : 1px navy solid;"), dropDown);
    QVERIFY(!m_css->cssChanged());
}

void TestClsCss::locationFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("dialog");
    const QString note = QStringLiteral("\n(Note: to save current CSS file under a different name,\n"
                                        "use the \"Save As\" command on the \"Style Sheet\" menu.)");
    QTest::newRow("css named, ok") << "css"
                                   << "/a.css" << Answer::Ok << "Select a different CSS file?" + note
                                   << "openFile";
    QTest::newRow("css empty, ok") << "css"
                                   << "" << Answer::Ok << "Select a new CSS file?" + note << "openFile";
    QTest::newRow("css cancel") << "css"
                                << "/a.css" << Answer::Cancel << "Select a different CSS file?" + note << "";
    QTest::newRow("js ok") << "js"
                           << "" << Answer::Ok << "Select new location for js file?"
                           << "saveFile";
    QTest::newRow("js cancel") << "js"
                               << "" << Answer::Cancel << "Select new location for js file?"
                               << "";
}

void TestClsCss::locationFields()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    QFETCH(QString, dialog);
    m_options->setControlValue(u"prjFilCSS", value);
    m_prompt->answers << answer;
    if (field == u"css")
        m_css->styleSheetLocationClicked();
    else
        m_css->scriptLocationClicked();
    QCOMPARE(m_prompt->asked.first().kind, QStringLiteral("question"));
    QCOMPARE(m_prompt->asked.first().text, question);
    QCOMPARE(m_prompt->asked.first().buttons, Buttons::OkCancel);
    QCOMPARE(m_prompt->asked.size(), dialog.isEmpty() ? 1 : 2);
    if (!dialog.isEmpty())
        QCOMPARE(m_prompt->asked.last().kind, dialog);
}

void TestClsCss::externalEditor()
{
    QCOMPARE(m_css->externalEditorFile(), QString());
    QCOMPARE(
        m_prompt->messages(), QStringList { "First save your CSS style sheet, and then retry this command" });
    m_options->setControlValue(u"prjFilCSS", QStringLiteral("/site/m.css"));
    QCOMPARE(m_css->externalEditorFile(), QStringLiteral("/site/m.css"));
    QCOMPARE(m_prompt->messages().size(), 1);
}

void TestClsCss::cssChangedFollowsEdits()
{
    QVERIFY(m_css->newCSSFile(true));
    QSignalSpy spy(m_css.get(), &clsCSS::cssChangedChanged);
    m_css->document().setCaret(0);
    m_css->document().replaceSelection(QStringLiteral("/* x */"));
    QVERIFY(m_css->cssChanged());
    QCOMPARE(spy.size(), 1);
    m_css->document().replaceSelection(QStringLiteral(" "));
    QCOMPARE(spy.size(), 1); // already changed: announced once
}

void TestClsCss::ruleListUpdatesInPlace()
{
    m_css->document().setText(QStringLiteral(".a {}\r\n.b {}\r\n.c {}\r\n"));
    m_css->loadCSSClassesListBox();
    QSignalSpy listSpy(m_css.get(), &clsCSS::classListChanged);
    QSignalSpy selSpy(m_css.get(), &clsCSS::selectedClassChanged);

    // Moving the caret only moves the selection mark.
    m_css->document().setCaret(9);
    m_css->editorKeyReleased();
    QCOMPARE(listSpy.size(), 0);
    QCOMPARE(m_css->selectedClass(), 1);
    QCOMPARE(selSpy.size(), 1);

    // Typing a rule away shortens the list to exactly one item per rule.
    m_css->document().select(6, 7);
    m_css->document().replaceSelection(QString());
    m_css->editorKeyReleased();
    QCOMPARE(m_css->classList(), (QStringList { ".a", ".c" }));
    QCOMPARE(listSpy.size(), 1);

    m_css->document().setText(QString());
    m_css->editorKeyReleased();
    QVERIFY(m_css->classList().isEmpty());
    QCOMPARE(m_css->selectedClass(), -1);
}

void TestClsCss::chooseClassSelectsRule()
{
    m_css->document().setText(QStringLiteral(".a {\r\n}\r\n.b {\r\n\tcolor : red;\r\n}\r\n"));
    m_css->loadCSSClassesListBox();
    QSignalSpy focus(&m_css->document(), &CssDocument::focusRequested);
    m_css->chooseClass(1);
    QCOMPARE(m_css->document().caret(), m_css->text().indexOf(u".b {") + 4);
    QCOMPARE(focus.size(), 1);
}

void TestClsCss::applyValues()
{
    m_css->document().setText(
        QStringLiteral(".a {\r\n\tbackground-color : white;\r\n\tmargin : 0px;\r\n}\r\n\r\n.b {}\r\n"));
    m_css->loadCSSClassesListBox();
    m_css->loadCSSLeftListBox();
    QCOMPARE(m_css->selectedProperty(), 0);
    QCOMPARE(m_css->valueList().first(), QStringLiteral("aqua"));

    m_css->chooseClass(0);
    m_css->chooseProperty(clsCSS::cssProperties().indexOf(u"color"));
    m_css->chooseValue(m_css->valueList().indexOf(u"red"));
    QCOMPARE(m_css->text(),
        QStringLiteral(".a {\r\n\tbackground-color : white;\r\n\tcolor : red;\r\n"
                       "\tmargin : 0px;\r\n}\r\n\r\n.b {}\r\n"));
    QCOMPARE(m_css->document().caret(), 4); // back at the start of the rule's body
    QVERIFY(m_css->cssChanged());

    m_css->chooseClass(1);
    m_css->chooseValue(m_css->valueList().indexOf(u"navy"));
    QVERIFY(m_css->text().endsWith(QStringLiteral(".b {\r\n\tcolor : navy;\r\n}\r\n")));

    m_css->chooseClass(0);
    m_css->chooseValue(m_css->valueList().indexOf(u"delete"));
    QVERIFY(m_css->text().startsWith(
        QStringLiteral(".a {\r\n\tbackground-color : white;\r\n\tmargin : 0px;\r\n}\r\n")));
}

void TestClsCss::applyToMissingRule()
{
    m_css->document().setText(QStringLiteral(".a {}\r\n.b {}\r\n"));
    m_css->loadCSSClassesListBox();
    m_css->chooseProperty(2);
    m_css->chooseClass(1);
    // The author deletes the rule but the list has not been refreshed yet.
    m_css->document().setText(QStringLiteral(".a {}\r\n"));
    m_css->chooseValue(m_css->valueList().indexOf(u"red"));
    QCOMPARE(m_css->text(), QStringLiteral(".a {}\r\n"));
    QCOMPARE(m_css->document().caret(), 1);
}

void TestClsCss::otherColour_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<std::optional<QString>>("reply");
    QTest::addColumn<QString>("lastColour");
    QTest::addColumn<QString>("body");
    QTest::newRow("chosen") << "color" << std::optional<QString>("#1a2b3c") << "#1A2B3C"
                            << "\r\n\tcolor : #1A2B3C;\r\n";
    QTest::newRow("cancelled") << "color" << std::optional<QString>() << ""
                               << "";
    QTest::newRow("not a colour") << "color" << std::optional<QString>("blue") << ""
                                  << "";
    QTest::newRow("values are not colours") << "font-size" << std::optional<QString>("#FFFFFF") << "#FFFFFF"
                                            << "";
}

void TestClsCss::otherColour()
{
    QFETCH(QString, property);
    QFETCH(std::optional<QString>, reply);
    QFETCH(QString, lastColour);
    QFETCH(QString, body);
    m_css->document().setText(QStringLiteral(".a {}"));
    m_css->loadCSSClassesListBox();
    m_css->chooseClass(0);
    m_css->chooseProperty(clsCSS::cssProperties().indexOf(property));
    const qsizetype values = m_css->valueList().size();
    m_prompt->replies << reply;
    if (property == u"color")
        m_css->chooseValue(m_css->valueList().indexOf(u"other..."));
    else
        m_css->chooseOtherColour(); // the "Last Color" button itself
    QCOMPARE(m_prompt->asked.size(), 1);
    QCOMPARE(m_prompt->asked.first().kind, QStringLiteral("pickColour"));
    QCOMPARE(m_css->lastColour(), lastColour);
    QCOMPARE(m_css->text(), QStringLiteral(".a {") + body + u'}');
    const bool applied = !body.isEmpty();
    QCOMPARE(m_css->valueList().size(), values + (applied ? 1 : 0));
    if (applied)
        QCOMPARE(m_css->valueList().at(m_css->selectedValue()), lastColour);
}

void TestClsCss::editorClickChoosesProperty()
{
    m_css->document().setText(QStringLiteral(".a {\r\n\tFont-Size : 10pt;\r\n}\r\n"));
    m_css->document().setCaret(8);
    QSignalSpy values(m_css.get(), &clsCSS::valueListChanged);
    m_css->editorClicked();
    QCOMPARE(m_css->selectedProperty(), clsCSS::cssProperties().indexOf(u"font-size"));
    QCOMPARE(m_css->valueList().first(), QStringLiteral("xx-small"));
    QCOMPARE(values.size(), 1);
    QCOMPARE(m_css->selectedClass(), 0);
    QVERIFY(!m_css->loadingClassList());
}

QTEST_GUILESS_MAIN(TestClsCss)
#include "tst_clscss.moc"
