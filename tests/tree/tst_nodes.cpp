// The menu tree's nodes: option stores, defaults, choice groups, columns and
// the collection's invariant.

#include "options/options.h"
#include "support/scriptedprompt.h"
#include "tree/menutree.h"
#include "tree/nodes.h"

#include <QTest>

using namespace qwk;

class TestNodes : public QObject {
    Q_OBJECT

private:
    test::ScriptedPrompt prompt;
    std::unique_ptr<clsOptions> options;

private Q_SLOTS:
    void init()
    {
        prompt = {};
        options = std::make_unique<clsOptions>(&prompt, nullptr);
        options->loadNewPrjDefaults();
        options->setPrjChanged(false);
    }

    void catalogueKindsAndApplicability()
    {
        // A folder carries 8 text, 8 choice and 4 check options; a page 15, 10 and 6.
        clsFolder holder;
        clsNodes &nodes = holder.nodes();
        const auto *f = nodes.addFolder(1);
        const auto *p = nodes.addPage(1);
        QCOMPARE(int(f->layout().text.size()), 8);
        QCOMPARE(int(f->layout().choice.size()), 8);
        QCOMPARE(int(f->layout().check.size()), 4);
        QCOMPARE(int(p->layout().text.size()), 15);
        QCOMPARE(int(p->layout().choice.size()), 10);
        QCOMPARE(int(p->layout().check.size()), 6);
        // The per-node stores of the original program held 31, 11 and 9.
        QVERIFY(p->layout().text.size() <= 31 && p->layout().choice.size() <= 11);

        // Key 23 contains "Chk" but is edited in a text field.
        QCOMPARE(findNodeOption(u"lnkChkPageDnnHeaderTemplate")->kind, OptionKind::Text);
        QVERIFY(!f->carriesOption(u"lnkChkPageDnnHeaderTemplate"));
        QVERIFY(p->carriesOption(u"lnkChkPageDnnHeaderTemplate"));
        QVERIFY(!isFolderOptionKey(u"lnkColWidth") && !isPageOptionKey(u"lnkColWidth"));
        QVERIFY(f->isFolderOption(u"lnkURL") && p->isPageOption(u"lnkURL"));
        QVERIFY(!f->isFolderOption(u"lnkNamePage"));
        QVERIFY(!p->isPageOption(u"lnkNameFolder"));
        // Comparisons are case-sensitive: "page" in lower case is not "Page".
        QVERIFY(isFolderOptionKey(u"lnkOptpage"));
    }

    void optionPositionsMatchTheCatalogue()
    {
        const auto cat = nodeOptionCatalogue();
        QCOMPARE(cat[int(NodeOption::SubColWidth)].key, QStringLiteral("lnkSubColWidth"));
        QCOMPARE(cat[int(NodeOption::OptURLNone)].key, QStringLiteral("lnkOptURLNone"));
        QCOMPARE(cat[int(NodeOption::ChkNewWindow)].key, QStringLiteral("lnkChkNewWindow"));
        QCOMPARE(cat[int(NodeOption::NamePage)].key, QStringLiteral("lnkNamePage"));
        QCOMPARE(cat[int(NodeOption::JS)].key, QStringLiteral("lnkJS"));
        QCOMPARE(cat[int(NodeOption::OptURLDNN)].key, QStringLiteral("lnkOptURLDNN"));
        QCOMPARE(cat[int(NodeOption::MenuPosition)].key, QStringLiteral("lnkMenuPosition"));
        QCOMPARE(cat[int(NodeOption::HarddiskIncludePage)].key, QStringLiteral("lnkHarddiskIncludePage"));
        QCOMPARE(int(NodeOption::HarddiskIncludePage), kNodeOptionCount - 1);
        clsPage p;
        p.setValue(u"lnkOptURLNone", true);
        p.setValue(u"lnkURL", QStringLiteral("a.html"));
        for (int i = 0; i < kNodeOptionCount; ++i) {
            QCOMPARE(p.value(NodeOption(i)), p.value(cat[i].key));
            QCOMPARE(p.selectedOption(NodeOption(i)), p.selectedOption(cat[i].key));
        }
        clsFolder f;
        QVERIFY(!f.value(NodeOption::NamePage).isValid());
        QVERIFY(!f.selectedOption(NodeOption::ChkNewWindow));
    }

