// The help, the manual page and the shell completion of quenwick-cli describe
// the same commands with the same options, and every command answers --help.

#include "support/testutil.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTest>

using namespace qwk::test;

namespace {

using CommandOptions = QMap<QString, QStringList>; // command -> its --options, sorted

QStringList optionsIn(const QString &text)
{
    QStringList options;
    static const QRegularExpression option(QStringLiteral(R"((?:\\-\\-|--)([a-z]+))"));
    for (auto it = option.globalMatch(text); it.hasNext();)
        options << QStringLiteral("--") + it.next().captured(1);
    options.removeDuplicates();
    options.sort();
    return options;
}

QString source(const QString &path)
{
    return QString::fromUtf8(readBytes(QStringLiteral(QUENWICK_SOURCE_DIR "/") + path));
}

// The usage lines of --help: "  quenwick-cli NAME ARGUMENTS".
CommandOptions fromHelp(const QString &help)
{
    CommandOptions commands;
    static const QRegularExpression line(QStringLiteral(R"(^  quenwick-cli ([a-z]+) (.*)$)"),
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(help); it.hasNext();) {
        const auto m = it.next();
        commands[m.captured(1)] = optionsIn(m.captured(2));
    }
    return commands;
}

// The COMMANDS section of the manual page: ".TP" then ".B NAME ARGUMENTS".
CommandOptions fromManPage(const QString &page)
{
    CommandOptions commands;
    const qsizetype from = page.indexOf(QStringLiteral(".SH COMMANDS"));
    const qsizetype to = page.indexOf(QStringLiteral(".SH"), from + 1);
    static const QRegularExpression entry(QStringLiteral(R"(^\.TP\n\.B ([a-z]+)(.*)$)"),
                                          QRegularExpression::MultilineOption);
    for (auto it = entry.globalMatch(page.mid(from, to - from)); it.hasNext();) {
        const auto m = it.next();
        commands[m.captured(1)] = optionsIn(m.captured(2));
    }
    return commands;
}

// The completion's command list and its "NAME) options=..." cases, without
// the --help every command offers.
CommandOptions fromCompletion(const QString &script)
{
    CommandOptions commands;
    static const QRegularExpression list(QStringLiteral(R"re(local commands="([^"]*)")re"));
    const QStringList names = list.match(script).captured(1).split(u' ', Qt::SkipEmptyParts);
    static const QRegularExpression branch(QStringLiteral(R"re(^\s*([a-z| ]+)\) options="([^"]*)")re"),
                                           QRegularExpression::MultilineOption);
    for (auto it = branch.globalMatch(script); it.hasNext();) {
        const auto m = it.next();
        QStringList options = optionsIn(m.captured(2));
        options.removeAll(QStringLiteral("--help"));
        for (const QString &name : m.captured(1).split(u'|'))
            commands[name.trimmed()] = options;
    }
    for (const QString &name : commands.keys()) {
        if (!names.contains(name))
            commands.remove(name);
    }
    for (const QString &name : names) {
        if (!commands.contains(name))
            commands[name] = {QStringLiteral("(no options listed)")};
    }
    return commands;
}

} // namespace

class TestCliDocs : public QObject {
    Q_OBJECT

private:
    CommandOptions m_help;

private Q_SLOTS:
    void initTestCase()
    {
        const CliResult r = runCli({QStringLiteral("--help")});
        QCOMPARE(r.exitCode, 0);
        m_help = fromHelp(r.out);
        QCOMPARE(m_help.size(), 7);
    }

    void everyDescriptionListsTheSameCommands_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("manual page") << "docs/man/quenwick-cli.1";
        QTest::newRow("bash completion") << "data/quenwick-cli.bash";
    }
    void everyDescriptionListsTheSameCommands()
    {
        QFETCH(QString, file);
        const QString text = source(file);
        QVERIFY(!text.isEmpty());
        const CommandOptions described = file.endsWith(u".1") ? fromManPage(text) : fromCompletion(text);
        QCOMPARE(described.keys(), m_help.keys());
        for (auto it = m_help.cbegin(); it != m_help.cend(); ++it)
            QVERIFY2(described.value(it.key()) == it.value(), qPrintable(it.key()));
    }

    void everyCommandAnswersHelp()
    {
        for (const QString &command : m_help.keys()) {
            const CliResult r = runCli({command, QStringLiteral("--help")});
            QCOMPARE(r.exitCode, 0);
            QVERIFY2(r.out.contains(QStringLiteral("quenwick-cli ") + command.leftJustified(7) + u' '), qPrintable(r.out));
            QVERIFY(r.err.isEmpty());
            // A command the help names is one the tool runs.
            const CliResult bare = runCli({command});
            QVERIFY2(!bare.err.contains(QStringLiteral("unknown command")), qPrintable(command));
        }
    }

    void manualPagesCarryTheVersion()
    {
        const CliResult r = runCli({QStringLiteral("--version")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith(u"quenwick-cli "));
        const QString version = r.out.mid(13).trimmed();
        QVERIFY(!version.isEmpty());
        for (const QString &page : {QStringLiteral("docs/man/quenwick-cli.1"), QStringLiteral("docs/man/quenwick.1")})
            QVERIFY2(source(page).contains(QStringLiteral("\"Quenwick %1\"").arg(version)), qPrintable(page));
    }
};

QTEST_GUILESS_MAIN(TestCliDocs)
#include "tst_clidocs.moc"
