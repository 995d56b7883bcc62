// The accessible markup's files: the script (valid script, none of the
// constructs a strict content policy blocks, compact mode still compact), the
// static fragment beside it (well formed, every list shown, the same entries
// as the script's data calls), and runs without the option that stay exactly
// as they were.

#include "core/textfile.h"
#include "generator/menufragment.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "options/options.h"
#include "stylesheet/clscss.h"
#include "support/runfixture.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

using namespace qwk;

namespace {

struct Project : test::RunFixture {
    Project()
        : RunFixture(".MenuTreeBox{}\r\n.LinkLine{color:blue}\r\n")
    {
        clsFolder *a = folder(root, u"Products"_qs);
        a->setValue(u"lnkOptTypeFolderJS", true);
        a->setValue(u"lnkJS", u"window.opened=1;return false"_qs);
        clsFolder *sub = folder(*a, u"Tools"_qs);
        page(*sub, u"Saw"_qs, u"/saw.html?a=1&b=2"_qs);
        clsPage *js = page(*a, u"Say hi"_qs, {});
        js->setValue(u"lnkOptTypePageJS", true);
        js->setValue(u"lnkJS", u"alert('hi')"_qs);
        clsPage *ext = page(*a, u"Out"_qs, u"http://x.org/"_qs);
        ext->setValue(u"lnkChkNewWindow", 1);
        clsPage *label = page(*a, u"Label"_qs, {});
        label->setValue(u"lnkOptURLNone", true);
        root.nodes().addColumn(root.nodes().count());
        page(root, u"Home"_qs, u"/index.html"_qs);
    }
    clsFolder *folder(clsFolder &parent, const QString &name)
    {
        clsFolder *f = parent.nodes().addFolder(parent.nodes().count());
        f->setName(name);
        return f;
    }
    clsPage *page(clsFolder &parent, const QString &name, const QString &url)
    {
        clsPage *p = parent.nodes().addPage(parent.nodes().count());
        p->setName(name);
        if (!url.isEmpty())
            p->setValue(u"lnkURL", url);
        return p;
    }
    QString file(const QString &name) const { return decodeText(test::readBytes(path(u"menu/"_qs + name))); }
    bool exists(const QString &name) const { return QFile::exists(path(u"menu/"_qs + name)); }
    bool runJob()
    {
        RunDriver d(*run, root);
        return d.runJob(RunDriver::Job::Run);
    }
};

// node --check on the text; "" when it passes.
QString syntaxError(const QString &script)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"menu.js"_qs);
    test::writeBytes(file, script.toUtf8());
    QProcess p;
    p.start(u"node"_qs, { u"--check"_qs, file });
    if (!p.waitForFinished(60000))
        return u"node did not finish: "_qs + p.errorString();
    return p.exitCode() == 0 ? QString() : QString::fromUtf8(p.readAllStandardError());
}

// The ids of the entries the data calls make ("b" in front of a page link's).
QStringList dataCallIds(const QString &script)
{
    static const QRegularExpression call(u"^q\\d*(MF|SF|LK)\\(\"([a-z0-9]+)\""_qs, QRegularExpression::MultilineOption);
    QStringList ids;
    for (auto it = call.globalMatch(script); it.hasNext();) {
        const auto m = it.next();
        ids << (m.captured(1) == u"LK" ? u"b"_qs : QString()) + m.captured(2);
    }
    return ids;
}

} // namespace

