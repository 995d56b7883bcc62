// The server files of menus that need the web server: the user control, its
// code-behind with the server library, the writer page and the ASP.NET site
// map, compared with golden files and read by the VB.NET checker.
// QWK_UPDATE_GOLDEN=1 writes the golden files anew (read each one by hand
// before committing it).

#include "vbchecker.h"
#include "vbeval.h"

#include "core/textfile.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "generator/servercontrol.h"
#include "options/options.h"
#include "support/runfixture.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>

using namespace qwk;

namespace {

const QString kGolden = QStringLiteral(QUENWICK_SOURCE_DIR "/tests/server/golden/");

// The golden code-behind files keep the statements that call the server;
// each run of statements that only add script text is counted in a comment
// (those are checked by reading the script back).
QString withScriptLinesCounted(const QString &code)
{
    static const QRegularExpression plain(
        QStringLiteral("^        wv = wv & (\"([^\"]|\"\")*\" & )?vbnewline $"));
    QStringList out;
    int run = 0;
    for (const QString &line : code.split(u"\r\n"_qs)) {
        if (plain.match(line).hasMatch()) {
            ++run;
            continue;
        }
        if (run)
            out << QStringLiteral("        ' %1 statements of script text").arg(run);
        run = 0;
        out << line;
    }
    return out.join(u"\r\n"_qs);
}

// A small site with the sections the setup words ask for.
struct Project : test::RunFixture, test::NodeMaker {
    explicit Project(const QString &setup)
        : RunFixture(".MenuTreeBox{}\r\n.MainFolderBox{}\r\n.MainFolderLine{}\r\n.SubFolderBox{}\r\n"
                     ".SubFolderLine{}\r\n.LinkBox{}\r\n.LinkLine{}\r\n.LinkPage{}\r\n.MainFolderPage{}\r\n"
                     ".SubFolderPage{}\r\n")
    {
        const QStringList words = setup.split(u' ', Qt::SkipEmptyParts);
        const auto has = [&](const char *w) { return words.contains(QLatin1String(w)); };
        options.setControlValue(u"prjChkTreeMenus", has("dropdown") ? 0 : 1);
        options.setControlValue(u"prjChkMainMenusDownward", has("downward") ? 1 : 0);
        options.setControlValue(u"prjAutomaticWidth", has("auto") ? 1 : 0);
        options.setControlValue(u"prjChkAllMenusOpen", has("allopen") ? 1 : 0);
        options.setControlValue(u"prjChkUtf8", has("utf8") ? 1 : 0);
        options.setControlValue(u"prjForceASP", has("force") ? 1 : 0);
        options.setControlValue(u"prjASPandNoWriteToDisk", has("nofile") ? 1 : 0);
        if (has("languages")) {
            options.setControlValue(u"prjChkMultiLingual", 1);
            options.setControlValue(u"prjAspMultiLingual", 1);
            options.setControlValue(u"prjLanguages", QStringLiteral("en-US;;de-DE;;"));
            options.setControlValue(u"prjResourceFile", QStringLiteral("MenuText"));
        }
        if (has("images")) {
            options.setControlValue(u"prjChkMFI", 1);
            options.setControlValue(u"prjFilMFOIMG", QStringLiteral("/img/folder.gif"));
            options.setControlValue(u"prjChkPLI", 1);
            options.setControlValue(u"prjFilPLIMG", QStringLiteral("/img/page \"1\".gif"));
        }
        if (has("sample"))
            options.setControlValue(u"prjSampleHTML", QStringLiteral("var shown=1;"));
        clsFolder *products = folder(root.nodes(), QStringLiteral("Products"));
        page(products->nodes(), QStringLiteral("Tom's page"), QStringLiteral("/hi.html"));
        page(root.nodes(), QStringLiteral("Home"), QStringLiteral("/index.html"));
        if (has("portal")) {
            clsPage *p = advanced(QStringLiteral("Portal"), u"lnkOptURLDNN");
            p->setValue(u"lnkDNNTabID", QStringLiteral("36"));
            p->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||str||"));
        }
        if (has("shop")) {
            clsPage *p = advanced(QStringLiteral("Books"), u"lnkOptURLCSK");
            p->setValue(u"lnkCSKSku", QStringLiteral("S1"));
            p->setValue(u"lnkCSKOptionChoice", QStringLiteral("optCSKCategories"));
        }
        if (has("folder")) {
            QDir(dir.path()).mkpath(QStringLiteral("docs"));
            clsPage *p = advanced(QStringLiteral("Files"), u"lnkOptURLHarddisk");
            p->setValue(u"lnkHarddiskDirPage", path(QStringLiteral("docs")));
            p->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("e||asp||str||sub||dash||"));
            p->setValue(u"lnkHarddiskIncludePage", QStringLiteral(".htm||"));
        }
        page(root.nodes(), QStringLiteral("Contact"), QStringLiteral("/contact.html"));
    }
    clsPage *advanced(const QString &name, const char16_t *kind)
    {
        clsPage *p = page(root.nodes(), name);
        p->setValue(u"lnkOptAdvanced", true);
        p->setValue(kind, true);
        return p;
    }
    // The files the job wrote, by name relative to the web root, with the
    // temporary folder's path masked.
    QMap<QString, QString> written() const
    {
        QMap<QString, QString> files;
        QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (file.endsWith(u".css"))
                continue;
            QString text = decodeText(test::readBytes(file)).replace(QDir(dir.path()).absolutePath(), u"WEB"_qs);
            files.insert(QDir(dir.path()).relativeFilePath(file), text);
        }
        return files;
    }
};

