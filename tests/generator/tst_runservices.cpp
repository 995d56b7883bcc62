// The run services: log and abort, site addresses from disk paths with either
// separator, class names and their warnings, node checks, file sections and
// the flags that decide between a script and the server files.
#include "generator/runservices.h"
#include "generatortestutil.h"

#include "core/textfile.h"
#include "stylesheet/clscss.h"
#include "tree/nodes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace qwk;
using namespace qwk::test;

namespace {

struct Run : OptionsFixture {
    ScriptNameTables tables;
    RunServices run { *options, prompt, tables };
};

// What a job that calls f logs, as the driver would run it.
QString abortText(RunServices &run, const std::function<void()> &f)
{
    run.clearLog();
    if (run.runGuarded(f))
        return u"(no abort)"_qs;
    return run.logEntries().last();
}

} // namespace

class TestRunServices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logAndAbort();
    void siteAddresses_data();
    void siteAddresses();
    void applicationAddresses();
    void rootFolders();
    void cssClassName();
    void classLookupInstalledInOptions();
    void classesCheckedAgainstTheStyleSheet();
    void nodeNamesAndDescriptions();
    void classSuffix_data();
    void classSuffix();
    void pathNames_data();
    void pathNames();
    void readFileSection_data();
    void readFileSection();
    void readFileSectionProblems();
    void checkPageFile();
    void jsStringText();
    void styleSheetPath();
    void writeTextFile();
    void flags();
};

void TestRunServices::logAndAbort()
{
    Run r;
    QSignalSpy spy(&r.run, &RunServices::logged);
    r.run.logLine(u"one"_qs);
    r.run.logLine(u"two\nlines"_qs);
    QCOMPARE(r.run.logEntries(), (QStringList { u"one"_qs, u"two\nlines"_qs }));
    QCOMPARE(r.run.logText(), u"one\ntwo\nlines"_qs);
    QCOMPARE(spy.count(), 2);

    bool after = false;
    QVERIFY(!r.run.runGuarded([&] {
        r.run.abortRun(u"Style sheet does not exist"_qs);
        after = true;
    }));
    QVERIFY(!after);
    QCOMPARE(r.run.logEntries().last(), u"Error: \nStyle sheet does not exist"_qs);
    // Other failures end the job the same way.
    QCOMPARE(abortText(r.run, [] { throw std::logic_error("Debug.x"); }), u"Error: \nDebug.x"_qs);
    QVERIFY(r.run.runGuarded([] {}));
}

void TestRunServices::siteAddresses_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("logged");
    QTest::newRow("windows path") << u"C:\\site"_qs << u"C:\\site\\menu\\qmenu.js"_qs << u"/menu/qmenu.js"_qs
                                  << false;
    QTest::newRow("case ignored, kept")
        << u"c:\\site"_qs << u"C:\\Site\\a\\B.htm"_qs << u"/a/B.htm"_qs << false;
    QTest::newRow("root with separator")
        << u"C:\\site\\"_qs << u"C:\\site\\a.htm"_qs << u"/a.htm"_qs << false;
    QTest::newRow("forward slashes") << u"/srv/www"_qs << u"/srv/www/menu/qmenu.js"_qs << u"/menu/qmenu.js"_qs
                                     << false;
    QTest::newRow("mixed separators")
        << u"C:/site"_qs << u"C:\\site\\menu/x.htm"_qs << u"/menu/x.htm"_qs << false;
    QTest::newRow("root itself") << u"C:\\site"_qs << u"C:\\site\\"_qs << u"/"_qs << false;
    QTest::newRow("outside") << u"C:\\site"_qs << u"D:\\other\\x.htm"_qs << u""_qs << true;
    QTest::newRow("sibling with same prefix") << u"C:\\site"_qs << u"C:\\sitemap\\x.htm"_qs << u""_qs << true;
    QTest::newRow("empty root") << u""_qs << u"C:\\site\\x.htm"_qs << u""_qs << false;
    QTest::newRow("blank root") << u"  "_qs << u"C:\\site\\x.htm"_qs << u""_qs << false;
    QTest::newRow("empty path") << u"C:\\site"_qs << u""_qs << u""_qs << false;
}

