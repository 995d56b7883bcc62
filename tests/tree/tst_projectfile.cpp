// The project file: exact text of the writer, the lenient reader, round trips
// and bad input.

#include "core/textfile.h"
#include "options/options.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"
#include "tree/projectfile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace qwk;

namespace {

struct Project {
    test::ScriptedPrompt prompt;
    clsOptions options{&prompt, nullptr};
    std::unique_ptr<clsFolder> root;

    Project()
    {
        options.loadNewPrjDefaults();
        root = std::make_unique<clsFolder>();
        options.setPrjChanged(false);
    }
    void read(QStringView text)
    {
        root = std::make_unique<clsFolder>();
        ProjectFile::readText(text, options, *root);
    }
    QString text() const { return ProjectFile::projectText(options, *root); }
};

QString crlf(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// A file made of the new project's option block and the given node lines.
QString withNodes(const QStringList &nodeLines)
{
    Project fresh;
    QString text = fresh.text();
    const qsizetype at = text.indexOf(QStringLiteral("start:nodes\r\n"));
    return text.left(at) + crlf(nodeLines) + QStringLiteral("end:Quenwick 3.0\r\n");
}

// A description of a whole tree that compares every node's kind and options.
QString dump(const clsNodes &nodes, int depth = 0)
{
    QString out;
    for (int i = 1; i <= nodes.count(); ++i) {
        const MenuNode *n = nodes.item(i);
        out += QString(depth, u' ') + n->classType();
        if (const auto *c = dynamic_cast<const clsColumn *>(n))
            out += u' ' + c->width() + u'/' + c->flagText();
        if (const auto *o = dynamic_cast<const OptionNode *>(n)) {
            for (const NodeOptionDef &d : nodeOptionCatalogue())
                if (o->carriesOption(d.key))
                    out += u' ' + d.key + u'=' + o->value(d.key).toString();
        }
        out += u'\n';
        if (const clsFolder *f = n->asFolder())
            out += dump(f->nodes(), depth + 1);
    }
    return out;
}

// A small nested project: pages, folders two levels deep, an empty folder
// and a column, so a lost level shows in the read tree.
QString nestedProjectText()
{
    Project p;
    clsNodes &top = p.root->nodes();
    top.addPage(1)->setName(QStringLiteral("Home"));
    clsFolder *products = top.addFolder(2);
    products->setName(QStringLiteral("Products"));
    products->nodes().addPage(1)->setName(QStringLiteral("Widgets"));
    clsFolder *tools = products->nodes().addFolder(2);
    tools->setName(QStringLiteral("Tools"));
    tools->nodes().addPage(1)->setName(QStringLiteral("Hammer"));
    products->nodes().addPage(3)->setName(QStringLiteral("Gadgets"));
    top.addColumn(3);
    top.addFolder(4)->setName(QStringLiteral("Empty"));
    top.addPage(5)->setName(QStringLiteral("Contact"));
    return p.text();
}

// The text with each line replaced by what edit makes of it (given the next
// line too), joined with the given line end.
QString damaged(const QString &text, const std::function<QStringList(const QString &, const QString &)> &edit,
                const QString &lineEnd = QStringLiteral("\r\n"))
{
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i < lines.size(); ++i)
        out += edit(lines[i], i + 1 < lines.size() ? lines[i + 1] : QString());
    return out.join(lineEnd) + lineEnd;
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitRule_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "lnkURL:index.html" << "lnkURL" << "index.html";
        QTest::newRow("later colons stay") << "prjFilWebRoot:C:\\web" << "prjFilWebRoot" << "C:\\web";
        QTest::newRow("url") << "lnkURL:http://x.org:80/a" << "lnkURL" << "http://x.org:80/a";
        QTest::newRow("no colon") << "garbage" << "" << "";
        QTest::newRow("empty value") << "lnkURL:" << "lnkURL" << "";
        QTest::newRow("empty key") << ":value" << "" << "value";
    }
    void splitRule()
    {
        QFETCH(QString, line);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(splitKey(line).toString(), key);
        QCOMPARE(splitValue(line).toString(), value);
    }

