// The text rules of the style sheet: rule bounds, selectors, the rule list,
// finding a class or a rule, the declaration edit and the clicked word.

#include "stylesheet/cssrules.h"

#include <QElapsedTimer>
#include <QTest>

using namespace qwk;

namespace {
// Whole-text operations on hostile input must stay far below this; a
// quadratic walk over 20 MB would take hours.
constexpr qint64 kNoHangMs = 30000;
} // namespace

class TestCssRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bounds_data();
    void bounds();
    void selector_data();
    void selector();
    void ruleList_data();
    void ruleList();
    void hasClass_data();
    void hasClass();
    void ruleCaret_data();
    void ruleCaret();
    void declaration_data();
    void declaration();
    void word_data();
    void word();
    void hugeInput_data();
    void hugeInput();
};

void TestCssRules::bounds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("start");
    //                              1234567890
    QTest::newRow("inside first") << ".a {x} .b {y}" << 3 << 6 << 1;
    QTest::newRow("on brace") << ".a {x} .b {y}" << 6 << 6 << 6;
    QTest::newRow("second rule") << ".a {x} .b {y}" << 8 << 13 << 6;
    QTest::newRow("below 2 from start") << "}ab}" << 0 << 1 << 1;
    QTest::newRow("no closing brace") << ".a { x" << 2 << 7 << 1;
    QTest::newRow("past the end") << ".a {x}" << 40 << 7 << 6;
    QTest::newRow("empty text") << "" << 1 << 1 << 1;
}

void TestCssRules::bounds()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, end);
    QFETCH(int, start);
    QCOMPARE(ruleEnd(text, position), qsizetype(end));
    QCOMPARE(ruleStart(text, position), qsizetype(start));
}

void TestCssRules::selector_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("selector");
    QTest::newRow("simple") << ".a {x}" << 1 << 6 << ".a";
    QTest::newRow("blanks trimmed") << "   .a   {x}" << 1 << 11 << ".a";
    QTest::newRow("after line feed") << "/* note */\r\nh1 {x}" << 1 << 18 << "h1";
    QTest::newRow("after closing brace") << "}.b {x}" << 1 << 7 << ".b";
    QTest::newRow("last rule opening counts") << ".a {x} .b {y}" << 1 << 13 << ".b";
    QTest::newRow("brace first") << "{x}" << 1 << 3 << "";
    QTest::newRow("no brace") << "just text" << 1 << 9 << "";
    QTest::newRow("empty piece") << ".a {x}" << 4 << 4 << "";
    QTest::newRow("reversed piece") << ".a {x}" << 5 << 2 << "";
    QTest::newRow("brace on its own line") << ".a\r\n{x}" << 1 << 7 << "";
}

void TestCssRules::selector()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, selector);
    QCOMPARE(ruleSelector(text, from, to), selector);
}

void TestCssRules::ruleList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QStringList>("selectors");
    QTest::addColumn<int>("selected");
    const QString sheet
        = QStringLiteral(".a {\r\n\tcolor : red;\r\n}\r\n\r\n.b {\r\n}\r\n\r\nbody {\r\n}\r\n");
    QTest::newRow("caret in first") << sheet << 5 << QStringList { ".a", ".b", "body" } << 0;
    QTest::newRow("caret in second") << sheet << 28 << QStringList { ".a", ".b", "body" } << 1;
    QTest::newRow("caret at start selects none") << sheet << 0 << QStringList { ".a", ".b", "body" } << -1;
    QTest::newRow("empty") << "" << 0 << QStringList {} << -1;
    QTest::newRow("no closing brace") << ".a { color: red;\r\n.b { x" << 3 << QStringList { ".b" } << 0;
    QTest::newRow("no brace at all") << "nothing here" << 0 << QStringList {} << -1;
    QTest::newRow("last rule unclosed") << ".a {x} .b {y" << 0 << QStringList { ".a", ".b" } << -1;
    QTest::newRow("opening brace first") << "{color:red}" << 0 << QStringList {} << -1;
    QTest::newRow("brace first then rule") << "{a}.b {c}" << 0 << QStringList { ".b" } << -1;
    QTest::newRow("nested braces") << ".a { .b { x; } }" << 0 << QStringList { ".a { .b" } << -1;
    QTest::newRow("only closing braces") << "}}}}" << 0 << QStringList {} << -1;
    QTest::newRow("grouped on two lines") << "h1,\r\nh2 {x}" << 0 << QStringList { "h2" } << -1;
    QTest::newRow("empty rule gets no item")
        << ".a {x}\r\n{y}\r\n.c {z}" << 0 << QStringList { ".a", ".c" } << -1;
}

void TestCssRules::ruleList()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    const RuleList list = listRules(text, caret);
    QTEST(list.selectors, "selectors");
    QTEST(list.selected, "selected");
}

