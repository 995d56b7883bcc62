// Hard disk directory expansion: which files and folders are listed, in which
// order, with which ids, texts, addresses and widths; the site map form; and
// folders that are hard to read.

#include "generator/folderexpansion.h"
#include "generator/runservices.h"
#include "generator/serialiser.h"
#include "generator/serverpath.h"
#include "options/options.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"
#include "tree/nodes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qwk;

namespace {

struct Fixture {
    test::ScriptedPrompt prompt;
    clsOptions options { &prompt, nullptr };
    ScriptNameTables tables;
    std::unique_ptr<RunServices> run;
    clsFolder root;
    QTemporaryDir dir;
    HardDiskDirectory::FolderLister lister; // the disk's own listing when empty

    Fixture()
    {
        options.loadNewPrjDefaults();
        options.setControlValue(u"prjChkTreeMenus", 1);
        options.setControlValue(u"prjChkAllMenusClosed", 1);
        options.setControlValue(u"prjFilWebRoot", dir.path());
        run = std::make_unique<RunServices>(options, prompt, tables);
    }
    // Creates files (and their folders) under the web root; "name:123" gives
    // a file of 123 bytes.
    void files(const QStringList &names)
    {
        for (const QString &n : names) {
            const QString name = n.section(u':', 0, 0);
            const int size = n.contains(u':') ? n.section(u':', 1).toInt() : 10;
            const QString path = dir.filePath(name);
            QDir().mkpath(QFileInfo(path).path());
            if (name.endsWith(u'/'))
                continue;
            test::writeBytes(path, QByteArray(size, 'x'));
        }
    }
    // A path under the web root as the walk reads it, without links.
    QString real(const QString &name) const
    {
        return QFileInfo(dir.path()).canonicalFilePath() + u'/' + name;
    }
    // The calls for the folder, expanded into a level with the given id.
    QStringList expand(const QString &options, const QString &include = QStringLiteral(".htm||.html||"),
        const QString &exclude = {}, const QString &levelId = QStringLiteral("e1d3d0"), int *links = nullptr,
        MenuSerialiser::LevelState *state = nullptr)
    {
        run->readOptionFlags();
        HardDiskDirectory h(*run);
        if (lister)
            h.setFolderLister(lister);
        MenuSerialiser::LevelState level;
        level.id = levelId;
        level.lengths = QStringLiteral("2");
        if (state)
            level = *state;
        QString out;
        int n = 0;
        h.hardDiskDirectory(out, QStringLiteral("/docs/"), options, include, exclude, level, n);
        if (links)
            *links = n;
        if (state)
            *state = level;
        return out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    QStringList siteMap(const QString &options, const QString &secn = QStringLiteral("e1d3"), int indent = 1)
    {
        run->readOptionFlags();
        HardDiskDirectory h(*run);
        SiteMapLines lines;
        lines.folder = [](QString &out, const QString &text, int indent, bool main) {
            out += QStringLiteral("F%1%2 %3\n")
                       .arg(QString::number(indent), main ? QStringLiteral("M") : QStringLiteral("S"), text);
        };
        lines.link = [](QString &out, const QString &address, const QString &text, int indent) {
            out += QStringLiteral("L%1 %2 %3\n").arg(indent).arg(address, text);
        };
        QString out;
        int n = 0;
        h.harddiskDirectorySitemap(
            out, QStringLiteral("/docs/"), options, QStringLiteral(".htm||"), {}, secn, indent, lines, n);
        return out.split(u'\n', Qt::SkipEmptyParts);
    }
};

const QString lk(const QString &id, const QString &text, const QString &address, const QString &flags = {},
    const QString &width = {})
{
    return QStringLiteral("qLK(\"%1\",\"%2\",\"%3\",\"%4\",\"%5\");").arg(id, flags, text, address, width);
}

} // namespace

class TestFolderExpansion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsPagesSortedByName()
    {
        Fixture f;
        f.files({ "docs/b.htm", "docs/A.html", "docs/a_note.htm", "docs/a.htm", "docs/notes.txt",
            "docs/sub/c.htm" });
        int links = 0;
        const QStringList calls = f.expand(QStringLiteral("r||ext||"), QStringLiteral(".htm||.html||"), {},
            QStringLiteral("e1d3d0"), &links);
        QCOMPARE(calls,
            (QStringList { lk("e1d3d1", "a.htm", "/docs/a.htm"), lk("e1d3d2", "A.html", "/docs/A.html"),
                lk("e1d3d3", "a_note.htm", "/docs/a_note.htm"), lk("e1d3d4", "b.htm", "/docs/b.htm") }));
        QCOMPARE(links, 4);
    }