    void newPageAndFolderDefaults()
    {
        clsFolder holder;
        clsNodes &nodes = holder.nodes();
        clsPage *p = nodes.addPage(1);
        QCOMPARE(p->name(), QStringLiteral("New Page"));
        QCOMPARE(p->classType(), QStringLiteral("page"));
        QCOMPARE(p->value(u"lnkOptTypePageNormal").toBool(), true);
        QCOMPARE(p->value(u"lnkOptURLPageURLNormal").toBool(), true);
        for (const char16_t *k : {u"lnkOptTypePageJS", u"lnkOptAdvanced", u"lnkOptURLPageMyWeb",
                                  u"lnkOptURLNone", u"lnkOptURLNoneInsertFile", u"lnkOptURLDNN",
                                  u"lnkOptURLCSK", u"lnkOptURLHarddisk"})
            QVERIFY2(!p->value(k).toBool(), qPrintable(QString::fromUtf16(k)));
        QCOMPARE(p->value(u"lnkSubColWidth").toString(), QStringLiteral("130px"));
        for (int ci : p->layout().check)
            QCOMPARE(p->value(nodeOptionCatalogue()[ci].key).toInt(), 0);
        QCOMPARE(p->value(u"lnkHarddiskIncludePage").toString(), QStringLiteral(".htm||.html||"));
        QCOMPARE(p->value(u"lnkHarddiskOptionsPage").toString(), QStringLiteral("r||str||sub||ext||"));
        QCOMPARE(p->value(u"lnkChkPageDnnHeaderTemplate").toString(),
                 QStringLiteral("<span class='MainFolderLine'>[FOLDERNAME]: </span>"));

        clsFolder *f = nodes.addFolder(1);
        QCOMPARE(f->name(), QStringLiteral("New Folder"));
        QCOMPARE(f->nodes().count(), 1);
        QCOMPARE(f->nodes().item(1)->classType(), QStringLiteral("EOF"));
        QVERIFY(!f->isOpen());
        QCOMPARE(f->value(u"lnkOptTypeFolderNormal").toBool(), true);

        clsColumn *c = nodes.addColumn(1);
        QCOMPARE(c->width(), QStringLiteral("130px"));
        QCOMPARE(c->chkColValue(), 0);

        // Creating nodes is not an edit of the project.
        QVERIFY(!options->prjChanged());
    }

    void dnnTemplateUsesTheProjectClassName()
    {
        MenuTree tree;
        connectToProject(tree, *options);
        options->setControlValue(u"prjCNMainFolderLine", QStringLiteral("topline"));
        const clsPage *p = tree.insertPage(tree.root(), 1);
        QCOMPARE(p->value(u"lnkChkPageDnnHeaderTemplate").toString(),
                 QStringLiteral("<span class='topline'>[FOLDERNAME]: </span>"));
        options->setControlValue(u"prjCNMainFolderLine", QString());
        const clsPage *q = tree.insertPage(tree.root(), 1);
        QVERIFY(q->value(u"lnkChkPageDnnHeaderTemplate").toString().contains(u"'MainFolderLine'"));
        QVERIFY(p->value(u"lnkChkPageDnnHeaderTemplate").toString().contains(u"'topline'"));
    }

