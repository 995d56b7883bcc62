// The style sheet written into the script, with per-language sheets.

#include "generator/embedstylesheet.h"
#include "generator/runservices.h"
#include "options/options.h"
#include "support/scriptedprompt.h"
#include "generatortestutil.h"
#include "support/testutil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qwk;

class TestEmbedStyleSheet : public QObject {
    Q_OBJECT

    test::ScriptedPrompt prompt;
    std::unique_ptr<clsOptions> options;
    ScriptNameTables tables;
    std::unique_ptr<RunServices> run;
    QTemporaryDir dir;

private Q_SLOTS:
    void init()
    {
        run.reset(); // it refers to the options, so it goes first
        prompt = {};
        options = std::make_unique<clsOptions>(&prompt, nullptr);
        options->loadNewPrjDefaults();
        options->setControlValue(u"prjFilCSS", dir.filePath(QStringLiteral("menu.css")));
        options->setControlValue(u"prjJavascriptLanguageVariable", QStringLiteral("qwkLang"));
        run = std::make_unique<RunServices>(*options, prompt, tables);
        test::writeBytes(dir.filePath(QStringLiteral("menu.css")),
                         ".a{color:red}\r\n\r\n.b{color:blue}\n.c{background:url('C:\\img\\x.gif')}\r\n");
    }

    void offMeansNothing()
    {
        options->setControlValue(u"prjCSSinJS", 0);
        options->setControlValue(u"prjChkMultiLingual", 1);
        options->setControlValue(u"prjLanguages", QStringLiteral("en;;de;;"));
        QCOMPARE(StyleSheetEmbedder(*run).zCSSclasses(), QString());
        QVERIFY(run->logEntries().isEmpty());
    }

    void linesBecomeCalls()
    {
        const QString text = StyleSheetEmbedder(*run).zCSSclasses();
        QCOMPARE(text, QStringLiteral("//Style Sheet\r\n"
                                      "qDW(\"<style>\");\r\n"
                                      "qDW(\".a{color:red}\");\r\n"
                                      "qDW(\".b{color:blue}\");\r\n"
                                      "qDW(\".c{background:url('C:\\\\img\\\\x.gif')}\");\r\n"
                                      "qDW(\"</style>\");\r\n\r\n"));
        QCOMPARE(test::nodeCheck(QStringLiteral("function qDW(s){}\n") + text), QString());
        // Compact scripts carry no comments.
        options->setControlValue(u"pgmChkScrambled", 1);
        QVERIFY(StyleSheetEmbedder(*run).zCSSclasses().startsWith(u"qDW(\"<style>\");"));
    }

    void doubleQuoteStopsTheRun()
    {
        test::writeBytes(dir.filePath(QStringLiteral("menu.css")), ".a{color:red}\r\n\"x\r\n");
        try {
            StyleSheetEmbedder(*run).zCSSclasses();
            QFAIL("a double quote must stop the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(), QStringLiteral("There is a double quote in your CSS style sheet: \n\"x"));
        }
    }

    // The sheet's lines reach the page one after another inside a style
    // element: an end tag in them, also one split over two lines, must not
    // end it early. Its "/" becomes the CSS escape "\2f ", the same
    // character in a string and nothing in a comment.
    void styleEndTagStaysInside_data()
    {
        QTest::addColumn<QByteArray>("css");
        QTest::addColumn<QStringList>("written"); // what the browser gets, line by line
        QTest::newRow("in a comment") << QByteArray("/* goes in <style></style> */\r\n.a{}\r\n")
                                      << QStringList { "/* goes in <style><\\2f style> */", ".a{}" };
        QTest::newRow("in a string, upper case") << QByteArray(".a{content:'</STYLE><b>'}\n")
                                                 << QStringList { ".a{content:'<\\2f STYLE><b>'}" };
        QTest::newRow("split over two lines") << QByteArray(".a{content:'<\r\n\r\n/style>'}\r\n")
                                              << QStringList { ".a{content:'<", "\\2f style>'}" };
        QTest::newRow("two in a line") << QByteArray("/*</style></style >*/\n")
                                       << QStringList { "/*<\\2f style><\\2f style >*/" };
        QTest::newRow("other end tags stay") << QByteArray(".a{content:'</b></styl'}\n")
                                             << QStringList { ".a{content:'</b></styl'}" };
    }
    void styleEndTagStaysInside()
    {
        QFETCH(QByteArray, css);
        QFETCH(QStringList, written);
        test::writeBytes(dir.filePath(QStringLiteral("menu.css")), css);
        const QString text = StyleSheetEmbedder(*run).zCSSclasses();
        const QString printed
            = test::runNode(QStringLiteral("function qDW(s){console.log(s)}\n") + text);
        QCOMPARE(printed, "<style>\n" + written.join(u'\n') + "\n</style>\n");
    }

    void languageSheets()
    {
        options->setControlValue(u"prjChkMultiLingual", 1);
        options->setControlValue(u"prjLanguages", QStringLiteral("en;;de;;"));
        test::writeBytes(dir.filePath(QStringLiteral("menu.en.css")), ".a{color:green}\r\n");
        test::writeBytes(dir.filePath(QStringLiteral("menu.de.css")), ".a{color:black}\r\n");
        const QString text = StyleSheetEmbedder(*run).zCSSclasses();
        const qsizetype en = text.indexOf(QStringLiteral("if(qwkLang=='en'){\r\n//Style Sheet\r\nqDW(\"<style>\");\r\nqDW(\".a{color:green}\");"));
        const qsizetype de = text.indexOf(QStringLiteral("if(qwkLang=='de'){\r\n//Style Sheet\r\nqDW(\"<style>\");\r\nqDW(\".a{color:black}\");"));
        QVERIFY(en > 0);
        QVERIFY(de > en);
        QCOMPARE(test::nodeCheck(QStringLiteral("var qwkLang='de';function qDW(s){}\n") + text), QString());

        // A missing language sheet is only noted; its test stays empty.
        options->setControlValue(u"prjLanguages", QStringLiteral("en;;fr;;"));
        const QString partial = StyleSheetEmbedder(*run).zCSSclasses();
        QVERIFY(partial.contains(u"if(qwkLang=='fr'){\r\n\r\n}\r\n"));
        QVERIFY(run->logText().contains(QStringLiteral("Note: ") + dir.filePath(QStringLiteral("menu.fr.css")) + QStringLiteral(" does not exist.")));
    }
};

QTEST_GUILESS_MAIN(TestEmbedStyleSheet)
#include "tst_embedstylesheet.moc"