void compareWithGolden(const QString &name, QMap<QString, QString> files)
{
    for (auto it = files.begin(); it != files.end(); ++it) {
        if (it.key().endsWith(u".ascx.vb"))
            it.value() = withScriptLinesCounted(it.value());
    }
    const QString folder = kGolden + name + u'/';
    if (qEnvironmentVariableIsSet("QWK_UPDATE_GOLDEN")) {
        QDir(folder).removeRecursively();
        for (auto it = files.begin(); it != files.end(); ++it) {
            QDir().mkpath(QFileInfo(folder + it.key()).path());
            test::writeBytes(folder + it.key(), it.value().toUtf8());
        }
    }
    QStringList expected;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        expected << QDir(folder).relativeFilePath(it.next());
    expected.sort();
    QCOMPARE(files.keys(), expected);
    for (auto f = files.begin(); f != files.end(); ++f) {
        const QString want = QString::fromUtf8(test::readBytes(folder + f.key()));
        if (f.value() != want) {
            const QStringList a = f.value().split(u'\n'), b = want.split(u'\n');
            for (int i = 0; i < std::min(a.size(), b.size()); ++i) {
                if (a[i] != b[i])
                    QFAIL(qPrintable(QStringLiteral("%1 line %2:\n got  %3\n want %4").arg(f.key()).arg(i + 1).arg(a[i], b[i])));
            }
            QFAIL(qPrintable(f.key() + QStringLiteral(": lengths differ")));
        }
    }
}

// The first line where two texts differ, for a readable failure.
QString firstDifference(const QString &got, const QString &want)
{
    const QStringList a = got.split(u"\r\n"_qs), b = want.split(u"\r\n"_qs);
    for (int i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (a.value(i) != b.value(i))
            return QStringLiteral("line %1:\n got  %2\n want %3").arg(i + 1).arg(a.value(i), b.value(i));
    }
    return {};
}

QStringList filesLogged(const QStringList &log)
{
    QStringList files;
    for (const QString &entry : log) {
        for (const QString prefix : { u"Writing file: "_qs, u"Writing js-writer file: "_qs }) {
            if (entry.startsWith(prefix))
                files << entry.mid(prefix.size());
        }
    }
    return files;
}

} // namespace

