// The menu data: section ids, data calls, flags, widths and the advanced
// addresses, checked against exact call texts.

#include "core/prompt.h"
#include "generator/folderexpansion.h"
#include "generator/menuflags.h"
#include "generator/runservices.h"
#include "generator/serialiser.h"
#include "options/options.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qwk;

namespace {

struct Fixture : test::NodeMaker {
    test::ScriptedPrompt prompt;
    clsOptions options{&prompt, nullptr};
    ScriptNameTables tables;
    std::unique_ptr<RunServices> run;
    clsFolder root;

    Fixture()
    {
        options.loadNewPrjDefaults();
        options.setControlValue(u"prjChkTreeMenus", 1);
        options.setControlValue(u"prjChkAllMenusClosed", 1);
        run = std::make_unique<RunServices>(options, prompt, tables);
    }
    // The data calls of the whole tree, one per line, without line ends.
    QStringList calls(const QString &width = {})
    {
        run->readOptionFlags();
        MenuSerialiser s(*run);
        QString out;
        QString id = run->menuLetter() + QStringLiteral("1d0");
        s.serialiseNodes(out, root.nodes(), id, width);
        return out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

} // namespace

class TestSerialiser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sectionIds()
    {
        QCOMPARE(nextSiblingId(QStringLiteral("e1d0")), QStringLiteral("e1d1"));
        QCOMPARE(nextSiblingId(QStringLiteral("e1d1d4")), QStringLiteral("e1d1d5"));
        QCOMPARE(nextSiblingId(QStringLiteral("e1d9")), QStringLiteral("e1d10"));
        QCOMPARE(nextBlockId(QStringLiteral("e1d7")), QStringLiteral("e2d0"));
        QCOMPARE(nextBlockId(QStringLiteral("e12d3")), QStringLiteral("e13d0"));
        QCOMPARE(advanceLastNumber(QStringLiteral("e1d3"), 100), QStringLiteral("e1d103"));
        QCOMPARE(advanceLastNumber(QStringLiteral("e1d2d3"), 500), QStringLiteral("e1d2d503"));
        QVERIFY(isMainLevel(QStringLiteral("e1d3")));
        QVERIFY(!isMainLevel(QStringLiteral("e1d3d1")));
    }

    void secondMenuExampleCallForCall()
    {
        Fixture f;
        f.options.setControlValue(u"prjMultipleMenu", 1);
        f.options.setControlValue(u"prjMultipleMenuNumber", QStringLiteral("2"));
        clsFolder *products = f.folder(f.root.nodes(), QStringLiteral("Products"));
        f.page(products->nodes(), QStringLiteral("Widgets"), QStringLiteral("widgets.html"));
        f.page(products->nodes(), QStringLiteral("Gadgets"), QStringLiteral("gadgets.html"));
        f.page(f.root.nodes(), QStringLiteral("Contact"), QStringLiteral("contact.html"));
        QCOMPARE(f.calls(), QStringList({
                                QStringLiteral("q2MF(\"f1d1\",\"\",\"Products\",\"\",\"\");"),
                                QStringLiteral("q2LK(\"f1d1d1\",\"iw\",\"Widgets\",\"widgets.html\",\"\");"),
                                QStringLiteral("q2LK(\"f1d1d2\",\"iw\",\"Gadgets\",\"gadgets.html\",\"\");"),
                                QStringLiteral("q2DE();"),
                                QStringLiteral("q2MF(\"f1d2\",\"iwnf\",\"Contact\",\"contact.html\",\"\");"),
                                QStringLiteral("q2DE();"),
                            }));
    }

    void emptyTreeAndEmptyFolder()
    {
        Fixture f;
        QVERIFY(f.calls().isEmpty());
        f.folder(f.root.nodes(), QStringLiteral("Empty"));
        QCOMPARE(f.calls(), QStringList({QStringLiteral("qMF(\"e1d1\",\"\",\"Empty\",\"\",\"\");"),
                                         QStringLiteral("qDE();")}));
    }

