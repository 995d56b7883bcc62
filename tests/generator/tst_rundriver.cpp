// The generator jobs end to end: location checks, the log, the written
// script, what a failed run leaves behind, and the split into a half that
// asks and a half that only writes.

#include "core/textfile.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "options/options.h"
#include "support/runfixture.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace qwk;

namespace {

struct Job : test::RunFixture {
    Job() : RunFixture(".MenuTreeBox{}\r\n.LinkLine{color:blue}\r\n")
    {
        options.setControlValue(u"prjChkTreeMenus", 1);
        clsFolder *f = root.nodes().addFolder(1);
        f->setName(QStringLiteral("Products"));
        clsPage *p = f->nodes().addPage(1);
        p->setName(QStringLiteral("Widgets"));
        p->setValue(u"lnkURL", QStringLiteral("/widgets.html"));
    }
    QString script() const { return decodeText(test::readBytes(path(QStringLiteral("menu/qmenu.js")))); }
};

} // namespace

class TestRunDriver : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void generateAsksAndStoresNothing_data()
    {
        QTest::addColumn<RunDriver::Job>("job");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("asked"); // by prepare
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("logEnd");
        const QString rule(49, u'-');
        using J = RunDriver::Job;
        QTest::newRow("run") << J::Run << "" << 0 << true << QStringList{"Writing file: MENU/qmenu.js"};
        QTest::newRow("site map") << J::SiteMap << "" << 0 << true << QStringList{"Total number of links: 1."};
        QTest::newRow("sample") << J::WriteSample << "" << 1 << true
                                << QStringList{"Writing file: DIR/s.html", rule};
        // The answers of prepare reach the log where the old job gave them.
        QTest::newRow("sample cancelled, script outside the web")
            << J::WriteSample << "cancel outside" << 1 << false
            << QStringList{"File not under web folder: \n/elsewhere/qmenu.js",
                           "Cancel was selected. No sample page was written."};
        QTest::newRow("site map, style sheet missing") << J::SiteMap << "no sheet" << 1 << false
                                                       << QStringList{"Error: \nStyle sheet does not exist"};
        QTest::newRow("sample, style sheet missing") << J::WriteSample << "no sheet" << 2 << false
                                                     << QStringList{"Style sheet does not exist"};
    }
    void generateAsksAndStoresNothing()
    {
        QFETCH(RunDriver::Job, job);
        QFETCH(QString, setup);
        QFETCH(int, asked);
        QFETCH(bool, ok);
        QFETCH(QStringList, logEnd);
        Job j;
        j.prompt.replies << (setup.contains(u"cancel") ? std::nullopt : std::optional(j.path("s.html")));
        if (setup.contains(u"outside"))
            j.options.setControlValue(u"prjFilJS", QStringLiteral("/elsewhere/qmenu.js"));
        if (setup.contains(u"no sheet")) {
            j.options.setControlValue(u"prjCSSinJS", 0);
            QFile::remove(j.path(QStringLiteral("qmenu.css")));
        }
        logEnd.replaceInStrings(QStringLiteral("MENU"), j.path(QStringLiteral("menu")))
            .replaceInStrings(QStringLiteral("DIR"), j.dir.path());

        RunDriver d(*j.run, j.root);
        const std::optional<RunDriver::Prepared> prepared = d.prepare(job);
        QVERIFY(prepared);
        QCOMPARE(j.prompt.asked.size(), asked);
        QCOMPARE(j.options.text(u"prjJavascriptLanguageVariable"), QStringLiteral("qwkLang"));

        // As the designer runs it: on a worker thread while the window waits.
        const QSignalSpy written(&j.options, &clsOptions::valueChanged);
        bool generated = !ok;
        std::unique_ptr<QThread> worker(QThread::create([&] { generated = d.generate(*prepared); }));
        worker->start();
        QVERIFY(worker->wait(60000));
        QCOMPARE(generated, ok);
        QCOMPARE(j.prompt.asked.size(), asked);
        QCOMPARE(written.count(), 0);
        QCOMPARE(j.run->logEntries().mid(j.run->logEntries().size() - logEnd.size()), logEnd);
        QCOMPARE(d.lastLog(), j.run->logText());
    }

    void missingLocationsStopBeforeWriting()
    {
        Job j;
        j.options.setControlValue(u"prjFilWebRoot", QString());
        j.options.setControlValue(u"prjFilJS", QString());
        j.options.setControlValue(u"prjFilCSS", QString());
        RunDriver d(*j.run, j.root);
        QVERIFY(!d.runJob(RunDriver::Job::Run));
        QCOMPARE(j.prompt.asked.size(), 1);
        QCOMPARE(j.prompt.asked[0].text, QStringLiteral("First go to the options tab and ...\n"
                                                        "  Select your web root location.\n"
                                                        "  Select your js menu file location.\n"
                                                        "  Select your css file location."));
        QCOMPARE(j.run->logEntries(), QStringList{QStringLiteral("Missing a file location")});
        QVERIFY(!QFile::exists(j.path(QStringLiteral("menu/qmenu.js"))));

        Job k;
        k.options.setControlValue(u"prjFilCSS", QString());
        RunDriver e(*k.run, k.root);
        QVERIFY(!e.runJob(RunDriver::Job::WriteSample));
        QCOMPARE(k.prompt.asked[0].text, QStringLiteral("First go to the options tab and ...\n  Select your css file location."));
        QCOMPARE(k.run->logEntries(), QStringList{QStringLiteral("Missing Folder or File location")});
    }

    void menuDepthLimit()
    {
        // A chain of folders below the fixture's folder with a page at the
        // limit, then a folder and page one level past it.
        Job j;
        clsFolder *f = j.root.nodes().item(1)->asFolder();
        for (int level = 2; level < RunDriver::kMaxMenuDepth; ++level)
            f = f->nodes().addFolder(1);
        f->nodes().addPage(1);
        QCOMPARE(menuDepth(j.root), RunDriver::kMaxMenuDepth);
        RunDriver d(*j.run, j.root);
        QVERIFY2(d.runJob(RunDriver::Job::Run), qPrintable(j.run->logText()));

        f->nodes().addFolder(1)->nodes().addPage(1);
        QFile::remove(j.path(QStringLiteral("menu/qmenu.js")));
        for (const RunDriver::Job job : {RunDriver::Job::Run, RunDriver::Job::SiteMap, RunDriver::Job::WriteSample}) {
            QVERIFY(!d.runJob(job));
            QCOMPARE(j.run->logEntries().last(),
                     QStringLiteral("Error: \nThe menu is 501 levels deep; Quenwick writes menus of at most 500 levels."));
        }
        QVERIFY(!QFile::exists(j.path(QStringLiteral("menu/qmenu.js"))));
    }

    void runWritesAValidScript()
    {
        Job j;
        j.options.setControlValue(u"prjMultipleMenu", 1);
        j.options.setControlValue(u"prjMultipleMenuNumber", QStringLiteral("2"));
        QVERIFY(j.options.text(u"prjJavascriptLanguageVariable").isEmpty());
        RunDriver d(*j.run, j.root);
        QVERIFY2(d.runJob(RunDriver::Job::Run), qPrintable(j.run->logText()));
        QCOMPARE(j.options.text(u"prjJavascriptLanguageVariable"), QStringLiteral("qwkLang"));

        const QStringList log = j.run->logEntries();
        QCOMPARE(log.first(), QStringLiteral("Selected check option: "));
        QVERIFY(log.contains(QStringLiteral("Use tree (click-to-open) menus  ")));
        QVERIFY(log.contains(QStringLiteral("Menu number (more than one menu on page): ...  ")));
        QVERIFY(log.contains(QStringLiteral("Use mouse-over CSS class in menu  ")));
        QCOMPARE(log.count(QString(49, u'-')), 2);
        QCOMPARE(log.last(), QStringLiteral("Writing file: ") + j.path(QStringLiteral("menu/qmenu.js")));

        const QString script = j.script();
        QVERIFY(script.contains(u"q2MF(\"f1d1\",\"\",\"Products\",\"\",\"\");\r\nq2LK(\"f1d1d1\",\"iw\",\"Widgets\",\"/widgets.html\",\"\");\r\nq2DE();"));
        // Runtime, page-load code, style sheet, data: in that order.
        const qsizetype style = script.indexOf(u"q2DW(\"<style>\");");
        const qsizetype table = script.indexOf(u"//start of tree menu table");
        QVERIFY(style > 0 && table > style);
        QVERIFY(script.indexOf(u"function q2MF(") < style);
        QCOMPARE(test::nodeCheck(script), QString());
        QCOMPARE(d.lastLog(), j.run->logText());
    }

    void compactScriptIsValidAndSmaller()
    {
        Job readable;
        QVERIFY(RunDriver(*readable.run, readable.root).runJob(RunDriver::Job::Run));
        Job compact;
        compact.options.setControlValue(u"pgmChkScrambled", 1);
        QVERIFY(RunDriver(*compact.run, compact.root).runJob(RunDriver::Job::Run));
        QCOMPARE(test::nodeCheck(compact.script()), QString());
        QVERIFY(compact.script().size() < readable.script().size());
        QVERIFY(!compact.script().contains(u"//start of tree menu table"));
    }

    void abortedRunLeavesTheOldScript()
    {
        Job j;
        test::writeBytes(j.path(QStringLiteral("menu/qmenu.js")), "// the script of an earlier run\r\n");
        clsPage *bad = j.root.nodes().addPage(1);
        bad->setName(QStringLiteral("Say \"cheese\""));
        RunDriver d(*j.run, j.root);
        QVERIFY(!d.runJob(RunDriver::Job::Run));
        const QString last = j.run->logEntries().last();
        QVERIFY2(last.startsWith(u"Error: \nSay \"cheese\"\nName contains a double quote. See: page: "), qPrintable(last));
        QCOMPARE(test::readBytes(j.path(QStringLiteral("menu/qmenu.js"))), QByteArray("// the script of an earlier run\r\n"));
        // The log of the failed run stays available.
        QCOMPARE(d.lastLog(), j.run->logText());
        QVERIFY(d.runJob(RunDriver::Job::ShowLog));
        QVERIFY(d.lastLog().contains(u"Name contains a double quote"));
    }

    void serverMenusWriteTheControlInsteadOfTheScript()
    {
        Job j;
        clsPage *dnn = j.root.nodes().addPage(1);
        dnn->setValue(u"lnkOptAdvanced", true);
        dnn->setValue(u"lnkOptURLDNN", true);
        RunDriver d(*j.run, j.root);
        QVERIFY(d.runJob(RunDriver::Job::Run));
        QVERIFY(j.run->logEntries().contains(u"Writing file: "_qs + j.path(QStringLiteral("menu/qmenu.ascx.vb"))));
        QVERIFY(QFile::exists(j.path(QStringLiteral("menu/qmenu.ascx"))));
        QVERIFY(!QFile::exists(j.path(QStringLiteral("menu/qmenu.js"))));

        Job forced;
        forced.options.setControlValue(u"prjForceASP", 1);
        QVERIFY(RunDriver(*forced.run, forced.root).runJob(RunDriver::Job::Run));
        QVERIFY(QFile::exists(forced.path(QStringLiteral("qmenu.aspx"))));
        QVERIFY(!QFile::exists(forced.path(QStringLiteral("menu/qmenu.js"))));
    }

    // The live preview's script: the one a run writes, made without asking,
    // writing or storing anything; a run that fails fails the same way. A
    // server menu runs to its server files but cannot be shown without the
    // server, so only the preview refuses it.
    void previewScriptIsTheRunsScript_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("error"); // the start of the log's last entry; empty: it works
        QTest::addColumn<bool>("runFails");
        QTest::newRow("tree menu") << "" << "" << false;
        QTest::newRow("drop-down menu") << "drop-down" << "" << false;
        QTest::newRow("server menu") << "force" << "Error: \nThis menu is put together by the ASP.NET server control"
                                     << false;
        QTest::newRow("bad name") << "quote" << "Error: \nSay \"cheese\"\nName contains a double quote." << true;
    }
    void previewScriptIsTheRunsScript()
    {
        QFETCH(QString, setup);
        QFETCH(QString, error);
        QFETCH(bool, runFails);
        Job j;
        if (setup == u"drop-down")
            j.options.setControlValue(u"prjChkTreeMenus", 0);
        if (setup == u"force")
            j.options.setControlValue(u"prjForceASP", 1);
        if (setup == u"quote")
            j.root.nodes().addPage(1)->setName(QStringLiteral("Say \"cheese\""));
        const QSignalSpy stored(&j.options, &clsOptions::valueChanged);
        RunDriver d(*j.run, j.root);
        QString script;
        const bool ok = d.previewScript(script);
        QCOMPARE(j.prompt.asked.size(), 0);
        QCOMPARE(stored.count(), 0);
        QVERIFY(!QFile::exists(j.path(QStringLiteral("menu/qmenu.js"))));
        QCOMPARE(d.lastLog(), j.run->logText());
        QCOMPARE(ok, error.isEmpty());
        if (!ok) {
            QVERIFY2(j.run->logEntries().last().startsWith(error), qPrintable(j.run->logEntries().last()));
            QCOMPARE(!d.runJob(RunDriver::Job::Run), runFails);
            if (runFails)
                QVERIFY(j.run->logEntries().last().startsWith(error));
            return;
        }
        QVERIFY(d.runJob(RunDriver::Job::Run));
        QCOMPARE(script, j.script());
    }

    void unwritableScriptFails()
    {
        Job j;
        j.options.setControlValue(u"prjFilJS", j.path(QStringLiteral("no/such/folder/qmenu.js")));
        RunDriver d(*j.run, j.root);
        QVERIFY(!d.runJob(RunDriver::Job::Run));
        QVERIFY(j.run->logEntries().last().startsWith(u"Error: \n"));
    }
};

QTEST_GUILESS_MAIN(TestRunDriver)
#include "tst_rundriver.moc"
