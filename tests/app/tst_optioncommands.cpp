// The undo steps of property and option edits without a window: keystrokes
// on one field fold into one step, a field typed back to where it started
// leaves no step, and undo restores the node or the option.

#include "app/menutreemodel.h"
#include "app/optioncommands.h"
#include "app/projectdocument.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"

#include <QtTest>

using namespace qwk;

namespace {

const QString kDemo = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");

struct Fixture {
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    ProjectDocument doc{prompt, settings};
    MenuTreeModel model{doc.tree()};

    Fixture() { QVERIFY(doc.openProject(kDemo)); }
    MenuNode *node(const QString &key) const { return MenuTreeModel::nodeOf(model.indexOfKey(key)); }
    // One edit as the frames push it: a "prj" key goes to the store, any
    // other to the node of nodeKey.
    void edit(const QString &nodeKey, const QString &key, const QVariant &v)
    {
        if (key.startsWith(u"prj"))
            doc.undoStack().push(new SetProjectOptionCommand(doc, {{key, v}}));
        else
            doc.undoStack().push(new SetNodeOptionCommand(doc, *node(nodeKey), {{key, v}}));
    }
    QVariant value(const QString &nodeKey, const QString &key)
    {
        return key.startsWith(u"prj") ? doc.options().controlValue(key) : node(nodeKey)->value(key);
    }
};

} // namespace

class TestOptionCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingMerges_data();
    void typingMerges();
    void choiceUndoRestoresGroup();
    void carriedKeysUndoTogether();
};

void TestOptionCommands::typingMerges_data()
{
    QTest::addColumn<QString>("nodeKey");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("entry"); // the entry text of nodeKey after the typing, "" when not looked at

    QTest::newRow("page name, one step") << "n1" << "lnkNamePage" << QStringList{"H", "Ho", "Hom"} << 1 << "Hom";
    QTest::newRow("page name back to start") << "n1" << "lnkNamePage" << QStringList{"Hom", "Home"} << 0 << "Home";
    QTest::newRow("folder name") << "n2" << "lnkNameFolder" << QStringList{"P", "Pr"} << 1 << "Pr";
    QTest::newRow("url") << "n1" << "lnkURL" << QStringList{"/a", "/ab"} << 1 << "";
    QTest::newRow("class name") << "" << "prjCNLinkPage" << QStringList{"L", "Li"} << 1 << "";
    QTest::newRow("class name back to start") << "" << "prjCNLinkPage" << QStringList{"Link", "LinkPage"} << 0 << "";
    QTest::newRow("check box on and off") << "" << "prjChkMOMO" << QStringList{"0", "1"} << 0 << "";
}

void TestOptionCommands::typingMerges()
{
    QFETCH(QString, nodeKey);
    QFETCH(QString, key);
    QFETCH(QStringList, typed);
    QFETCH(int, steps);
    QFETCH(QString, entry);
    Fixture f;
    const QVariant start = f.value(nodeKey, key);
    const bool check = key.startsWith(u"prjChk");
    for (const QString &t : typed)
        f.edit(nodeKey, key, check ? QVariant(t.toInt()) : QVariant(t));
    QCOMPARE(f.doc.undoStack().count(), steps);
    QCOMPARE(f.doc.prjChanged(), steps > 0);
    if (!entry.isEmpty())
        QCOMPARE(f.model.indexOfKey(nodeKey).data().toString(), entry);
    // Another field ends the step: the next keystroke is a step of its own.
    f.edit(QStringLiteral("n1"), QStringLiteral("lnkFilPageName"), QStringLiteral("x.htm"));
    f.edit(nodeKey, key, check ? QVariant(1 - typed.last().toInt()) : QVariant(typed.last() + u'z'));
    QCOMPARE(f.doc.undoStack().count(), steps + 2);
    while (f.doc.undoStack().canUndo())
        f.doc.undoStack().undo();
    QCOMPARE(f.value(nodeKey, key), start);
    QVERIFY(!f.doc.prjChanged());
}

void TestOptionCommands::choiceUndoRestoresGroup()
{
    Fixture f;
    MenuNode *page = f.node(QStringLiteral("n1"));
    QVERIFY(page->value(u"lnkOptTypePageNormal").toBool());
    f.doc.undoStack().push(new SetNodeOptionCommand(
        f.doc, *page, {{QStringLiteral("lnkOptTypePageJS"), true}, {QStringLiteral("lnkOptTypePageNormal"), false}}));
    QVERIFY(page->value(u"lnkOptTypePageJS").toBool());
    QVERIFY(!page->value(u"lnkOptTypePageNormal").toBool());
    f.doc.undoStack().undo();
    QVERIFY(!page->value(u"lnkOptTypePageJS").toBool());
    QVERIFY(page->value(u"lnkOptTypePageNormal").toBool());
    f.doc.undoStack().redo();
    QVERIFY(page->value(u"lnkOptTypePageJS").toBool());
    QVERIFY(!page->value(u"lnkOptTypePageNormal").toBool());
}

void TestOptionCommands::carriedKeysUndoTogether()
{
    Fixture f;
    MenuNode *page = f.node(QStringLiteral("n1"));
    const QVariant width = page->value(u"lnkSubColWidth");
    const QVariant flag = page->value(u"lnkChkSubColValue");
    for (const QString &w : {QStringLiteral("1"), QStringLiteral("")}) {
        f.doc.undoStack().push(new SetNodeOptionCommand(f.doc, *page,
                                                        {{QStringLiteral("lnkSubColWidth"), w},
                                                         {QStringLiteral("lnkChkSubColValue"), w.isEmpty() ? 0 : 1}}));
    }
    QCOMPARE(f.doc.undoStack().count(), width.toString().isEmpty() ? 0 : 1);
    QCOMPARE(page->value(u"lnkChkSubColValue").toInt(), 0);
    f.doc.undoStack().undo();
    QCOMPARE(page->value(u"lnkSubColWidth"), width);
    QCOMPARE(page->value(u"lnkChkSubColValue"), flag);
}

QTEST_GUILESS_MAIN(TestOptionCommands)
#include "tst_optioncommands.moc"
