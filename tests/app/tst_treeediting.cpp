// The designer's tree editing without a window: the dispatcher, its undo
// steps and the item model over the tree, on the demo project.

#include "app/menutreemodel.h"
#include "app/projectdocument.h"
#include "app/treeeditor.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"
#include "tree/projectfile.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QtTest>

using namespace qwk;

namespace {

const QString kDemo = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");

struct Fixture {
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    ProjectDocument doc{prompt, settings};
    MenuTreeModel model{doc.tree()};
    TreeEditor editor{doc};

    Fixture()
    {
        QVERIFY(doc.openProject(kDemo));
        prompt.asked.clear(); // the demo's style sheet is not on this machine
    }
    MenuNode *node(const QString &key) const { return MenuTreeModel::nodeOf(model.indexOfKey(key)); }
    QString text() { return ProjectFile::projectText(doc.options(), doc.tree().root()); }
    // The entry texts of a level, markers included.
    QStringList level(const QString &folderKey = {}) const
    {
        const QModelIndex parent = folderKey.isEmpty() ? QModelIndex() : model.indexOfKey(folderKey);
        QStringList texts;
        for (int r = 0; r < model.rowCount(parent); ++r)
            texts << model.index(r, 0, parent).data().toString();
        return texts;
    }
};

} // namespace

class TestTreeEditing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void editAndUndoToSavedBytes_data();
    void editAndUndoToSavedBytes();
    void refusedEdits_data();
    void refusedEdits();
    void pasteTwiceIsIndependent();
    void modelStaysConsistentDuringEdits();
    void entriesAndKeys();
    void dropRules();
    void defaultFile_data();
    void defaultFile();
};

void TestTreeEditing::editAndUndoToSavedBytes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("selectedAfter"); // key of the node the edit leaves selected
    QTest::addColumn<QString>("textAfter");     // its entry text

    QTest::newRow("folder before a folder") << "insertFolder" << "n2" << "n2" << "New Folder";
    QTest::newRow("page on end of tree") << "insertPage" << "n7" << "n7" << "New Page";
    QTest::newRow("page in a sub-folder") << "insertPage" << "n2n2n1" << "n2n2n1" << "New Page";
    QTest::newRow("column at the top") << "insertColumn" << "n1" << "n1" << "130px";
    QTest::newRow("delete a folder") << "deleteNode" << "n2" << "n2" << "About";
    QTest::newRow("cut the last node") << "cutNode" << "n6" << "n6" << "end of tree";
    QTest::newRow("delete a column") << "deleteNode" << "n4" << "n4" << "Documentation";
}

void TestTreeEditing::editAndUndoToSavedBytes()
{
    QFETCH(QString, action);
    QFETCH(QString, key);
    QFETCH(QString, selectedAfter);
    QFETCH(QString, textAfter);
    Fixture f;
    const QString saved = f.text();
    QString selected;
    QObject::connect(&f.doc, &ProjectDocument::selectionWanted, [&](clsFolder *folder, int pos) {
        selected = f.model.keyOf(f.model.indexAt(folder, pos));
    });

    QVERIFY(f.editor.editTree(action, f.node(key)));
    QCOMPARE(selected, selectedAfter);
    QCOMPARE(f.node(selectedAfter) ? MenuTreeModel::entryText(*f.node(selectedAfter)) : QString(), textAfter);
    QVERIFY(f.doc.prjChanged());
    const QString edited = f.text();
    QVERIFY(edited != saved);

    f.doc.undoStack().undo();
    QCOMPARE(f.text(), saved);
    QVERIFY(!f.doc.prjChanged());
    f.doc.undoStack().redo();
    QCOMPARE(f.text(), edited);
    QVERIFY(f.doc.prjChanged());
}

void TestTreeEditing::refusedEdits_data()
{
    QTest::addColumn<QStringList>("steps"); // "action key" pairs; the last one is refused
    QTest::addColumn<QString>("message");

    QTest::newRow("column inside a folder") << QStringList{"insertColumn n2n1"} << kColumnsInMainMenu;
    QTest::newRow("column pasted inside a folder")
        << QStringList{"copyNode n4", "pasteNode n3n1"} << kColumnsInMainMenu;
    QTest::newRow("cut the end of tree") << QStringList{"cutNode n7"} << QString();
    QTest::newRow("paste with nothing copied") << QStringList{"pasteNode n1"} << QString();
}

