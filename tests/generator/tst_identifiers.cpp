// Script identifiers: readable and compact names, menu numbers and letters,
// and the promise that no two internal names ever share an identifier.
#include "generator/identifiers.h"
#include "generatortestutil.h"

#include <QSet>
#include <QtTest>

using namespace qwk;
using namespace qwk::test;

class TestIdentifiers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void identifierTable_data();
    void identifierTable();
    void slotsAreStableAndShared();
    void menuNumberAndLetter_data();
    void menuNumberAndLetter();
    void noCollisions_data();
    void noCollisions();
    void menusOnOnePageNeverShareNames();
    void tablesRefuseOverflow();
    void commentLineAndFragments();
    void scriptStringValueEscapes_data();
    void scriptStringValueEscapes();
    void classNames_data();
    void classNames();
};

void TestIdentifiers::identifierTable_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("compact");
    QTest::addColumn<QStringList>("expected"); // co, secn9, XOff, mf, ck2, openpage
    QTest::newRow("readable single") << u""_qs << false
                                     << QStringList { u"qCO"_qs, u"qSECN9"_qs, u"qXOFF"_qs, u"qMF"_qs,
                                            u"qCK2"_qs, u"qOPENPAGE"_qs };
    QTest::newRow("compact single") << u""_qs << true
                                    << QStringList { u"qCO"_qs, u"qV0"_qs, u"qV1"_qs, u"qMF"_qs, u"qF0"_qs,
                                           u"qOPENPAGE"_qs };
    QTest::newRow("readable 7") << u"7"_qs << false
                                << QStringList { u"q7CO"_qs, u"q7SECN9"_qs, u"q7XOFF"_qs, u"q7MF"_qs,
                                       u"q7CK2"_qs, u"q7OPENPAGE"_qs };
    QTest::newRow("compact 7") << u"7"_qs << true
                               << QStringList { u"q7CO"_qs, u"qV7_0"_qs, u"qV7_1"_qs, u"q7MF"_qs, u"qF7_0"_qs,
                                      u"q7OPENPAGE"_qs };
    // The menu number and the slot are kept apart, so menu 2's slot 0 is not
    // the single menu's slot 20.
    QTest::newRow("compact 2 keeps number and slot apart")
        << u"2"_qs << true
        << QStringList { u"q2CO"_qs, u"qV2_0"_qs, u"qV2_1"_qs, u"q2MF"_qs, u"qF2_0"_qs, u"q2OPENPAGE"_qs };
}

void TestIdentifiers::identifierTable()
{
    QFETCH(QString, number);
    QFETCH(bool, compact);
    QFETCH(QStringList, expected);
    OptionsFixture f;
    f.set(u"pgmChkScrambled"_qs, compact ? 1 : 0);
    if (!number.isEmpty()) {
        f.set(u"prjMultipleMenu"_qs, 1);
        f.set(u"prjMultipleMenuNumber"_qs, number);
    }
    ScriptNameTables tables; // a fresh program: the first name gets slot 0
    ScriptIdentifiers ids(*f.options, tables);
    const QStringList got = { ids.scriptVariable(u"co"_qs), ids.scriptVariable(u"secn9"_qs),
        ids.scriptVariable(u"XOff"_qs), ids.scriptFunction(u"mf"_qs), ids.scriptFunction(u"ck2"_qs),
        ids.scriptFunction(u"openpage"_qs) };
    QCOMPARE(got, expected);
    // Asking again gives the same identifiers and hands out no new slots.
    QCOMPARE(ids.scriptVariable(u"secn9"_qs), expected[1]);
    QCOMPARE(tables.variables().size(), compact ? 2 : 0);
}

void TestIdentifiers::slotsAreStableAndShared()
{
    OptionsFixture f;
    f.set(u"pgmChkScrambled"_qs, 1);
    ScriptNameTables tables;
    {
        ScriptIdentifiers first(*f.options, tables);
        QCOMPARE(first.scriptVariable(u"secn9"_qs), u"qV0"_qs);
        QCOMPARE(first.scriptVariable(u"k"_qs), u"qV1"_qs);
    }
    // A second run in the same program asks in another order: the slots of
    // the first run stay, new names go to the end.
    ScriptIdentifiers second(*f.options, tables);
    QCOMPARE(second.scriptVariable(u"name"_qs), u"qV2"_qs);
    QCOMPARE(second.scriptVariable(u"k"_qs), u"qV1"_qs);
    QCOMPARE(second.scriptVariable(u"secn9"_qs), u"qV0"_qs);
    // Variables and functions count separately; names compare case-sensitively.
    QCOMPARE(second.scriptFunction(u"k"_qs), u"qF0"_qs);
    QCOMPARE(second.scriptVariable(u"K"_qs), u"qV3"_qs);
    // Switching compaction off gives readable names without touching slots.
    f.set(u"pgmChkScrambled"_qs, 0);
    QCOMPARE(second.scriptVariable(u"k"_qs), u"qK"_qs);
    QCOMPARE(tables.variables(), (QStringList { u"secn9"_qs, u"k"_qs, u"name"_qs, u"K"_qs }));
}