class TestAccessible : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scriptAndFragment_data()
    {
        QTest::addColumn<bool>("tree");
        QTest::addColumn<bool>("compact");
        QTest::addColumn<QString>("number");
        QTest::newRow("tree") << true << false << QString();
        QTest::newRow("tree, compact") << true << true << QString();
        QTest::newRow("drop-down") << false << false << QString();
        QTest::newRow("drop-down, compact, menu 7") << false << true << u"7"_qs;
    }
    void scriptAndFragment()
    {
        QFETCH(bool, tree);
        QFETCH(bool, compact);
        QFETCH(QString, number);
        Project p;
        p.options.setControlValue(u"prjChkAccessible", 1);
        p.options.setControlValue(u"prjChkTreeMenus", tree ? 1 : 0);
        p.options.setControlValue(u"pgmChkScrambled", compact ? 1 : 0);
        p.options.setControlValue(u"prjChkMOMO", 1);
        if (!number.isEmpty()) {
            p.options.setControlValue(u"prjMultipleMenu", 1);
            p.options.setControlValue(u"prjMultipleMenuNumber", number);
        }
        clsCSS css(&p.options, &p.prompt);
        css.document().setText(u".MenuTreeBox{}\n.LinkLine{color:blue}\n"_qs);
        p.run->useStyleSheet(css);
        QVERIFY2(p.runJob(), qPrintable(p.run->logText()));
        const QString script = p.file(u"qmenu.js"_qs);
        // A class the sheet lacks is reported by the script's writer and by the
        // fragment's, not once for each of the four entries that use it.
        QCOMPARE(p.run->logText().count(u"Warning! Class not found in style sheet: LinkBox"_qs), 2);

        const QString error = syntaxError(script);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const QString &banned : { u"document.write"_qs, u"eval("_qs, u"new Function"_qs, u"javascript:"_qs,
                 u"innerHTML=\"<"_qs, u"setAttribute(\"on"_qs })
            QVERIFY2(!script.contains(banned), qPrintable(banned));
        QVERIFY2(!script.contains(QRegularExpression(u"\\son[a-z]+\\s*="_qs)), "an inline handler");
        // The author's scripts arrive as functions, not as text to compile.
        QVERIFY(!script.contains(u"\"function(){"_qs));
        QVERIFY(script.contains(u"function(){window.opened=1;return false}"_qs));
        QVERIFY(script.contains(u"function(){alert('hi')}"_qs));
        // Compact: no comment line but the notice, no indent.
        const QStringList lines = script.split(u"\r\n"_qs);
        const qsizetype comments
            = std::count_if(lines.begin(), lines.end(), [](const QString &l) { return l.trimmed().startsWith(u"//"); });
        QCOMPARE(comments == 1, compact);
        QCOMPARE(std::any_of(lines.begin(), lines.end(), [](const QString &l) { return l.startsWith(u' '); }), !compact);

        // The fragment: well formed, every list shown, the script's entries.
        QVERIFY(p.exists(u"qmenu.fragment.html"_qs));
        const QString fragment = p.file(u"qmenu.fragment.html"_qs);
        QCOMPARE(fragment, accessibleMenuFragment(*p.run, p.root));
        QXmlStreamReader xml(fragment);
        QStringList entries;
        QSet<QString> lists;
        QStringList controls;
        int navs = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto a = xml.attributes();
            QVERIFY2(!a.hasAttribute(u"hidden"_qs), "a list is hidden");
            if (xml.name() == u"nav") {
                ++navs;
                QCOMPARE(a.value(u"id"_qs), number.isEmpty() ? u"quenwick-menu"_qs : u"quenwick-menu-"_qs + number);
                QCOMPARE(a.value(u"aria-label"_qs), number.isEmpty() ? u"Site menu"_qs : u"Site menu "_qs + number);
                QVERIFY(a.hasAttribute(u"data-qwk-static"_qs));
                QVERIFY(a.value(u"class"_qs).endsWith(tree ? u" qwk-menu qwk-tree"_qs : u" qwk-menu qwk-dropdown"_qs));
            } else if (xml.name() == u"li") {
                entries << a.value(u"id"_qs).toString().mid(1);
            } else if (xml.name() == u"ul" && a.hasAttribute(u"id"_qs)) {
                lists << a.value(u"id"_qs).toString();
            } else if (xml.name() == u"button" && a.hasAttribute(u"aria-controls"_qs)) {
                QCOMPARE(a.value(u"aria-expanded"_qs), u"true"_qs);
                controls << a.value(u"aria-controls"_qs).toString();
            } else if (xml.name() == u"a" && a.value(u"target"_qs) == u"_blank") {
                QCOMPARE(a.value(u"rel"_qs), u"noopener"_qs);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(navs, 1);
        QCOMPARE(entries, dataCallIds(script));
        QCOMPARE(entries.size(), 7);
        QCOMPARE(QSet<QString>(controls.begin(), controls.end()), lists);
        QCOMPARE(lists.size(), 2);
        QVERIFY(fragment.contains(u"href=\"/saw.html?a=1&amp;b=2\""_qs));
        QVERIFY(fragment.contains(u"<span class=\"qwk-sr\"> (opens in a new window)</span></a>"_qs));
    }

    // Without the option nothing of the accessible markup is written, and an
    // accessible run before leaves the next classic run's bytes alone (the
    // compact names keep their slots).
    void withoutTheOptionNothingChanges_data()
    {
        QTest::addColumn<bool>("compact");
        QTest::newRow("readable") << false;
        QTest::newRow("compact") << true;
    }
    void withoutTheOptionNothingChanges()
    {
        QFETCH(bool, compact);
        Project fresh;
        fresh.options.setControlValue(u"pgmChkScrambled", compact ? 1 : 0);
        QVERIFY(fresh.runJob());
        const QString classic = fresh.file(u"qmenu.js"_qs);
        QVERIFY(!fresh.exists(u"qmenu.fragment.html"_qs));
        QVERIFY(classic.contains(u"document.write("_qs));

        Project twice;
        twice.options.setControlValue(u"pgmChkScrambled", compact ? 1 : 0);
        twice.options.setControlValue(u"prjChkAccessible", 1);
        QVERIFY(twice.runJob());
        QVERIFY(!twice.file(u"qmenu.js"_qs).contains(u"document.write("_qs));
        twice.options.setControlValue(u"prjChkAccessible", 0);
        QVERIFY(twice.runJob());
        QCOMPARE(twice.file(u"qmenu.js"_qs), classic);
    }

    void fragmentPath_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("js") << "/web/qmenu.js" << "/web/qmenu.fragment.html";
        QTest::newRow("upper case") << "/web/MENU.JS" << "/web/MENU.fragment.html";
        QTest::newRow("other") << "/web/menu.script" << "/web/menu.script.fragment.html";
    }
    void fragmentPath()
    {
        QFETCH(QString, script);
        QFETCH(QString, fragment);
        QCOMPARE(accessibleFragmentPath(script), fragment);
    }
};

QTEST_GUILESS_MAIN(TestAccessible)
#include "tst_accessible.moc"
