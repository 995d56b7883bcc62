// The preview page: the mock menu under the project's class names and one
// sample per rule of the sheet.

#include "options/options.h"
#include "options/settingsstore.h"
#include "stylesheet/clscss.h"
#include "stylesheet/csspreview.h"
#include "support/scriptedprompt.h"

#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

using namespace qwk;

namespace {

// The whole page for the default class names, tree menus off and an empty
// rule list, written out from the page description by hand.
QString expectedMockMenuPage(const QString &css)
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                          "\"http://www.w3.org/TR/html4/loose.dtd\">"
                          "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html\">"
                          "<link rel=\"stylesheet\" type=\"text/css\" href=\"")
        + css
        + QStringLiteral(
            "\"></HEAD><BODY><TABLE border='0' cellspacing='0' cellpadding='0'><TR>"
            "<TD class=\"MenuTreeBox\" width=\"120\" valign=\"top\">"
            "<div class='MainFolderBox' >&plusmn;<span onMouseOver=this.className='MainFolderLineMouseOver' "
            "onMouseOut=this.className='MainFolderLine' class='MainFolderLine' href='javascript://'>Main "
            "folder</span>"
            "<div class='MainFolderPage'><div class='SubFolderBox' >&plusmn;<span "
            "onMouseOver=this.className='SubFolderLineMouseOver' onMouseOut=this.className='SubFolderLine' "
            "class='SubFolderLine' href='javascript://'>Sub folder</span>"
            "<div class='SubFolderPage'><div class='LinkBox' ><table><tr><td class='LinkPage    "
            "'>&bull;<span "
            "onMouseOver=this.className='LinkLineMouseOver' onMouseOut=this.className='LinkLine' "
            "class='LinkLine' href='javascript://'>Link</span></td></tr></table>"
            "</div></div></div></div></div></TD></TR></TABLE><br></BODY></HTML>");
}

} // namespace

class TestCssPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void mockMenuAlone();
    void indents_data();
    void indents();
    void samplesPerRule_data();
    void samplesPerRule();
    void renamedLinkLine();
    void failureNamesTheStep();
    void previewSignalAndMessage();

private:
    qwk::test::ScriptedPrompt m_prompt;
    MemorySettingsStore m_settings;
    std::unique_ptr<clsOptions> m_options;
};

void TestCssPreview::init()
{
    m_prompt.asked.clear();
    m_options = std::make_unique<clsOptions>(&m_prompt, &m_settings);
    m_options->loadNewPrjDefaults();
    m_options->setControlValue(u"prjChkTreeMenus", 0);
    m_options->setControlValue(u"prjFilCSS", QStringLiteral("/site/qMenu.css"));
}

void TestCssPreview::mockMenuAlone()
{
    const PreviewPage page = previewPage(*m_options, {});
    QVERIFY(page.ok);
    QCOMPARE(page.html, expectedMockMenuPage(QStringLiteral("/site/qMenu.css")));
    QVERIFY(!page.html.contains(u'\n'));
    QCOMPARE(page.html.count(u"<div"), 5);
    QCOMPARE(page.html.count(u"</div>"), 5);
}

void TestCssPreview::indents_data()
{
    QTest::addColumn<int>("tree");
    QTest::addColumn<QString>("mainDiv");
    QTest::addColumn<QString>("subDiv");
    QTest::newRow("drop-down: no style attribute") << 0 << "<div class='MainFolderBox' >"
                                                   << "<div class='SubFolderBox' >";
    QTest::newRow("tree: trimmed indents") << 1 << "<div class='MainFolderBox' style=\"margin-left:12px\" >"
                                           << "<div class='SubFolderBox' style=\"margin-left:30px\" >";
}