void TestIdentifiers::menuNumberAndLetter_data()
{
    QTest::addColumn<int>("multiple");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("letter");
    QTest::newRow("single menu ignores number") << 0 << u"5"_qs << u""_qs << 101;
    QTest::newRow("empty") << 1 << u""_qs << u""_qs << 101;
    QTest::newRow("1 is a single menu") << 1 << u"1"_qs << u""_qs << 101;
    QTest::newRow("0") << 1 << u"0"_qs << u""_qs << 101;
    QTest::newRow("negative") << 1 << u"-4"_qs << u""_qs << 101;
    QTest::newRow("2") << 1 << u"2"_qs << u"2"_qs << 102;
    QTest::newRow("blanks trimmed") << 1 << u" 7 "_qs << u"7"_qs << 107;
    QTest::newRow("19") << 1 << u"19"_qs << u"19"_qs << 119;
    QTest::newRow("20 skips the cookie separator x") << 1 << u"20"_qs << u"20"_qs << 121;
    QTest::newRow("21") << 1 << u"21"_qs << u"20"_qs << 121;
    QTest::newRow("35 counts as 20") << 1 << u"35"_qs << u"20"_qs << 121;
    QTest::newRow("abc") << 1 << u"abc"_qs << u""_qs << 101;
    QTest::newRow("plus sign") << 1 << u"+5"_qs << u"5"_qs << 105;
    QTest::newRow("leading zero") << 1 << u"05"_qs << u"5"_qs << 105;
    QTest::newRow("decimal") << 1 << u"2.5"_qs << u""_qs << 101;
}

void TestIdentifiers::menuNumberAndLetter()
{
    QFETCH(int, multiple);
    QFETCH(QString, text);
    QFETCH(QString, number);
    QFETCH(int, letter);
    OptionsFixture f;
    f.set(u"prjMultipleMenu"_qs, multiple);
    f.set(u"prjMultipleMenuNumber"_qs, text);
    ScriptNameTables tables;
    ScriptIdentifiers ids(*f.options, tables);
    QCOMPARE(ids.menuNumber(), number);
    QCOMPARE(ids.menuLetter(), QString(QChar(letter)));
    QCOMPARE(ids.scriptVariable(u"co"_qs), u"q"_qs + number + u"CO"_qs);
    QCOMPARE(ids.scriptFunction(u"gp"_qs), u"q"_qs + number + u"GP"_qs);
}

void TestIdentifiers::noCollisions_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("compact");
    for (const QString &n : { u""_qs, u"2"_qs, u"20"_qs }) {
        QTest::addRow("readable '%s'", qPrintable(n)) << n << false;
        QTest::addRow("compact '%s'", qPrintable(n)) << n << true;
    }
}

void TestIdentifiers::noCollisions()
{
    QFETCH(QString, number);
    QFETCH(bool, compact);
    OptionsFixture f;
    f.set(u"pgmChkScrambled"_qs, compact ? 1 : 0);
    f.set(u"prjMultipleMenu"_qs, 1);
    f.set(u"prjMultipleMenuNumber"_qs, number);
    ScriptNameTables tables;
    // Two runs in one program: the second asks in reverse order.
    for (int run = 0; run < 2; ++run) {
        ScriptIdentifiers ids(*f.options, tables);
        QStringList vars = ScriptIdentifiers::variableVocabulary();
        QStringList funcs = ScriptIdentifiers::functionVocabulary();
        if (run == 1) {
            std::reverse(vars.begin(), vars.end());
            std::reverse(funcs.begin(), funcs.end());
        }
        QHash<QString, QString> owner; // identifier -> internal name
        auto claim = [&](const QString &id, const QString &what) {
            QVERIFY2(!owner.contains(id) || owner.value(id) == what,
                qPrintable(id + u" for "_qs + what + u" and "_qs + owner.value(id)));
            owner.insert(id, what);
            QVERIFY2(id.startsWith(u'q'), qPrintable(id));
        };
        for (const QString &v : vars)
            claim(ids.scriptVariable(v), u"variable "_qs + v);
        for (const QString &fn : funcs)
            claim(ids.scriptFunction(fn), u"function "_qs + fn);
        QCOMPARE(owner.size(), vars.size() + funcs.size());
    }
    QCOMPARE(ScriptIdentifiers::variableVocabulary().size(), 58);
    QCOMPARE(ScriptIdentifiers::functionVocabulary().size(), 60);
    if (compact) {
        // The whole vocabulary fits the tables, with room to spare.
        QCOMPARE(tables.variables().size(), 48);
        QCOMPARE(tables.functions().size(), 35);
    }
}