    void columnsStartNewBlocks()
    {
        Fixture f;
        f.options.setControlValue(u"prjChkFirstColValue", 1);
        f.options.setControlValue(u"prjFirstColWid", QStringLiteral(" 150px "));
        f.page(f.root.nodes(), QStringLiteral("A"), QStringLiteral("a.html"));
        f.root.nodes().addColumn(f.root.nodes().count());
        clsColumn *own = f.root.nodes().addColumn(f.root.nodes().count());
        own->setWidth(QStringLiteral("99px"));
        own->setChkColValue(1);
        f.page(f.root.nodes(), QStringLiteral("B"), QStringLiteral("b.html"));
        f.page(f.root.nodes(), QStringLiteral("C"), QStringLiteral("c.html"));
        const QStringList c = f.calls(QStringLiteral("120px"));
        QCOMPARE(c.size(), 2 + 2 + 4 + 2);
        QCOMPARE(c[0], QStringLiteral("qMF(\"e1d1\",\"iwnf\",\"A\",\"a.html\",\"120px\");"));
        QCOMPARE(c[2], QStringLiteral("//new column"));
        QCOMPARE(c[3], QStringLiteral("qCOL();"));
        QCOMPARE(c[5], QStringLiteral("qCOL();"));
        // The first column takes the project's first-column width, the second its own.
        QCOMPARE(c[6], QStringLiteral("qMF(\"e3d1\",\"iwnf\",\"B\",\"b.html\",\"99px\");"));
        QCOMPARE(c[8], QStringLiteral("qMF(\"e3d2\",\"iwnf\",\"C\",\"c.html\",\"99px\");"));
    }

    void flagStrings()
    {
        Fixture f;
        f.page(f.root.nodes(), QStringLiteral("Home*07"), QStringLiteral("index.html"));
        clsPage *ext = f.page(f.root.nodes(), QStringLiteral("Out"), QStringLiteral("http://x.org/"));
        ext->setValue(u"lnkChkNewWindow", 1);
        clsFolder *fo = f.folder(f.root.nodes(), QStringLiteral("F*12"));
        clsPage *js = f.page(fo->nodes(), QStringLiteral("Hi"));
        js->setValue(u"lnkOptTypePageJS", true);
        js->setValue(u"lnkJS", QStringLiteral("alert('hi')"));
        clsPage *none = f.page(fo->nodes(), QStringLiteral("Label"));
        none->setValue(u"lnkOptURLNone", true);
        none->setValue(u"lnkChkNoPageImage", 1);
        clsFolder *script = f.folder(fo->nodes(), QStringLiteral("Scripted"));
        script->setValue(u"lnkOptTypeFolderJS", true);
        const QStringList c = f.calls();
        QCOMPARE(c[0], QStringLiteral("qMF(\"e1d1\",\"cn07iwnf\",\"Home\",\"index.html\",\"\");"));
        QCOMPARE(c[2], QStringLiteral("qMF(\"e1d2\",\"ewnf\",\"Out\",\"http://x.org/\",\"\");"));
        QCOMPARE(c[4], QStringLiteral("qMF(\"e1d3\",\"cn12\",\"F\",\"\",\"\");"));
        QCOMPARE(c[5], QStringLiteral("qLK(\"e1d3d1\",\"j\",\"Hi\",\"alert('hi')\",\"\");"));
        QCOMPARE(c[6], QStringLiteral("qLK(\"e1d3d2\",\"nlnm\",\"Label\",\"\",\"\");"));
        QCOMPARE(c[7], QStringLiteral("qSF(\"e1d3d3\",\"\",\"Scripted\",\"return true;\",\"\");"));
        QVERIFY(f.run->logText().contains(u"Warning: \"Open in New Window\" produces non-strict HTML (target=_blank).\n  See page: \"Out\""));

        // Folders open on the first visit.
        Fixture g;
        g.options.setControlValue(u"prjChkAllMenusOpen", 1);
        clsFolder *m = g.folder(g.root.nodes(), QStringLiteral("M"));
        g.folder(m->nodes(), QStringLiteral("S"));
        const QStringList d = g.calls();
        QVERIFY(d[0].contains(u"\"mfo\""));
        QVERIFY(d[1].contains(u"\"sfo\""));
    }