void TestRunServices::siteAddresses()
{
    QFETCH(QString, root);
    QFETCH(QString, path);
    QFETCH(QString, address);
    QFETCH(bool, logged);
    Run r;
    r.set(u"prjFilWebRoot"_qs, root);
    QCOMPARE(r.run.ra(path), address);
    if (logged)
        QCOMPARE(r.run.logEntries(), QStringList { u"File not under web folder: \n"_qs + path });
    else
        QVERIFY(r.run.logEntries().isEmpty());
}

void TestRunServices::applicationAddresses()
{
    Run r;
    r.set(u"prjFilWebRoot"_qs, u"C:\\site"_qs);
    // Without an application root the web root serves.
    QCOMPARE(r.run.raAPP(u"C:\\site\\dnn\\x.ascx"_qs), u"/dnn/x.ascx"_qs);
    r.set(u"prjFilAppRoot"_qs, u"C:\\site\\dnn"_qs);
    QCOMPARE(r.run.raAPP(u"C:\\site\\dnn\\x.ascx"_qs), u"/x.ascx"_qs);
    QCOMPARE(r.run.raAPP(u"C:\\site\\x.ascx"_qs), QString());
    QCOMPARE(r.run.logEntries(), QStringList { u"File not under dnn folder: \nC:\\site\\x.ascx"_qs });
    // Folders get their separator; an empty folder gives nothing.
    QCOMPARE(r.run.raFolder(u"C:\\site\\menu"_qs), u"/menu/"_qs);
    QCOMPARE(r.run.raFolder(u"C:\\site\\menu\\"_qs), u"/menu/"_qs);
    QCOMPARE(r.run.raFolder(QString()), QString());
}

void TestRunServices::rootFolders()
{
    Run r;
    r.set(u"prjFilWebRoot"_qs, u"C:\\site"_qs);
    QCOMPARE(r.run.webRootFolder(), u"C:\\site\\"_qs);
    QCOMPARE(r.run.appRootFolder(), u"C:\\site\\"_qs);
    r.set(u"prjFilAppRoot"_qs, u"/srv/app"_qs);
    QCOMPARE(r.run.appRootFolder(), u"/srv/app/"_qs);
    // A site address becomes a path under the web root; other names stay.
    QCOMPARE(r.run.defaultFile(u"/menu/a.htm"_qs), u"C:\\site\\menu\\a.htm"_qs);
    QCOMPARE(r.run.defaultFile(u"a.htm"_qs), u"a.htm"_qs);
}

void TestRunServices::cssClassName()
{
    Run r;
    QCOMPARE(r.run.cssClassName(u"LinkBox"_qs), u"LinkBox"_qs);
    r.set(u"prjCNLinkBox"_qs, u"navBox"_qs);
    QCOMPARE(r.run.cssClassName(u"LinkBox"_qs), u"navBox"_qs);
    QVERIFY(r.run.logEntries().isEmpty());

    QStringList checked;
    r.run.setClassCheck([&](const QString &name) {
        checked << name;
        return name == u"navBox"_qs;
    });
    QCOMPARE(r.run.cssClassName(u"LinkBox"_qs), u"navBox"_qs);
    QCOMPARE(r.run.cssClassName(u"LinkLine"_qs), u"LinkLine"_qs);
    QCOMPARE(checked, (QStringList { u"navBox"_qs, u"LinkLine"_qs }));
    QCOMPARE(r.run.logEntries(), QStringList { u"Warning! Class not found in style sheet: LinkLine"_qs });

    QCOMPARE(abortText(r.run, [&] { r.run.cssClassName(u"NoSuchKey"_qs); }),
        u"Error: \ncssClassName could not find NoSuchKey"_qs);
}

void TestRunServices::classLookupInstalledInOptions()
{
    OptionsFixture f;
    f.set(u"prjCNMainFolderLine"_qs, u"topLine"_qs);
    ScriptNameTables tables;
    {
        RunServices run(*f.options, f.prompt, tables);
        run.setClassCheck([](const QString &) { return false; });
        QCOMPARE(f.options->mainFolderLineClass(), u"topLine"_qs);
        // The checked lookup is the one in use: it warned.
        QCOMPARE(run.logEntries(), QStringList { u"Warning! Class not found in style sheet: topLine"_qs });
        const QString tmpl
            = f.options->lnkDefault(u"txtDnnHeaderTemplate"_qs, u"lnkChkPageDnnHeaderTemplate"_qs).toString();
        QCOMPARE(tmpl, u"<span class='topLine'>[FOLDERNAME]: </span>"_qs);
    }
    // Gone with the run object: the plain lookup serves again.
    QCOMPARE(f.options->mainFolderLineClass(), u"topLine"_qs);
}