    // A node stores only the texts that differ from a new node's; whatever
    // order they are set in, each slot reads back its own value, null and
    // empty stay apart, and a value set back to the initial one is dropped.
    // The site-map id is kept with them.
    void textValuesReadBackWhateverTheOrder_data()
    {
        QTest::addColumn<QStringList>("steps"); // "key=value", "key" alone for a null value
        QTest::newRow("last slot first") << QStringList{"lnkHarddiskIncludePage=x", "lnkURL=u", "lnkSubColWidth=9px",
                                                        "lnkNamePage=n"};
        QTest::newRow("replaced in the middle")
            << QStringList{"lnkNamePage=a", "lnkURL=b", "lnkJS=c", "lnkURL=d", "lnkNamePage=e"};
        QTest::newRow("back to initial")
            << QStringList{"lnkURL=u", "lnkSubColWidth=1px", "lnkSubColWidth=130px", "lnkURL=", "lnkURL"};
        QTest::newRow("empty is not null") << QStringList{"lnkNamePage=", "lnkHarddiskOptionsPage", "lnkJS=j"};
        QTest::newRow("site-map id among them")
            << QStringList{"secn=e1d1", "lnkNamePage=a", "lnkHarddiskIncludePage=z", "secn=e1d2", "lnkNamePage",
                           "secn"};
    }
    void textValuesReadBackWhateverTheOrder()
    {
        QFETCH(QStringList, steps);
        clsPage p;
        const OptionNode::Layout &l = p.layout();
        QList<QString> expected;
        for (size_t s = 0; s < l.text.size(); ++s)
            expected.append(p.textAt(int(s)));
        QString secn;
        for (const QString &step : steps) {
            const qsizetype eq = step.indexOf(u'=');
            const QString key = eq < 0 ? step : step.left(eq);
            const QString value = eq < 0 ? QString() : step.mid(eq + 1);
            if (key == u"secn") {
                p.setSecn(value);
                secn = value;
                continue;
            }
            const int slot = p.Index(key);
            QVERIFY(slot >= 0);
            p.setTextAt(slot, value);
            expected[slot] = value;
        }
        const clsPage fresh;
        for (size_t s = 0; s < l.text.size(); ++s) {
            const QString key = nodeOptionCatalogue()[l.text[s]].key;
            const QString &got = p.textAt(int(s));
            QVERIFY2(got == expected[s] && got.isNull() == expected[s].isNull(), qPrintable(key));
            QCOMPARE(p.textValue(NodeOption(l.text[s])), got);
            const QString &initial = fresh.textAt(int(s));
            QCOMPARE(p.storesText(int(s)), !(got == initial && got.isNull() == initial.isNull()));
        }
        QCOMPARE(p.secn(), secn);
    }

    void choiceGroupsExcludeWithinTheirGroupOnly()
    {
        clsPage p;
        p.setValue(u"lnkOptURLDNN", true);
        p.setValue(u"lnkOptAdvanced", true);
        p.setValue(u"lnkOptURLNone", true);
        QVERIFY(p.value(u"lnkOptURLNone").toBool());
        QVERIFY(!p.value(u"lnkOptAdvanced").toBool());
        QVERIFY(!p.value(u"lnkOptURLPageURLNormal").toBool());
        QVERIFY(!p.value(u"lnkOptURLPageMyWeb").toBool());
        QVERIFY(!p.value(u"lnkOptURLNoneInsertFile").toBool());
        // Other groups are independent.
        QVERIFY(p.value(u"lnkOptURLDNN").toBool());
        QVERIFY(p.value(u"lnkOptTypePageNormal").toBool());
        QVERIFY(!p.value(u"lnkOptTypePageJS").toBool());

        // Setting a choice False clears nothing else.
        p.setValue(u"lnkOptURLNone", false);
        QVERIFY(p.value(u"lnkOptURLDNN").toBool());
        QVERIFY(!p.value(u"lnkOptURLNone").toBool());
        QVERIFY(!p.value(u"lnkOptURLPageURLNormal").toBool());
    }

    void selectedOptionAndIndex()
    {
        clsPage p;
        p.setValue(u"lnkChkNewWindow", 2);
        QVERIFY(!p.selectedOption(u"lnkChkNewWindow"));
        p.setValue(u"lnkChkNewWindow", 1);
        QVERIFY(p.selectedOption(u"lnkChkNewWindow"));
        p.setValue(u"lnkNamePage", QStringLiteral("1"));
        QVERIFY(!p.selectedOption(u"lnkNamePage"));
        QVERIFY(p.selectedOption(u"lnkOptTypePageNormal"));
        QVERIFY(!p.selectedOption(u"lnkNoSuchKey"));

        // Index counts within the option's own store, in catalogue order.
        QCOMPARE(p.Index(u"lnkSubColWidth"), 0);
        QCOMPARE(p.Index(u"lnkOptTypePageJS"), 0);
        QCOMPARE(p.Index(u"lnkChkSubColValue"), 0);
        QCOMPARE(p.Index(u"lnkNamePage"), 1);
        QCOMPARE(p.Index(u"lnkNameFolder"), -1);
        QCOMPARE(p.Index(u"bogus"), -1);
        QVERIFY(!p.value(u"lnkNameFolder").isValid());
    }

