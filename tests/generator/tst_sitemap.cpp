// The HTML site map: the walk's lines, the page around them, the server
// sections that need the ASP.NET form, and design-time folder expansion.

#include "core/textfile.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "generator/sitemap.h"
#include "options/options.h"
#include "support/runfixture.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace qwk;

namespace {

struct Job : test::RunFixture, test::NodeMaker {
    Job()
        : RunFixture(".MenuTreeBox{}\r\n.MainFolderBox{}\r\n.MainFolderLine{}\r\n.SubFolderBox{}\r\n"
                     ".SubFolderLine{}\r\n.LinkBox{}\r\n.LinkLine{}\r\n")
    {
        options.setControlValue(u"prjChkTreeMenus", 1);
        run->setClassCheck([](const QString &name) { return name != u"Missing"; });
    }
    clsPage *advanced(clsNodes &n, const QString &name, const char16_t *kind)
    {
        clsPage *p = page(n, name);
        p->setValue(u"lnkOptAdvanced", true);
        p->setValue(kind, true);
        return p;
    }
    QStringList walk()
    {
        run->readOptionFlags();
        SiteMapWriter w(*run, root);
        return w.walkTree().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    bool job()
    {
        RunDriver driver(*run, root);
        return driver.runJob(RunDriver::Job::SiteMap);
    }
    QString written() const
    {
        return decodeText(test::readBytes(path(QStringLiteral("menu/qmenu.sm.html"))));
    }
};

QString siteLink(const QString &address, const QString &name, int indent = 0, const QString &image = {})
{
    return "<p class='LinkBox'>" + QString("&nbsp;&nbsp;&nbsp;").repeated(indent) + image + "<a href=\""
        + address + "\"><span class='LinkLine'>" + name + "</span></a></p>";
}

} // namespace

class TestSiteMap : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyTree()
    {
        Job j;
        QVERIFY(j.job());
        QCOMPARE(j.written(),
            QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                           "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n"
                           "<html xmlns=\"http://www.w3.org/1999/xhtml\" >\r\n"
                           "<head>\r\n"
                           "   <title>/menu/qmenu.js</title>\r\n"
                           "   <link rel=\"stylesheet\" type=\"text/css\" href=\"/qmenu.css\">\r\n"
                           "</head>\r\n"
                           "<body>\r\n"
                           "  <table  border='0' cellspacing='0' cellpadding='0'>\r\n"
                           "    <tr>\r\n"
                           "      <td class='MenuTreeBox' valign='top'>\r\n"
                           "      </TD>\r\n"
                           "    </TR>\r\n"
                           "  </TABLE>  <p>Total number of links: 0.</p>\r\n"
                           "</BODY>\r\n"
                           "</HTML>"));
        QCOMPARE(j.run->logEntries(),
            (QStringList { "Writing file: " + j.path("menu/qmenu.sm.html"), "Total number of links: 0." }));
    }

    void tableOptions()
    {
        Job j;
        j.options.setControlValue(u"prjWidthTo100", 1);
        j.options.setControlValue(u"prjChkFirstColValue", 1);
        j.options.setControlValue(u"prjFirstColWid", QStringLiteral(" 150px "));
        j.options.setControlValue(u"prjCNMenuTreeBox", QStringLiteral("tree"));
        j.options.setControlValue(u"prjCNLinkBox", QStringLiteral("Missing"));
        j.page(j.root.nodes(), QStringLiteral("A"), QStringLiteral("/a.html"));
        j.page(j.root.nodes(), QStringLiteral("B"), QStringLiteral("/b.html"));
        QVERIFY(j.job());
        const QString page = j.written();
        QVERIFY(page.contains(u"  <table  width='100%'  border='0' cellspacing='0' cellpadding='0'>\r\n"));
        QVERIFY(page.contains(u"      <td class='tree' valign='top' Width = '150px'>\r\n"));
        QVERIFY(page.contains(u"<p class='Missing'><a href=\"/b.html\">"));
        // A class missing from the style sheet is reported once, not per line.
        QCOMPARE(j.run->logEntries().filter(u"Class not found").size(), 1);
    }

    void walkLines()
    {
        Job j;
        clsFolder *news = j.folder(j.root.nodes(), QStringLiteral("News*03"));
        j.page(news->nodes(), QStringLiteral("Today"), QStringLiteral("/news/today.html"));
        clsFolder *old = j.folder(news->nodes(), QStringLiteral("Archive"));
        j.page(old->nodes(), QStringLiteral("   "), QStringLiteral("/news/2020.html"));
        j.root.nodes().addColumn(j.root.nodes().count());
        clsPage *hidden = j.page(j.root.nodes(), QStringLiteral("var x=1;"));
        hidden->setValue(u"lnkChkPageNameIsHiddenJavascript", 1);
        clsPage *none = j.page(j.root.nodes(), QStringLiteral("Heading"));
        none->setValue(u"lnkOptURLNone", true);
        clsPage *js = j.page(j.root.nodes(), QStringLiteral("Say hello"));
        js->setValue(u"lnkOptTypePageJS", true);
        js->setValue(u"lnkJS", QStringLiteral("alert(\"hi\")"));
        j.page(j.root.nodes(), QStringLiteral("Home*07"), QStringLiteral("/index.html"));

        QCOMPARE(j.walk(),
            (QStringList {
                "<p class='MainFolderBox'><span class='MainFolderLine'>News</span></p>",
                siteLink("/news/today.html", "Today", 1),
                "<p class='SubFolderBox'>&nbsp;&nbsp;&nbsp;<span class='SubFolderLine'>Archive</span></p>",
                siteLink("/news/2020.html", "(Missing name)", 2),
                siteLink("javascript:{alert(&quot;hi&quot;)}", "Say hello"),
                siteLink("/index.html", "Home"),
            }));
        // The column takes no id; the page without a link still does.
        QCOMPARE(js->secn(), QStringLiteral("e1d3"));
    }

    void twoAddressChoicesAsInTheMenu()
    {
        // A hand-edited file may set two choices of one group: the site map
        // lists what the menu links to.
        Job j;
        clsPage *p = j.page(j.root.nodes(), QStringLiteral("P"), QStringLiteral("/p.html"));
        p->setValue(u"lnkOptURLNone", true);
        p->setChoiceAt(p->layout().slot[int(NodeOption::OptURLPageURLNormal)], true);
        QCOMPARE(j.walk(), QStringList { siteLink("/p.html", "P") });
    }

    void images()
    {
        Job j;
        j.options.setControlValue(u"prjChkMFI", 1);
        j.options.setControlValue(u"prjFilMFOIMG", QStringLiteral("/img/main.gif"));
        j.options.setControlValue(u"prjChkSFI", 1);
        j.options.setControlValue(u"prjFilSFOIMG", QStringLiteral("/img/sub.gif"));
        j.options.setControlValue(u"prjChkPLI", 1);
        j.options.setControlValue(u"prjFilPLIMG", QStringLiteral("/img/link.gif"));
        clsFolder *f = j.folder(j.root.nodes(), QStringLiteral("A"));
        j.folder(f->nodes(), QStringLiteral("B"));
        j.page(f->nodes(), QStringLiteral("P"), QStringLiteral("/p.html"));
        j.page(f->nodes(), QStringLiteral("Q"), QStringLiteral("/q.html"))->setValue(u"lnkChkNoPageImage", 1);
        QCOMPARE(j.walk(),
            (QStringList {
                "<p class='MainFolderBox'><img src=/img/main.gif>&nbsp;<span "
                "class='MainFolderLine'>A</span></p>",
                "<p class='SubFolderBox'>&nbsp;&nbsp;&nbsp;<img src=/img/sub.gif>&nbsp;<span "
                "class='SubFolderLine'>B</span></p>",
                siteLink("/p.html", "P", 1, "<img src=/img/link.gif>&nbsp;"),
                siteLink("/q.html", "Q", 1),
            }));
    }

    // Image addresses are typed by the author: bare after "src=" as they
    // always were while that is safe, quoted and escaped otherwise.
    void imageAddressInAttribute_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("src");
        QTest::newRow("plain stays bare") << "/img/link.gif" << "/img/link.gif";
        QTest::newRow("blanks") << "/my images/a b.gif" << "\"/my images/a b.gif\"";
        QTest::newRow("second attribute") << "x.gif onerror=alert(1)" << "\"x.gif onerror=alert(1)\"";
        QTest::newRow("quotes") << "a\"b'c.gif" << "\"a&quot;b'c.gif\"";
        QTest::newRow("ampersand") << "a&copy.gif" << "\"a&amp;copy.gif\"";
        QTest::newRow("tag end") << "x.gif><script>" << "\"x.gif&gt;&lt;script&gt;\"";
    }
    void imageAddressInAttribute()
    {
        QFETCH(QString, address);
        QFETCH(QString, src);
        Job j;
        j.options.setControlValue(u"prjChkMFI", 1);
        j.options.setControlValue(u"prjFilMFOIMG", address);
        j.options.setControlValue(u"prjChkPLI", 1);
        j.options.setControlValue(u"prjFilPLIMG", address);
        j.page(j.folder(j.root.nodes(), QStringLiteral("A"))->nodes(), QStringLiteral("P"), QStringLiteral("/p.html"));
        const QString image = "<img src=" + src + ">&nbsp;";
        QCOMPARE(j.walk(),
            (QStringList { "<p class='MainFolderBox'>" + image + "<span class='MainFolderLine'>A</span></p>",
                siteLink("/p.html", "P", 1, image) }));
    }

    void firstColumnWidthChecked()
    {
        Job j;
        j.options.setControlValue(u"prjChkFirstColValue", 1);
        j.options.setControlValue(u"prjFirstColWid", QStringLiteral("150px' onclick='x"));
        QVERIFY(!j.job());
        QVERIFY(!QFileInfo::exists(j.path(QStringLiteral("menu/qmenu.sm.html"))));
        QVERIFY2(j.run->logText().endsWith(u"Error: \nThe width \"150px' onclick='x\" (prjFirstColWid) is not a "
                                           "number with an optional unit, such as 120px or 50%."),
            qPrintable(j.run->logText()));
    }

    void serverSections()
    {
        Job j;
        clsPage *csk = j.advanced(j.root.nodes(), QStringLiteral("Shop"), u"lnkOptURLCSK");
        csk->setValue(u"lnkCSKSku", QStringLiteral("S1"));
        csk->setValue(u"lnkCSKOptionChoice", QStringLiteral("optCSKCategories"));
        clsPage *dnn = j.advanced(j.root.nodes(), QStringLiteral("Portal"), u"lnkOptURLDNN");
        dnn->setValue(u"lnkDNNTabID", QStringLiteral("36"));
        dnn->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("sub||"));
        clsPage *asp = j.advanced(j.root.nodes(), QStringLiteral("Files"), u"lnkOptURLHarddisk");
        asp->setValue(u"lnkHarddiskDirPage", j.path(QStringLiteral("docs")));
        asp->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||asp||"));
        asp->setValue(u"lnkHarddiskIncludePage", QStringLiteral(".htm||"));
        j.page(j.root.nodes(), QStringLiteral("After"), QStringLiteral("/after.html"))
            ->setValue(u"lnkOptTypePageJS", true);
        j.root.nodes().item(4)->setValue(u"lnkJS", QStringLiteral("go()"));
        const QStringList lines = j.walk();
        QCOMPARE(lines.mid(0, 3),
            (QStringList { "[%CSKDirectory(%%S1%%,%%optCSKCategories%%,%%e1d0%%,0,True,%%siteMap%%)%]",
                "[%DnnDirectory(%%36%%,%%sub||%%,%%e1d0%%,0,%%%%,%%%%,True,%%siteMap%%)%]",
                "[%harddiskDirectorySiteMap(%%/docs/"
                "%%,%%r||asp||%%,%%.htm||%%,%%%%,%%e1d100%%,0,%%%%,%%%%)%]" }));
        // Room is left for the ids the server gives.
        QCOMPARE(static_cast<clsPage *>(j.root.nodes().item(4))->secn(), QStringLiteral("e1d601"));
        QVERIFY(j.run->shopLinks() && j.run->portalDirectory() && j.run->serverDirectory());
    }

    void aspSectionAsksForTheServerForm()
    {
        Job j;
        clsPage *asp = j.advanced(j.root.nodes(), QStringLiteral("Files"), u"lnkOptURLHarddisk");
        asp->setValue(u"lnkHarddiskDirPage", j.path(QStringLiteral("docs")));
        asp->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||asp||"));
        QVERIFY(j.job());
        QVERIFY(j.run->logEntries().contains("  Adding ASP directory to tree.\n  See page: \"Files\""));
        QCOMPARE(j.run->logEntries().last(), QStringLiteral("Above .aspx file is your sitemap file."));
        QVERIFY(QFileInfo::exists(j.path(QStringLiteral("menu/qmenu_sm.aspx"))));
        QVERIFY(!QFileInfo::exists(j.path(QStringLiteral("menu/qmenu.sm.html"))));
    }

    void folderExpandedAtDesignTime()
    {
        Job j;
        for (const char *f : { "docs/guide.htm", "docs/a&b.htm", "docs/more/faq.htm" }) {
            QDir().mkpath(QFileInfo(j.path(f)).path());
            test::writeBytes(j.path(f), "x");
        }
        j.page(j.root.nodes(), QStringLiteral("Home"), QStringLiteral("/index.html"));
        clsPage *docs = j.advanced(j.root.nodes(), QStringLiteral("Docs"), u"lnkOptURLHarddisk");
        docs->setValue(u"lnkHarddiskDirPage", j.path(QStringLiteral("docs")));
        docs->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||str||sub||"));
        QVERIFY(j.job());
        const QString page = j.written();
        QVERIFY(page.contains(siteLink("/index.html", "Home")
            + "\r\n"
              "<p class='MainFolderBox'><span class='MainFolderLine'>more</span></p>\r\n"
            + siteLink("/docs/more/faq.htm", "faq", 1) + "\r\n" + siteLink("/docs/a%26b.htm", "a&amp;b")
            + "\r\n" + siteLink("/docs/guide.htm", "guide") + "\r\n      </TD>"));
        QVERIFY(page.contains(u"<p>Total number of links: 4.</p>"));
        QCOMPARE(j.run->logEntries().last(), QStringLiteral("Total number of links: 4."));
    }

    // The accessible markup's page: HTML5, one heading in the main landmark,
    // the tree as nested lists (a folder listed from the disk among them),
    // decorative images, and UTF-8 whatever the project's encoding.
    void accessiblePage()
    {
        Job j;
        j.options.setControlValue(u"prjChkAccessible", 1);
        j.options.setControlValue(u"prjChkPLI", 1);
        j.options.setControlValue(u"prjFilPLIMG", QStringLiteral("/img/link.gif"));
        for (const char *f : { "docs/guide.htm", "docs/more/faq.htm" }) {
            QDir().mkpath(QFileInfo(j.path(f)).path());
            test::writeBytes(j.path(f), "x");
        }
        clsFolder *news = j.folder(j.root.nodes(), QStringLiteral("News*03"));
        j.page(news->nodes(), QStringLiteral("Today"), QStringLiteral("/news/today.html"));
        clsFolder *archive = j.folder(news->nodes(), QStringLiteral("Archive"));
        // Names are the author's HTML, as in the menu.
        j.page(archive->nodes(), QStringLiteral("Caf\u00e9 <b>bar</b>"), QStringLiteral("/news/caf\u00e9.html?a=\"1\""))
            ->setValue(u"lnkChkNoPageImage", 1);
        j.folder(news->nodes(), QStringLiteral("Empty"));
        j.page(j.root.nodes(), QStringLiteral("Home"), QStringLiteral("/index.html"));
        clsPage *docs = j.advanced(j.root.nodes(), QStringLiteral("Docs"), u"lnkOptURLHarddisk");
        docs->setValue(u"lnkHarddiskDirPage", j.path(QStringLiteral("docs")));
        docs->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||str||sub||"));
        QVERIFY(j.job());
        const QString link = QStringLiteral("<li class=\"LinkBox\"><a class=\"LinkLine\" href=\"%1\">%2</a></li>");
        const QString image = QStringLiteral("<img src=/img/link.gif alt=\"\">");
        const QStringList expected {
            "<!DOCTYPE html>", "<html lang=\"en\">", "<head>", "<meta charset=\"utf-8\">",
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">", "<title>Site map</title>",
            "<link rel=\"stylesheet\" href=\"/qmenu.css\">", "</head>", "<body>", "<main>", "<h1>Site map</h1>",
            "<ul class=\"MenuTreeBox\">",
            "<li class=\"MainFolderBox\"><span class=\"MainFolderLine\">News</span>", "<ul>",
            link.arg("/news/today.html", image + "Today"),
            "<li class=\"SubFolderBox\"><span class=\"SubFolderLine\">Archive</span>", "<ul>",
            link.arg("/news/caf\u00e9.html?a=&quot;1&quot;", "Caf\u00e9 <b>bar</b>"), "</ul>", "</li>",
            "<li class=\"SubFolderBox\"><span class=\"SubFolderLine\">Empty</span>", "</li>", "</ul>", "</li>",
            link.arg("/index.html", image + "Home"),
            "<li class=\"MainFolderBox\"><span class=\"MainFolderLine\">more</span>", "<ul>",
            link.arg("/docs/more/faq.htm", image + "faq"), "</ul>", "</li>", link.arg("/docs/guide.htm", image + "guide"),
            "</ul>", "<p>Total number of links: 5.</p>", "</main>", "</body>", "</html>", "" };
        const QByteArray bytes = test::readBytes(j.path(QStringLiteral("menu/qmenu.sm.html")));
        QCOMPARE(QString::fromUtf8(bytes).split(QStringLiteral("\r\n")), expected);
        QCOMPARE(j.run->logEntries().last(), QStringLiteral("Total number of links: 5."));
    }

    void accessibleWithServerPartsKeepsTheServerForm()
    {
        Job j;
        j.options.setControlValue(u"prjChkAccessible", 1);
        clsPage *asp = j.advanced(j.root.nodes(), QStringLiteral("Files"), u"lnkOptURLHarddisk");
        asp->setValue(u"lnkHarddiskDirPage", j.path(QStringLiteral("docs")));
        asp->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||asp||"));
        QVERIFY(j.job());
        QVERIFY(j.run->logEntries().first().startsWith(u"Note: the menu has parts read on the web server"));
        const QString control = decodeText(test::readBytes(j.path(QStringLiteral("menu/qmenu_sm.ascx"))));
        QVERIFY(control.contains(u"harddiskDirectorySiteMap("));
        QVERIFY(!control.contains(u"<ul"));
    }

    void cliSiteMapOfTheDemo()
    {
        QTemporaryDir dir;
        const QString site = dir.path();
        QDirIterator it(QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/web"), QDir::Files,
            QDirIterator::Subdirectories);
        const QDir web(QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/web"));
        while (it.hasNext()) {
            const QString file = it.next();
            QDir().mkpath(QFileInfo(site + "/" + web.relativeFilePath(file)).path());
            QFile::copy(file, site + "/" + web.relativeFilePath(file));
        }
        const QString project = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");
        const QStringList locations { "--set", "prjFilWebRoot=" + site, "--set",
            "prjFilJS=" + site + "/qmenu.js", "--set", "prjFilCSS=" + site + "/qmenu.css" };
        test::CliResult r = test::runCli({ "css", project, "--tree", "--out", site + "/qmenu.css" });
        QCOMPARE(r.exitCode, 0);
        r = test::runCli(QStringList { "sitemap", project } + locations);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, "Writing file: " + site + "/qmenu.sm.html\nTotal number of links: 12.\n");
        const QString page = decodeText(test::readBytes(site + "/qmenu.sm.html"));
        QVERIFY(page.contains(
            u"<a href=\"/docs/guides/installing.html\"><span class='LinkLine'>installing</span>"));
        QVERIFY(!page.contains(u"_draft"));
        // The web folder moved away: the job fails with an error entry.
        r = test::runCli(QStringList { "sitemap", project, "--set", "prjFilWebRoot=" + site + "/nowhere",
            "--set", "prjFilJS=" + site + "/nowhere/qmenu.js", "--set", "prjFilCSS=" + site + "/qmenu.css" });
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.contains(u"Error: \nCannot list the folder: "));
    }
};

QTEST_GUILESS_MAIN(TestSiteMap)
#include "tst_sitemap.moc"
