// The sample page: its lines, the file-name question, what is stored, and
// how the job reports trouble.

#include "core/textfile.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "generator/samplepage.h"
#include "options/options.h"
#include "support/runfixture.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qwk;

namespace {

struct Job : test::RunFixture {
    Job() : RunFixture(".MenuTreeBox{}\r\n") { options.setControlValue(u"prjCSSinJS", 0); }
    // Runs the job as the run window does; the page's lines, or none.
    QStringList sample(bool *ok = nullptr)
    {
        RunDriver driver(*run, root);
        const bool done = driver.runJob(RunDriver::Job::WriteSample);
        if (ok)
            *ok = done;
        const QString file = options.text(u"prjFilSample");
        if (!done || !QFileInfo::exists(file))
            return {};
        return decodeText(test::readBytes(file)).split(QStringLiteral("\r\n"));
    }
};

} // namespace

class TestSamplePage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pageLineByLine()
    {
        Job j;
        j.prompt.replies << j.path(QStringLiteral("sample.html"));
        bool ok = false;
        QStringList lines = j.sample(&ok);
        QVERIFY(ok);
        QCOMPARE(j.prompt.asked.size(), 1);
        const FileDialogRequest &asked = j.prompt.asked[0].file;
        QCOMPARE(asked.title, QStringLiteral("Write sample file:"));
        QCOMPARE(asked.defaultExt, QStringLiteral("html"));
        QCOMPARE(asked.filter, QStringLiteral("*.html|*.html|aspx.*|aspx.*"));
        QVERIFY(asked.askOverwrite);
        QCOMPARE(asked.startName, j.path(QStringLiteral("qSample.html")));
        QCOMPARE(j.options.text(u"prjFilSample"), j.path(QStringLiteral("sample.html")));

        QCOMPARE(lines.size(), 15); // the last line ends too
        QVERIFY(lines[9].startsWith(u"<p>File date:  "));
        lines[9] = QStringLiteral("(date)");
        QCOMPARE(lines,
            (QStringList { "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                           "\"http://www.w3.org/TR/html4/strict.dtd\"><HTML>",
                "<HEAD>", "<meta name=Generator content=\"Quenwick\">",
                "<link rel=\"stylesheet\" type=\"text/css\" href=\"/qmenu.css\">", "</HEAD>", "<BODY>",
                "<script src=\"/menu/qmenu.js\" type =\"text/javascript\"></script>",
                "<p style=\"font-weight:700;text-decoration:underline;margin-top:15px;\">File "
                "Information:</p>",
                "<p>File name:  " + j.path("sample.html") + "</p>", "(date)",
                "<p>CSS link:  " + j.path("qmenu.css") + "</p>", "<p>Javascript link:  /menu/qmenu.js</p>",
                "</BODY>", "</HTML>", "" }));
        QCOMPARE(j.run->logEntries(),
            (QStringList { "Writing file: " + j.path("sample.html"), QString(49, u'-') }));
    }

    void optionsChangeThePage()
    {
        Job j;
        j.options.setControlValue(u"prjCSSinJS", 1);
        j.options.setControlValue(u"prjChkMultiLingual", 1);
        j.options.setControlValue(u"prjLanguages", QStringLiteral("en-US;;de;;"));
        j.options.setControlValue(u"prjSampleHTML", QStringLiteral("var page=1;"));
        j.options.setControlValue(u"prjFilSample", j.path(QStringLiteral("old.html")));
        j.prompt.replies << j.path(QStringLiteral("old.html"));
        const QStringList lines = j.sample();
        QCOMPARE(j.prompt.asked[0].file.startName, j.path(QStringLiteral("old.html")));
        // The style sheet is inside the script; the language is set before the menu runs.
        QVERIFY(lines.filter(u"<link").isEmpty());
        QCOMPARE(lines.mid(3, 5),
            (QStringList { "<script type=\"text/javascript\">var qwkLang= 'en-US';</script>", "</HEAD>",
                "<BODY>", "<script type =\"text/javascript\">var page=1;</script>",
                "<script src=\"/menu/qmenu.js\" type =\"text/javascript\"></script>" }));
        QVERIFY(lines.contains("<p>CSS link:  None. CSS file included in javascript menutree file</p>"));
        QCOMPARE(lines.value(lines.size() - 4), "<p>Inserted script: var qwkLang= 'en-US'</p>");
    }

    void scriptOutsideTheWebRoot()
    {
        Job j;
        j.options.setControlValue(u"prjFilJS", QStringLiteral("/elsewhere/qmenu.js"));
        j.prompt.replies << j.path(QStringLiteral("s.html"));
        const QStringList lines = j.sample();
        QVERIFY(lines.contains("<script src=\"\" type =\"text/javascript\"></script>"));
        QCOMPARE(j.run->logEntries().value(0), "File not under web folder: \n/elsewhere/qmenu.js");
    }

    void troubleIsLoggedWithoutErrorPrefix_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("languageVariable");
        QTest::addColumn<QString>("logged");
        QTest::newRow("dialog cancelled") << true << "" << "Cancel was selected. No sample page was written.";
        QTest::newRow("style sheet missing") << false << "" << "Style sheet does not exist";
        // Written bare into the page's script element.
        QTest::newRow("language variable with script") << false << "x;</script><script>alert(1)//"
                                                       << "Javascript language variable is not a script name: "
                                                          "x;</script><script>alert(1)//";
    }
    void troubleIsLoggedWithoutErrorPrefix()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, languageVariable);
        QFETCH(QString, logged);
        Job j;
        if (!languageVariable.isEmpty()) {
            j.options.setControlValue(u"prjChkMultiLingual", 1);
            j.options.setControlValue(u"prjJavascriptLanguageVariable", languageVariable);
        }
        j.options.setControlValue(u"prjFilSample", j.path(QStringLiteral("kept.html")));
        if (cancel) {
            j.prompt.replies << std::nullopt;
        } else {
            j.prompt.replies << j.path(QStringLiteral("new.html"));
            QFile::remove(j.path(QStringLiteral("qmenu.css")));
        }
        bool ok = true;
        j.sample(&ok);
        QVERIFY(!ok);
        QCOMPARE(j.run->logEntries().last(), logged);
        QVERIFY(j.run->logEntries().filter(u"Error: ").isEmpty());
        QVERIFY(!QFileInfo::exists(j.path(QStringLiteral("new.html"))));
        QVERIFY(!QFileInfo::exists(j.path(QStringLiteral("kept.html"))));
        if (cancel)
            QCOMPARE(j.options.text(u"prjFilSample"), j.path(QStringLiteral("kept.html")));
    }

    // The accessible markup's page: HTML5 with one heading in the main
    // landmark, the menu before it (the fragment and the script that
    // enhances it, or the script alone), the examples of both ways with the
    // menu's id, and UTF-8 bytes.
    void accessiblePage_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<QString>("menuNumber");
        QTest::addColumn<QString>("menuId");
        const QString nav = QStringLiteral("<nav id=\"quenwick-menu\" aria-label=\"Site menu\" data-qwk-static>"
                                           "<ul class=\"qwk-column\"><li><a href=\"/caf\u00e9.html\">Caf\u00e9</a>"
                                           "</li></ul></nav>\n");
        QTest::newRow("with the fragment") << nav << "" << "quenwick-menu";
        QTest::newRow("script alone") << "" << "" << "quenwick-menu";
        QTest::newRow("menu number 3") << "" << "3" << "quenwick-menu-3";
    }
    void accessiblePage()
    {
        QFETCH(QString, fragment);
        QFETCH(QString, menuNumber);
        QFETCH(QString, menuId);
        Job j;
        j.options.setControlValue(u"prjChkAccessible", 1);
        if (!menuNumber.isEmpty()) {
            j.options.setControlValue(u"prjMultipleMenu", 1);
            j.options.setControlValue(u"prjMultipleMenuNumber", menuNumber);
        }
        SamplePageWriter w(*j.run);
        int asked = 0;
        w.setMenuFragment([&] {
            ++asked;
            return fragment;
        });
        const QString file = j.path(QStringLiteral("sample.html"));
        w.writeSample(file);
        QCOMPARE(asked, 1);
        const QByteArray bytes = test::readBytes(file);
        const QString page = QString::fromUtf8(bytes);
        const QStringList lines = page.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 7),
            (QStringList { "<!DOCTYPE html>", "<html lang=\"en\">", "<head>", "<meta charset=\"utf-8\">",
                "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
                "<meta name=\"generator\" content=\"Quenwick\">", "<title>Menu sample page</title>" }));
        QVERIFY(lines.contains("<link rel=\"stylesheet\" href=\"/qmenu.css\">"));
        QCOMPARE(page.count(u"<h1>"), 1);
        QCOMPARE(page.count(u"<main>"), 1);
        // The menu stands in front of the main landmark: the fragment, then the script.
        const QString menu = fragment.isEmpty() ? QString() : fragment.trimmed() + "\r\n";
        QVERIFY(page.contains(
            "<body>\r\n" + menu + "<script src=\"/menu/qmenu.js\"></script>\r\n<main>\r\n<h1>Menu sample page</h1>"));
        QVERIFY(page.contains(fragment.isEmpty() ? u"drawn by the script" : u"static fragment included"));
        QVERIFY(page.contains("&lt;!--#include virtual=&quot;/menu/qmenu.fragment.html&quot; --&gt;"));
        QVERIFY(page.contains("&lt;div id=&quot;" + menuId + "&quot;&gt;&lt;/div&gt;"));
        QVERIFY(!page.contains(u"type =\"text/javascript\""));
        if (!fragment.isEmpty())
            QVERIFY(bytes.contains("Caf\xC3\xA9"));
    }

    void defaultNameWithoutWebRoot()
    {
        Job j;
        j.options.setControlValue(u"prjFilWebRoot", QString());
        SamplePageWriter w(*j.run);
        QCOMPARE(w.defaultSampleFile(), j.path(QStringLiteral("menu/qSample.html")));
        j.options.setControlValue(u"prjFilJS", QString());
        QCOMPARE(w.defaultSampleFile(), j.path(QStringLiteral("qSample.html")));
    }

    void cliSampleWithOut()
    {
        QTemporaryDir dir;
        const QString project = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");
        const QString css = dir.filePath(QStringLiteral("qmenu.css"));
        test::writeBytes(css, ".MenuTreeBox{}\r\n");
        const QStringList locations { "--set", "prjFilWebRoot=" + dir.path(), "--set",
            "prjFilJS=" + dir.filePath("qmenu.js"), "--set", "prjFilCSS=" + css };
        test::CliResult r
            = test::runCli(QStringList { "sample", project, "--out", dir.filePath("s.html") } + locations);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(decodeText(test::readBytes(dir.filePath("s.html"))).contains(u"<script src=\"/qmenu.js\""));
        r = test::runCli(QStringList { "sample", project } + locations);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(QFileInfo::exists(dir.filePath("qSample.html")));
    }
};

QTEST_GUILESS_MAIN(TestSamplePage)
#include "tst_samplepage.moc"
