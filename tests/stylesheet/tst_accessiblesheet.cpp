// The accessible markup's default style sheet: colour contrast of every
// state of every entry, the class names the run and the rule list look for,
// and where the sheet is offered (the designer's new sheet, quenwick-cli css).

#include "options/options.h"
#include "options/settingsstore.h"
#include "stylesheet/accessiblesheet.h"
#include "stylesheet/clscss.h"
#include "stylesheet/cssrules.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QHash>
#include <array>
#include <cmath>
#include <optional>

using namespace qwk;

namespace {

QString defaultNames(const QString &key)
{
    return key;
}

// The declarations of the rule whose selector is exactly selector.
QString ruleBody(const QString &sheet, const QString &selector)
{
    const QString open = selector + QStringLiteral(" {\r\n");
    qsizetype at = sheet.startsWith(open) ? 0 : sheet.indexOf(QStringLiteral("\r\n") + open);
    if (at < 0)
        return {};
    if (at > 0)
        at += 2;
    const qsizetype body = at + open.size();
    return sheet.mid(body, sheet.indexOf(u'}', body) - body);
}

QString value(const QString &body, const QString &property)
{
    const QRegularExpression re(QStringLiteral("(?:^|\\t)") + QRegularExpression::escape(property)
        + QStringLiteral(" : ([^;]+);"), QRegularExpression::MultilineOption);
    return re.match(body).captured(1).trimmed();
}

// sRGB of "#rrggbb" or of the few colour names a sheet may use.
std::optional<std::array<int, 3>> rgb(const QString &colour)
{
    static const QHash<QString, std::array<int, 3>> names { { QStringLiteral("white"), { 255, 255, 255 } },
        { QStringLiteral("black"), { 0, 0, 0 } }, { QStringLiteral("navy"), { 0, 0, 128 } },
        { QStringLiteral("blue"), { 0, 0, 255 } }, { QStringLiteral("red"), { 255, 0, 0 } } };
    if (names.contains(colour))
        return names.value(colour);
    if (colour.size() != 7 || !colour.startsWith(u'#'))
        return std::nullopt;
    bool ok = false;
    const uint v = colour.mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return std::array<int, 3> { int(v >> 16) & 255, int(v >> 8) & 255, int(v) & 255 };
}

// The contrast ratio of WCAG 2.1 (relative luminance of sRGB).
double contrastRatio(const std::array<int, 3> &a, const std::array<int, 3> &b)
{
    const auto luminance = [](const std::array<int, 3> &c) {
        double l = 0;
        const double weight[3] = { 0.2126, 0.7152, 0.0722 };
        for (int i = 0; i < 3; ++i) {
            const double s = c[i] / 255.0;
            l += weight[i] * (s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
        }
        return l;
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestAccessibleSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void contrast_data()
    {
        QTest::addColumn<bool>("dropDown");
        QTest::addColumn<QString>("selector");
        for (const bool dropDown : { true, false }) {
            for (const char *line : { "MainFolderLine", "SubFolderLine", "LinkLine" }) {
                for (const char *state : { "", ":hover", "MouseOver", ":focus-visible" }) {
                    const QString selector = u'.' + QLatin1String(line) + QLatin1String(state);
                    QTest::addRow("%s %s", dropDown ? "drop-down" : "tree", qPrintable(selector))
                        << dropDown << selector;
                }
            }
        }
    }
    // Each state states both its colours (a rule that set only one would
    // take the other from wherever the page puts it), with at least 4.5:1.
    void contrast()
    {
        QFETCH(bool, dropDown);
        QFETCH(QString, selector);
        const QString sheet = accessibleStyleSheet(dropDown, defaultNames);
        const QString body = ruleBody(sheet, selector);
        QVERIFY2(!body.isEmpty(), "no such rule");
        const auto fg = rgb(value(body, QStringLiteral("color")));
        const auto bg = rgb(value(body, QStringLiteral("background-color")));
        QVERIFY2(fg && bg, qPrintable(body));
        const double ratio = contrastRatio(*fg, *bg);
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
        if (selector.endsWith(u":focus-visible")) {
            // The focus ring must be seen against the entry it surrounds (3:1, non-text contrast).
            const QStringList outline = value(body, QStringLiteral("outline")).split(u' ');
            QCOMPARE(outline.size(), 3);
            QVERIFY(outline[0].endsWith(u"px") && outline[0].chopped(2).toInt() >= 2);
            const auto ring = rgb(outline[2]);
            QVERIFY(ring);
            QVERIFY2(contrastRatio(*ring, *bg) >= 3.0, qPrintable(QString::number(contrastRatio(*ring, *bg))));
        }
    }

    void classNamesAndRules_data()
    {
        QTest::addColumn<bool>("dropDown");
        QTest::newRow("drop-down") << true;
        QTest::newRow("tree") << false;
    }
    // The run warns about every class missing from the sheet, and the
    // designer lists the rules; both must find the author's names.
    void classNamesAndRules()
    {
        QFETCH(bool, dropDown);
        const QString sheet = accessibleStyleSheet(dropDown, [](const QString &key) { return QStringLiteral("my-") + key; });
        for (const QString &key : cssClassKeys())
            QVERIFY2(styleSheetHasClass(sheet, QStringLiteral("my-") + key), qPrintable(key));
        QVERIFY(!sheet.contains(u".MainFolderLine"));
        // Embedded in the script a double quote would end the run.
        QVERIFY(!sheet.contains(u'"'));
        const QStringList rules = listRules(sheet, -1).selectors;
        QVERIFY(rules.contains(u".qwk-menu [aria-expanded]::before"));
        QVERIFY(rules.contains(u".my-LinkLine:focus-visible"));
        // The open/closed mark: alternative text "" after a plain fallback.
        const QString mark = ruleBody(sheet, QStringLiteral(".qwk-menu [aria-expanded=true]::before"));
        QVERIFY(mark.contains(u"content : '\\25BE';\r\n\tcontent : '\\25BE' / '';"));
        const QString section = ruleBody(sheet, QStringLiteral(".qwk-dropdown .my-SubFolderPage"));
        QCOMPARE(value(section, QStringLiteral("z-index")), dropDown ? QStringLiteral("2000") : QString());
        QCOMPARE(value(section, QStringLiteral("position")), dropDown ? QStringLiteral("absolute") : QString());
        for (const char *line : { ".my-MainFolderLine", ".my-SubFolderLine", ".my-LinkLine" })
            QCOMPARE(value(ruleBody(sheet, QLatin1String(line)), QStringLiteral("min-height")), QStringLiteral("24px"));
    }

    void offered_data()
    {
        QTest::addColumn<int>("accessible");
        QTest::addColumn<bool>("dropDown");
        QTest::newRow("designer, drop-down") << 1 << true;
        QTest::newRow("designer, tree") << 1 << false;
        QTest::newRow("designer, option off") << 0 << true;
    }
    void offered()
    {
        QFETCH(int, accessible);
        QFETCH(bool, dropDown);
        test::ScriptedPrompt prompt;
        MemorySettingsStore settings;
        clsOptions options(&prompt, &settings);
        options.loadNewPrjDefaults();
        options.setControlValue(u"prjChkAccessible", accessible);
        options.setControlValue(u"prjCNLinkLine", QStringLiteral("Go"));
        clsCSS css(&options);
        QVERIFY(css.newCSSFile(dropDown));
        const ClassNameFunction names = [](const QString &key) {
            return key == u"LinkLine" ? QStringLiteral("Go") : key;
        };
        QCOMPARE(css.text(),
            accessible ? accessibleStyleSheet(dropDown, names) : defaultStyleSheet(dropDown, true, names));

        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("p.qwk"));
        test::CliResult r = test::runCli({ QStringLiteral("new"), QStringLiteral("--out"), project,
            QStringLiteral("--set"), QStringLiteral("prjChkAccessible=%1").arg(accessible), QStringLiteral("--set"),
            QStringLiteral("prjCNLinkLine=Go") });
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QStringList args { QStringLiteral("css"), project };
        if (!dropDown)
            args << QStringLiteral("--tree");
        r = test::runCli(args);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, css.text());
    }
};

QTEST_GUILESS_MAIN(TestAccessibleSheet)
#include "tst_accessiblesheet.moc"