void TestTreeEditing::refusedEdits()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, message);
    Fixture f;
    const QString saved = f.text();
    for (int i = 0; i < steps.size(); ++i) {
        const QStringList s = steps[i].split(u' ');
        const bool done = f.editor.editTree(s[0], f.node(s[1]));
        QCOMPARE(done, i + 1 < steps.size());
    }
    QCOMPARE(f.prompt.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.text(), saved);
    QCOMPARE(f.doc.undoStack().count(), 0);
    QVERIFY(!f.doc.prjChanged());
}

void TestTreeEditing::pasteTwiceIsIndependent()
{
    Fixture f;
    QVERIFY(f.editor.editTree(QStringLiteral("copyNode"), f.node("n2")));
    QVERIFY(f.editor.editTree(QStringLiteral("pasteNode"), f.node("n7")));
    QVERIFY(f.editor.editTree(QStringLiteral("pasteNode"), f.node("n8")));
    QCOMPARE(f.level().mid(5), (QStringList{"Contact", "Products", "Products", "end of tree"}));
    // Renaming inside one copy leaves the other and the original alone.
    QVERIFY(f.doc.tree().setValue(*f.node("n7n2n1"), QStringLiteral("lnkNamePage"), QStringLiteral("Tiny")).ok());
    QCOMPARE(f.level("n8n2"), (QStringList{"Small gadgets", "Large gadgets", "end of folder"}));
    QCOMPARE(f.level("n2n2"), (QStringList{"Small gadgets", "Large gadgets", "end of folder"}));
    // Undoing the second paste takes out the second copy only.
    f.doc.undoStack().undo(); // the rename is not an undo step; the paste is
    QCOMPARE(f.level().mid(5), (QStringList{"Contact", "Products", "end of tree"}));
    QCOMPARE(f.level("n7n2").first(), QStringLiteral("Tiny"));
}