    void writerTextIsExact()
    {
        Project p;
        p.options.setControlValue(u"prjFilWebRoot", QStringLiteral("C:\\web"));
        clsPage *home = p.root->nodes().addPage(1);
        home->setName(QStringLiteral("Home"));
        home->setValue(u"lnkURL", QStringLiteral("index.html"));
        clsFolder *f = p.root->nodes().addFolder(2);
        f->setName(QStringLiteral("Products"));
        p.root->nodes().addColumn(3);
        const QString text = p.text();

        QVERIFY(text.startsWith(QStringLiteral("start:Quenwick 3.0\r\nstart:prjOptions\r\nprjWidthTo100:0\r\n")));
        QVERIFY(text.contains(QStringLiteral("\r\nprjFilWebRoot:C:\\web\r\n")));
        QVERIFY(text.contains(QStringLiteral("\r\nprjLeftIndentMainFolder:9\r\n")));
        QVERIFY(text.contains(QStringLiteral("\r\nprjCNMenuTreeBox:MenuTreeBox\r\n")));
        QVERIFY(text.contains(QStringLiteral("\r\nprjChkMOMO:1\r\n")));
        QVERIFY(!text.contains(u"pgm"));
        // Every project option, in control order, and nothing else in the block.
        const qsizetype a = text.indexOf(QStringLiteral("start:prjOptions\r\n"));
        const qsizetype b = text.indexOf(QStringLiteral("end:prjOptions\r\n"));
        const QStringList optionLines = text.mid(a, b - a).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).mid(1);
        // The accessible markup option is left out while it is 0, so files
        // saved without it keep their bytes; set, it is the last line.
        QCOMPARE(optionLines.size(), kProjectOptionCount - 1);
        QVERIFY(optionLines.first().startsWith(u"prjWidthTo100:"));
        QVERIFY(optionLines.last().startsWith(u"prjFilProjectDelete:"));
        QVERIFY(p.options.setControlValue(u"prjChkAccessible", 1));
        QVERIFY(p.text().contains(
            QStringLiteral("\r\nprjFilProjectDelete:\r\nprjChkAccessible:1\r\nend:prjOptions\r\n")));

