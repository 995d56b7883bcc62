// quenwick-cli css: the default sheet of a project, to a file or standard
// output, with the exit statuses of the command line.

#include "core/textfile.h"
#include "options/options.h"
#include "stylesheet/cssvocabulary.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qwk;
using namespace qwk::test;

class TestCssCli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sheets_data();
    void sheets();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
    QString m_project;
};

void TestCssCli::initTestCase()
{
    m_project = m_dir.filePath(QStringLiteral("p.qwk"));
    const CliResult r = runCli({ QStringLiteral("new"), QStringLiteral("--out"), m_project,
        QStringLiteral("--set"), QStringLiteral("prjCNMainFolderLine=Top"), QStringLiteral("--set"),
        QStringLiteral("prjCNLinkLine=Caf\u00e9") });
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
}

void TestCssCli::sheets_data()
{
    QTest::addColumn<bool>("tree");
    QTest::addColumn<bool>("toFile");
    QTest::newRow("drop-down to standard output") << false << false;
    QTest::newRow("tree to standard output") << true << false;
    QTest::newRow("drop-down to file") << false << true;
    QTest::newRow("tree to file") << true << true;
}

void TestCssCli::sheets()
{
    QFETCH(bool, tree);
    QFETCH(bool, toFile);
    const ClassNameFunction names = [](const QString &key) {
        if (key == u"MainFolderLine")
            return QStringLiteral("Top");
        if (key == u"LinkLine")
            return QStringLiteral("Caf\u00e9");
        return key;
    };
    // A new project has the mouse-over class switched on.
    const QString expected = defaultStyleSheet(!tree, true, names);
    QVERIFY(expected.contains(u".TopMouseOver {"));

    QStringList args { QStringLiteral("css"), m_project };
    if (tree)
        args << QStringLiteral("--tree");
    const QString out = m_dir.filePath(QStringLiteral("out.css"));
    if (toFile)
        args << QStringLiteral("--out") << out;
    const CliResult r = runCli(args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    if (toFile) {
        QCOMPARE(r.out, QString());
        // Every character fits Windows-1252, so the file is written in it.
        QCOMPARE(readBytes(out), encodeText(expected));
        QVERIFY(readBytes(out).contains(".Caf\xE9 {"));
    } else {
        QCOMPARE(r.out, expected);
    }
}

void TestCssCli::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::newRow("missing project") << QStringList { "css", "/no/such/project.qwk" } << 2;
    QTest::newRow("no project given") << QStringList { "css" } << 2;
    QTest::newRow("set is not taken") << QStringList { "css", "PROJECT", "--set", "prjChkMOMO=0" } << 2;
    QTest::newRow("unwritable output")
        << QStringList { "css", "PROJECT", "--out", "/no/such/dir/x.css" } << 1;
}

void TestCssCli::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    args.replaceInStrings(QStringLiteral("PROJECT"), m_project);
    const CliResult r = runCli(args);
    QCOMPARE(r.exitCode, status);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
}

QTEST_GUILESS_MAIN(TestCssCli)
#include "tst_csscli.moc"