    void includeAndExcludeLists_data()
    {
        QTest::addColumn<QString>("include");
        QTest::addColumn<QString>("exclude");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("empty include list") << QString() << QString() << QStringList {};
        QTest::newRow("ends with, case ignored")
            << QStringLiteral("HTM||") << QString() << QStringList { "inside", "_draft", "page", "Sub" };
        QTest::newRow("underscore excludes")
            << QStringLiteral(".htm||") << QStringLiteral("_||") << QStringList { "page", "Sub" };
        QTest::newRow("begins with, case ignored")
            << QStringLiteral(".htm||") << QStringLiteral("PA||_||") << QStringList { "Sub" };
    }
    void includeAndExcludeLists()
    {
        QFETCH(QString, include);
        QFETCH(QString, exclude);
        QFETCH(QStringList, texts);
        Fixture f;
        f.files(
            { "docs/page.htm", "docs/_draft.htm", "docs/Sub.HTM", "docs/_private/inside.htm", "docs/x.css" });
        QStringList got;
        for (const QString &call : f.expand(QStringLiteral("r||sub||"), include, exclude))
            got << call.section(u'"', 5, 5);
        QCOMPARE(got, texts);
    }

    void emptySubFolderLeavesNoTrace()
    {
        Fixture f;
        f.files({ "docs/full/f.htm", "docs/z.htm" });
        const QStringList without = f.expand(QStringLiteral("r||sub||str||"));
        f.files({ "docs/aaa/notes.txt", "docs/aaa/deeper/also.txt", "docs/m/", "docs/m/n/" });
        const QStringList with = f.expand(QStringLiteral("r||sub||str||"));
        QCOMPARE(with, without);
        QCOMPARE(with,
            (QStringList { "qSF(\"e1d3d1\",\"\",\"full\",\"\",\"\");",
                lk("e1d3d1d1", "f", "/docs/full/f.htm"), "qDE();", lk("e1d3d2", "z", "/docs/z.htm") }));
    }

    void subFoldersWithoutStructureJoinTheLevel()
    {
        Fixture f;
        f.files({ "docs/one/a.htm", "docs/two/b.htm", "docs/two/deep/c.htm", "docs/top.htm" });
        const QStringList calls = f.expand(QStringLiteral("r||sub||"));
        // Sub-folders are walked first; their pages take the next ids of this level.
        QCOMPARE(calls,
            (QStringList { lk("e1d3d1", "a", "/docs/one/a.htm"), lk("e1d3d2", "c", "/docs/two/deep/c.htm"),
                lk("e1d3d3", "b", "/docs/two/b.htm"), lk("e1d3d4", "top", "/docs/top.htm") }));
    }