        const QString tree = text.mid(b + QStringLiteral("end:prjOptions\r\n").size());
        QCOMPARE(tree, crlf({QStringLiteral("start:nodes"), QStringLiteral("start:page"),
                             QStringLiteral("lnkSubColWidth:130px"), QStringLiteral("lnkNamePage:Home"),
                             QStringLiteral("lnkURL:index.html"), QStringLiteral("end:page"),
                             QStringLiteral("start:folder"), QStringLiteral("lnkSubColWidth:130px"),
                             QStringLiteral("lnkNameFolder:Products"), QStringLiteral("end:folderOptions"),
                             QStringLiteral("start:nodes"), QStringLiteral("end:nodes"),
                             QStringLiteral("start:column"), QStringLiteral("lnkColWidth:130px"),
                             QStringLiteral("lnkChkColValue:0"), QStringLiteral("end:column"),
                             QStringLiteral("end:nodes"), QStringLiteral("end:Quenwick 3.0")}));
    }

    void optionsAreWrittenOnlyWhenNotDefault()
    {
        Project p;
        clsPage *pg = p.root->nodes().addPage(1);
        pg->setValue(u"lnkOptURLNone", true);
        pg->setValue(u"lnkChkNewWindow", 1);
        pg->setValue(u"lnkHarddiskIncludePage", QStringLiteral(".asp||"));
        pg->setValue(u"lnkChkPageDnnHeaderTemplate", QStringLiteral("<b>[FOLDERNAME]</b>"));
        pg->setValue(u"lnkSubColWidth", QString());
        const QString text = p.text();
        // Text, then choice, then check options, each group in catalogue order.
        const QStringList expected = {QStringLiteral("start:page"), QStringLiteral("lnkNamePage:New Page"),
                                      QStringLiteral("lnkChkPageDnnHeaderTemplate:<b>[FOLDERNAME]</b>"),
                                      QStringLiteral("lnkHarddiskIncludePage:.asp||"),
                                      QStringLiteral("lnkOptURLPageURLNormal:False"),
                                      QStringLiteral("lnkOptURLNone:True"), QStringLiteral("lnkChkNewWindow:1"),
                                      QStringLiteral("end:page")};
        QVERIFY2(text.contains(crlf(expected)), qPrintable(text.right(400)));
    }

    // A page keeps the portal header template of the class name it was made
    // for; it is written when that is not the template of the project's class.
    void headerTemplateWrittenWhenNotTheProjects_data()
    {
        QTest::addColumn<QString>("pageClass");
        QTest::addColumn<QString>("projectClass");
        QTest::addColumn<bool>("written");
        QTest::newRow("both default") << "MainFolderLine" << "MainFolderLine" << false;
        QTest::newRow("project renamed") << "MainFolderLine" << "topline" << true;
        QTest::newRow("both renamed") << "topline" << "topline" << false;
        QTest::newRow("page made before") << "topline" << "MainFolderLine" << true;
    }
    void headerTemplateWrittenWhenNotTheProjects()
    {
        QFETCH(QString, pageClass);
        QFETCH(QString, projectClass);
        QFETCH(bool, written);
        Project p;
        p.options.setControlValue(u"prjCNMainFolderLine", projectClass);
        // Two pages, so the writer's second look at the kind sees the same.
        for (int i = 1; i <= 2; ++i)
            p.root->nodes().addPage(i, dnnHeaderTemplate(pageClass));
        const QString line = QStringLiteral("\r\nlnkChkPageDnnHeaderTemplate:") + dnnHeaderTemplate(pageClass)
                             + QStringLiteral("\r\n");
        QCOMPARE(p.text().count(line), written ? 2 : 0);
        // Read back into a project of the same class, the pages are as they were.
        Project q;
        q.read(p.text());
        QCOMPARE(dump(q.root->nodes()), dump(p.root->nodes()));
    }

    void roundTripKeepsTreeAndOptions()
    {
        Project p;
        p.options.setControlValue(u"prjChkTreeMenus", 1);
        p.options.setControlValue(u"prjCNLinkBox", QStringLiteral("lb"));
        p.options.setControlValue(u"prjFilJS", QStringLiteral("C:\\web\\menu\\qmenu.js"));
        p.options.setControlValue(u"prjLanguages", QStringLiteral("en;;fr;;"));
        clsNodes &top = p.root->nodes();
        clsFolder *f = top.addFolder(1);
        f->setName(QStringLiteral("Über uns — «news» & 日本"));
        f->setValue(u"lnkOptTypeFolderJS", true);
        f->setValue(u"lnkJS", QStringLiteral("qOPEN('a:b')"));
        clsFolder *g = f->nodes().addFolder(1);
        g->nodes().addPage(1)->setValue(u"lnkURL", QStringLiteral("http://example.org:8080/a?b=c"));
        clsPage *h = f->nodes().addPage(2);
        h->setValue(u"lnkOptURLHarddisk", true);
        h->setValue(u"lnkHarddiskDirPage", QStringLiteral("C:\\web\\docs"));
        h->setValue(u"lnkChkPageNameIsHiddenJavascript", 1);
        top.addColumn(2)->setValue(u"lnkChkColValue", 1);
        top.addPage(3)->setName(QStringLiteral("Contact"));
        f->setOpen(true);

        const QString first = p.text();
        Project q;
        q.read(first);
        QCOMPARE(dump(q.root->nodes()), dump(p.root->nodes()));
        QCOMPARE(q.text(), first);
        QCOMPARE(q.options.text(u"prjCNLinkBox"), QStringLiteral("lb"));
        QCOMPARE(q.options.controlValue(u"prjChkTreeMenus").toInt(), 1);
        // The editor's state is not stored: every folder reads back closed.
        QVERIFY(!q.root->nodes().item(1)->asFolder()->isOpen());
        // Reading is not an edit.
        QVERIFY(!q.options.prjChanged());
    }

    void emptyNamesAndWidthsReadBackAsDefaults()
    {
        Project p;
        p.root->nodes().addPage(1)->setName(QString());
        p.root->nodes().addFolder(2)->setName(QString());
        p.root->nodes().item(1)->setValue(u"lnkSubColWidth", QString());
        const QString text = p.text();
        QVERIFY(!text.contains(u"lnkNamePage"));
        QVERIFY(!text.contains(u"lnkNameFolder"));
        Project q;
        q.read(text);
        const auto *page = static_cast<const clsPage *>(q.root->nodes().item(1));
        QCOMPARE(page->name(), QStringLiteral("New Page"));
        QCOMPARE(page->value(u"lnkSubColWidth").toString(), QStringLiteral("130px"));
        QCOMPARE(static_cast<const clsFolder *>(q.root->nodes().item(2))->name(), QStringLiteral("New Folder"));
    }

    void webRootLosesOneTrailingSeparator_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("read");
        QTest::newRow("backslash") << "C:\\web\\" << "C:\\web";
        QTest::newRow("slash") << "/srv/www/" << "/srv/www";
        QTest::newRow("only one is dropped") << "/srv//" << "/srv/";
        QTest::newRow("single character stays") << "\\" << "\\";
        QTest::newRow("none") << "C:\\web" << "C:\\web";
    }
    void webRootLosesOneTrailingSeparator()
    {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        Project p;
        p.options.setControlValue(u"prjFilWebRoot", stored);
        p.options.setControlValue(u"prjFilJS", stored); // the rule is for the web root only
        Project q;
        q.read(p.text());
        QCOMPARE(q.options.text(u"prjFilWebRoot"), read);
        QCOMPARE(q.options.text(u"prjFilJS"), stored);
    }

    void readerIsLenient()
    {
        const QString text = QStringLiteral(
            "garbage before the start\r\n"
            "start:prjOptions\n"
            "prjChkTreeMenus:1\n"
            "prjNoSuchOption:1\n"
            "prjChkMOMO:yes\n"          // does not convert: skipped
            "prjMultipleMenu: 1 \n"     // trimmed
            "pgmChkScrambled:1\n"       // a preference is not a project option
            "lnkNamePage:stray\n"
            "no colon at all\n"
            "prjCNLinkBox:first\n"
            "prjCNLinkBox:second\n"     // the last one wins
            "end:prjOptions\n"
            "start:nodes\n"
            "start:page\n"
            "lnkURL:a.html\n"
            "lnkNameFolder:not a page key\n"
            "lnkChkNewWindow:x\n"
            "lnkChkNoPageImage:99999\n" // does not fit 16 bits
            "lnkOptURLNone:TRUE\n"
            "lnkNamePage:Second\n"
            "end:page\n"
            "junk between nodes\n"
            "start:column\n"
            "lnkChkColValue:7\n"
            "lnkColWidth:20%\n"
            "lnkURL:ignored\n"
            "end:column\n"
            "start:unknown\n"
            "start:folder\n"
            "lnkNameFolder:F\n"
            "end:folderOptions\n"
            "start:nodes\n"
            "end:nodes\n"
            "end:nodes\n"
            "end:Quenwick 3.0\n");
        Project q;
        q.read(text);
        QCOMPARE(q.options.controlValue(u"prjChkTreeMenus").toInt(), 1);
        QCOMPARE(q.options.controlValue(u"prjChkMOMO").toInt(), 1);
        QCOMPARE(q.options.controlValue(u"prjMultipleMenu").toInt(), 1);
        QCOMPARE(q.options.controlValue(u"pgmChkScrambled").toInt(), 0);
        QCOMPARE(q.options.text(u"prjCNLinkBox"), QStringLiteral("second"));
        QCOMPARE(q.root->nodes().count(), 4);
        const auto *page = static_cast<const clsPage *>(q.root->nodes().item(1));
        QCOMPARE(page->name(), QStringLiteral("Second"));
        QCOMPARE(page->value(u"lnkURL").toString(), QStringLiteral("a.html"));
        QCOMPARE(page->value(u"lnkChkNewWindow").toInt(), 0);
        QCOMPARE(page->value(u"lnkChkNoPageImage").toInt(), 0);
        QVERIFY(page->value(u"lnkOptURLNone").toBool());
        const auto *col = static_cast<const clsColumn *>(q.root->nodes().item(2));
        QCOMPARE(col->width(), QStringLiteral("20%"));
        QCOMPARE(col->chkColValue(), 7);
        QCOMPARE(q.root->nodes().item(3)->classType(), QStringLiteral("folder"));
        QCOMPARE(q.root->nodes().item(4)->classType(), QStringLiteral("EOF"));
        QVERIFY(q.prompt.asked.isEmpty());
    }

    // Damage a file picks up in other editors or on other systems costs at
    // most the damaged line, never the nesting around it.
    void damagedLinesLeaveTheTreeAlone_data()
    {
        QTest::addColumn<QString>("text");
        const QString good = nestedProjectText();
        using Lines = QStringList;
        const auto before = [](const QString &tag, const QString &insert) {
            return [tag, insert](const QString &line, const QString &next) {
                return next == tag ? Lines{line, insert} : Lines{line};
            };
        };
        const auto isStructure = [](const QString &line) {
            return line.startsWith(u"start:") || line.startsWith(u"end:");
        };
        QTest::newRow("blank line before end:nodes") << damaged(good, before(QStringLiteral("end:nodes"), QString()));
        QTest::newRow("unknown line before end:nodes")
            << damaged(good, before(QStringLiteral("end:nodes"), QStringLiteral("something else")));
        QTest::newRow("end:nodes with a trailing blank") << damaged(good, [](const QString &line, const QString &) {
            return Lines{line == u"end:nodes" ? line + u' ' : line};
        });
        QTest::newRow("LF CR line ends") << damaged(good, [](const QString &l, const QString &) { return Lines{l}; },
                                                    QStringLiteral("\n\r"));
        QTest::newRow("LF line ends") << damaged(good, [](const QString &l, const QString &) { return Lines{l}; },
                                                 QStringLiteral("\n"));
        QTest::newRow("blank line after every line") << damaged(good, [](const QString &line, const QString &) {
            return Lines{line, QString()};
        });
        QTest::newRow("unknown line after every line") << damaged(good, [](const QString &line, const QString &) {
            return Lines{line, QStringLiteral("start:unknown"), QStringLiteral("no colon")};
        });
        QTest::newRow("blanks and tabs around structure lines")
            << damaged(good, [isStructure](const QString &line, const QString &) {
                   return Lines{isStructure(line) ? QStringLiteral(" \t") + line + QStringLiteral(" \t") : line};
               });
        QTest::newRow("end:page lost before end:nodes") << damaged(good, [](const QString &line, const QString &next) {
            return line == u"end:page" && next == u"end:nodes" ? Lines{} : Lines{line};
        });
        QTest::newRow("end:folderOptions lost") << damaged(good, [](const QString &line, const QString &) {
            return line == u"end:folderOptions" ? Lines{} : Lines{line};
        });
        // The folder's list counts as opened, so its end:nodes still closes it.
        QTest::newRow("start:nodes of each folder lost")
            << damaged(good, [after = false](const QString &line, const QString &) mutable {
                   const bool drop = after && line == u"start:nodes";
                   after = line == u"end:folderOptions";
                   return drop ? Lines{} : Lines{line};
               });
        QTest::newRow("end:prjOptions lost") << damaged(good, [](const QString &line, const QString &) {
            return line == u"end:prjOptions" ? Lines{} : Lines{line};
        });
    }
    void damagedLinesLeaveTheTreeAlone()
    {
        QFETCH(QString, text);
        const QString good = nestedProjectText();
        Project q;
        q.read(text);
        QCOMPARE(dump(q.root->nodes()), [&] {
            Project p;
            p.read(good);
            return dump(p.root->nodes());
        }());
        QCOMPARE(q.text(), good);
    }

    void truncatedAndEmptyFilesKeepWhatWasRead()
    {
        Project p;
        clsFolder *f = p.root->nodes().addFolder(1);
        f->setName(QStringLiteral("A"));
        f->nodes().addPage(1)->setName(QStringLiteral("B"));
        p.root->nodes().addPage(2)->setName(QStringLiteral("C"));
        const QString full = p.text();
        // Cut the file at every length: never a crash, and the marker is
        // always last in every collection.
        for (qsizetype cut = 0; cut <= full.size(); cut += 7) {
            Project q;
            q.read(QStringView(full).left(cut));
            std::vector<const clsNodes *> todo{&q.root->nodes()};
            while (!todo.empty()) {
                const clsNodes *n = todo.back();
                todo.pop_back();
                QVERIFY(n->count() >= 1);
                QCOMPARE(n->item(n->count())->classType(), QStringLiteral("EOF"));
                for (int i = 1; i < n->count(); ++i) {
                    QVERIFY(n->item(i)->classType() != u"EOF");
                    if (const clsFolder *sub = n->item(i)->asFolder())
                        todo.push_back(&sub->nodes());
                }
            }
        }
        Project cutAfterFolder;
        cutAfterFolder.read(QStringView(full).left(full.indexOf(QStringLiteral("start:page"))));
        QCOMPARE(cutAfterFolder.root->nodes().item(1)->asFolder()->name(), QStringLiteral("A"));

        Project none;
        none.read(u"start:Quenwick 3.0\r\nend:Quenwick 3.0\r\n");
        QCOMPARE(none.root->nodes().count(), 1);
        QCOMPARE(none.options.text(u"prjCNLinkBox"), QStringLiteral("LinkBox"));
    }

    void deeplyNestedFoldersReadAndWrite()
    {
        const int depth = 10000;
        QString text = QStringLiteral("start:prjOptions\r\nend:prjOptions\r\nstart:nodes\r\n");
        for (int i = 0; i < depth; ++i)
            text += QStringLiteral("start:folder\r\nlnkNameFolder:L%1\r\nend:folderOptions\r\nstart:nodes\r\n").arg(i);
        for (int i = 0; i < depth; ++i)
            text += QStringLiteral("end:nodes\r\n");
        text += QStringLiteral("end:nodes\r\n");
        Project q;
        q.read(text);
        const clsFolder *f = q.root.get();
        int levels = 0;
        while (f->nodes().count() == 2) {
            f = f->nodes().item(1)->asFolder();
            QVERIFY(f);
            ++levels;
        }
        QCOMPARE(levels, depth);
        QCOMPARE(f->name(), QStringLiteral("L%1").arg(depth - 1));
        // Written back, read again, written again: the same text.
        const QString once = q.text();
        Project r;
        r.read(once);
        QCOMPARE(r.text(), once);

        // Folders opened and never closed, as a truncated file leaves them.
        QString open = QStringLiteral("start:prjOptions\nend:prjOptions\nstart:nodes\n");
        for (int i = 0; i < depth; ++i)
            open += QStringLiteral("start:folder\nend:folderOptions\nstart:nodes\n");
        Project s;
        s.read(open);
        QVERIFY(s.root->nodes().count() == 2);
    }

    void encodingOnDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.qwk"));

        // Characters of the single-byte code page are written in it.
        Project p;
        p.root->nodes().addPage(1)->setName(QStringLiteral("Café – “quoted” €"));
        QVERIFY(ProjectFile::save(path, p.options, *p.root).ok);
        QByteArray bytes = test::readBytes(path);
        QVERIFY(bytes.contains(QByteArray("lnkNamePage:Caf\xE9 \x96 \x93quoted\x94 \x80\r\n")));
        Project q;
        QVERIFY(ProjectFile::read(path, q.options, *q.root).ok);
        QCOMPARE(static_cast<const clsPage *>(q.root->nodes().item(1))->name(), QStringLiteral("Café – “quoted” €"));

        // A character outside it makes the whole file UTF-8, and nothing is lost.
        p.root->nodes().addPage(2)->setName(QStringLiteral("Ελληνικά שלום"));
        QVERIFY(ProjectFile::save(path, p.options, *p.root).ok);
        bytes = test::readBytes(path);
        QVERIFY(bytes.contains(QStringLiteral("lnkNamePage:Café – “quoted” €\r\n").toUtf8()));
        Project r;
        QVERIFY(ProjectFile::read(path, r.options, *r.root).ok);
        QCOMPARE(static_cast<const clsPage *>(r.root->nodes().item(2))->name(), QStringLiteral("Ελληνικά שלום"));

        // A UTF-8 file with a byte-order mark, and LF line ends.
        test::writeBytes(path, QByteArray("\xEF\xBB\xBFstart:prjOptions\nprjCNLinkBox:\xC3\xA9t\xC3\xA9\nend:prjOptions\n"));
        Project s;
        QVERIFY(ProjectFile::read(path, s.options, *s.root).ok);
        QCOMPARE(s.options.text(u"prjCNLinkBox"), QStringLiteral("été"));
    }

    // A file of another kind must not open as an empty project: the next
    // save would replace it with one.
    void onlyProjectsOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("opens");
        QByteArray noise;
        quint32 x = 99;
        for (int i = 0; i < 4096; ++i) {
            x = x * 1103515245u + 12345u;
            noise.append(char(x >> 24));
        }
        QByteArray utf16("\xFF\xFE");
        for (const char c : QByteArray("start:Quenwick 3.0\r\nstart:prjOptions\r\nend:prjOptions\r\n"))
            utf16.append(c).append('\0');
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("random bytes") << noise << false;
        QTest::newRow("UTF-16 text") << utf16 << false;
        static const char png[] = "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10";
        QTest::newRow("image") << QByteArray(png, sizeof png - 1) << false;
        QTest::newRow("blank lines") << QByteArray("\r\n \r\n\t\n") << false;
        QTest::newRow("text with colons") << QByteArray("Subject: hello\nstart:here\nend:there\n") << false;
        QTest::newRow("empty project") << QByteArray("start:Quenwick 3.0\r\nend:Quenwick 3.0\r\n") << true;
        QTest::newRow("one option line") << QByteArray("prjChkTreeMenus:1\n") << true;
        QTest::newRow("project after noise") << noise + "\nstart:nodes\nend:nodes\n" << true;
    }
    void onlyProjectsOpen()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.qwk"));
        test::writeBytes(path, bytes);
        Project q;
        const TransferResult r = ProjectFile::read(path, q.options, *q.root);
        QCOMPARE(r.ok, opens);
        if (!opens)
            QVERIFY2(r.reason.contains(u"not a Quenwick project file"), qPrintable(r.reason));
    }

    void failuresAreReportedAndLeaveFilesAlone()
    {
        QTemporaryDir dir;
        Project p;
        const TransferResult missing = ProjectFile::read(dir.filePath(QStringLiteral("none.qwk")), p.options, *p.root);
        QVERIFY(!missing.ok);
        QVERIFY(!missing.reason.isEmpty());
        const TransferResult nowhere = ProjectFile::save(dir.filePath(QStringLiteral("no/such/dir/p.qwk")), p.options, *p.root);
        QVERIFY(!nowhere.ok);

        // Saving over a file replaces it whole; no temporary file stays behind.
        const QString path = dir.filePath(QStringLiteral("p.qwk"));
        test::writeBytes(path, QByteArray(100000, 'x'));
        QVERIFY(ProjectFile::save(path, p.options, *p.root).ok);
        QVERIFY(test::readBytes(path).startsWith("start:Quenwick 3.0\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.qwk")});
    }

    void binaryInputNeitherCrashesNorHangs()
    {
        QByteArray junk;
        quint32 x = 12345;
        for (int i = 0; i < 1 << 20; ++i) {
            x = x * 1103515245u + 12345u;
            junk.append(char(x >> 24));
        }
        // Sprinkle structure into the noise so the reader goes deep into it.
        for (int i = 0; i < junk.size(); i += 4096)
            junk.replace(i, 13, "\nstart:folder\n");
        junk.prepend("start:prjOptions\nend:prjOptions\nstart:nodes\n");
        Project q;
        QElapsedTimer t;
        t.start();
        q.read(decodeText(junk));
        QVERIFY(t.elapsed() < 5000);
        QCOMPARE(q.root->nodes().item(q.root->nodes().count())->classType(), QStringLiteral("EOF"));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