void TestTreeEditing::modelStaysConsistentDuringEdits()
{
    Fixture f;
    QAbstractItemModelTester tester(&f.model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QString saved = f.text();
    const QStringList steps{"insertFolder n1", "insertPage n1n1", "cutNode n3n2",    "pasteNode n1n1",
                            "copyNode n3",     "pasteNode n8",    "deleteNode n3n1", "insertColumn n8"};
    for (const QString &step : steps) {
        const QStringList s = step.split(u' ');
        QVERIFY2(f.editor.editTree(s[0], f.node(s[1])) || s[0] == u"copyNode", qPrintable(step));
    }
    // Drag and drop: the folder Products into About, then a page to the top
    // and back down.
    QVERIFY(f.editor.moveNode(*f.node("n3"), *f.node("n4")->asFolder(), 2));
    QVERIFY(f.editor.moveNode(*f.node("n3n1"), f.doc.tree().root(), 1));
    QVERIFY(f.editor.moveNode(*f.node("n1"), f.doc.tree().root(), 4)); // down within its level
    QVERIFY(f.editor.moveNode(*f.node("n5"), f.doc.tree().root(), 2)); // and up
    QCOMPARE(f.doc.undoStack().count(), 11);
    while (f.doc.undoStack().canUndo())
        f.doc.undoStack().undo();
    QCOMPARE(f.text(), saved);
    QVERIFY(!f.doc.prjChanged());
    while (f.doc.undoStack().canRedo())
        f.doc.undoStack().redo();
    QVERIFY(f.doc.prjChanged());
}

void TestTreeEditing::entriesAndKeys()
{
    Fixture f;
    QCOMPARE(f.level(), (QStringList{"Home", "Products", "About", "160px", "Documentation", "Contact", "end of tree"}));
    QCOMPARE(f.level("n2n2").last(), QStringLiteral("end of folder"));
    const QStringList images{"page", "cb", "cb", "column", "cb", "page", "stop"};
    for (int r = 0; r < images.size(); ++r)
        QCOMPARE(f.model.index(r, 0).data(MenuTreeModel::ImageKeyRole).toString(), images[r]);
    // Keys are positions and follow an edit above them.
    QCOMPARE(f.model.index(5, 0).data(MenuTreeModel::KeyRole).toString(), QStringLiteral("n6"));
    QVERIFY(f.editor.editTree(QStringLiteral("insertPage"), f.node("n1")));
    QCOMPARE(f.model.keyOf(f.model.indexOf(f.node("n7"))), QStringLiteral("n7"));
    QCOMPARE(MenuTreeModel::entryText(*f.node("n7")), QStringLiteral("Contact"));
    // An open folder shows the open picture.
    QVERIFY(f.editor.editTree(QStringLiteral("insertFolder"), f.node("n1")));
    QCOMPARE(f.model.indexOfKey("n1").data(MenuTreeModel::ImageKeyRole).toString(), QStringLiteral("ob"));
}

void TestTreeEditing::dropRules()
{
    Fixture f;
    const auto drop = [&f](const QString &dragged, int row, const QString &parentKey) {
        std::unique_ptr<QMimeData> mime(f.model.mimeData({f.model.indexOfKey(dragged)}));
        return f.model.canDropMimeData(mime.get(), Qt::MoveAction, row, 0,
                                       parentKey.isEmpty() ? QModelIndex() : f.model.indexOfKey(parentKey));
    };
    QVERIFY(!drop("n4", 0, "n2"));      // a column into a folder
    QVERIFY(!drop("n4", -1, "n3"));     // a column onto a folder
    QVERIFY(drop("n4", 0, ""));         // a column within the main menu
    QVERIFY(!drop("n2", 0, "n2n2"));    // a folder into its own sub-folder
    QVERIFY(!drop("n2", -1, "n2"));     // a folder onto itself
    QVERIFY(drop("n2n2n1", -1, "n3"));  // a page onto a folder
    QVERIFY(!f.model.mimeData({f.model.indexOfKey("n7")})); // the marker is not dragged

    // Refused moves push nothing; an accepted drop is one step.
    f.model.setDropHandler([&f](MenuNode *node, clsFolder *to, int before) {
        return f.editor.moveNode(*node, *to, before);
    });
    std::unique_ptr<QMimeData> mime(f.model.mimeData({f.model.indexOfKey("n2n2n1")}));
    f.model.dropMimeData(mime.get(), Qt::MoveAction, -1, 0, f.model.indexOfKey("n3"));
    QCOMPARE(f.level("n3"), (QStringList{"Company", "Say hello", "Small gadgets", "end of folder"}));
    QVERIFY(!f.editor.moveNode(*f.node("n2"), *f.node("n2n2")->asFolder(), 1));
    QVERIFY(!f.editor.moveNode(*f.node("n1"), f.doc.tree().root(), 2)); // onto its own place
    QCOMPARE(f.doc.undoStack().count(), 1);
}

void TestTreeEditing::defaultFile_data()
{
    QTest::addColumn<QString>("webRoot");
    QTest::addColumn<QString>("jsFile");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("expected");
    QTest::newRow("site address under the root") << "C:\\web\\" << "" << "/menu/qmenu.js" << "C:\\web\\menu\\qmenu.js";
    QTest::newRow("root without separator") << "/srv/web" << "" << "/menu/qmenu.js" << "/srv/web/menu/qmenu.js";
    QTest::newRow("a value as it stands") << "/srv/web" << "" << "x/y.css" << "x/y.css";
    QTest::newRow("empty: under the root") << "/srv/web" << "/other/m.js" << "" << "/srv/web/*.qwk";
    QTest::newRow("empty, no root: beside the script") << "" << "/other/m.js" << "" << "/other/*.qwk";
    QTest::newRow("nothing known") << "" << "" << "" << "";
}

void TestTreeEditing::defaultFile()
{
    QFETCH(QString, webRoot);
    QFETCH(QString, jsFile);
    QFETCH(QString, current);
    QFETCH(QString, expected);
    test::ScriptedPrompt prompt;
    MemorySettingsStore settings;
    ProjectDocument doc(prompt, settings);
    doc.options().setControlValue(u"prjFilWebRoot", webRoot);
    doc.options().setControlValue(u"prjFilJS", jsFile);
    QCOMPARE(doc.defaultFile(current, QStringLiteral("*.qwk")), expected);
}

QTEST_MAIN(TestTreeEditing)
#include "tst_treeediting.moc"