void TestRunServices::classesCheckedAgainstTheStyleSheet()
{
    Run r;
    clsCSS css(r.options.get(), &r.prompt);
    css.document().setText(u".navBox { color: red; }\n.LinkLine { color: blue; }\n"_qs);
    r.run.useStyleSheet(css);
    r.set(u"prjCNLinkBox"_qs, u"navBox"_qs);
    QCOMPARE(r.run.cssClassName(u"LinkBox"_qs), u"navBox"_qs);
    QCOMPARE(r.run.cssClassName(u"LinkLine"_qs), u"LinkLine"_qs);
    QCOMPARE(r.run.cssClassName(u"LinkPage"_qs), u"LinkPage"_qs);
    QCOMPARE(r.run.logEntries(), QStringList { u"Warning! Class not found in style sheet: LinkPage"_qs });
}

void TestRunServices::nodeNamesAndDescriptions()
{
    Run r;
    clsPage page;
    page.setValue(u"lnkNamePage", u"Say \"hi\""_qs);
    clsFolder folder;
    folder.setValue(u"lnkNameFolder", u"Products"_qs);
    clsColumn column;

    QCOMPARE(RunServices::nodeDescription(page), u"page: \"Say \"hi\"\""_qs);
    QCOMPARE(RunServices::nodeDescription(folder), u"folder : \"Products\""_qs);
    QCOMPARE(RunServices::nodeDescription(column), u"column in main tree"_qs);

    QCOMPARE(r.run.safeNodeName(folder, u"lnkNameFolder"_qs), u"Products"_qs);
    QCOMPARE(abortText(r.run, [&] { r.run.safeNodeName(page, u"lnkNamePage"_qs); }),
        u"Error: \nSay \"hi\"\nName contains a double quote. See: page: \"Say \"hi\"\""_qs);
}

void TestRunServices::classSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("suffix") << u"Home*07"_qs << u"cn07"_qs;
    QTest::newRow("only suffix") << u"*12"_qs << u"cn12"_qs;
    QTest::newRow("no star") << u"Home07"_qs << u""_qs;
    QTest::newRow("one digit") << u"Home*7"_qs << u""_qs;
    QTest::newRow("letters") << u"Home*ab"_qs << u""_qs;
    QTest::newRow("sign") << u"Home*+1"_qs << u""_qs;
    QTest::newRow("short") << u"*1"_qs << u""_qs;
    QTest::newRow("empty") << u""_qs << u""_qs;
}

void TestRunServices::classSuffix()
{
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QCOMPARE(RunServices::classSuffix(name), suffix);
}

void TestRunServices::pathNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("stripped");
    QTest::newRow("two dots") << u"C:\\x\\menu.old.js"_qs << u"menu"_qs << u"C:\\x\\menu.old"_qs;
    QTest::newRow("web path") << u"C:\\web\\qmenu.old.js"_qs << u"qmenu"_qs << u"C:\\web\\qmenu.old"_qs;
    QTest::newRow("forward") << u"/home/u/site.qwk"_qs << u"site"_qs << u"/home/u/site"_qs;
    QTest::newRow("no extension") << u"C:\\x\\menu"_qs << u"menu"_qs << u"C:\\x\\menu"_qs;
    QTest::newRow("dot in folder") << u"C:\\web.site\\menu"_qs << u"menu"_qs << u"C:\\web.site\\menu"_qs;
    QTest::newRow("bare name") << u"menu.js"_qs << u"menu"_qs << u"menu"_qs;
    QTest::newRow("empty") << u""_qs << u""_qs << u""_qs;
}

void TestRunServices::pathNames()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    QFETCH(QString, stripped);
    QCOMPARE(RunServices::baseName(path), base);
    QCOMPARE(RunServices::stripExtension(path), stripped);
}

void TestRunServices::readFileSection_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("section");
    QTest::newRow("whole") << u"<p>a</p>"_qs << u""_qs << u"<p>a</p>"_qs;
    QTest::newRow("body") << u"<html><BODY class='x'>Hi <b>There</b></Body></html>"_qs << u"body"_qs
                          << u"Hi <b>There</b>"_qs;
    QTest::newRow("no tag") << u"just Text"_qs << u"body"_qs << u"just Text"_qs;
    QTest::newRow("no end") << u"<body>open"_qs << u"body"_qs << u"open"_qs;
    QTest::newRow("unclosed start") << u"<body"_qs << u"body"_qs << u""_qs;
}