class TestServerControl : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One case per inclusion of the library, per load handler form and per
    // form of the control file; the writer page where a plain ASP.NET site
    // gets one.
    void menuControl_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("form");
        QTest::addColumn<QStringList>("logEnd");
        using F = ServerControlWriter::LoadForm;
        const QStringList page { "Writing js-writer file: WEB/qmenu.aspx",
            "Above asp.net files will write your new WEB/menu/qmenu.js",
            "(To do this, view the .aspx file in a server.  The server must have write permission to the hard disk.)" };
        const QStringList portal { "Writing file: WEB/menu/qmenu.ascx",
            "No js-writer file written when you are using DNN.\nView control in your DNN skin." };
        const QStringList noFile { "Writing file: WEB/menu/qmenu.ascx",
            "No js-writer file written.\nView control in ASP.NET project." };
        QTest::newRow("none") << "force sample" << int(F::File) << page;
        QTest::newRow("portal") << "portal" << int(F::Portal) << portal;
        QTest::newRow("portal-languages") << "portal languages" << int(F::PortalLanguages) << portal;
        QTest::newRow("shop") << "shop dropdown downward auto" << int(F::File) << page;
        QTest::newRow("shop-nofile") << "shop nofile" << int(F::NoFile) << noFile;
        QTest::newRow("folder") << "folder utf8 allopen images" << int(F::File) << page;
        QTest::newRow("languages-nofile") << "force languages nofile" << int(F::NoFileLanguages) << noFile;
        QTest::newRow("languages-folder") << "folder languages dropdown downward auto" << int(F::FileLanguages)
                                          << page;
        QTest::newRow("all") << "portal shop folder languages dropdown downward auto" << int(F::PortalLanguages)
                             << portal;
    }
    void menuControl()
    {
        QFETCH(QString, setup);
        QFETCH(int, form);
        QFETCH(QStringList, logEnd);
        Project p(setup);
        RunDriver driver(*p.run, p.root);
        QVERIFY2(driver.runJob(RunDriver::Job::Run), qPrintable(p.run->logText()));
        QCOMPARE(int(ServerControlWriter(*p.run).loadForm()), form);

        const QMap<QString, QString> files = p.written();
        QVERIFY(!files.contains(u"menu/qmenu.js"_qs));
        // Every file written is in the log, and nothing else was written.
        QStringList logged = filesLogged(p.run->logEntries());
        logged.replaceInStrings(QDir(p.dir.path()).absolutePath(), QStringLiteral("WEB"));
        QStringList onDisk;
        for (const QString &f : files.keys())
            onDisk << u"WEB/"_qs + f;
        QCOMPARE(QSet<QString>(logged.begin(), logged.end()), QSet<QString>(onDisk.begin(), onDisk.end()));
        QStringList log = p.run->logEntries();
        log.replaceInStrings(QDir(p.dir.path()).absolutePath(), QStringLiteral("WEB"));
        QCOMPARE(log.mid(log.size() - logEnd.size()), logEnd);

        const QString code = files.value(u"menu/qmenu.ascx.vb"_qs);
        QCOMPARE(test::vbStructureFaults(code).join(u"\n"_qs), QString());
        // The library keeps to the code page (the shop's Chinese text is
        // written by character codes), so a project in it stays in it.
        QVERIFY(fitsWindows1252(code));
        // The server sends exactly the script a static run would write.
        QCOMPARE(firstDifference(test::menuScriptReadBack(code), driver.scriptText() + u"\r\n"_qs), QString());
        compareWithGolden(u"menu-"_qs + QTest::currentDataTag(), files);
    }

    void siteMapControl_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("folder") << "folder images";
        QTest::newRow("forced") << "force sample";
        QTest::newRow("all") << "portal shop folder languages dropdown auto";
    }
    void siteMapControl()
    {
        QFETCH(QString, setup);
        Project p(setup);
        QVERIFY2(RunDriver(*p.run, p.root).runJob(RunDriver::Job::SiteMap), qPrintable(p.run->logText()));
        QStringList log = p.run->logEntries();
        log.replaceInStrings(QDir(p.dir.path()).absolutePath(), QStringLiteral("WEB"));
        QCOMPARE(log.mid(log.size() - 4),
            (QStringList { "Writing file: WEB/menu/qmenu_sm.ascx.vb", "Writing file: WEB/menu/qmenu_sm.ascx.",
                "Writing file: WEB/menu/qmenu_sm.aspx.", "Above .aspx file is your sitemap file." }));
        const QMap<QString, QString> files = p.written();
        QCOMPARE(test::vbStructureFaults(files.value(u"menu/qmenu_sm.ascx.vb"_qs)).join(u"\n"_qs), QString());
        QVERIFY(!files.value(u"menu/qmenu_sm.ascx"_qs).contains(u"[%"));
        compareWithGolden(u"sitemap-"_qs + QTest::currentDataTag(), files);
    }

    // Text of the author's or from the disk that holds the server's marks:
    // a page and a folder name, a link address, an inserted file, a name
    // listed from a folder, a folder section's pattern. It must reach the
    // browser as the same text and never become server code.
    void userTextStaysText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bareRefused"); // as a name that is script
        QTest::newRow("double percent") << "50%% off" << true;
        QTest::newRow("open mark") << "[%x" << true;
        QTest::newRow("close mark") << "y%]" << true;
        QTest::newRow("lone percent") << "a%b" << false;
        QTest::newRow("call") << "[%Eval(%%x%%)%]" << true;
        QTest::newRow("brackets") << "]%[" << false;
        QTest::newRow("brackets alone") << "]x[" << false;
    }
    void userTextStaysText()
    {
        QFETCH(QString, text);
        QFETCH(bool, bareRefused);
        const auto addNodes = [&](Project &p) {
            clsFolder *f = p.folder(p.root.nodes(), text);
            p.page(f->nodes(), text, u"/p"_qs + text + u".html"_qs);
            test::writeBytes(p.path(u"insert.htm"_qs), (u"<body>"_qs + text + u"</body>"_qs).toUtf8());
            clsPage *inserted = p.page(p.root.nodes(), u"ins"_qs);
            inserted->setValue(u"lnkOptURLNoneInsertFile", 1);
            inserted->setValue(u"lnkFilPageName", p.path(u"insert.htm"_qs));
            QDir(p.dir.path()).mkpath(u"list"_qs);
            test::writeBytes(p.path(u"list/"_qs + text + u".htm"_qs), "<html></html>");
            clsPage *listed = p.advanced(u"Listed"_qs, u"lnkOptURLHarddisk");
            listed->setValue(u"lnkHarddiskDirPage", p.path(u"list"_qs));
            listed->setValue(u"lnkHarddiskOptionsPage", u"e||str||"_qs);
            listed->setValue(u"lnkHarddiskIncludePage", u".htm||"_qs);
        };
        // The same menu, written as a static script and rebuilt by the server.
        Project plain{QString()};
        addNodes(plain);
        QVERIFY2(RunDriver(*plain.run, plain.root).runJob(RunDriver::Job::Run), qPrintable(plain.run->logText()));
        const QString script = decodeText(test::readBytes(plain.path(u"menu/qmenu.js"_qs)));
        QVERIFY(script.contains(text));
        Project forced(u"force"_qs);
        addNodes(forced);
        QVERIFY2(RunDriver(*forced.run, forced.root).runJob(RunDriver::Job::Run), qPrintable(forced.run->logText()));
        const QString code = forced.written().value(u"menu/qmenu.ascx.vb"_qs);
        QCOMPARE(test::vbStructureFaults(code).join(u"\n"_qs), QString());
        const QString readBack = test::menuScriptReadBack(code);
        // No call at all: every statement of menu() only adds script text.
        QVERIFY2(!readBack.contains(u"[%"), qPrintable(readBack.mid(readBack.indexOf(u"[%"), 80)));
        // "\x25" is "%" to the browser; the script text is otherwise the same.
        QCOMPARE(firstDifference(QString(readBack).replace(u"\\x25"_qs, u"%"_qs), script + u"\r\n"_qs), QString());

        // With the languages on the server every name and width is an
        // argument of the server's list function.
        Project languages(u"force languages"_qs);
        addNodes(languages);
        languages.options.setControlValue(u"prjChkFirstColValue", 1);
        languages.options.setControlValue(u"prjFirstColWid", u"50%"_qs);
        QVERIFY2(RunDriver(*languages.run, languages.root).runJob(RunDriver::Job::Run),
            qPrintable(languages.run->logText()));
        const QString languagesCode = languages.written().value(u"menu/qmenu.ascx.vb"_qs);
        const QString languagesBack = test::menuScriptReadBack(languagesCode);
        QVERIFY2(!languagesBack.contains(u"<unreadable"_qs),
            qPrintable(languagesBack.mid(languagesBack.indexOf(u"<unreadable"_qs), 200)));
        QCOMPARE(test::vbStructureFaults(languagesCode).join(u"\n"_qs), QString());

        // A folder read on the server, with the text as its pattern: its call
        // is the only one, and the pattern reaches it as one string.
        Project served(u"folder"_qs);
        addNodes(served);
        for (int i = 1; i <= served.root.nodes().count(); ++i) {
            if (clsPage *page = served.root.nodes().item(i)->asPage(); page && page->name() == u"Files")
                page->setValue(u"lnkHarddiskIncludePage", text);
        }
        QVERIFY2(RunDriver(*served.run, served.root).runJob(RunDriver::Job::Run), qPrintable(served.run->logText()));
        const QString servedCode = served.written().value(u"menu/qmenu.ascx.vb"_qs);
        QCOMPARE(test::vbStructureFaults(servedCode).join(u"\n"_qs), QString());
        QString calls = test::menuScriptReadBack(servedCode);
        QVERIFY(!calls.contains(u"<unreadable"_qs));
        QSet<QString> called;
        static const QRegularExpression call(QStringLiteral("\\[%(\\w+)\\("));
        for (const QRegularExpressionMatch &m : call.globalMatch(calls))
            called << m.captured(1);
        called.remove(u"ChrW"_qs); // the joined "%", "[" and "]" of the pattern
        QCOMPARE(called, (QSet<QString> { "harddiskDirectory" }));
        QCOMPARE(calls.count(u"[%harddiskDirectory("_qs), 1);
        for (const int code : { 37, 91, 93 })
            calls.replace(u"[%ChrW(%1)%]"_qs.arg(code), QChar(code));
        QVERIFY(calls.contains(u",%%"_qs + text + u"%%,%%%%,%%e1d"_qs));

        // The site map the server writes shows the text and calls only the folder's function.
        QVERIFY2(RunDriver(*served.run, served.root).runJob(RunDriver::Job::SiteMap), qPrintable(served.run->logText()));
        const QMap<QString, QString> siteMap = served.written();
        QCOMPARE(test::vbStructureFaults(siteMap.value(u"menu/qmenu_sm.ascx.vb"_qs)).join(u"\n"_qs), QString());
        const QString control = siteMap.value(u"menu/qmenu_sm.ascx"_qs);
        QCOMPARE(control.count(u"<%"_qs), 2); // the directive and the folder's call
        QVERIFY(control.contains(QString(text).replace(u'%', u"&#37;"_qs)));

        // A name that is script cannot be escaped: the server run refuses it.
        Project bare(u"force"_qs);
        bare.page(bare.root.nodes(), text)->setValue(u"lnkChkPageNameIsFunction", 1);
        QCOMPARE(RunDriver(*bare.run, bare.root).runJob(RunDriver::Job::Run), !bareRefused);
        QCOMPARE(bare.run->logText().contains(u"server control would read"), bareRefused);
    }

    // The six steps that turn the script into statements, in their order.
    void serverStatements_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("statements");
        const QString s = QStringLiteral("        wv = wv & ");
        QTest::newRow("quote doubled") << "a=\"x\";" << s + "\"a=\"\"x\"\";\" & vbnewline \r\n";
        QTest::newRow("trailing line break adds an empty line")
            << "a;\r\n" << s + "\"a;\" & vbnewline \r\n" + s + "vbnewline \r\n";
        QTest::newRow("LF and CR end lines too") << "a\nb\rc" << s + "\"a\" & vbnewline \r\n" + s
                + "\"b\" & vbnewline \r\n" + s + "\"c\" & vbnewline \r\n";
        QTest::newRow("call alone on its line")
            << "[%DnnDirectory(%%36%%,0)%]\r\nx" << s + "DnnDirectory(\"36\",0) & vbnewline \r\n" + s
                + "\"x\" & vbnewline \r\n";
        QTest::newRow("call inside a line")
            << "qMF(\"e1\",[%multilingualList(%%Home%%)%]);"
            << s + "\"qMF(\"\"e1\"\",\" & multilingualList(\"Home\") & \");\" & vbnewline \r\n";
        QTest::newRow("empty script") << "" << s + "vbnewline \r\n";
    }
    void serverStatements()
    {
        QFETCH(QString, script);
        QFETCH(QString, statements);
        QCOMPARE(qwk::serverStatements(script), statements);
        const QString code = u"        Dim wv As String = \"\"\r\n"_qs + statements + u"        Return wv\r\n"_qs;
        QString back = script;
        back.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n').replace(u"\n"_qs, u"\r\n"_qs);
        QCOMPARE(test::menuScriptReadBack(code), back + u"\r\n"_qs);
    }

    // The library's own arithmetic, run: lists of ";;" items, widths with
    // their fall-backs, section ids that step by 20. Read from the golden
    // code-behind of a project with one language and of one with two.
    void libraryArithmetic_data()
    {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<QString>("function");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QVariant>("result");
        QTest::addColumn<QVariantList>("argsAfter"); // by reference; empty: not checked
        const QString one = u"menu-shop"_qs, two = u"menu-languages-folder"_qs;
        const auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
        row("next string a") << one << "getNextString" << QVariantList { "a;;b;;", 1 } << QVariant("a")
                             << QVariantList { "a;;b;;", 4 };
        row("next string b") << one << "getNextString" << QVariantList { "a;;b;;", 4 } << QVariant("b")
                             << QVariantList { "a;;b;;", 7 };
        row("next string at the end") << one << "getNextString" << QVariantList { "a;;b;;", 7 } << QVariant("")
                                      << QVariantList { "a;;b;;", 7 };
        row("next string without ;;") << one << "getNextString" << QVariantList { "abc", 2 } << QVariant("bc")
                                      << QVariantList { "abc", 4 };
        row("width 40 + 7 x 12") << one << "getColWidthElement" << QVariantList { "40", "7", "12" }
                                 << QVariant("124px") << QVariantList {};
        row("width fall-backs 40, 7, 10") << one << "getColWidthElement" << QVariantList { "", "x", "1.5" }
                                          << QVariant("110px") << QVariantList {};
        row("width list, one language") << one << "getColWidthList" << QVariantList { "40;;", "7", "12;;3;;" }
                                        << QVariant("124px") << QVariantList {};
        row("width list, two languages") << two << "getColWidthList" << QVariantList { "40", "7;;8;;", "12;;3;;" }
                                         << QVariant("124px;;64px;;") << QVariantList {};
        row("width list, short lists take their first item")
            << two << "getColWidthList" << QVariantList { "", "", "12" } << QVariant("124px;;124px;;")
            << QVariantList {};
        row("length, one language") << one << "increaseLength" << QVariantList { "Products", "2" } << QVariant("8")
                                    << QVariantList {};
        row("length keeps the longer") << one << "increaseLength" << QVariantList { "Home", "9" } << QVariant("9")
                                       << QVariantList {};
        row("length per language") << two << "increaseLength" << QVariantList { "Home;;Startseite;;", "5;;2;;" }
                                   << QVariant("5;;10;;") << QVariantList {};
        row("nextD steps by 20") << one << "nextD" << QVariantList { "e1d2d20" } << QVariant("e1d2d40")
                                 << QVariantList {};
        row("next column") << one << "nextColumn" << QVariantList { "e1d7" } << QVariant("e21d0") << QVariantList {};
        row("main folder") << one << "isMainFolder" << QVariantList { "e1d2" } << QVariant(true) << QVariantList {};
        row("sub-folder") << one << "isMainFolder" << QVariantList { "e1d2d3" } << QVariant(false)
                          << QVariantList {};
        row("fixed function name") << one << "f" << QVariantList { "mf" } << QVariant("qMF") << QVariantList {};
        row("width placeholder replaced")
            << one << "replaceColWidthVariable" << QVariantList { "qMF(\"e1d1\",\"\",\"A\",\"\",\"[$e1d0$]\");", "12", "[$e1d0$]" }
            << QVariant("qMF(\"e1d1\",\"\",\"A\",\"\",\"124px\");") << QVariantList {};
        row("fixed width left alone") << one << "replaceColWidthVariable" << QVariantList { "a 12 b", "12", "12" }
                                      << QVariant("a 12 b") << QVariantList {};
    }
    void libraryArithmetic()
    {
        QFETCH(QString, golden);
        QFETCH(QString, function);
        QFETCH(QVariantList, args);
        QFETCH(QVariant, result);
        QFETCH(QVariantList, argsAfter);
        const QString code = QString::fromUtf8(test::readBytes(kGolden + golden + u"/menu/qmenu.ascx.vb"_qs));
        test::VbFunctions library(code);
        QVariant got;
        try {
            got = library.call(function, args);
        } catch (const test::VbError &e) {
            QFAIL(e.what());
        }
        QCOMPARE(got.toString(), result.toString());
        if (!argsAfter.isEmpty()) {
            QCOMPARE(args.size(), argsAfter.size());
            for (int i = 0; i < args.size(); ++i)
                QCOMPARE(args[i].toString(), argsAfter[i].toString());
        }
    }

    // The checker itself finds what it is there to find.
    void checkerFindsFaults_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("fault");
        QTest::newRow("sound") << "Class A\r\nSub B()\r\nIf x Then\r\ny = \"a\"\"b\" ' c(\r\nElse\r\nEnd If\r\nEnd Sub\r\nEnd Class" << "";
        QTest::newRow("crossed") << "Sub B()\r\nFor i = 1 To 2\r\nEnd Sub\r\nNext" << "line 3: End Sub closes for";
        QTest::newRow("unclosed") << "Function F()\r\nWhile x\r\nEnd While" << "line 1: function not closed";
        QTest::newRow("string") << "x = \"a\"\"" << "line 1: string literal not closed";
        QTest::newRow("template") << "x = \"$name$\"" << "line 1: placeholder left: x = \"$name$\"";
        QTest::newRow("width") << "x = \"[$e1d0$]\"" << "line 1: placeholder left: x = \"[$e1d0$]\"";
        QTest::newRow("region") << "# Region \"A\"\r\nSelect Case x\r\nCase 1\r\n# End Region\r\nEnd Select"
                                << "line 4: # End Region closes select";
    }
    void checkerFindsFaults()
    {
        QFETCH(QString, code);
        QFETCH(QString, fault);
        const QStringList faults = test::vbStructureFaults(code);
        QCOMPARE(faults.value(0), fault);
    }

    // Projects through the command line: the demo's server script equals
    // the static run's script byte for byte; the demo with a portal section,
    // a shop section, a folder read on the server, or languages on the
    // server writes its files, lists each one, and passes the checker.
    void throughTheCommandLine_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QStringList>("jobFiles");
        const QString demo = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");
        const QString projects = QStringLiteral(QUENWICK_SOURCE_DIR "/tests/server/projects/");
        const QStringList all { "run: qmenu.ascx.vb qmenu.ascx", "sitemap: qmenu_sm.ascx.vb qmenu_sm.ascx. qmenu_sm.aspx." };
        QTest::newRow("demo forced") << demo << all;
        QTest::newRow("portal") << projects + u"portal.qwk"_qs << all;
        QTest::newRow("shop") << projects + u"shop.qwk"_qs << all;
        QTest::newRow("folder") << projects + u"folder.qwk"_qs << all;
        QTest::newRow("multilingual") << projects + u"multilingual.qwk"_qs << all;
    }
    void throughTheCommandLine()
    {
        QFETCH(QString, project);
        QFETCH(QStringList, jobFiles);
        QTemporaryDir dir;
        const QString demoWeb = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/web");
        const auto run = [&](const QString &job, const QString &web, bool force) {
            QStringList args { job, project, u"--set"_qs, u"prjFilWebRoot="_qs + web, u"--set"_qs,
                u"prjFilJS="_qs + web + u"/qmenu.js"_qs, u"--set"_qs, u"prjFilCSS="_qs + web + u"/qmenu.css"_qs };
            if (force)
                args << u"--set"_qs << u"prjForceASP=1"_qs;
            return test::runCli(args);
        };
        const QString web = dir.filePath(u"server"_qs);
        QVERIFY(test::copyTree(demoWeb, web));
        test::writeBytes(web + u"/qmenu.css"_qs, ".MenuTreeBox{}\r\n");
        for (const QString &entry : jobFiles) {
            const QString job = entry.section(u':', 0, 0);
            const test::CliResult r = run(job, web, true);
            QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
            QVERIFY2(!r.out.contains(u"Error: "), qPrintable(r.out));
            for (const QString &file : entry.section(u':', 1).split(u' ', Qt::SkipEmptyParts))
                QVERIFY2(r.out.contains(u"Writing file: "_qs + web + u'/' + file + u'\n'), qPrintable(file));
        }
        QVERIFY(!QFile::exists(web + u"/qmenu.js"_qs));
        for (const char *file : { "qmenu.ascx.vb", "qmenu_sm.ascx.vb" }) {
            const QString code = decodeText(test::readBytes(web + u'/' + QLatin1String(file)));
            QCOMPARE(test::vbStructureFaults(code).join(u"\n"_qs), QString());
        }
        if (!project.endsWith(u"demo.qwk"))
            return;
        const QString staticWeb = dir.filePath(u"static"_qs);
        QVERIFY(test::copyTree(demoWeb, staticWeb));
        test::writeBytes(staticWeb + u"/qmenu.css"_qs, ".MenuTreeBox{}\r\n");
        QCOMPARE(run(u"run"_qs, staticWeb, false).exitCode, 0);
        const QString script = decodeText(test::readBytes(staticWeb + u"/qmenu.js"_qs));
        const QString code = decodeText(test::readBytes(web + u"/qmenu.ascx.vb"_qs));
        QVERIFY(!script.isEmpty());
        QCOMPARE(firstDifference(test::menuScriptReadBack(code), script + u"\r\n"_qs), QString());
    }
};

QTEST_GUILESS_MAIN(TestServerControl)
#include "tst_servercontrol.moc"
