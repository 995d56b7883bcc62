// Automatic widths: list items, the width formula with its defaults and
// range, the running name-length lists with and without languages.

#include "generator/widths.h"
#include "options/options.h"

#include <QTest>

using namespace qwk;

class TestWidths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listItems()
    {
        const QString list = QStringLiteral("en;;de;;fr");
        int pos = 1;
        QCOMPARE(nextListItem(list, pos), QStringLiteral("en"));
        QCOMPARE(pos, 5);
        QCOMPARE(nextListItem(list, pos), QStringLiteral("de"));
        QCOMPARE(nextListItem(list, pos), QStringLiteral("fr"));
        QCOMPARE(pos, int(list.size()) + 1);
        QCOMPARE(nextListItem(list, pos), QString());
        int p2 = 1;
        QCOMPARE(nextListItem(QStringLiteral(";;x;;"), p2), QString());
        QCOMPARE(nextListItem(QStringLiteral(";;x;;"), p2), QStringLiteral("x"));
        QCOMPARE(nextListItem(QStringLiteral(";;x;;"), p2), QString());
        int p3 = 1;
        QCOMPARE(nextListItem(QString(), p3), QString());
    }

    void widthFormula_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("per");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("width");
        QTest::newRow("twelve characters") << "40" << "5" << "12" << "100px";
        QTest::newRow("start value") << "40" << "5" << "2" << "50px";
        QTest::newRow("empty base and per") << "" << "" << "12" << "100px";
        QTest::newRow("not numbers") << "4O" << "five" << "x" << "90px";
        QTest::newRow("blanks around") << " 10 " << " 7 " << " 3 " << "31px";
        QTest::newRow("product overflows") << "40" << "300" << "200" << "";
        QTest::newRow("sum overflows") << "32000" << "100" << "10" << "";
        QTest::newRow("edge fits") << "32667" << "10" << "10" << "32767px";
        QTest::newRow("base beyond 16 bits") << "70000" << "5" << "12" << "100px";
        QTest::newRow("negative") << "-100" << "5" << "2" << "-90px";
    }
    void widthFormula()
    {
        QFETCH(QString, base);
        QFETCH(QString, per);
        QFETCH(QString, length);
        QFETCH(QString, width);
        QCOMPARE(widthOf(base, per, length), width);
    }

    void longerKeepsTheGreater()
    {
        QCOMPARE(longer(QStringLiteral("2"), QStringLiteral("Home")), QStringLiteral("4"));
        QCOMPARE(longer(QStringLiteral("12"), QStringLiteral("Home")), QStringLiteral("12"));
        QCOMPARE(longer(QStringLiteral("4"), QStringLiteral("Home")), QStringLiteral("4"));
        QCOMPARE(longer(QStringLiteral("junk"), QStringLiteral("Home")), QStringLiteral("junk")); // counts as 10
        QCOMPARE(longer(QStringLiteral("junk"), QStringLiteral("Eleven char")), QStringLiteral("11"));
    }

    void singleLanguageLevel()
    {
        clsOptions o(nullptr, nullptr);
        o.loadNewPrjDefaults();
        AutomaticWidths w(o);
        QString lengths = AutomaticWidths::startLengths();
        for (const char *name : {"A", "Products", "About us today"})
            lengths = w.addNameLength(QString::fromUtf8(name), lengths);
        QCOMPARE(lengths, QStringLiteral("14"));
        QCOMPARE(w.levelWidth(lengths), QStringLiteral("110px"));
        QCOMPARE(w.levelWidth(AutomaticWidths::startLengths()), QStringLiteral("50px"));
        o.setControlValue(u"prjPixelBase", QStringLiteral("20"));
        o.setControlValue(u"prjPixelsPerCharacter", QStringLiteral("8"));
        QCOMPARE(w.levelWidth(lengths), QStringLiteral("132px"));

        // The calls as the writers put them: placeholders with the fill mark,
        // names without it.
        const QString top = markedWidth(u"[$e1d0$]");
        const QString text = "mf(\"e1d1\",\"\",\"A\",\"\",\"" + top + "\");\r\n"
            + "sf(\"e1d1d1\",\"\",\"[$e1d0$]\",\"\",\"" + markedWidth(u"[$e1d1d0$]") + "\");\r\n"
            + "lk(\"e1d2\",\"\",\"C\",\"\",\"" + top + "\");\r\n";
        const QString resolved = w.resolveWidth(text, lengths, QStringLiteral("[$e1d0$]"));
        QCOMPARE(resolved.count(QStringLiteral("132px")), 2);
        QVERIFY(resolved.contains(markedWidth(u"[$e1d1d0$]"))); // another level's placeholder stays
        QVERIFY(resolved.contains(u"\"[$e1d0$]\"")); // so does a name that looks like one

        QString buffer = "head " + top + " " + text;
        w.resolveTail(buffer, 5, lengths, QStringLiteral("[$e1d0$]"));
        QCOMPARE(buffer.count(QStringLiteral("132px")), 3);
        QVERIFY(buffer.contains(u"\"[$e1d0$]\""));
        QString keepHead = top + "|" + text;
        w.resolveTail(keepHead, top.size() + 1, lengths, QStringLiteral("[$e1d0$]"));
        QVERIFY(keepHead.startsWith(top + "|"));
    }

    // Typed widths are written bare into the box's table tag (width=...), so
    // only a number with an optional unit may go there.
    void typedWidthValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("number") << "130" << true;
        QTest::newRow("pixels") << "130px" << true;
        QTest::newRow("percent") << "50%" << true;
        QTest::newRow("decimal em, blanks around") << " 7.5em " << true;
        QTest::newRow("leading point") << ".5em" << true;
        QTest::newRow("one per language") << "100px;;120px;;" << true;
        QTest::newRow("unit alone") << "px" << false;
        QTest::newRow("blank inside") << "130 px" << false;
        QTest::newRow("second attribute") << "130 onmouseover=alert(1)" << false;
        QTest::newRow("quote") << "50%'" << false;
        QTest::newRow("tag end") << "1px><img src=x>" << false;
        QTest::newRow("percent then unit") << "5%px" << false;
        QTest::newRow("bad language item") << "100px;;x;;" << false;
        QTest::newRow("not ascii digits") << "\u0661\u0662px" << false;
    }
    void typedWidthValues()
    {
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        QCOMPARE(isWidthValue(value), accepted);
    }

    void multilingualLevel()
    {
        clsOptions o(nullptr, nullptr);
        o.loadNewPrjDefaults();
        o.setControlValue(u"prjChkMultiLingual", 1);
        o.setControlValue(u"prjLanguages", QStringLiteral("en;;de;;"));
        AutomaticWidths w(o);
        QVERIFY(w.multilingual());
        QString lengths = w.addNameLength(QStringLiteral("Abcd;;Abcde;;"), AutomaticWidths::startLengths());
        QCOMPARE(lengths, QStringLiteral("4;;5;;"));
        // A name with one entry counts for every language.
        lengths = w.addNameLength(QStringLiteral("Abcdefg"), lengths);
        QCOMPARE(lengths, QStringLiteral("7;;7;;"));
        lengths = w.addNameLength(QStringLiteral("A;;Abcdefghij;;"), lengths);
        QCOMPARE(lengths, QStringLiteral("7;;10;;"));
        QCOMPARE(w.levelWidth(lengths), QStringLiteral("75px;;90px;;"));
        // Per-language bases; a missing item falls back to the first.
        o.setControlValue(u"prjPixelBase", QStringLiteral("10;;20;;"));
        o.setControlValue(u"prjPixelsPerCharacter", QStringLiteral("6"));
        QCOMPARE(w.levelWidth(lengths), QStringLiteral("52px;;80px;;"));

        // The multilingual flag alone decides; languages without it are ignored.
        o.setControlValue(u"prjChkMultiLingual", 0);
        AutomaticWidths single(o);
        QCOMPARE(single.addNameLength(QStringLiteral("Abcd;;Abcde;;"), QStringLiteral("2")), QStringLiteral("13"));
    }
};

QTEST_GUILESS_MAIN(TestWidths)
#include "tst_widths.moc"