    void dropDownCodes()
    {
        Fixture f;
        f.options.setControlValue(u"prjChkTreeMenus", 0);
        f.options.setControlValue(u"prjChkMainMenusDownward", 1);
        clsFolder *main = f.folder(f.root.nodes(), QStringLiteral("Main*03"));
        main->setValue(u"lnkMenuPosition", QStringLiteral(".50le"));
        clsFolder *sub = f.folder(main->nodes(), QStringLiteral("Sub"));
        sub->setValue(u"lnkMenuPosition", QStringLiteral(".50le"));
        f.page(main->nodes(), QStringLiteral("P"), QStringLiteral("p.html"));
        f.page(f.root.nodes(), QStringLiteral("Top"), QStringLiteral("t.html"));
        const QStringList c = f.calls();
        QCOMPARE(c[0], QStringLiteral("qMF(\"e1d1\",\"cn03dd.00\",\"Main\",\"\",\"\");"));
        QCOMPARE(c[1], QStringLiteral("qSF(\"e1d1d1\",\"dd.50le\",\"Sub\",\"\",\"\");"));
        QCOMPARE(c[3], QStringLiteral("qLK(\"e1d1d2\",\"ddiw\",\"P\",\"p.html\",\"\");"));
        QCOMPARE(c[5], QStringLiteral("qMF(\"e1d2\",\"dd.00iwnf\",\"Top\",\"t.html\",\"\");"));
        // The tree's own folders carry the open marks in drop-down menus too.
        f.options.setControlValue(u"prjChkAllMenusOpen", 1);
        const QStringList open = f.calls();
        QCOMPARE(open[0], QStringLiteral("qMF(\"e1d1\",\"cn03dd.00mfo\",\"Main\",\"\",\"\");"));
        QCOMPARE(open[1], QStringLiteral("qSF(\"e1d1d1\",\"dd.50lesfo\",\"Sub\",\"\",\"\");"));
        f.options.setControlValue(u"prjChkAllMenusOpen", 0);

        f.options.setControlValue(u"prjChkMainMenusDownward", 0);
        const MenuFlags t(f.options);
        QCOMPARE(t.dropDownCode(QStringLiteral("to"), true), QStringLiteral("ddto"));
        QCOMPARE(t.dropDownCode(QStringLiteral(".25tole"), true), QStringLiteral("dd.25tole"));
        QCOMPARE(t.dropDownCode(QString(), false), QStringLiteral("dd"));
    }

    void hiddenScriptTakesNoId()
    {
        Fixture f;
        f.page(f.root.nodes(), QStringLiteral("A"), QStringLiteral("a.html"));
        clsPage *hidden = f.page(f.root.nodes(), QStringLiteral("var x=1;"));
        hidden->setValue(u"lnkChkPageNameIsHiddenJavascript", 1);
        f.page(f.root.nodes(), QStringLiteral("B"), QStringLiteral("b.html"));
        const QStringList c = f.calls();
        QCOMPARE(c[2], QStringLiteral("var x=1;"));
        QVERIFY(c[3].startsWith(u"qMF(\"e1d2\""));
    }

    void namesAndAddressesAreSafeInsideStrings()
    {
        Fixture f;
        f.options.setControlValue(u"prjChkTreeMenus", 1);
        const QStringList names = {QStringLiteral("C:\\docs\\"), QStringLiteral("it's"), QStringLiteral("</script>"),
                                   QStringLiteral("Ünïcödé 日本"), QStringLiteral("שלום עולם"),
                                   QStringLiteral("tab\\n newline")};
        clsFolder *fo = f.folder(f.root.nodes(), QStringLiteral("Back\\slash"));
        for (const QString &n : names)
            f.page(fo->nodes(), n, QStringLiteral("a\\b's </x> ") + n);
        clsPage *js = f.page(fo->nodes(), QStringLiteral("script"));
        js->setValue(u"lnkOptTypePageJS", true);
        js->setValue(u"lnkJS", QStringLiteral("alert('a\\nb\\\\')"));
        clsPage *fn = f.page(fo->nodes(), QStringLiteral("'computed'+1"));
        fn->setValue(u"lnkChkPageNameIsFunction", 1);
        const QStringList c = f.calls();
        QVERIFY(c[0].contains(u"\"Back\\\\slash\""));
        QVERIFY(c[1].contains(u"\"C:\\\\docs\\\\\""));
        QVERIFY(c.join(u'\n').contains(u",'computed'+1,"));
        const QString script = QStringLiteral("function qMF(){}function qSF(){}function qLK(){}function qDE(){}\n")
                               + c.join(u'\n');
        QCOMPARE(test::nodeCheck(script), QString());
    }

