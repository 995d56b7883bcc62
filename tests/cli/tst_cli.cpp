// quenwick-cli as a user runs it: standard output, standard error and the
// exit status of each verb.

#include "support/testutil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qwk::test;

namespace {
const QString kDemo = QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/demo.qwk");

// Compares written bytes with a stored file of tests/cli/golden. Run with
// QUENWICK_REFRESH_GOLDEN=1 to store what was written instead, after checking
// that the change is wanted.
QString goldenMismatch(const QString &name, const QByteArray &written)
{
    const QString path = QStringLiteral(QUENWICK_SOURCE_DIR "/tests/cli/golden/") + name;
    if (qEnvironmentVariableIntValue("QUENWICK_REFRESH_GOLDEN") == 1) {
        writeBytes(path, written);
        return {};
    }
    const QByteArray stored = readBytes(path);
    if (stored == written)
        return {};
    const QList<QByteArray> a = stored.split('\n');
    const QList<QByteArray> b = written.split('\n');
    qsizetype line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line])
        ++line;
    return QStringLiteral("%1 differs at line %2: stored \"%3\", written \"%4\"")
        .arg(name)
        .arg(line + 1)
        .arg(QString::fromUtf8(a.value(line)).trimmed(), QString::fromUtf8(b.value(line)).trimmed());
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void badArgumentsExitTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("says");
        QTest::newRow("nothing") << QStringList() << "no command given";
        QTest::newRow("unknown verb") << QStringList{"frobnicate"} << "unknown command";
        QTest::newRow("show without project") << QStringList{"show"} << "needs a PROJECT";
        QTest::newRow("save without out") << QStringList{"save", kDemo} << "needs --out";
        QTest::newRow("unknown flag") << QStringList{"show", kDemo, "--bogus"} << "does not take --bogus";
        QTest::newRow("show takes no set") << QStringList{"show", kDemo, "--set", "prjChkMOMO=0"} << "does not take --set";
        QTest::newRow("dangling set") << QStringList{"new", "--out", "x.qwk", "--set"} << "--set needs a value";
        QTest::newRow("missing file") << QStringList{"show", "/nonexistent/p.qwk"} << "Error reading or writing file: /nonexistent/p.qwk: ";
        QTest::newRow("folder") << QStringList{"show", "/tmp"} << "it is a folder";
        QTest::newRow("unknown option") << QStringList{"new", "--out", "x.qwk", "--set", "prjNope=1"} << "prjNope";
        QTest::newRow("node option") << QStringList{"new", "--out", "x.qwk", "--set", "lnkURL=a"} << "lnkURL";
        QTest::newRow("no equals") << QStringList{"new", "--out", "x.qwk", "--set", "prjChkMOMO"} << "KEY=VALUE";
        QTest::newRow("bad check value") << QStringList{"new", "--out", "x.qwk", "--set", "prjChkMOMO=yes"} << "whole number";
    }
    void badArgumentsExitTwo()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const CliResult r = runCli(args, dir.path());
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
        QVERIFY(r.err.startsWith(u"quenwick-cli: "));
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.qwk"))));
    }

    void showPrintsTreeAndChangedOptions()
    {
        const CliResult r = runCli({QStringLiteral("show"), kDemo});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.isEmpty());
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() > 5);
        QCOMPARE(lines.first(), QStringLiteral("n1 page Home"));
        QVERIFY(lines.contains(QStringLiteral("n2 folder Products")));
        QVERIFY(lines.contains(QStringLiteral("  n2n1 page Widgets")));
        QVERIFY(lines.contains(QStringLiteral("n4 column 160px")));
        QVERIFY(lines.contains(QStringLiteral("prjChkTreeMenus:1")));
        // Options at their new-project default are not listed.
        QVERIFY(!r.out.contains(u"prjChkMOMO:"));
        QVERIFY(!r.out.contains(u"EOF"));
    }

    void newSaveAndRoundTrip()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.qwk"));
        CliResult r = runCli({QStringLiteral("new"), QStringLiteral("--out"), a, QStringLiteral("--set"),
                              QStringLiteral("prjChkTreeMenus=1"), QStringLiteral("--set=prjFilJS=C:\\web\\q.js"),
                              QStringLiteral("--set"), QStringLiteral("pgmChkScrambled=1")});
        QCOMPARE(r.exitCode, 0);
        const QByteArray bytes = readBytes(a);
        QVERIFY(bytes.startsWith("start:Quenwick 3.0\r\nstart:prjOptions\r\n"));
        QVERIFY(bytes.contains("\r\nprjChkTreeMenus:1\r\n"));
        QVERIFY(bytes.contains("\r\nprjFilJS:C:\\web\\q.js\r\n"));
        QVERIFY(!bytes.contains("pgm")); // preferences are never in the project
        QVERIFY(bytes.endsWith("start:nodes\r\nend:nodes\r\nend:Quenwick 3.0\r\n"));

        // The example reads, and writes back byte for byte.
        const QString b = dir.filePath(QStringLiteral("b.qwk"));
        r = runCli({QStringLiteral("save"), kDemo, QStringLiteral("--out"), b});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(readBytes(b), readBytes(kDemo));

        // --set changes the copy, not the original.
        r = runCli({QStringLiteral("save"), kDemo, QStringLiteral("--out"), b, QStringLiteral("--set"),
                    QStringLiteral("prjCNLinkBox=links")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(readBytes(b).contains("\r\nprjCNLinkBox:links\r\n"));
        QVERIFY(!readBytes(kDemo).contains("prjCNLinkBox:links"));

        // A write that cannot happen is a failed job, and says why.
        r = runCli({QStringLiteral("save"), kDemo, QStringLiteral("--out"), dir.filePath(QStringLiteral("no/such/p.qwk"))});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(u"Error reading or writing file"), qPrintable(r.err));
    }

    void runWritesTheMenuScript()
    {
        QTemporaryDir dir;
        const QString site = dir.filePath(QStringLiteral("site"));
        QVERIFY(copyTree(QStringLiteral(QUENWICK_SOURCE_DIR "/examples/demo/web"), site));
        const QStringList locations = {QStringLiteral("--set"), QStringLiteral("prjFilWebRoot=") + site,
                                       QStringLiteral("--set"), QStringLiteral("prjFilJS=") + site + QStringLiteral("/qmenu.js"),
                                       QStringLiteral("--set"), QStringLiteral("prjFilCSS=") + site + QStringLiteral("/qmenu.css")};
        CliResult r = runCli(QStringList{QStringLiteral("css"), kDemo, QStringLiteral("--tree"), QStringLiteral("--out"),
                                         site + QStringLiteral("/qmenu.css")});
        QCOMPARE(r.exitCode, 0);
        r = runCli(QStringList{QStringLiteral("run"), kDemo} + locations);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.endsWith(QStringLiteral("Writing file: ") + site + QStringLiteral("/qmenu.js\n")), qPrintable(r.out));
        QVERIFY(r.out.startsWith(u"Selected check option: \n"));
        QVERIFY(!r.out.contains(u"Class not found")); // the sheet has every class
        const QString script = QString::fromUtf8(readBytes(site + QStringLiteral("/qmenu.js")));
        QCOMPARE(nodeCheck(script), QString());
        QVERIFY(script.contains(u"qLK(\"e1d3d2\",\"j\",\"Say hello\",\"alert('Hello from Quenwick')\",\"\");"));
        // The pages of the folder docs, read at run time.
        QVERIFY(script.contains(u"qLK(\"e2d1d3\",\"\",\"getting started\",\"/docs/getting_started.html\",\"\");"));
        QVERIFY(!script.contains(u"_draft"));

        r = runCli(QStringList{QStringLiteral("run"), kDemo, QStringLiteral("--compact")} + locations);
        QCOMPARE(r.exitCode, 0);
        const QString compact = QString::fromUtf8(readBytes(site + QStringLiteral("/qmenu.js")));
        QCOMPARE(nodeCheck(compact), QString());
        QVERIFY(compact.size() < script.size());
        // Compact names are numbered in the order they are first asked for,
        // which must be the order the script reads, whatever the compiler.
        const QString golden = goldenMismatch(QStringLiteral("demo-compact.js"), readBytes(site + QStringLiteral("/qmenu.js")));
        QVERIFY2(golden.isEmpty(), qPrintable(golden));
        // Preferences given on the command line are not written anywhere.
        QVERIFY(!readBytes(kDemo).contains("pgm"));
    }

    void failedRunsExitOne()
    {
        QTemporaryDir dir;
        // The demo's own locations point at a folder this machine does not have.
        CliResult r = runCli({QStringLiteral("run"), kDemo});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.contains(u"Error: "));
        // What stopped the job reaches standard error too, for a build's log.
        QVERIFY2(r.err.contains(r.out.mid(r.out.indexOf(u"Error: "))), qPrintable(r.err));
        r = runCli({QStringLiteral("run"), kDemo, QStringLiteral("--set"), QStringLiteral("prjFilJS=")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(u"Select your js menu file location."));
        QVERIFY(r.out.contains(u"Missing a file location"));
    }

    // Saved over itself, a file of another kind would become a default project.
    void otherFilesAreNotOpened()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("junk.qwk"));
        QByteArray junk(300000, '\0');
        for (int i = 0; i < junk.size(); ++i)
            junk[i] = char((qint64(i) * 7919) % 251);
        writeBytes(p, junk);
        const CliResult r = runCli({QStringLiteral("save"), p, QStringLiteral("--out"), p});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("Error reading or writing file: ") + p + QStringLiteral(": ")), qPrintable(r.err));
        QVERIFY2(r.err.contains(u"not a Quenwick project file"), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readBytes(p), junk);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