void TestCssPreview::indents()
{
    QFETCH(int, tree);
    QFETCH(QString, mainDiv);
    QFETCH(QString, subDiv);
    m_options->setControlValue(u"prjChkTreeMenus", tree);
    m_options->setControlValue(u"prjLeftIndentMainFolder", QStringLiteral(" 12 "));
    m_options->setControlValue(u"prjLeftIndentSubFolder", QStringLiteral("30"));
    const PreviewPage page = previewPage(*m_options, {});
    QVERIFY(page.ok);
    QVERIFY2(page.html.contains(mainDiv), qPrintable(page.html));
    QVERIFY(page.html.contains(subDiv));
    // The link box takes the sub-folder indent as well.
    QVERIFY(page.html.contains(
        QString(subDiv).replace(QStringLiteral("SubFolderBox"), QStringLiteral("LinkBox"))));
    QCOMPARE(page.html.contains(u"style="), tree != 0);
}

void TestCssPreview::samplesPerRule_data()
{
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QString>("samples");
    QTest::newRow("class, skipped, element") << QStringList { ".MainFolderBox", "body", "td" }
                                             << "<p class='MainFolderBox'>.MainFolderBox</p><td>td</td>";
    QTest::newRow("fixed selectors in any case") << QStringList { "BODY", "A:Visited", "a:hover" } << "";
    QTest::newRow("element with pseudo-class") << QStringList { "a:link" } << "<a:link>a:link</a:link>";
    // A selector that would open an attribute or a tag is shown as text.
    QTest::newRow("no markup from selectors") << QStringList {
        "img src=x onerror=alert(1)", ".a'><script>"
    } << "<p>img src=x onerror=alert(1)</p><p class='a&#39;&gt;&lt;script&gt;'>.a&#39;&gt;&lt;script&gt;</p>";
    // The sample's text is the selector: as a script or style element it would act.
    QTest::newRow("no script or style element") << QStringList { "SCRIPT\r;var script;alert(1)", "style" }
                                                << "<p>SCRIPT\r;var script;alert(1)</p><p>style</p>";
}

void TestCssPreview::samplesPerRule()
{
    QFETCH(QStringList, rules);
    QFETCH(QString, samples);
    const PreviewPage page = previewPage(*m_options, rules);
    QVERIFY(page.ok);
    const QString tail = QStringLiteral("</TABLE><br>") + samples + QStringLiteral("</BODY></HTML>");
    QVERIFY2(page.html.endsWith(tail), qPrintable(page.html.right(tail.size() + 20)));
}

void TestCssPreview::renamedLinkLine()
{
    m_options->setControlValue(u"prjCNLinkLine", QStringLiteral("Nav"));
    const PreviewPage page = previewPage(*m_options, {});
    QVERIFY(page.html.contains(
        QStringLiteral("<span onMouseOver=this.className='NavMouseOver' "
                       "onMouseOut=this.className='Nav' class='Nav' href='javascript://'>Link")));
    QVERIFY(!page.html.contains(u"LinkLine"));
}

void TestCssPreview::failureNamesTheStep()
{
    const PreviewPage page = previewPage(*m_options, {}, [](const QString &key) -> QString {
        if (key == u"LinkBox")
            throw std::runtime_error("no such class");
        return key;
    });
    QVERIFY(!page.ok);
    QVERIFY(page.html.isEmpty());
    QCOMPARE(page.error, QStringLiteral("2. Error previewing file\nno such class"));
    QCOMPARE(previewErrorMessage(5, QStringLiteral("x")), QStringLiteral("5. Error previewing file\nx"));
}

void TestCssPreview::previewSignalAndMessage()
{
    clsCSS css(m_options.get());
    css.document().setText(QStringLiteral(".a {}\r\nbody {}\r\n"));
    css.loadCSSClassesListBox();
    QSignalSpy ready(&css, &clsCSS::previewReady);
    QVERIFY(css.LoadHTMLtoWebBrowser());
    QCOMPARE(ready.size(), 1);
    QVERIFY(ready.first().first().toString().endsWith(QStringLiteral("<p class='a'>.a</p></BODY></HTML>")));

    css.setClassNameFunction([](const QString &) -> QString { throw std::runtime_error("broken"); });
    QVERIFY(!css.LoadHTMLtoWebBrowser());
    QCOMPARE(ready.size(), 1);
    QCOMPARE(m_prompt.messages(), QStringList { "2. Error previewing file\nbroken" });
}

QTEST_GUILESS_MAIN(TestCssPreview)
#include "tst_csspreview.moc"