    void abortsNameTheNode()
    {
        Fixture f;
        f.page(f.root.nodes(), QStringLiteral("Say \"hi\""), QStringLiteral("a.html"));
        try {
            f.calls();
            QFAIL("a double quote in a name must stop the run");
        } catch (const RunAborted &e) {
            QVERIFY(e.description().contains(u"Name contains a double quote"));
            QVERIFY(e.description().contains(u"page: \"Say \"hi\"\""));
        }
        Fixture g;
        clsFolder *fo = g.folder(g.root.nodes(), QStringLiteral("F"));
        fo->setValue(u"lnkOptTypeFolderJS", true);
        fo->setValue(u"lnkJS", QStringLiteral("alert(\"x\")"));
        try {
            g.calls();
            QFAIL("a double quote in a folder script must stop the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(), QStringLiteral("Javascript contains double quote\n  See folder : \"F\""));
        }
    }

    void automaticWidths()
    {
        Fixture f;
        f.options.setControlValue(u"prjAutomaticWidth", 1);
        clsFolder *fo = f.folder(f.root.nodes(), QStringLiteral("Products"));     // 8
        f.page(fo->nodes(), QStringLiteral("Twelve chars"), QStringLiteral("x")); // 12
        clsPage *label = f.page(fo->nodes(), QStringLiteral("A very long label without link"));
        label->setValue(u"lnkOptURLNone", true); // does not widen its level
        f.page(f.root.nodes(), QStringLiteral("A"), QStringLiteral("a.html"));
        const QStringList c = f.calls(QStringLiteral("[$e1d0$]"));
        QCOMPARE(c[0], QStringLiteral("qMF(\"e1d1\",\"\",\"Products\",\"\",\"80px\");"));
        QCOMPARE(c[1], QStringLiteral("qLK(\"e1d1d1\",\"iw\",\"Twelve chars\",\"x\",\"100px\");"));
        QCOMPARE(c[2], QStringLiteral("qLK(\"e1d1d2\",\"nl\",\"A very long label without link\",\"\",\"100px\");"));
        QCOMPARE(c[4], QStringLiteral("qMF(\"e1d2\",\"iwnf\",\"A\",\"a.html\",\"80px\");"));

        // A result beyond 16 bits leaves the width empty.
        Fixture g;
        g.options.setControlValue(u"prjAutomaticWidth", 1);
        g.options.setControlValue(u"prjPixelsPerCharacter", QStringLiteral("5000"));
        g.page(g.root.nodes(), QStringLiteral("Sevenchars"), QStringLiteral("x"));
        QCOMPARE(g.calls(QStringLiteral("[$e1d0$]"))[0], QStringLiteral("qMF(\"e1d1\",\"iwnf\",\"Sevenchars\",\"x\",\"\");"));

        // Columns close their block's width and open a new one.
        Fixture h;
        h.options.setControlValue(u"prjAutomaticWidth", 1);
        h.page(h.root.nodes(), QStringLiteral("Short"), QStringLiteral("x"));
        h.root.nodes().addColumn(h.root.nodes().count());
        h.page(h.root.nodes(), QStringLiteral("Rather longer"), QStringLiteral("y"));
        const QStringList d = h.calls(QStringLiteral("[$e1d0$]"));
        QVERIFY(d[0].endsWith(u"\"65px\");"));
        QVERIFY(d[4].endsWith(u"\"105px\");"));
        QVERIFY(!d.join(u' ').contains(u"[$"));

        // Nested levels are filled after the walk, each call with its own
        // level's width; bracket text in a name that names no level stays.
        Fixture n;
        n.options.setControlValue(u"prjAutomaticWidth", 1);
        clsFolder *sub = n.folder(n.folder(n.root.nodes(), QStringLiteral("Products"))->nodes(), QStringLiteral("Sub"));
        n.page(sub->nodes(), QStringLiteral("[$nope$] [$e1"), QStringLiteral("d")); // 13 characters
        const QStringList e = n.calls(QStringLiteral("[$e1d0$]"));
        const char16_t *const ends[]
            = { u"\"Products\",\"\",\"80px\");", u"\"Sub\",\"\",\"55px\");", u"\"[$nope$] [$e1\",\"d\",\"105px\");" };
        for (int i = 0; i < 3; ++i)
            QVERIFY2(e[i].endsWith(QStringView(ends[i])), qPrintable(e[i]));

        // With the languages on the server the wrapped placeholder goes whole.
        Fixture s;
        s.options.setControlValue(u"prjAutomaticWidth", 1);
        s.options.setControlValue(u"prjChkMultiLingual", 1);
        s.options.setControlValue(u"prjAspMultiLingual", 1);
        s.page(s.root.nodes(), QStringLiteral("Home"), QStringLiteral("x"));
        QCOMPARE(s.calls(QStringLiteral("[%multilingualList(%%[$e1d0$]%%)%]"))[0],
                 QStringLiteral("qMF(\"e1d1\",\"iwnf\",\"[%multilingualList(%%Home%%)%]\",\"x\",\"60px\");"));
    }

