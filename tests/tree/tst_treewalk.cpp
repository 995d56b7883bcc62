#include "tree/treewalk.h"

#include <QTest>

#include <algorithm>
#include <utility>

using namespace qwk;

namespace {

// Every call as a token: "<d" entering a folder at depth d, ">d" leaving it,
// an entry as its name ("$" for the end-of-folder marker) with depth.position.
struct Recorder {
    QStringList calls;
    void enterFolder(const clsFolder &, int depth) { calls << u'<' + QString::number(depth); }
    void leaveFolder(const clsFolder &, int depth) { calls << u'>' + QString::number(depth); }
    void node(const MenuNode &n, int depth, int position)
    {
        const QString what = n.isEndMarker() ? QStringLiteral("$")
                             : n.asColumn()  ? QStringLiteral("col")
                                             : static_cast<const OptionNode &>(n).name();
        calls << what + QString::number(depth) + u'.' + QString::number(position);
    }
};

} // namespace

class tst_TreeWalk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void order_data()
    {
        QTest::addColumn<bool>("markers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("entries") << false << "<0 a1.1 f1.2 <1 b2.1 g2.2 <2 >2 >1 col1.3 >0";
        QTest::newRow("with end markers") << true
                                          << "<0 a1.1 f1.2 <1 b2.1 g2.2 <2 $3.1 >2 $2.3 >1 col1.3 $1.4 >0";
    }

    void order()
    {
        QFETCH(bool, markers);
        QFETCH(QString, expected);
        // a f[b g[]] column
        clsFolder root;
        root.nodes().addPage(1)->setName(QStringLiteral("a"));
        clsFolder *f = root.nodes().addFolder(2);
        f->setName(QStringLiteral("f"));
        f->nodes().addPage(1)->setName(QStringLiteral("b"));
        f->nodes().addFolder(2)->setName(QStringLiteral("g"));
        root.nodes().addColumn(3);
        Recorder r;
        if (markers)
            walkTree<EndMarkers::Visit>(std::as_const(root), r);
        else
            walkTree(std::as_const(root), r);
        QCOMPARE(r.calls.join(u' '), expected);
    }

    void tenThousandLevels()
    {
        constexpr int kLevels = 10000;
        clsFolder root;
        clsFolder *f = &root;
        for (int i = 0; i < kLevels; ++i)
            f = f->nodes().addFolder(1);
        f->nodes().addPage(1);
        struct Balance {
            int open = 0, entered = 0, deepest = 0, pageDepth = 0;
            bool balanced = true; // every call at the depth of the folders open
            void enterFolder(const clsFolder &, int depth)
            {
                balanced = balanced && depth == open;
                ++open;
                ++entered;
                deepest = std::max(deepest, depth);
            }
            void leaveFolder(const clsFolder &, int depth)
            {
                --open;
                balanced = balanced && depth == open;
            }
            void node(const MenuNode &n, int depth, int)
            {
                balanced = balanced && depth == open;
                if (n.asPage())
                    pageDepth = depth;
            }
        } b;
        walkTree(std::as_const(root), b);
        QVERIFY(b.balanced);
        QCOMPARE(b.open, 0);
        QCOMPARE(b.entered, kLevels + 1);
        QCOMPARE(b.deepest, kLevels);
        QCOMPARE(b.pageDepth, kLevels + 1);
    }
};

QTEST_APPLESS_MAIN(tst_TreeWalk)
#include "tst_treewalk.moc"