void TestCssRules::hasClass_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << ".x {}\r\n.Foo {\r\n}"
                             << "Foo" << true;
    QTest::newRow("empty name") << ""
                                << "" << true;
    QTest::newRow("case counts") << ".foo {}"
                                 << "Foo" << false;
    QTest::newRow("only in a comment") << "/* .Foo */\r\n.a {}"
                                       << "Foo" << false;
    QTest::newRow("only in a declaration") << ".a { background: url(Foo.png); }"
                                           << "Foo" << false;
    QTest::newRow("declaration before the rule") << ".a { content: 'Foo'; }\r\n.Foo {}"
                                                 << "Foo" << true;
    QTest::newRow("element selector is another rule") << "a.Foo {}"
                                                      << "Foo" << false;
    QTest::newRow("longer class") << ".FooBar {}"
                                  << "Foo" << false;
    QTest::newRow("regex characters") << ".c++ {}"
                                      << "c++" << true;
    QTest::newRow("regex characters absent") << ".xy {}"
                                             << "(x|y)" << false;
    QTest::newRow("dot star") << ".a.b* {}"
                              << "a.b*" << true;
    QTest::newRow("no closing brace") << ".Foo { color: red;"
                                      << "Foo" << true;
    QTest::newRow("empty text") << ""
                                << "Foo" << false;
}

void TestCssRules::hasClass()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QTEST(styleSheetHasClass(text, name), "present");
}

void TestCssRules::ruleCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("caret");
    const QString sheet = QStringLiteral(".a {\r\n\tcolor : red;\r\n}\r\n.b {\r\n}\r\n");
    QTest::newRow("first") << sheet << ".a" << true << 4;
    QTest::newRow("second") << sheet << ".b" << true << sheet.indexOf(u".b {") + 4;
    QTest::newRow("missing") << sheet << ".c" << false << 1;
    QTest::newRow("empty selector keeps caret") << sheet << "" << true << -1;
    QTest::newRow("case counts") << sheet << ".A" << false << 1;
    QTest::newRow("in a comment first") << "/* .b */ .x {}\r\n.b {}"
                                        << ".b" << true << 20;
    QTest::newRow("unclosed") << ".a {color: red"
                              << ".a" << true << 4;
}

void TestCssRules::ruleCaret()
{
    QFETCH(QString, text);
    QFETCH(QString, selector);
    QFETCH(int, caret);
    const RuleCaret r = findRuleCaret(text, selector);
    QTEST(r.found, "found");
    QCOMPARE(r.caret, qsizetype(caret));
}

void TestCssRules::declaration_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("alphabetical placement")
        << ".a {\r\n\tbackground-color : white;\r\n\tmargin : 0px;\r\n}"
        << "color"
        << "red"
        << ".a {\r\n\tbackground-color : white;\r\n\tcolor : red;\r\n\tmargin : 0px;\r\n}";
    QTest::newRow("delete removes every declaration")
        << ".a {\r\n\tcolor : navy;\r\n\ttext-decoration : none;\r\n\tColor: blue;\r\n}"
        << "color"
        << "delete"
        << ".a {\r\n\ttext-decoration : none;\r\n}";
    QTest::newRow("empty rule, braces side by side") << ".a {}"
                                                     << "color"
                                                     << "red"
                                                     << ".a {\r\n\tcolor : red;\r\n}";
    QTest::newRow("replaces, any case") << ".a {\r\n\tCOLOR: navy;\r\n}"
                                        << "color"
                                        << "red"
                                        << ".a {\r\n\tcolor : red;\r\n}";
    QTest::newRow("second declaration dropped") << ".a {\r\n\tcolor : navy;\r\n\tcolor : blue;\r\n}"
                                                << "color"
                                                << "red"
                                                << ".a {\r\n\tcolor : red;\r\n}";
    QTest::newRow("blank lines go, lines re-indented") << ".a {\r\n\r\n   margin : 0px;\r\n\r\n}"
                                                       << "color"
                                                       << "red"
                                                       << ".a {\r\n\tcolor : red;\r\n\tmargin : 0px;\r\n}";
    QTest::newRow("appended after the last")
        << ".a {\r\n\tbackground-color : white;\r\n}"
        << "text-align"
        << "center"
        << ".a {\r\n\tbackground-color : white;\r\n\ttext-align : center;\r\n}";
    QTest::newRow("longer property is another")
        << ".a {\r\n\tborder-color : red;\r\n}"
        << "border"
        << "1px navy solid"
        << ".a {\r\n\tborder : 1px navy solid;\r\n\tborder-color : red;\r\n}";
    QTest::newRow("backslash ending a line inside quotes") << ".a {\r\n\tcontent : \"x\\\r\n}"
                                                          << "color"
                                                          << "red"
                                                          << ".a {\r\n\tcolor : red;\r\n\tcontent : \"x\\\r\n}";
    QTest::newRow("delete of an absent property") << ".a {\r\n\tmargin : 0px;\r\n}"
                                                  << "color"
                                                  << "delete"
                                                  << ".a {\r\n\tmargin : 0px;\r\n}";
    QTest::newRow("upper case sorts first") << ".a {\r\n\tZoom : 1;\r\n}"
                                            << "color"
                                            << "red"
                                            << ".a {\r\n\tZoom : 1;\r\n\tcolor : red;\r\n}";
    // Files from other systems: line feeds alone must not merge the body
    // into one line (replacing it would lose the other declarations).
    QTest::newRow("line feeds only") << ".a {\n\tcolor: navy;\n\ttext-decoration: none;\n}"
                                     << "color"
                                     << "red"
                                     << ".a {\r\n\tcolor : red;\r\n\ttext-decoration: none;\r\n}";
    QTest::newRow("one-line rule keeps the other declarations")
        << ".a { color: navy; margin: 0; }"
        << "color"
        << "red"
        << ".a {\r\n\tcolor : red;\r\n\tmargin: 0; \r\n}";
    QTest::newRow("semicolons inside parentheses and quotes")
        << ".a { background: url(x;y.png); content: 'p;q'; color: navy; }"
        << "color"
        << "red"
        << ".a {\r\n\tbackground: url(x;y.png);\r\n\tcolor : red;\r\n\tcontent: 'p;q';\r\n}";
    QTest::newRow("comment stays with its declaration")
        << ".a {\r\n\tmargin : 0px; /* keep; this */\r\n}"
        << "color"
        << "red"
        << ".a {\r\n\tcolor : red;\r\n\tmargin : 0px; /* keep; this */\r\n}";
    QTest::newRow("unclosed rule") << ".a {\r\n\tmargin : 0px;"
                                   << "color"
                                   << "red"
                                   << ".a {\r\n\tcolor : red;\r\n\tmargin : 0px;\r\n";
}