void TestIdentifiers::menusOnOnePageNeverShareNames()
{
    // Three menus on one page, each written in compact and readable form:
    // no identifier of one menu may be an identifier of another.
    QHash<QString, QString> owner; // identifier -> menu number
    for (const QString &number : { u""_qs, u"2"_qs, u"20"_qs }) {
        for (int compact = 0; compact < 2; ++compact) {
            OptionsFixture f;
            f.set(u"pgmChkScrambled"_qs, compact);
            f.set(u"prjMultipleMenu"_qs, number.isEmpty() ? 0 : 1);
            f.set(u"prjMultipleMenuNumber"_qs, number);
            ScriptNameTables tables;
            ScriptIdentifiers ids(*f.options, tables);
            QStringList all;
            for (const QString &v : ScriptIdentifiers::variableVocabulary())
                all << ids.scriptVariable(v);
            for (const QString &fn : ScriptIdentifiers::functionVocabulary())
                all << ids.scriptFunction(fn);
            for (const QString &id : all) {
                QVERIFY2(!owner.contains(id) || owner.value(id) == number,
                    qPrintable(id + u" in menus '"_qs + number + u"' and '"_qs + owner.value(id) + u"'"_qs));
                owner.insert(id, number);
            }
        }
    }
}

void TestIdentifiers::tablesRefuseOverflow()
{
    ScriptNameTables tables;
    for (int i = 0; i < ScriptNameTables::kFunctionSlots; ++i)
        QCOMPARE(tables.functionSlot(u"f"_qs + QString::number(i)), i);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, tables.functionSlot(u"one more"_qs));
    QCOMPARE(tables.functionSlot(u"f3"_qs), 3);
}

void TestIdentifiers::commentLineAndFragments()
{
    OptionsFixture f;
    ScriptNameTables tables;
    ScriptIdentifiers ids(*f.options, tables);
    QCOMPARE(ids.commentLine(u"//globals"_qs), u"//globals\r\n"_qs);
    f.set(u"pgmChkScrambled"_qs, 1);
    QCOMPARE(ids.commentLine(u"//globals"_qs), QString());
    const QString block = ScriptIdentifiers::ifOpen(u"a"_qs) + u"x"_qs
        + ScriptIdentifiers::elseIfOpen(u"b"_qs) + u"y"_qs + ScriptIdentifiers::elseOpen() + u"z"_qs
        + ScriptIdentifiers::blockClose();
    QCOMPARE(block, u"if(a){x}else if(b){y}else{z};"_qs);
}

void TestIdentifiers::scriptStringValueEscapes_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("plain") << u"Home page"_qs << u"Home page"_qs;
    QTest::newRow("trailing backslash") << u"C:\\"_qs << u"C:\\\\"_qs;
    QTest::newRow("typed \\n") << u"a\\nb"_qs << u"a\\\\nb"_qs;
    QTest::newRow("double quote") << u"say \"hi\""_qs << u"say \\\"hi\\\""_qs;
    QTest::newRow("single quote kept") << u"it's"_qs << u"it's"_qs;
    // Line breaks for script engines before 2019, even inside strings.
    QTest::newRow("line separator") << u"a\u2028b"_qs << u"a\\u2028b"_qs;
    QTest::newRow("paragraph separator") << u"\u2029"_qs << u"\\u2029"_qs;
    QTest::newRow("fill mark") << u"x\uFDD0[$e1d0$]"_qs << u"x\\uFDD0[$e1d0$]"_qs;
}

void TestIdentifiers::scriptStringValueEscapes()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(scriptStringValue(in), out);
    // And the browser reads back exactly what was typed.
    const QString printed = runNode(u"console.log(\""_qs + scriptStringValue(in) + u"\")"_qs);
    QCOMPARE(printed, in + u"\n"_qs);
}

// Class names go into quoted class attributes of the menu and the site map.
void TestIdentifiers::classNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << u"LinkBox"_qs << true;
    QTest::newRow("dash and digit") << u"nav-box2"_qs << true;
    QTest::newRow("underscore first") << u"_x"_qs << true;
    QTest::newRow("dash first") << u"-x"_qs << true;
    QTest::newRow("two dashes") << u"--x"_qs << true;
    QTest::newRow("beyond ascii") << u"Überschrift"_qs << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("digit first") << u"1a"_qs << false;
    QTest::newRow("dash digit") << u"-1"_qs << false;
    QTest::newRow("blank") << u"a b"_qs << false;
    QTest::newRow("apostrophe") << u"a' onclick='x"_qs << false;
    QTest::newRow("tag end") << u"a><script>"_qs << false;
    QTest::newRow("point") << u"a.b"_qs << false;
    QTest::newRow("backslash") << u"a\\62"_qs << false;
}

void TestIdentifiers::classNames()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(isCssClassName(name), accepted);
}

QTEST_GUILESS_MAIN(TestIdentifiers)
#include "tst_identifiers.moc"