    void valuesConvertToTheirKindAndLoseLineBreaks()
    {
        clsPage p;
        p.setValue(u"lnkJS", QStringLiteral("alert(1);\r\nalert(2);\nalert(3)\r"));
        QCOMPARE(p.value(u"lnkJS").toString(), QStringLiteral("alert(1); alert(2); alert(3) "));
        p.setValue(u"lnkOptTypePageJS", QStringLiteral("true"));
        QCOMPARE(p.value(u"lnkOptTypePageJS").typeId(), QMetaType::Bool);
        QVERIFY(p.value(u"lnkOptTypePageJS").toBool());
        QVERIFY(!p.value(u"lnkOptTypePageNormal").toBool());
        p.setValue(u"lnkChkNoPageImage", QStringLiteral("1"));
        QCOMPARE(p.value(u"lnkChkNoPageImage").toInt(), 1);
        p.setValue(u"lnkURL", 42);
        QCOMPARE(p.value(u"lnkURL").toString(), QStringLiteral("42"));
    }

    void copyPropertiesCopiesOptionsOnly()
    {
        clsPage a;
        a.setKey(QStringLiteral("n3"));
        a.setSecn(QStringLiteral("e1d2"));
        a.setValue(u"lnkNamePage", QStringLiteral("Home"));
        a.setValue(u"lnkURL", QStringLiteral("index.html"));
        a.setValue(u"lnkOptURLNone", true);
        a.setValue(u"lnkChkNewWindow", 1);
        clsPage b;
        b.setKey(QStringLiteral("n9"));
        b.copyProperties(a);
        QCOMPARE(b.name(), QStringLiteral("Home"));
        QCOMPARE(b.value(u"lnkURL").toString(), QStringLiteral("index.html"));
        QVERIFY(b.value(u"lnkOptURLNone").toBool());
        QVERIFY(!b.value(u"lnkOptURLPageURLNormal").toBool());
        QCOMPARE(b.value(u"lnkChkNewWindow").toInt(), 1);
        QCOMPARE(b.key(), QStringLiteral("n9"));
        QVERIFY(b.secn().isEmpty());

        clsFolder fa;
        fa.setName(QStringLiteral("Products"));
        fa.nodes().addPage(1);
        fa.setOpen(true);
        clsFolder fb;
        fb.copyProperties(fa);
        QCOMPARE(fb.name(), QStringLiteral("Products"));
        QCOMPARE(fb.nodes().count(), 1); // children are not copied
        QVERIFY(!fb.isOpen());
    }

    void columnValuesAndUnknownKey()
    {
        clsColumn c;
        QVERIFY(c.setValue(u"lnkColWidth", QStringLiteral("200px")));
        QVERIFY(c.setValue(u"lnkChkColValue", 1));
        QCOMPARE(c.width(), QStringLiteral("200px"));
        QCOMPARE(c.chkColValue(), 1);
        QCOMPARE(c.value(u"lnkColWidth").toString(), QStringLiteral("200px"));
        QVERIFY(!c.value(u"lnkURL").isValid());
        QVERIFY(!c.setValue(u"lnkNamePage", QStringLiteral("x")));
        QCOMPARE(c.width(), QStringLiteral("200px"));
        // Values are stored, not announced: marking the project is the tree's part.
        QVERIFY(!options->prjChanged());
    }