void TestCssRules::declaration()
{
    QFETCH(QString, text);
    QFETCH(QString, property);
    QFETCH(QString, value);
    const qsizetype bodyStart = text.indexOf(u'{') + 1;
    const TextEdit edit = declarationEdit(text, bodyStart, property, value);
    QCOMPARE(edit.start, bodyStart);
    QString result = text;
    result.replace(edit.start, edit.length, edit.replacement);
    QTEST(result, "expected");
}

void TestCssRules::word_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("word");
    QTest::newRow("after tab") << "\tcolor : navy;" << 3 << "color";
    QTest::newRow("at start of word") << "\tfont-size : 10pt;" << 1 << "font-size";
    QTest::newRow("after line feed") << ".a {\r\nmargin: 0; x" << 8 << "margin";
    QTest::newRow("caret 0") << "color : red;" << 0 << "";
    QTest::newRow("no blank after counts as 0") << "color:red" << 2 << "";
    QTest::newRow("value has no colon after") << "color : navy; " << 9 << "";
    QTest::newRow("empty text") << "" << 3 << "";
}

void TestCssRules::word()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QTEST(wordAtCaret(text, caret), "word");
}

void TestCssRules::hugeInput_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("rules"); // -1: one per unit
    QTest::newRow("closing braces") << "}" << 0;
    // One unclosed rule whose selector is every "{" but the last.
    QTest::newRow("opening braces") << "{" << 1;
    QTest::newRow("one letter") << "a" << 0;
    QTest::newRow("name without braces") << "Foo Foo\r\n" << 0;
    QTest::newRow("rules") << ".Foo {\r\n\tcolor : red;\r\n}\r\n" << -1;
}

// A 20 MB text of each kind: listing, finding a class and selecting a rule
// finish (each rule is looked at once, however often a name repeats).
void TestCssRules::hugeInput()
{
    QFETCH(QString, unit);
    QFETCH(int, rules);
    const QString text = unit.repeated(20 * 1024 * 1024 / unit.size());
    QElapsedTimer t;
    t.start();
    const RuleList list = listRules(text, text.size() / 2);
    const bool has = styleSheetHasClass(text, u"Foo");
    const bool hasA = styleSheetHasClass(text, u"a");
    const RuleCaret caret = findRuleCaret(text, u".Zed");
    const TextEdit edit = declarationEdit(text, 1, QStringLiteral("color"), QStringLiteral("red"));
    QVERIFY2(t.elapsed() < kNoHangMs, qPrintable(QString::number(t.elapsed())));
    QVERIFY(!caret.found);
    QVERIFY(!hasA);
    QVERIFY(edit.length >= 0 && edit.start + edit.length <= text.size());
    QCOMPARE(list.selectors.size(), rules < 0 ? text.size() / unit.size() : qsizetype(rules));
    QCOMPARE(has, rules < 0);
}

QTEST_GUILESS_MAIN(TestCssRules)
#include "tst_cssrules.moc"