void TestRunServices::readFileSection()
{
    QFETCH(QString, content);
    QFETCH(QString, tag);
    QFETCH(QString, section);
    QTemporaryDir dir;
    Run r;
    r.set(u"prjFilWebRoot"_qs, dir.path());
    const QString path = dir.filePath(u"part.htm"_qs);
    writeBytes(path, content.toUtf8());
    QCOMPARE(r.run.readFileSection(path, tag), section);
    QCOMPARE(r.run.logEntries(), QStringList { u"Opening file: "_qs + path });
    // A site address is found under the web root.
    QCOMPARE(r.run.readFileSection(u"/part.htm"_qs, tag), section);
}

void TestRunServices::readFileSectionProblems()
{
    QTemporaryDir dir;
    Run r;
    r.set(u"prjFilWebRoot"_qs, dir.path());
    QCOMPARE(r.run.readFileSection(QString(), u"body"_qs), QString());
    QCOMPARE(r.run.logEntries(), (QStringList { u"Opening file: "_qs, u"Error: Missing file name."_qs }));
    r.run.clearLog();
    const QString missing = dir.filePath(u"gone.htm"_qs);
    QCOMPARE(r.run.readFileSection(missing, u"body"_qs), QString());
    QCOMPARE(r.run.logEntries(),
        (QStringList { u"Opening file: "_qs + missing, u"Error: File does not exist\n"_qs + missing }));
    // A single-byte file is read without losing characters.
    const QString old = dir.filePath(u"old.htm"_qs);
    writeBytes(old, QByteArray("<body>caf\xe9</body>"));
    QCOMPARE(r.run.readFileSection(old, u"body"_qs), u"caf\u00e9"_qs);
}

void TestRunServices::checkPageFile()
{
    QTemporaryDir dir;
    Run r;
    r.set(u"prjFilWebRoot"_qs, dir.path());
    writeBytes(dir.filePath(u"here.htm"_qs), "x");
    clsPage page;
    const QString desc = u"page: \"P\""_qs;

    page.setValue(u"lnkFilMyWebPage", u"  "_qs);
    r.run.checkPageFile(page, u"lnkFilMyWebPage"_qs, desc);
    page.setValue(u"lnkFilMyWebPage", u"/gone.htm"_qs);
    r.run.checkPageFile(page, u"lnkFilMyWebPage"_qs, desc);
    page.setValue(u"lnkFilMyWebPage", u"/here.htm"_qs);
    r.run.checkPageFile(page, u"lnkFilMyWebPage"_qs, desc);
    page.setValue(u"lnkFilMyWebPage", dir.filePath(u"here.htm"_qs));
    r.run.checkPageFile(page, u"lnkFilMyWebPage"_qs, desc);
    QCOMPARE(r.run.logEntries(),
        (QStringList { u"Missing file name\nSee: page: \"P\""_qs,
            u"File: /gone.htm\nFile does not exist\nSee: page: \"P\""_qs }));
}

void TestRunServices::jsStringText()
{
    Run r;
    QCOMPARE(r.run.jsStringText(u"a\r\nb\rc\nd \"q\""_qs), u"a bcd 'q'"_qs);
    QVERIFY(r.run.logEntries().isEmpty());
    const QString odd = u"x\\ny\\\\z\\'"_qs;
    QCOMPARE(r.run.jsStringText(odd), odd);
    QCOMPARE(r.run.logEntries(),
        (QStringList { u"File contains: \\n"_qs, u"File contains: \\'"_qs, u"File contains: \\\\"_qs }));
}