    // Automatic widths fill in the placeholders the writer put into the
    // width arguments; the same characters anywhere else stay as they are,
    // whoever wrote them: a name, a script name, hidden script, a file
    // listed from disk, or a name forging the writer's own mark.
    void placeholdersOnlyWhereWritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("times"); // how often the text is written
        // Every level key the trees below have.
        const QString keys = QStringLiteral("[$e1d0$] [$e1d1d0$] [$e1d2d0$] [$e1d3d0$] [$e1d2d1d0$] [$e1d3d1d0$]");
        QTest::newRow("page names") << "page" << keys << 2;
        QTest::newRow("folder names") << "folder" << keys << 2;
        QTest::newRow("names that are script") << "function" << "'" + keys + "'" << 2;
        QTest::newRow("hidden script") << "hidden" << "var t='" + keys + "';" << 2;
        QTest::newRow("files listed from disk") << "file" << keys << 4;
        QTest::newRow("forged mark") << "page" << QString(QChar(kFillMark)) + "[$e1d0$] x" << 2;
    }
    void placeholdersOnlyWhereWritten()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(int, times);
        Fixture f;
        QTemporaryDir web;
        f.options.setControlValue(u"prjAutomaticWidth", 1);
        f.options.setControlValue(u"prjFilWebRoot", web.path());
        QDir(web.path()).mkpath(QStringLiteral("docs/sub"));
        test::writeBytes(web.filePath("docs/" + text + ".html"), "x");
        test::writeBytes(web.filePath("docs/sub/" + text + ".html"), "x");
        // The item at the top level and again inside a folder.
        const auto add = [&](clsNodes &nodes) {
            if (kind == u"folder") {
                f.folder(nodes, text);
                return;
            }
            clsPage *p = f.page(nodes, kind == u"file" ? QStringLiteral("Docs") : text, QStringLiteral("x.html"));
            if (kind == u"function")
                p->setValue(u"lnkChkPageNameIsFunction", 1);
            if (kind == u"hidden")
                p->setValue(u"lnkChkPageNameIsHiddenJavascript", 1);
            if (kind == u"file") {
                p->setValue(u"lnkOptAdvanced", true);
                p->setValue(u"lnkOptURLHarddisk", true);
                p->setValue(u"lnkHarddiskDirPage", web.filePath(QStringLiteral("docs")));
                p->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||str||sub||ext||"));
            }
        };
        add(f.root.nodes());
        add(f.folder(f.root.nodes(), QStringLiteral("Folder"))->nodes());

        f.run->readOptionFlags();
        MenuSerialiser s(*f.run);
        HardDiskDirectory folders(*f.run);
        s.setFolderExpansion([&](QString &out, const clsPage &page, MenuSerialiser::LevelState &level) {
            folders.expandIntoMenu(out, page, level);
        });
        QString out;
        QString id = QStringLiteral("e1d0");
        s.serialiseNodes(out, f.root.nodes(), id, QStringLiteral("[$e1d0$]"));

        // As typed, with only the mark written as its escape.
        QString written = text;
        written.replace(QChar(kFillMark), QStringLiteral("\\uFDD0"));
        if (kind == u"file")
            written += QStringLiteral(".html");
        QCOMPARE(out.count(written), times);
        // Every placeholder the writer put was filled.
        QVERIFY(!out.contains(QChar(kFillMark)));
        QCOMPARE(test::nodeCheck(QStringLiteral("function qMF(){}function qSF(){}function qLK(){}function qDE(){}\n")
                     + out),
            QString());
    }

    // Widths and class names typed by the author are written bare or inside
    // quotes into markup; a value that would reach beyond its place stops
    // the run with a message that names the option and the value.
    void typedValuesChecked_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written"); // empty: the run stops
        QTest::newRow("sub-menu width") << "lnkSubColWidth" << "130px" << "\"130px\");";
        QTest::newRow("sub-menu width, blanks kept") << "lnkSubColWidth" << " 7.5em" << "\" 7.5em\");";
        QTest::newRow("sub-menu width per language") << "lnkSubColWidth" << "100px;;120;;" << "\"100px;;120;;\");";
        QTest::newRow("sub-menu width with an attribute")
            << "lnkSubColWidth" << "130 onmouseover=alert(1)" << "";
        QTest::newRow("column width") << "lnkColWidth" << "50%" << "\"50%\");";
        QTest::newRow("column width with a quote") << "lnkColWidth" << "50%'" << "";
        QTest::newRow("first column width") << "prjFirstColWid" << " 150 " << "\"150\");";
        QTest::newRow("first column width with a tag") << "prjFirstColWid" << "1px><b>" << "";
        QTest::newRow("class name") << "prjCNMenuTreeBox" << "tree-box" << "<td class='tree-box' valign='top'>";
        QTest::newRow("class name with an attribute") << "prjCNMenuTreeBox" << "x' onclick='y" << "";
    }
    void typedValuesChecked()
    {
        QFETCH(QString, option);
        QFETCH(QString, value);
        QFETCH(QString, written);
        Fixture f;
        QString width;
        clsNodes *pageLevel = &f.root.nodes();
        if (option == u"prjFirstColWid") {
            f.options.setControlValue(u"prjChkFirstColValue", 1);
            f.options.setControlValue(u"prjFirstColWid", value);
            width = value.trimmed(); // as the run passes it for the first column
        } else if (option == u"lnkColWidth") {
            clsColumn *c = f.root.nodes().addColumn(0);
            c->setWidth(value);
            c->setChkColValue(1);
        } else if (option == u"lnkSubColWidth") {
            clsFolder *fo = f.folder(f.root.nodes(), QStringLiteral("F"));
            fo->setValue(u"lnkChkSubColValue", 1);
            fo->setValue(u"lnkSubColWidth", value);
            pageLevel = &fo->nodes();
        } else {
            f.options.setControlValue(option, value);
        }
        f.page(*pageLevel, QStringLiteral("P"), QStringLiteral("p.html"));
        f.run->readOptionFlags();
        QString out;
        try {
            MenuSerialiser s(*f.run);
            out = s.writeTableStart();
            QString id = QStringLiteral("e1d0");
            s.serialiseNodes(out, f.root.nodes(), id, width);
        } catch (const RunAborted &e) {
            QVERIFY2(written.isEmpty(), qPrintable(e.description()));
            QVERIFY2(e.description().contains(" (" + option + ")")
                    && e.description().contains(u'"' + value.trimmed() + u'"'),
                qPrintable(e.description()));
            return;
        }
        QVERIFY2(!written.isEmpty(), qPrintable(out));
        QVERIFY2(out.contains(written), qPrintable(out));
    }

    void twoLanguageWidthLists()
    {
        Fixture f;
        f.options.setControlValue(u"prjAutomaticWidth", 1);
        f.options.setControlValue(u"prjChkMultiLingual", 1);
        f.options.setControlValue(u"prjLanguages", QStringLiteral("en;;de;;"));
        f.page(f.root.nodes(), QStringLiteral("Abcd;;Abcde;;"), QStringLiteral("x"));
        QCOMPARE(f.calls(QStringLiteral("[$e1d0$]"))[0],
                 QStringLiteral("qMF(\"e1d1\",\"iwnf\",\"Abcd;;Abcde;;\",\"x\",\"60px;;65px;;\");"));
    }

    void serverPlaceholdersAndGaps()
    {
        Fixture f;
        f.options.setControlValue(u"prjFilWebRoot", QStringLiteral("C:\\site"));
        clsPage *dnn = f.page(f.root.nodes(), QStringLiteral("Portal"));
        dnn->setValue(u"lnkOptAdvanced", true);
        dnn->setValue(u"lnkOptURLDNN", true);
        dnn->setValue(u"lnkDNNTabID", QStringLiteral("55"));
        f.page(f.root.nodes(), QStringLiteral("After DNN"), QStringLiteral("a"));
        clsPage *disk = f.page(f.root.nodes(), QStringLiteral("Docs"));
        disk->setValue(u"lnkOptAdvanced", true);
        disk->setValue(u"lnkOptURLHarddisk", true);
        disk->setValue(u"lnkHarddiskDirPage", QStringLiteral("C:\\site\\docs"));
        disk->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("asp||str||"));
        f.page(f.root.nodes(), QStringLiteral("After disk"), QStringLiteral("b"));
        clsPage *shop = f.page(f.root.nodes(), QStringLiteral("Shop"));
        shop->setValue(u"lnkOptAdvanced", true);
        shop->setValue(u"lnkOptURLCSK", true);
        shop->setValue(u"lnkCSKSku", QStringLiteral("SKU1"));
        shop->setValue(u"lnkCSKOptionChoice", QStringLiteral("optCat"));
        const QStringList c = f.calls();
        QCOMPARE(c[0], QStringLiteral("[%DnnDirectory(%%55%%,%%r||str||sub||ext||%%,%%e1d0%%,0,%%2%%,%%%%,True,%%normal%%)%]"));
        QVERIFY(c[1].startsWith(u"qMF(\"e1d101\""));
        QCOMPARE(c[3], QStringLiteral("[%harddiskDirectory(%%/docs/%%,%%asp||str||%%,%%.htm||.html||%%,%%%%,%%e1d101%%,%%2%%,%%%%)%]"));
        QVERIFY(c[4].startsWith(u"qMF(\"e1d602\""));
        QCOMPARE(c[6], QStringLiteral("[%CSKDirectory(%%SKU1%%,%%optCat%%,%%e1d602%%,0,True,%%normal%%)%]"));
        QVERIFY(f.run->portalDirectory() && f.run->serverDirectory() && f.run->shopLinks());
        QVERIFY(f.run->needsServerControl());

        // A disk page without a folder is skipped with a note.
        Fixture g;
        clsPage *bad = g.page(g.root.nodes(), QStringLiteral("Nothing"));
        bad->setValue(u"lnkOptAdvanced", true);
        bad->setValue(u"lnkOptURLHarddisk", true);
        QVERIFY(g.calls().isEmpty());
        QVERIFY(g.run->logText().contains(u"Ignoring node. Insert links from folder option selected"));
        QVERIFY(!g.run->needsServerControl());
    }

    void languagesOnTheServerWrapNamesAndWidths()
    {
        Fixture f;
        f.options.setControlValue(u"prjChkMultiLingual", 1);
        f.options.setControlValue(u"prjAspMultiLingual", 1);
        f.page(f.root.nodes(), QStringLiteral("Home"), QStringLiteral("x"));
        QCOMPARE(f.calls(QStringLiteral("100px"))[0],
                 QStringLiteral("qMF(\"e1d1\",\"iwnf\",\"[%multilingualList(%%Home%%)%]\",\"x\","
                                "\"[%multilingualList(%%100px%%)%]\");"));
    }

    // A page that inserts a file, as a link or as hidden script: the log says
    // which file was opened, or that none was named, before the run stops.
    void insertedFileProblems_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("message");
        const QStringList noName = {QStringLiteral("Opening file: "), QStringLiteral("Error: Missing file name.")};
        const QStringList blanks = {QStringLiteral("Opening file:    "), QStringLiteral("Error: Missing file name.")};
        const QString notSelected = QStringLiteral("Warning! You have not selected a file to insert in menu.");
        const QString hiddenEmpty = QStringLiteral("Warning! Following file does not exist or is empty:\n  ");
        QTest::newRow("link, no file") << false << QString() << noName << notSelected;
        QTest::newRow("link, blanks only") << false << QStringLiteral("   ") << blanks << notSelected;
        QTest::newRow("hidden, no file") << true << QString() << noName << hiddenEmpty;
        QTest::newRow("hidden, blanks only") << true << QStringLiteral("   ") << blanks << hiddenEmpty + QStringLiteral("   ");
        QTest::newRow("link, empty file") << false << QStringLiteral("/empty.htm")
                                          << QStringList{QStringLiteral("Opening file: /empty.htm")}
                                          << QStringLiteral("Warning! You have selected an empty file to insert in menu.");
    }
    void insertedFileProblems()
    {
        QFETCH(bool, hidden);
        QFETCH(QString, file);
        QFETCH(QStringList, log);
        QFETCH(QString, message);
        QTemporaryDir dir;
        test::writeBytes(dir.filePath(QStringLiteral("empty.htm")), "<html><body></body></html>");
        Fixture f;
        f.options.setControlValue(u"prjFilWebRoot", dir.path());
        clsPage *page = f.page(f.root.nodes(), QStringLiteral("P"));
        page->setValue(u"lnkOptURLNoneInsertFile", 1);
        page->setValue(u"lnkFilPageName", file);
        if (hidden)
            page->setValue(u"lnkChkPageNameIsHiddenJavascript", 1);
        try {
            f.calls();
            QFAIL("a page that inserts no text must stop the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(), message + QStringLiteral("\n  See page: \"P\""));
        }
        QCOMPARE(f.run->logEntries(), log);
    }

    void tableStartAndEnd()
    {
        Fixture f;
        f.options.setControlValue(u"prjCenterTable", 1);
        f.options.setControlValue(u"prjWidthTo100", 1);
        f.options.setControlValue(u"prjCNMenuTreeBox", QStringLiteral("treebox"));
        MenuSerialiser s(*f.run);
        QCOMPARE(s.writeTableStart(),
                 QStringLiteral("//start of tree menu table\r\n"
                                "qDW(\"<table align=\\\"center\\\"  width='100%' border='0' cellspacing='0' cellpadding='0'>\");\r\n"
                                "qDW(\"<tr>\");\r\n"
                                "qDW(\"<td class='treebox' valign='top'>\");\r\n"));
        const QString end = s.writeTableEnd();
        QVERIFY(end.startsWith(u"qDW(\"</td>\");\r\nqDW(\"</tr>\");\r\nqDW(\"</table>\");\r\n"));
        QVERIFY(end.contains(u"\r\n(function(s){document.write(s)})(qGSTR);qGSTR=\"\";\r\n"));
        QVERIFY(!end.contains(u"OAS")); // all folders start closed
        f.options.setControlValue(u"prjChkAllMenusClosed", 0);
        QVERIFY(MenuSerialiser(*f.run).writeTableEnd().contains(u"if(qW3C){qOAS();};"));
        QCOMPARE(test::nodeCheck(s.writeTableStart() + end), QString());
    }

    // What a page links to, decided once for the menu data and the site map:
    // "+key" sets a choice as a project file may, leaving the rest of its
    // group; "-key" clears it; "key" selects it.
    void pageLinks_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("link");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("newWindowFlag");
        const auto row = [](const char *name, QStringList settings, PageLink link, const char *flag,
                             const char *newWindowFlag) {
            QTest::newRow(name) << settings << int(link) << QString::fromLatin1(flag)
                                << QString::fromLatin1(newWindowFlag);
        };
        row("new page: an address", {}, PageLink::Address, "iw", "ew");
        row("site page", { "lnkOptURLPageMyWeb" }, PageLink::SitePage, "i", "e");
        row("no address", { "lnkOptURLNone" }, PageLink::NoLink, "nl", "nl");
        row("inserted file", { "lnkOptURLNoneInsertFile" }, PageLink::InsertedFile, "nl", "nl");
        row("no address choice", { "-lnkOptURLPageURLNormal" }, PageLink::Unset, "i", "e");
        row("script over the address choice", { "lnkOptTypePageJS", "lnkOptURLNone" }, PageLink::Script, "j", "j");
        row("server or folder", { "lnkOptAdvanced" }, PageLink::ServerOrFolder, "i", "e");
        row("advanced on a script page", { "lnkOptAdvanced", "lnkOptTypePageJS" }, PageLink::Script, "j", "j");
        row("hidden script first", { "lnkChkPageNameIsHiddenJavascript", "lnkOptTypePageJS" },
            PageLink::HiddenScript, "i", "e");
        row("two address choices: the address", { "lnkOptURLNone", "+lnkOptURLPageURLNormal" }, PageLink::Address,
            "iw", "ew");
        row("two type choices: server or folder", { "lnkOptAdvanced", "lnkOptTypePageJS", "+lnkOptTypePageNormal" },
            PageLink::ServerOrFolder, "i", "e");
    }
    void pageLinks()
    {
        QFETCH(QStringList, settings);
        QFETCH(int, link);
        QFETCH(QString, flag);
        QFETCH(QString, newWindowFlag);
        Fixture f;
        clsPage *page = f.page(f.root.nodes(), QStringLiteral("P"), QStringLiteral("p.html"));
        for (const QString &s : settings) {
            if (s.startsWith(u'+'))
                page->setChoiceAt(page->layout().slot[nodeOptionIndex(QStringView(s).sliced(1))], true);
            else if (s.startsWith(u'-'))
                page->setValue(QStringView(s).sliced(1), false);
            else
                page->setValue(s, 1);
        }
        QCOMPARE(int(pageLink(*page)), link);
        QCOMPARE(linkKindFlag(pageLink(*page), false).toString(), flag);
        QCOMPARE(linkKindFlag(pageLink(*page), true).toString(), newWindowFlag);
    }
};

QTEST_GUILESS_MAIN(TestSerialiser)
#include "tst_serialiser.moc"
