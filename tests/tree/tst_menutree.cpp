// The editing operations of the menu tree and what they announce: every
// about-to signal is followed by its done signal with the same arguments, the
// positions are valid when sent, and the tree and its parent links are right
// afterwards.

#include "options/options.h"
#include "support/scriptedprompt.h"
#include "tree/menutree.h"
#include "tree/projectfile.h"

#include <QHash>
#include <QTest>

using namespace qwk;

namespace {

QString nameOf(const MenuNode *n)
{
    const auto *o = dynamic_cast<const OptionNode *>(n);
    return o ? o->name() : n->classType();
}

QString folderName(const clsFolder *f)
{
    return f->parent() ? f->name() : QStringLiteral("root");
}

// The tree as text ("a f[b g[c]] column"), checking on the way that every
// node names the folder that holds it as its parent and the marker is last.
QString dump(const clsFolder &folder, QStringList *problems)
{
    QStringList parts;
    const clsNodes &n = folder.nodes();
    for (int i = 1; i <= n.count(); ++i) {
        const MenuNode *item = n.item(i);
        if (item->parent() != &folder || item->isEndMarker() != (i == n.count()))
            problems->append(nameOf(item) + QStringLiteral(" misplaced"));
        if (item->isEndMarker())
            continue;
        const clsFolder *f = item->asFolder();
        parts << (f ? nameOf(f) + u'[' + dump(*f, problems) + u']' : nameOf(item));
    }
    return parts.join(u' ');
}

// Writes each completed pair as one token ("+root1": an insert before
// position 1 of the main menu, "-f2": a removal), "*" for changed(), and notes
// every pair that does not match or names a position that is not valid.
struct Recorder {
    QStringList log, problems;
    QString open;
    int countBefore = 0;

    explicit Recorder(MenuTree &tree)
    {
        const auto about = [this](QChar sign, clsFolder *p, int first, int last) {
            const MenuNode *at = p->nodes().item(first);
            if (!open.isEmpty() || first != last || !at || (sign == u'-' && at->isEndMarker()))
                problems << QStringLiteral("bad about-to %1%2%3").arg(sign).arg(folderName(p)).arg(first);
            open = sign + folderName(p) + QString::number(first);
            countBefore = p->nodes().count();
        };
        const auto done = [this](QChar sign, clsFolder *p, int first, int last) {
            const QString token = sign + folderName(p) + QString::number(first);
            if (open != token || first != last || p->nodes().count() != countBefore + (sign == u'+' ? 1 : -1))
                problems << QStringLiteral("unmatched ") + token;
            log << token;
            open.clear();
        };
        QObject::connect(&tree, &MenuTree::aboutToInsert, [=](clsFolder *p, int f, int l) { about(u'+', p, f, l); });
        QObject::connect(&tree, &MenuTree::inserted, [=](clsFolder *p, int f, int l) { done(u'+', p, f, l); });
        QObject::connect(&tree, &MenuTree::aboutToRemove, [=](clsFolder *p, int f, int l) { about(u'-', p, f, l); });
        QObject::connect(&tree, &MenuTree::removed, [=](clsFolder *p, int f, int l) { done(u'-', p, f, l); });
        QObject::connect(&tree, &MenuTree::nodeChanged,
                         [this](MenuNode *n, const QString &key) { log << u'=' + nameOf(n) + u' ' + key; });
        QObject::connect(&tree, &MenuTree::changed, [this] {
            if (!open.isEmpty())
                problems << QStringLiteral("changed inside a pair");
            log << QStringLiteral("*");
        });
        QObject::connect(&tree, &MenuTree::rootAboutToBeReplaced, [this] { log << QStringLiteral("reset?"); });
        QObject::connect(&tree, &MenuTree::rootReplaced, [this] { log << QStringLiteral("reset"); });
    }
};

// a f[b g[c]] column: a main-menu page, a folder holding a page and a folder, a column.
QHash<QString, clsFolder *> buildSample(clsFolder &root)
{
    clsNodes &top = root.nodes();
    top.addPage(1)->setName(QStringLiteral("a"));
    clsFolder *f = top.addFolder(2);
    f->setName(QStringLiteral("f"));
    f->nodes().addPage(1)->setName(QStringLiteral("b"));
    clsFolder *g = f->nodes().addFolder(2);
    g->setName(QStringLiteral("g"));
    g->nodes().addPage(1)->setName(QStringLiteral("c"));
    top.addColumn(3);
    return {{QStringLiteral("root"), &root}, {QStringLiteral("f"), f}, {QStringLiteral("g"), g}};
}

} // namespace

class TestMenuTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editsAnnounceInPairs_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("after");

        const QString same = QStringLiteral("a f[b g[c]] column");
        const QString cols = kColumnsInMainMenu;
        const QString itself = kFolderIntoItself;
        const auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
        row("page first") << "page" << "" << 0 << "root" << 1 << "+root1 *" << "" << "New Page a f[b g[c]] column";
        row("folder past the end goes before the marker")
            << "folder" << "" << 0 << "f" << 99 << "+f3 *" << "" << "a f[b g[c] New Folder[]] column";
        row("column in the main menu") << "column" << "" << 0 << "root" << 4 << "+root4 *" << ""
                                       << "a f[b g[c]] column column";
        row("column in a folder") << "column" << "" << 0 << "g" << 1 << "" << cols << same;
        row("take a folder") << "take" << "root" << 2 << "" << 0 << "-root2 *" << "" << "a column";
        row("take the marker") << "take" << "g" << 2 << "" << 0 << "" << "" << same;
        row("take out of range") << "take" << "root" << 9 << "" << 0 << "" << "" << same;
        row("put a copy") << "put" << "f" << 2 << "root" << 1 << "+root1 *" << "" << "g[c] a f[b g[c]] column";
        row("put a column below the main menu") << "put" << "root" << 3 << "f" << 1 << "" << cols << same;
        row("move down to the end") << "move" << "root" << 1 << "root" << 4 << "-root1 +root3 *" << ""
                                    << "f[b g[c]] column a";
        row("move down before the column") << "move" << "root" << 1 << "root" << 3 << "-root1 +root2 *" << ""
                                           << "f[b g[c]] a column";
        row("move up") << "move" << "root" << 3 << "root" << 1 << "-root3 +root1 *" << "" << "column a f[b g[c]]";
        row("move into a folder") << "move" << "root" << 1 << "g" << 1 << "-root1 +g1 *" << ""
                                  << "f[b g[a c]] column";
        row("move out to the main menu") << "move" << "g" << 1 << "root" << 2 << "-g1 +root2 *" << ""
                                         << "a c f[b g[]] column";
        row("move a folder up to its grandparent") << "move" << "f" << 2 << "root" << 1 << "-f2 +root1 *" << ""
                                                   << "g[c] a f[b] column";
        row("move a folder into itself") << "move" << "root" << 2 << "f" << 1 << "" << itself << same;
        row("move a folder below itself") << "move" << "root" << 2 << "g" << 1 << "" << itself << same;
        row("move onto its own place") << "move" << "root" << 1 << "root" << 2 << "" << "" << same;
        row("move a column into a folder") << "move" << "root" << 3 << "f" << 1 << "" << cols << same;
        row("move the marker") << "move" << "root" << 4 << "root" << 1 << "" << "" << same;
    }

    void editsAnnounceInPairs()
    {
        QFETCH(QString, op);
        QFETCH(QString, from);
        QFETCH(int, pos);
        QFETCH(QString, to);
        QFETCH(int, before);
        QFETCH(QString, log);
        QFETCH(QString, refusal);
        QFETCH(QString, after);

        MenuTree tree;
        const auto folders = buildSample(tree.root());
        clsFolder *source = folders.value(from);
        clsFolder *target = folders.value(to);
        // Copying announces nothing, so the node to put is copied before recording.
        std::unique_ptr<MenuNode> detached = op == u"put" ? tree.copy(*source->nodes().item(pos)) : nullptr;
        Recorder rec(tree);
        TreeEdit edit;
        if (op == u"page")
            edit.node = tree.insertPage(*target, before);
        else if (op == u"folder")
            edit.node = tree.insertFolder(*target, before);
        else if (op == u"column")
            edit = tree.insertColumn(*target, before);
        else if (op == u"take") {
            const std::unique_ptr<MenuNode> taken = tree.take(*source, pos);
            QVERIFY(!taken || !taken->parent());
        }
        else if (op == u"put")
            edit = tree.put(*target, before, std::move(detached));
        else if (op == u"move")
            edit = tree.move(*source, pos, *target, before);

        QCOMPARE(rec.log.join(u' '), log);
        QCOMPARE(rec.problems, QStringList());
        QCOMPARE(edit.refusal, refusal);
        QStringList problems;
        QCOMPARE(dump(tree.root(), &problems), after);
        QCOMPARE(problems, QStringList());
        if (op == u"put")
            QCOMPARE(bool(detached), !refusal.isEmpty()); // a refused node stays with the caller
        if (edit.ok())
            QCOMPARE(edit.node->parent(), target);
    }

    void takenAndCopiedNodesAreOutOfTheTree()
    {
        MenuTree tree;
        const auto folders = buildSample(tree.root());
        clsFolder *f = folders.value(QStringLiteral("f"));
        f->setOpen(true);
        folders.value(QStringLiteral("g"))->setOpen(true);
        f->setValue(u"lnkOptTypeFolderJS", true);
        f->setValue(u"lnkJS", QStringLiteral("go()"));
        auto *col = static_cast<clsColumn *>(tree.root().nodes().item(3));
        col->load(QStringLiteral("210px"), QStringLiteral("1"));
        Recorder rec(tree);

        // A folder copy is deep, closed at every level and independent.
        const std::unique_ptr<MenuNode> c = tree.copy(*f);
        clsFolder *copy = c->asFolder();
        QVERIFY(!copy->parent());
        QStringList problems;
        QCOMPARE(dump(*copy, &problems), QStringLiteral("b g[c]"));
        QCOMPARE(problems, QStringList());
        QCOMPARE(copy->value(u"lnkJS").toString(), QStringLiteral("go()"));
        QVERIFY(copy->selectedOption(u"lnkOptTypeFolderJS"));
        QVERIFY(!copy->isOpen() && !copy->nodes().item(2)->asFolder()->isOpen());
        static_cast<clsPage *>(copy->nodes().item(1))->setName(QStringLiteral("changed"));
        QCOMPARE(nameOf(f->nodes().item(1)), QStringLiteral("b"));
        // A column keeps its width, not its width flag; the marker is not copied.
        const std::unique_ptr<MenuNode> cc = tree.copy(*col);
        QCOMPARE(cc->asColumn()->width(), QStringLiteral("210px"));
        QCOMPARE(cc->asColumn()->chkColValue(), 0);
        QVERIFY(!tree.copy(*f->nodes().item(3)));
        QCOMPARE(rec.log, QStringList());

        const std::unique_ptr<MenuNode> taken = tree.take(tree.root(), 2);
        QVERIFY(taken.get() == f && !f->parent());

        // Nesting far deeper than a call stack allows is copied without recursion.
        clsFolder deep;
        clsFolder *d = &deep;
        for (int i = 0; i < 100000; ++i)
            d = d->nodes().addFolder(1);
        const std::unique_ptr<MenuNode> dc = tree.copy(deep);
        int levels = 0;
        for (const clsFolder *x = dc->asFolder(); x->nodes().count() > 1; x = x->nodes().item(1)->asFolder())
            ++levels;
        QCOMPARE(levels, 100000);
    }

    void editsMarkTheProjectReadingDoesNot()
    {
        test::ScriptedPrompt prompt;
        clsOptions options(&prompt, nullptr);
        options.loadNewPrjDefaults();
        MenuTree tree;
        connectToProject(tree, options);
        options.setPrjChanged(false);
        Recorder rec(tree);

        auto read = std::make_unique<clsFolder>();
        QVERIFY(ProjectFile::readText(u"start:nodes\r\nstart:page\r\nlnkNamePage:Home\r\nend:page\r\nend:nodes\r\n",
                                      options, *read));
        tree.replaceRoot(std::move(read));
        MenuNode *home = tree.root().nodes().item(1);
        home->loadoptions(options); // showing a node is no edit either
        QVERIFY(!options.prjChanged());

        QVERIFY(tree.setValue(*home, QStringLiteral("lnkURL"), QStringLiteral("index.html")).ok());
        QVERIFY(options.prjChanged());
        options.setPrjChanged(false);
        QVERIFY(!tree.setValue(*home, QStringLiteral("lnkNameFolder"), QStringLiteral("x")).ok());
        QVERIFY(!options.prjChanged());
        MenuNode *col = tree.insertColumn(tree.root(), 1).node;
        options.setPrjChanged(false);
        // A column asked for a key it lacks says so, and still counts as an edit.
        QCOMPARE(tree.setValue(*col, QStringLiteral("lnkURL"), QString()).refusal,
                 QStringLiteral("Debug.cslColumn.value: No tag lnkURL"));
        QVERIFY(options.prjChanged());
        QCOMPARE(rec.log.join(u' '), QStringLiteral("reset? reset =Home lnkURL * +root1 * *"));
    }
};

QTEST_GUILESS_MAIN(TestMenuTree)
#include "tst_menutree.moc"