void TestRunServices::styleSheetPath()
{
    QTemporaryDir dir;
    const QString css = dir.filePath(u"menu.css"_qs);
    {
        Run r;
        r.set(u"prjFilCSS"_qs, css);
        writeBytes(css, "a{}");
        r.run.offerToSaveStyleSheet();
        QCOMPARE(r.run.styleSheetPath(), css);
        QVERIFY(r.prompt.asked.isEmpty());
        QFile::remove(css);
    }
    {
        // Cancel: the run stops, and the job's own lookup asks nothing.
        Run r;
        r.set(u"prjFilCSS"_qs, css);
        r.prompt.answers << Answer::Cancel;
        r.run.offerToSaveStyleSheet();
        QCOMPARE(
            abortText(r.run, [&] { r.run.styleSheetPath(); }), u"Error: \nStyle sheet does not exist"_qs);
        QCOMPARE(r.prompt.questions(), QStringList { u"Style sheet does not exist"_qs });
        QCOMPARE(r.prompt.asked.first().buttons, Buttons::OkCancel);
    }
    {
        // OK and the style sheet saved under a new name: that path serves.
        Run r;
        r.set(u"prjFilCSS"_qs, css);
        r.prompt.answers << Answer::Ok;
        const QString saved = dir.filePath(u"saved.css"_qs);
        r.run.setSaveStyleSheetAs([&] {
            writeBytes(saved, "b{}");
            r.set(u"prjFilCSS"_qs, saved);
        });
        r.run.offerToSaveStyleSheet();
        QCOMPARE(r.run.styleSheetPath(), saved);
    }
    {
        // OK but nothing saved: the run stops.
        Run r;
        r.set(u"prjFilCSS"_qs, css);
        r.prompt.answers << Answer::Ok;
        bool offered = false;
        r.run.setSaveStyleSheetAs([&] { offered = true; });
        r.run.offerToSaveStyleSheet();
        QCOMPARE(
            abortText(r.run, [&] { r.run.styleSheetPath(); }), u"Error: \nStyle sheet does not exist"_qs);
        QVERIFY(offered);
    }
}

void TestRunServices::writeTextFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"qmenu.js"_qs);
    Run r;
    r.run.writeTextFile(path, u"caf\u00e9"_qs);
    QCOMPARE(readBytes(path), QByteArray("caf\xe9"));
    r.run.writeTextFile(path, u"\u20ac \u4e2d"_qs); // the euro fits, the CJK character does not
    QCOMPARE(readBytes(path), QString(u"\u20ac \u4e2d"_qs).toUtf8());
    r.set(u"prjChkUtf8"_qs, 1);
    r.run.writeTextFile(path, u"caf\u00e9"_qs);
    QCOMPARE(readBytes(path), QByteArray("caf\xc3\xa9"));
    // A failed write ends the run and leaves the old file alone.
    const QString bad = dir.filePath(u"no/such/folder/qmenu.js"_qs);
    const QString logged = abortText(r.run, [&] { r.run.writeTextFile(bad, u"x"_qs); });
    QVERIFY2(logged.startsWith(u"Error: \n"_qs) && logged.size() > 8, qPrintable(logged));
    QCOMPARE(readBytes(path), QByteArray("caf\xc3\xa9"));
}

void TestRunServices::flags()
{
    Run r;
    r.run.readOptionFlags();
    QVERIFY(!r.run.needsServerControl());
    r.set(u"prjChkMultiLingual"_qs, 1);
    r.run.readOptionFlags();
    QVERIFY(!r.run.languagesOnServer()); // both options are needed
    r.set(u"prjAspMultiLingual"_qs, 1);
    r.run.readOptionFlags();
    QVERIFY(r.run.languagesOnServer());
    QVERIFY(r.run.needsServerControl());
    r.set(u"prjChkMultiLingual"_qs, 0);
    r.set(u"prjForceASP"_qs, 1);
    r.run.readOptionFlags();
    QVERIFY(!r.run.languagesOnServer());
    QVERIFY(r.run.forceServer());
    r.set(u"prjForceASP"_qs, 0);
    r.set(u"prjASPandNoWriteToDisk"_qs, 1);
    r.run.readOptionFlags();
    QVERIFY(r.run.noScriptFile() && r.run.needsServerControl());
    r.set(u"prjASPandNoWriteToDisk"_qs, 0);
    r.run.readOptionFlags();
    QVERIFY(!r.run.needsServerControl());
    // Each tree flag alone asks for the server control; clearing drops all three.
    for (auto set :
        { &RunServices::setShopLinks, &RunServices::setServerDirectory, &RunServices::setPortalDirectory }) {
        (r.run.*set)(true);
        QVERIFY(r.run.needsServerControl());
        r.run.clearTreeFlags();
        QVERIFY(!r.run.needsServerControl());
    }
}

QTEST_GUILESS_MAIN(TestRunServices)
#include "tst_runservices.moc"