    void linkTexts_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address");
        QTest::newRow("extension cut") << "r||"
                                       << "my.page.htm"
                                       << "my.page"
                                       << "/docs/my.page.htm";
        QTest::newRow("dash") << "r||dash||"
                              << "my_page.htm"
                              << "my page"
                              << "/docs/my_page.htm";
        QTest::newRow("size") << "r||size||"
                              << "s.htm:1500"
                              << "s, 3K"
                              << "/docs/s.htm";
        QTest::newRow("empty file") << "r||size||ext||"
                                    << "e.htm:0"
                                    << "e.htm, 0K"
                                    << "/docs/e.htm";
        QTest::newRow("quote, markup, blank") << "r||"
                                              << "say \"hi\" & <b>.htm"
                                              << "say 'hi' &amp; &lt;b&gt;"
                                              << "/docs/say%20%22hi%22%20%26%20%3Cb%3E.htm";
        QTest::newRow("letters kept") << "r||"
                                      << "Übersicht #1.htm"
                                      << "Übersicht #1"
                                      << "/docs/Übersicht%20%231.htm";
        QTest::newRow("backslash in a name") << "r||"
                                             << "a\\b.htm"
                                             << "a\\\\b"
                                             << "/docs/a%5Cb.htm";
    }
    void linkTexts()
    {
        QFETCH(QString, options);
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QString, address);
        Fixture f;
        f.files({ "docs/" + file });
        const QStringList calls = f.expand(options);
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0], lk("e1d3d1", text, address));
    }

    // Sub-folders are read by their disk path; only the address written is escaped.
    void subFolderNamesThatAddressesEscape_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address");
        QTest::newRow("blank") << "annual reports"
                               << "annual reports"
                               << "annual%20reports";
        QTest::newRow("percent") << "100%"
                                 << "100%"
                                 << "100%25";
        QTest::newRow("hash and question mark") << "a#b?c"
                                                << "a#b?c"
                                                << "a%23b%3Fc";
        QTest::newRow("quotes") << "say \"hi\" it's"
                                << "say 'hi' it's"
                                << "say%20%22hi%22%20it%27s";
        QTest::newRow("markup") << "<b>&amp"
                                << "&lt;b&gt;&amp;amp"
                                << "%3Cb%3E%26amp";
        QTest::newRow("backslash") << "a\\b"
                                   << "a\\\\b"
                                   << "a%5Cb";
    }
    void subFolderNamesThatAddressesEscape()
    {
        QFETCH(QString, folder);
        QFETCH(QString, text);
        QFETCH(QString, address);
        Fixture f;
        f.files({ "docs/" + folder + "/in.htm", "docs/" + folder + "/deeper/down.htm" });
        QCOMPARE(f.expand(QStringLiteral("r||sub||str||")),
            (QStringList { "qSF(\"e1d3d1\",\"\",\"" + text + "\",\"\",\"\");",
                "qSF(\"e1d3d1d1\",\"\",\"deeper\",\"\",\"\");",
                lk("e1d3d1d1d1", "down", "/docs/" + address + "/deeper/down.htm"), "qDE();",
                lk("e1d3d1d2", "in", "/docs/" + address + "/in.htm"), "qDE();" }));
        QVERIFY(f.run->logEntries().isEmpty());
    }

    void dateAndTimeFollowTheLocale()
    {
        Fixture f;
        f.files({ "docs/d.htm" });
        const QDateTime changed = QFileInfo(f.dir.filePath("docs/d.htm")).lastModified();
        const QLocale l = QLocale::system();
        const QStringList calls = f.expand(QStringLiteral("r||date||time||"));
        QCOMPARE(calls.value(0).section(u'"', 5, 5),
            "d, " + l.toString(changed.date(), QLocale::ShortFormat) + ", "
                + l.toString(changed.time(), QLocale::ShortFormat));
    }

    void sizeRoundsHalfToEven_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("k");
        QTest::newRow("empty") << qint64(0) << "0";
        QTest::newRow("100") << qint64(100) << "1";
        QTest::newRow("499") << qint64(499) << "1";
        QTest::newRow("500 to even 0") << qint64(500) << "1";
        QTest::newRow("501") << qint64(501) << "2";
        QTest::newRow("1500 to even 2") << qint64(1500) << "3";
        QTest::newRow("2500 to even 2") << qint64(2500) << "3";
        QTest::newRow("2501") << qint64(2501) << "4";
    }
    void sizeRoundsHalfToEven()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, k);
        QCOMPARE(HardDiskDirectory::sizeText(bytes), k);
    }

    void flagsAndTopLevel()
    {
        Fixture f;
        f.files({ "docs/a.htm", "docs/s/b.htm" });
        // At the top level a page is a main item that is itself a link.
        QCOMPARE(
            f.expand(QStringLiteral("e||sub||str||"), QStringLiteral(".htm||"), {}, QStringLiteral("e1d0")),
            (QStringList { "qMF(\"e1d1\",\"\",\"s\",\"\",\"\");", lk("e1d1d1", "b", "/docs/s/b.htm", "e"),
                "qDE();", "qMF(\"e1d2\",\"enf\",\"a\",\"/docs/a.htm\",\"\");", "qDE();" }));
        f.options.setControlValue(u"prjChkAllMenusOpen", 1);
        QCOMPARE(
            f.expand(QStringLiteral("i||sub||str||"), QStringLiteral(".htm||"), {}, QStringLiteral("e1d0"))
                .value(0),
            "qMF(\"e1d1\",\"mfo\",\"s\",\"\",\"\");");
        QCOMPARE(
            f.expand(QStringLiteral("i||sub||str||")).value(0), "qSF(\"e1d3d1\",\"sfo\",\"s\",\"\",\"\");");
        f.options.setControlValue(u"prjChkAllMenusOpen", 0);
        f.options.setControlValue(u"prjChkMainMenusOpen", 1);
        QCOMPARE(
            f.expand(QStringLiteral("i||sub||str||"), QStringLiteral(".htm||"), {}, QStringLiteral("e1d0"))
                .value(0),
            "qMF(\"e1d1\",\"mfo\",\"s\",\"\",\"\");");
        QCOMPARE(f.expand(QStringLiteral("i||sub||str||")).value(0), "qSF(\"e1d3d1\",\"\",\"s\",\"\",\"\");");
    }

    void dropDownColumnsDownward()
    {
        Fixture f;
        f.options.setControlValue(u"prjChkTreeMenus", 0);
        f.options.setControlValue(u"prjChkMainMenusDownward", 1);
        f.files({ "docs/a.htm", "docs/b.htm", "docs/s/c.htm" });
        MenuSerialiser::LevelState level;
        level.id = QStringLiteral("e1d2"); // the level already holds two entries
        level.lengths = QStringLiteral("2");
        const QStringList calls
            = f.expand(QStringLiteral("r||sub||str||"), QStringLiteral(".htm||"), {}, {}, nullptr, &level);
        QCOMPARE(calls,
            (QStringList { "qCOL();", "qMF(\"e2d1\",\"dd.00\",\"s\",\"\",\"\");",
                lk("e2d1d1", "c", "/docs/s/c.htm", "dd"), "qDE();", "qCOL();",
                "qMF(\"e3d1\",\"ddnf\",\"a\",\"/docs/a.htm\",\"\");", "qDE();", "qCOL();",
                "qMF(\"e4d1\",\"ddnf\",\"b\",\"/docs/b.htm\",\"\");", "qDE();" }));
        QCOMPARE(level.id, QStringLiteral("e4d1"));
        // A listed folder is not marked open in drop-down menus (the tree's
        // own folders are).
        f.options.setControlValue(u"prjChkAllMenusOpen", 1);
        QCOMPARE(f.expand(QStringLiteral("r||sub||str||"), QStringLiteral(".htm||"), {}, QStringLiteral("e1d0"))
                     .value(0),
            "qMF(\"e1d1\",\"dd.00\",\"s\",\"\",\"\");");
    }

    void automaticWidths()
    {
        Fixture f;
        f.options.setControlValue(u"prjAutomaticWidth", 1);
        f.files({ "docs/sub/a_fairly_long_name.htm", "docs/sub/x.htm", "docs/top.htm" });
        MenuSerialiser::LevelState level;
        level.id = QStringLiteral("e1d3d0");
        level.width = level.placeholder = QStringLiteral("[$e1d3d0$]");
        level.lengths = QStringLiteral("2");
        const QStringList calls
            = f.expand(QStringLiteral("r||sub||str||"), QStringLiteral(".htm||"), {}, {}, nullptr, &level);
        // The sub-menu's placeholder is replaced in all of its text: 18 characters give 130px.
        QCOMPARE(calls.value(1),
            lk("e1d3d1d1", "a_fairly_long_name", "/docs/sub/a_fairly_long_name.htm", {}, "130px"));
        QCOMPARE(calls.value(2), lk("e1d3d1d2", "x", "/docs/sub/x.htm", {}, "130px"));
        // The entries of the level itself keep its placeholder, as the writers
        // mark it; their names widen the level.
        QCOMPARE(calls.value(0), "qSF(\"e1d3d1\",\"\",\"sub\",\"\",\"" + markedWidth(u"[$e1d3d0$]") + "\");");
        QCOMPARE(calls.value(4), lk("e1d3d2", "top", "/docs/top.htm", {}, markedWidth(u"[$e1d3d0$]")));
        QCOMPARE(level.lengths, QStringLiteral("3"));
    }

    void automaticWidthsOfNestedSubMenus()
    {
        // A chain of sub-menus, each with a page of its own length: every
        // sub-menu gets the width of its own longest name (40px and 5px a
        // character, at least two), whatever is nested in it.
        Fixture f;
        f.options.setControlValue(u"prjAutomaticWidth", 1);
        f.files({ "docs/c/ten_chars_.htm", "docs/c/c/four.htm", "docs/c/c/c/sixteen_chars___.htm",
            "docs/c/c/c/c/x.htm" });
        MenuSerialiser::LevelState level;
        level.id = QStringLiteral("e1d3d0");
        level.width = level.placeholder = QStringLiteral("[$e1d3d0$]");
        level.lengths = QStringLiteral("2");
        const auto sf = [](const QString &id, const QString &width) {
            return QStringLiteral("qSF(\"%1\",\"\",\"c\",\"\",\"%2\");").arg(id, width);
        };
        QCOMPARE(f.expand(QStringLiteral("r||sub||str||"), QStringLiteral(".htm||"), {}, {}, nullptr, &level),
            (QStringList { sf("e1d3d1", markedWidth(u"[$e1d3d0$]")), sf("e1d3d1d1", "90px"),
                sf("e1d3d1d1d1", "60px"), sf("e1d3d1d1d1d1", "120px"),
                lk("e1d3d1d1d1d1d1", "x", "/docs/c/c/c/c/x.htm", {}, "50px"), "qDE();",
                lk("e1d3d1d1d1d2", "sixteen_chars___", "/docs/c/c/c/sixteen_chars___.htm", {}, "120px"),
                "qDE();", lk("e1d3d1d1d2", "four", "/docs/c/c/four.htm", {}, "60px"), "qDE();",
                lk("e1d3d1d2", "ten_chars_", "/docs/c/ten_chars_.htm", {}, "90px"), "qDE();" }));
    }

    void symbolicLinks()
    {
        Fixture f;
        QTemporaryDir outside;
        test::writeBytes(outside.filePath("secret.htm"), "x");
        f.files({ "docs/a/page.htm", "docs/b/more.htm", "docs/top.htm" });
        const auto link = [&](const QString &target, const QString &name) {
            QVERIFY(QFile::link(target, f.dir.filePath(name)));
        };
        link(f.dir.filePath("docs"), "docs/a/back"); // a loop
        link(f.dir.filePath("docs/b"), "docs/a/b2"); // a second way to a folder
        link(outside.path(), "docs/a/out");
        link(outside.filePath("secret.htm"), "docs/a/secret.htm");
        link(f.dir.filePath("docs/top.htm"), "docs/a/top.htm"); // a page of the web: listed
        QCOMPARE(f.expand(QStringLiteral("r||sub||")),
            (QStringList { lk("e1d3d1", "more", "/docs/a/b2/more.htm"),
                lk("e1d3d2", "page", "/docs/a/page.htm"), lk("e1d3d3", "top", "/docs/a/top.htm"),
                lk("e1d3d4", "top", "/docs/top.htm") }));
        const QString a = f.real("docs/a/");
        QCOMPARE(f.run->logEntries(),
            (QStringList { "Skipped link outside the web: " + a + "secret.htm",
                "Skipped folder already listed: " + a + "back", "Skipped link outside the web: " + a + "out",
                "Skipped folder already listed: " + f.real("docs/b") }));

        // The listed folder itself may not lead out of the web either.
        Fixture g;
        QVERIFY(QFile::link(outside.path(), g.dir.filePath("docs")));
        try {
            g.expand(QStringLiteral("r||"));
            QFAIL("a listed folder outside the web must end the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(),
                "Cannot list the folder: " + g.dir.filePath("docs/")
                    + "\nIts real path lies outside the web root.");
        }
    }

    // Two links per level to the next level: every path through them leads to
    // the same few folders, each listed once.
    void linkChainsAreListedOnce()
    {
        Fixture f;
        const int depth = 10;
        QStringList expected;
        for (int i = depth; i >= 0; --i) {
            const QString level = "docs/l" + QString::number(i);
            f.files({ level + "/p" + QString::number(i) + ".htm" });
            if (i < depth) {
                const QString next = f.dir.filePath("docs/l" + QString::number(i + 1));
                QVERIFY(QFile::link(next, f.dir.filePath(level + "/x")));
                QVERIFY(QFile::link(next, f.dir.filePath(level + "/y")));
            }
        }
        QString address = "/docs/";
        for (int i = 0; i <= depth; ++i) {
            address += i == 0 ? "l0/" : "x/";
            expected.prepend("p" + QString::number(i));
        }
        int links = 0;
        const QStringList calls = f.expand(
            QStringLiteral("r||sub||"), QStringLiteral(".htm||"), {}, QStringLiteral("e1d3d0"), &links);
        QCOMPARE(links, depth + 1);
        QCOMPARE(calls.first(),
            lk("e1d3d1", "p" + QString::number(depth), address + "p" + QString::number(depth) + ".htm"));
        QStringList texts;
        for (const QString &call : calls)
            texts << call.section(u'"', 5, 5);
        QCOMPARE(texts, expected);
        // One "already listed" line per level: its "y" link, or for "l1".."l14" their real folders.
        QCOMPARE(f.run->logEntries().filter(u"Skipped folder already listed: ").size(), 2 * depth);
    }

    // A sub-folder that cannot be read is left out with a warning; the listed
    // folder itself still ends the run.
    void foldersThatCannotBeRead_data()
    {
        QTest::addColumn<bool>("byPermissions");
        QTest::newRow("listing fails") << false;
        QTest::newRow("no permission") << true;
    }
    void foldersThatCannotBeRead()
    {
        QFETCH(bool, byPermissions);
        Fixture f;
        try {
            f.expand(QStringLiteral("r||"));
            QFAIL("a missing folder must end the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(),
                "Cannot list the folder: " + f.dir.filePath("docs/") + "\nThe folder does not exist.");
        }
        f.files({ "docs/a.htm", "docs/locked/b.htm", "docs/open/c.htm" });
        const QString locked = f.real("docs/locked");
        QString failing = locked; // the folder the lister below cannot read
        f.lister = [&](const QString &path) {
            if (QDir::cleanPath(path) != failing)
                return HardDiskDirectory::listFolder(path);
            return HardDiskDirectory::FolderListing { {}, QStringLiteral("Permission denied.") };
        };
        if (byPermissions) {
            f.lister = {};
            QFile::setPermissions(locked, QFileDevice::WriteOwner);
            if (QFileInfo(locked).isReadable())
                QSKIP("permissions do not stop this user (root) from reading a folder; the other row covers "
                      "it");
        }
        const QStringList calls = f.expand(QStringLiteral("r||sub||"));
        QFile::setPermissions(
            locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(
            calls, (QStringList { lk("e1d3d1", "c", "/docs/open/c.htm"), lk("e1d3d2", "a", "/docs/a.htm") }));
        QCOMPARE(f.run->logEntries(),
            QStringList {
                "Warning: Skipped folder that cannot be read: " + locked + " (Permission denied)" });
        if (byPermissions)
            return;
        failing = QDir::cleanPath(f.dir.filePath("docs"));
        try {
            f.expand(QStringLiteral("r||sub||"));
            QFAIL("an unreadable listed folder must end the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(),
                "Cannot list the folder: " + f.dir.filePath("docs/") + "\nPermission denied.");
        }
    }

    void siteMapForm()
    {
        Fixture f;
        f.files({ "docs/a_b.htm", "docs/s/c.htm", "docs/s/t/d.htm", "docs/empty/" });
        QCOMPARE(f.siteMap(QStringLiteral("r||sub||str||dash||"), QStringLiteral("e1d3"), 0),
            (QStringList {
                "F0M s", "F1S t", "L2 /docs/s/t/d.htm d", "L1 /docs/s/c.htm c", "L0 /docs/a_b.htm a b" }));
        QCOMPARE(f.siteMap(QStringLiteral("r||sub||"), QStringLiteral("e1d3d4"), 2),
            (QStringList { "L2 /docs/s/t/d.htm d", "L2 /docs/s/c.htm c", "L2 /docs/a_b.htm a_b" }));
    }

    void serialiserHook()
    {
        Fixture f;
        f.files({ "docs/a.htm", "docs/b.htm" });
        HardDiskDirectory h(*f.run);
        clsPage *before = f.root.nodes().addPage(1);
        before->setName(QStringLiteral("Home"));
        before->setValue(u"lnkURL", QStringLiteral("/index.html"));
        clsPage *p = f.root.nodes().addPage(2);
        p->setName(QStringLiteral("Docs"));
        p->setValue(u"lnkOptAdvanced", true);
        p->setValue(u"lnkOptURLHarddisk", true);
        p->setValue(
            u"lnkHarddiskDirPage", QStringLiteral("/docs")); // a site address is taken under the web root
        p->setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||"));
        f.run->readOptionFlags();
        const auto serialise = [&] {
            MenuSerialiser s(*f.run);
            s.setFolderExpansion([&](QString &out, const clsPage &page, MenuSerialiser::LevelState &level) {
                h.expandIntoMenu(out, page, level);
            });
            QString out;
            QString id = QStringLiteral("e1d0");
            s.serialiseNodes(out, f.root.nodes(), id, {});
            return out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        };
        QCOMPARE(serialise().mid(2),
            (QStringList { "qMF(\"e1d2\",\"nf\",\"a\",\"/docs/a.htm\",\"\");", "qDE();",
                "qMF(\"e1d3\",\"nf\",\"b\",\"/docs/b.htm\",\"\");", "qDE();" }));
        QCOMPARE(f.run->logEntries(),
            (QStringList { "Inserting in tree menu the contents of the folder: /docs\n  See page: \"Docs\"",
                "Total number of links added: 2." }));

        QTemporaryDir elsewhere;
        p->setValue(u"lnkHarddiskDirPage", elsewhere.path());
        try {
            serialise();
            QFAIL("a folder outside the web must end the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(),
                "You can't insert a directory that is not in your web.\nSee: page: \"Docs\"");
        }
        p->setValue(u"lnkHarddiskDirPage", QStringLiteral("  "));
        try {
            h.folderAddress(*p);
            QFAIL("no folder must end the run");
        } catch (const RunAborted &e) {
            QCOMPARE(e.description(),
                "Insert directory choosen, but no directory specified.\nSee: page: \"Docs\"");
        }
    }

    // Paths are cleaned before they are compared with the web root.
    void webRootComparison_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("address");
        const QString here = QDir::currentPath();
        QTest::newRow("plain") << "/srv/web"
                               << "/srv/web/docs/"
                               << "/docs/";
        QTest::newRow(".. climbs out") << "/srv/web"
                                       << "/srv/web/docs/../../../etc/"
                                       << "";
        QTest::newRow(".. past the disk's root") << "/srv/web"
                                                 << "/srv/web/../../../../srv/web/a.htm"
                                                 << "/a.htm";
        QTest::newRow(".. stays inside") << "/srv/web/"
                                         << "/srv/web/docs/../img/./x.htm"
                                         << "/img/x.htm";
        QTest::newRow("back to the root") << "/srv/web"
                                          << "/srv/web/docs/../"
                                          << "/";
        QTest::newRow("doubled separators") << "/srv/web//"
                                            << "/srv//web///docs//a.htm"
                                            << "/docs/a.htm";
        QTest::newRow("./web, relative path") << "./web"
                                              << "web/a.htm"
                                              << "/a.htm";
        QTest::newRow("relative root, absolute path") << "web" << here + "/web/menu/qmenu.js"
                                                      << "/menu/qmenu.js";
        QTest::newRow("web//, absolute path") << "web//" << here + "/web/docs/"
                                              << "/docs/";
        QTest::newRow("same prefix, other folder") << "/srv/web"
                                                   << "/srv/website/a.htm"
                                                   << "";
        QTest::newRow("whole disk as root") << "/"
                                            << "/a/b/"
                                            << "/a/b/";
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
        QTest::newRow("case of the disk path") << "/srv/Web"
                                               << "/srv/web/a.htm"
                                               << "/a.htm";
#else
        QTest::newRow("case of the disk path") << "/srv/Web"
                                               << "/srv/web/a.htm"
                                               << "";
#endif
        QTest::newRow("Windows path, case ignored") << "C:\\Site"
                                                    << "c:\\site\\Docs\\"
                                                    << "/Docs/";
        QTest::newRow("Windows path, .. climbs out") << "C:\\site"
                                                     << "C:\\site\\..\\other\\x.htm"
                                                     << "";
        QTest::newRow("Windows drive as root") << "D:\\"
                                               << "D:\\a\\..\\b.htm"
                                               << "/b.htm";
    }
    void webRootComparison()
    {
        QFETCH(QString, root);
        QFETCH(QString, path);
        QFETCH(QString, address);
        Fixture f;
        f.options.setControlValue(u"prjFilWebRoot", root);
        QCOMPARE(f.run->ra(path), address);
    }

    void folderAboveTheWebRoot()
    {
        Fixture f;
        f.files({ "docs/a.htm" });
        clsPage *p = f.root.nodes().addPage(1);
        p->setValue(u"lnkOptURLHarddisk", true);
        p->setValue(u"lnkHarddiskDirPage", QStringLiteral("/docs/../../../etc"));
        HardDiskDirectory h(*f.run);
        try {
            h.folderAddress(*p);
            QFAIL(".. must not lead out of the web");
        } catch (const RunAborted &e) {
            QVERIFY(e.description().startsWith(u"You can't insert a directory that is not in your web.\n"));
        }
        p->setValue(u"lnkHarddiskDirPage", QStringLiteral("/docs/../docs/./"));
        QCOMPARE(h.folderAddress(*p), QStringLiteral("/docs/"));
    }

    void mapPath()
    {
        Fixture f;
        clsServer server(f.options, f.prompt);
        QCOMPARE(server.mapPath(QStringLiteral("/a/b/")), f.dir.path() + "/a/b/");
        f.options.setControlValue(u"prjFilWebRoot", QStringLiteral("C:\\site\\"));
        QCOMPARE(server.mapPath(QStringLiteral("/a/b/")), QStringLiteral("C:\\site\\a\\b\\"));
        QCOMPARE(server.mapPath(QStringLiteral("a/b/")), QString());
        f.options.setControlValue(u"prjFilWebRoot", QString());
        QCOMPARE(server.mapPath(QStringLiteral("/a/")), QString());
        QCOMPARE(f.prompt.messages(),
            (QStringList { "Error: You must use a relative path",
                "Error: You must set your web root folder in options tab" }));
    }
};

QTEST_GUILESS_MAIN(TestFolderExpansion)
#include "tst_folderexpansion.moc"