    void showingANodeFillsTheFieldsWithoutAnEdit()
    {
        clsFolder root;
        clsPage *p = root.nodes().addPage(1);
        p->setValue(u"lnkURL", QStringLiteral("a.html"));
        p->setValue(u"lnkOptTypePageJS", true);
        p->setValue(u"lnkChkNoPageImage", 1);
        clsColumn *c = root.nodes().addColumn(2);
        c->setWidth(QStringLiteral("99px"));
        options->setPrjChanged(false);

        PropertyFrame f = p->loadoptions(*options);
        QCOMPARE(f.frame, QStringLiteral("FramePageMain"));
        QCOMPARE(f.subFrameKey, QStringLiteral("lnkOptTypePageJS"));
        QCOMPARE(f.shownChecks, QStringList{QStringLiteral("lnkChkNoPageImage")});
        QCOMPARE(f.hiddenChecks.size(), 3);
        QCOMPARE(options->text(u"lnkURL"), QStringLiteral("a.html"));
        QCOMPARE(options->controlValue(u"lnkOptTypePageJS").toBool(), true);
        QCOMPARE(options->controlValue(u"lnkOptTypePageNormal").toBool(), false);

        f = c->loadoptions(*options);
        QCOMPARE(f.frame, QStringLiteral("frameColumn"));
        QCOMPARE(options->text(u"lnkColWidth"), QStringLiteral("99px"));

        clsFolder *fo = root.nodes().addFolder(1);
        f = fo->loadoptions(*options);
        QCOMPARE(f.frame, QStringLiteral("frameFolderMain"));
        QCOMPARE(f.subFrameKey, QStringLiteral("lnkOptTypeFolderNormal"));
        QCOMPARE(options->text(u"lnkNameFolder"), QStringLiteral("New Folder"));
        QCOMPARE(root.nodes().item(root.nodes().count())->loadoptions(*options).frame, QStringLiteral("frameEOF"));
        QVERIFY(!options->prjChanged());
        QVERIFY(!options->loadingOptions());
    }

    void collectionKeepsItsMarkerLast()
    {
        clsFolder root;
        clsNodes &n = root.nodes();
        n.addPage(n.count());
        n.addFolder(n.count());
        n.addColumn(n.count());
        QCOMPARE(n.count(), 4);
        QCOMPARE(n.item(1)->classType(), QStringLiteral("page"));
        QCOMPARE(n.item(2)->classType(), QStringLiteral("folder"));
        QCOMPARE(n.item(3)->classType(), QStringLiteral("column"));
        QCOMPARE(n.item(4)->classType(), QStringLiteral("EOF"));
        QVERIFY(n.item(0) == nullptr && n.item(5) == nullptr);
        n.addPage(1);
        QCOMPARE(n.item(1)->classType(), QStringLiteral("page"));
        QCOMPARE(n.item(5)->classType(), QStringLiteral("EOF"));
        auto taken = n.take(3);
        QCOMPARE(taken->classType(), QStringLiteral("folder"));
        n.addItem(std::move(taken), 1);
        QCOMPARE(n.item(1)->classType(), QStringLiteral("folder"));
        n.remove(1);
        QCOMPARE(n.count(), 4);
        n.remove(99); // out of range: nothing happens
        QCOMPARE(n.count(), 4);
    }

    void treeKeysAreParentKeyPlusPosition()
    {
        clsFolder root;
        root.nodes().addPage(1);
        clsFolder *f = root.nodes().addFolder(2);
        f->nodes().addPage(1);
        f->nodes().addPage(1);
        clsFolder *g = f->nodes().addFolder(3);
        assignTreeKeys(root);
        QCOMPARE(root.nodes().item(1)->key(), QStringLiteral("n1"));
        QCOMPARE(f->key(), QStringLiteral("n2"));
        QCOMPARE(root.nodes().item(3)->key(), QStringLiteral("n3")); // the root's marker
        QCOMPARE(f->nodes().item(2)->key(), QStringLiteral("n2n2"));
        QCOMPARE(g->key(), QStringLiteral("n2n3"));
        QCOMPARE(g->nodes().item(1)->key(), QStringLiteral("n2n3n1"));
        QCOMPARE(f->nodes().item(4)->key(), QStringLiteral("n2n4"));
    }

    void deepTreesAreBuiltAndFreedWithoutRecursion()
    {
        // Deep enough to overflow the stack if teardown recursed.
        auto root = std::make_unique<clsFolder>();
        clsFolder *f = root.get();
        for (int i = 0; i < 200000; ++i)
            f = f->nodes().addFolder(1);
        root.reset();

        // Keys grow with depth, so key a shallower (but still deep) chain.
        root = std::make_unique<clsFolder>();
        f = root.get();
        for (int i = 0; i < 3000; ++i)
            f = f->nodes().addFolder(1);
        assignTreeKeys(*root);
        QCOMPARE(f->key().size(), 2 * 3000);
        QVERIFY(f->key().startsWith(u"n1n1n1"));
    }
};

QTEST_GUILESS_MAIN(TestNodes)
#include "tst_nodes.moc"
