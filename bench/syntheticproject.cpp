#include "syntheticproject.h"

#include "options/controls.h"
#include "options/options.h"
#include "tree/nodes.h"

#include <QStringList>
#include <array>
#include <vector>

namespace qwk {

namespace {

// A small generator of our own (splitmix64), so that one variant gives the same
// project with every compiler and standard library.
class Random {
public:
    explicit Random(quint64 variant) : m_state(variant) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // True with the given chance in percent (fractions allowed).
    bool chance(double percent) { return double(next() % 1000000) < percent * 10000.0; }
    template <typename T, size_t N>
    const T &pick(const std::array<T, N> &a) { return a[size_t(below(int(N)))]; }

private:
    quint64 m_state;
};

const std::array<const char16_t *, 64> kWords = {
    u"products",  u"services",   u"about",      u"support",    u"downloads",  u"news",
    u"contact",   u"careers",    u"investors",  u"documentation", u"widgets", u"gadgets",
    u"pricing",   u"partners",   u"events",     u"press",      u"releases",   u"archive",
    u"customers", u"stories",    u"security",   u"privacy",    u"terms",      u"shop",
    u"catalogue", u"spare",      u"parts",      u"accessories", u"garden",    u"kitchen",
    u"office",    u"outdoor",    u"lighting",   u"storage",    u"tools",      u"training",
    u"courses",   u"webinars",   u"handbook",   u"manuals",    u"drivers",    u"firmware",
    u"community", u"forum",      u"blog",       u"team",       u"history",    u"locations",
    u"europe",    u"asia",       u"americas",   u"returns",    u"shipping",   u"warranty",
    u"faq",       u"glossary",   u"sitemap",    u"overview",   u"annual",     u"report",
    u"2024",      u"2025",       u"new",        u"classic",
};

// Names as authors outside English write them: most fit Windows-1252, a few
// do not (so such projects are stored as UTF-8).
const std::array<const char16_t *, 20> kForeignNames = {
    u"Über uns",          u"Café & Bistro",      u"Straße und Verkehr", u"Préférences",
    u"Año nuevo",         u"Führungsteam",       u"Société générale",  u"Øresund-broen",
    u"Crème brûlée",      u"Nächste Schritte",   u"Ελληνικά",           u"Русский каталог",
    u"日本語のページ",     u"Čeština a Slovenčina", u"Łódź i okolice",    u"Zürich – Genève",
    u"Kundenzufriedenheit", u"Ürünler",          u"Şirket",             u"中文网站",
};

const std::array<const char16_t *, 6> kPositions = {u".00", u".50le", u".25", u"le", u".75to", u".10"};

QString capitalised(QString w)
{
    if (!w.isEmpty())
        w[0] = w[0].toUpper();
    return w;
}

QString makeName(Random &rnd)
{
    QString name;
    if (rnd.chance(6)) {
        name = QString::fromUtf16(rnd.pick(kForeignNames));
    } else {
        // Mostly one to three words; now and then a long title.
        const int words = rnd.chance(2) ? rnd.between(8, 14) : rnd.between(1, 3);
        for (int i = 0; i < words; ++i) {
            if (i)
                name += rnd.chance(10) ? QStringLiteral(" & ") : QStringLiteral(" ");
            const QString w = QString::fromUtf16(rnd.pick(kWords));
            name += i == 0 || rnd.chance(30) ? capitalised(w) : w;
        }
    }
    // A name ending in "*" and two digits picks a style class suffix.
    if (rnd.chance(3))
        name += QStringLiteral("*%1").arg(rnd.between(1, 12), 2, 10, QLatin1Char('0'));
    return name;
}

QString slug(Random &rnd)
{
    QString s = QString::fromUtf16(rnd.pick(kWords));
    if (rnd.chance(50))
        s += u'-' + QString::fromUtf16(rnd.pick(kWords));
    return s;
}

QString makeAddress(Random &rnd)
{
    const int kind = rnd.below(100);
    if (kind < 2)
        return QStringLiteral("mailto:") + slug(rnd) + QStringLiteral("@example.com");
    QString path;
    const int parts = rnd.between(1, 4);
    for (int i = 0; i < parts; ++i)
        path += u'/' + slug(rnd);
    if (kind < 18)
        return QStringLiteral("https://www.example.com") + path + QStringLiteral(".html");
    if (kind < 30)
        return path + QStringLiteral(".aspx?id=%1&lang=en").arg(rnd.between(1, 99999));
    return path.mid(1) + (rnd.chance(70) ? QStringLiteral(".html") : QStringLiteral(".htm"));
}

QString diskPath(Random &rnd)
{
    QString p = QStringLiteral("C:\\web\\site");
    const int parts = rnd.between(1, 3);
    for (int i = 0; i < parts; ++i)
        p += u'\\' + slug(rnd);
    return p;
}

void decoratePage(Random &rnd, clsPage &page, bool topLevel, SyntheticKinds kinds)
{
    page.setName(makeName(rnd));
    int kind = rnd.below(1000);
    // Inserted files, disk folders and portal tabs need files or a server
    // the benchmark does not have: such pages become ordinary links.
    if (kinds == SyntheticKinds::Runnable && kind >= 80 && kind < 105)
        kind = 1000;
    if (kind < 30) {
        // A script link: the link runs a canned sample.
        page.setValue(u"lnkOptTypePageJS", true);
        const auto samples = javaScriptSamples();
        page.setValue(u"lnkJS", samples[size_t(rnd.below(int(samples.size())))].code);
    } else if (kind < 60) {
        page.setValue(u"lnkOptURLNone", true);
    } else if (kind < 80) {
        page.setValue(u"lnkOptURLPageMyWeb", true);
        page.setValue(u"lnkFilMyWebPage", diskPath(rnd) + QStringLiteral(".htm"));
    } else if (kind < 90) {
        page.setValue(u"lnkOptURLNoneInsertFile", true);
        page.setValue(u"lnkFilPageName", diskPath(rnd) + QStringLiteral(".inc.htm"));
    } else if (kind < 100) {
        // A page that stands for a folder of the web site on disk.
        page.setValue(u"lnkOptURLNone", true);
        page.setValue(u"lnkOptURLHarddisk", true);
        page.setValue(u"lnkHarddiskDirPage", diskPath(rnd));
        if (rnd.chance(40))
            page.setValue(u"lnkHarddiskOptionsPage", QStringLiteral("r||str||sub||ext||asp||"));
        if (rnd.chance(30))
            page.setValue(u"lnkHarddiskIncludePage", QStringLiteral(".htm||.html||.pdf||"));
        if (rnd.chance(30))
            page.setValue(u"lnkHarddiskExcludePage", QStringLiteral("_||old||"));
    } else if (kind < 105) {
        page.setValue(u"lnkOptURLNone", true);
        page.setValue(u"lnkOptURLDNN", true);
        page.setValue(u"lnkDNNTabID", QString::number(rnd.between(30, 900)));
    } else {
        page.setValue(u"lnkURL", makeAddress(rnd));
    }
    if (rnd.chance(5))
        page.setValue(u"lnkChkNewWindow", 1);
    if (rnd.chance(2))
        page.setValue(u"lnkChkNoPageImage", 1);
    if (topLevel && rnd.chance(10))
        page.setValue(u"lnkMenuPosition", QString::fromUtf16(rnd.pick(kPositions)));
}

void decorateFolder(Random &rnd, clsFolder &folder, bool topLevel)
{
    folder.setName(makeName(rnd));
    if (rnd.chance(3)) {
        folder.setValue(u"lnkOptTypeFolderJS", true);
        folder.setValue(u"lnkJS", QStringLiteral("qOPEN('%1')").arg(folder.name()));
    } else if (rnd.chance(25)) {
        folder.setValue(u"lnkURL", makeAddress(rnd));
    }
    if (rnd.chance(5)) {
        folder.setValue(u"lnkChkSubColValue", 1);
        folder.setValue(u"lnkSubColWidth", QStringLiteral("%1px").arg(rnd.between(12, 30) * 10));
    }
    if (topLevel && rnd.chance(10))
        folder.setValue(u"lnkMenuPosition", QString::fromUtf16(rnd.pick(kPositions)));
}

void setProjectOptions(Random &rnd, clsOptions &options)
{
    options.setControlValue(u"prjFilWebRoot", QStringLiteral("C:\\web\\site"));
    options.setControlValue(u"prjFilJS", QStringLiteral("C:\\web\\site\\menu\\qmenu.js"));
    options.setControlValue(u"prjFilCSS", QStringLiteral("C:\\web\\site\\menu\\qmenu.css"));
    options.setControlValue(u"prjLocalURL", QStringLiteral("http://localhost/site/"));
    options.setControlValue(u"prjChkTreeMenus", rnd.chance(50) ? 1 : 0);
    options.setControlValue(u"prjChkMOMO", 1);
    options.setControlValue(u"prjCNMainFolderLine", QStringLiteral("qMainLine"));
}

struct OpenFolder {
    clsFolder *folder;
    int depth;    // level of its children; the main menu is 1
    int capacity; // children it is meant to get
};

} // namespace

SyntheticStats buildSyntheticProject(int nodeCount, quint64 variant, clsOptions &options, clsFolder &root,
                                     SyntheticKinds kinds)
{
    Random rnd(variant);
    SyntheticStats stats;
    setProjectOptions(rnd, options);
    const QString headerTemplate = dnnHeaderTemplate(options.mainFolderLineClass());

    // Children go to a folder picked at random among those that still have
    // room, so the tree grows broad and deep at once, like a real site.
    std::vector<OpenFolder> open{{&root, 1, rnd.between(7, 12) + (nodeCount >= 10000 ? 6 : 0)}};
    std::vector<OpenFolder> all = open;
    bool lastTopWasColumn = true; // no column first in the main menu

    while (stats.nodes() < nodeCount) {
        if (open.empty()) {
            // Every folder got what it was meant to hold: give one more room.
            OpenFolder f = all[size_t(rnd.below(int(all.size())))];
            f.capacity = rnd.between(3, 20);
            open.push_back(f);
        }
        const size_t pick = size_t(rnd.below(int(open.size())));
        OpenFolder &target = open[pick];
        clsNodes &nodes = target.folder->nodes();
        const int depth = target.depth;
        const int at = nodes.count(); // before the end-of-folder marker
        if (depth == 1 && !lastTopWasColumn && rnd.chance(15)) {
            clsColumn *col = nodes.addColumn(at);
            col->setWidth(QStringLiteral("%1px").arg(rnd.between(12, 22) * 10));
            col->setChkColValue(rnd.chance(50) ? 1 : 0);
            ++stats.columns;
            lastTopWasColumn = true;
        } else if (depth <= kSyntheticMaxDepth && rnd.chance(depth == 1 ? 70 : 16)) {
            clsFolder *folder = nodes.addFolder(at);
            decorateFolder(rnd, *folder, depth == 1);
            ++stats.folders;
            stats.maxDepth = std::max(stats.maxDepth, depth);
            const OpenFolder child{folder, depth + 1, rnd.between(3, 20)};
            open.push_back(child);
            all.push_back(child);
            if (depth == 1)
                lastTopWasColumn = false;
        } else {
            decoratePage(rnd, *nodes.addPage(at, headerTemplate), depth == 1, kinds);
            ++stats.pages;
            if (depth == 1)
                lastTopWasColumn = false;
        }
        // open may have grown: find the target again by position.
        if (--open[pick].capacity <= 0) {
            open[pick] = open.back();
            open.pop_back();
        }
    }
    options.setPrjChanged(false);
    return stats;
}

} // namespace qwk
