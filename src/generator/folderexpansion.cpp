#include "generator/folderexpansion.h"

#include "core/htmltext.h"
#include "generator/identifiers.h"
#include "generator/menuflags.h"
#include "generator/runservices.h"
#include "generator/servercall.h"
#include "generator/widths.h"
#include "options/options.h"
#include "tree/nodes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <dirent.h>
#endif

namespace qwk {

namespace {

// Names sorted as a person reads them: case ignored first, then case, so
// "a.htm" and "A.htm" still have a fixed order.
struct Entry {
    QString name;
    QFileInfo info;
};

bool byName(const Entry &a, const Entry &b)
{
    const QString &x = a.name;
    const QString &y = b.name;
    const int c = QString::compare(x, y, Qt::CaseInsensitive);
    if (c != 0)
        return c < 0;
    return QString::compare(x, y, Qt::CaseSensitive) < 0;
}

// The items of a "||"-ended list; empty items mean nothing.
QStringList listItems(const QString &list)
{
    QStringList items = list.split(QStringLiteral("||"), Qt::SkipEmptyParts);
    return items;
}

bool beginsWithAny(const QString &name, const QStringList &items)
{
    return std::any_of(items.begin(), items.end(),
        [&](const QString &i) { return name.startsWith(i, Qt::CaseInsensitive); });
}

bool endsWithAny(const QString &name, const QStringList &items)
{
    return std::any_of(
        items.begin(), items.end(), [&](const QString &i) { return name.endsWith(i, Qt::CaseInsensitive); });
}

// What the user reads, before it is made safe for the page (a file name is
// a name, not markup). It holds no double quote, so the page text has no
// "&quot;" either.
QString shownName(QString name, bool dash)
{
    name.replace(u'"', u'\'');
    if (dash)
        name.replace(u'_', u' ');
    return name;
}

// A site map text when the server writes the languages: the server control
// puts the current language's entry of its ";;" list here.
QString localValue(const QString &text)
{
    return ServerCall(u"LocalValue").text(text).done();
}

// A link (or a Windows junction) may lead anywhere; any other entry lies
// where its folder does.
bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

QString childPath(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

// One folder on the walk's stack.
struct FolderFrame {
    QString address; // site address, ending in "/", escaped as it is written
    QString canonical; // its real path, without links: where it is read
    QString name; // the folder's own name, for its entry
    std::vector<Entry> dirs;
    std::vector<Entry> files;
    qsizetype nextDir = 0;
    int indent = 0;
    bool ownLevel = false; // its entries form a sub-menu of their own
    bool pending = false; // its folder entry waits for its first entry
};

struct HardDiskDirectory::Walk {
    // What the walk was asked for.
    bool siteMap = false;
    QStringList includeItems, excludeItems;
    QString address;
    int indent = 0;
    QString siteMapSecn;
    const SiteMapLines *lines = nullptr;
    // Real paths: the web root's, and every folder listed so far.
    QString webRoot;
    QSet<QString> listed;
    // What it threads through.
    QString *out = nullptr;
    int *links = nullptr;
    std::vector<MenuSerialiser::LevelState> levels;
    // The options, read once.
    bool sub = false, str = false, ext = false, size = false, date = false, time = false, dash = false;
    QString kind;
};

HardDiskDirectory::HardDiskDirectory(RunServices &run)
    : m_run(run)
    , m_server(run.projectOptions(), run.prompt())
    , m_lister(&HardDiskDirectory::listFolder)
{
}

HardDiskDirectory::FolderListing HardDiskDirectory::listFolder(const QString &path)
{
    FolderListing listing;
    const QFileInfo info(path);
    if (!info.exists()) {
        listing.error = QStringLiteral("The folder does not exist.");
        return listing;
    }
    if (!info.isDir()) {
        listing.error = QStringLiteral("It is not a folder.");
        return listing;
    }
#ifdef Q_OS_UNIX
    // QDir lists an unreadable folder as an empty one; opening it says why.
    DIR *dir = ::opendir(QFile::encodeName(path).constData());
    if (!dir) {
        listing.error = qt_error_string(errno) + u'.';
        return listing;
    }
    ::closedir(dir);
#else
    if (!info.isReadable()) {
        listing.error = QStringLiteral("Permission denied.");
        return listing;
    }
#endif
    listing.entries
        = QDir(path).entryInfoList(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    return listing;
}

QString HardDiskDirectory::sizeText(qint64 bytes)
{
    if (bytes <= 0)
        return QStringLiteral("0");
    qint64 k = bytes / 1000;
    const qint64 rest = bytes % 1000;
    if (rest > 500 || (rest == 500 && (k % 2) == 1))
        ++k;
    return QString::number(k + 1);
}

QString HardDiskDirectory::addressPart(const QString &name)
{
    // Characters that would end the address early, start a query or a
    // fragment, or break the attribute or string it stands in.
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == u'%' || u == u'"' || u == u'\'' || u == u'<' || u == u'>' || u == u'#'
            || u == u'?' || u == u' ' || u == u'\\' || u == u'&' || u == 0x7f)
            out += u'%' + QString::number(u, 16).toUpper().rightJustified(2, u'0');
        else
            out += c;
    }
    return out;
}

QString HardDiskDirectory::folderAddress(const clsPage &page)
{
    const QString description = RunServices::nodeDescription(page);
    const QString folder = page.value(u"lnkHarddiskDirPage").toString();
    if (folder.trimmed().isEmpty())
        m_run.abortRun(
            QStringLiteral("Insert directory choosen, but no directory specified.\nSee: ") + description);
    // A folder may also be given as a site address ("/docs"), as page files are.
    const QString address = m_run.raFolder(m_run.defaultFile(folder));
    if (address.isEmpty())
        m_run.abortRun(
            QStringLiteral("You can't insert a directory that is not in your web.\nSee: ") + description);
    return address;
}

void HardDiskDirectory::expandIntoMenu(QString &out, const clsPage &page, MenuSerialiser::LevelState &level)
{
    const QString folder = page.value(u"lnkHarddiskDirPage").toString();
    m_run.logLine(QStringLiteral("Inserting in tree menu the contents of the folder: ") + folder
        + QStringLiteral("\n  See ") + RunServices::nodeDescription(page));
    const QString address = folderAddress(page);
    int links = 0;
    hardDiskDirectory(out, address, page.value(u"lnkHarddiskOptionsPage").toString(),
        page.value(u"lnkHarddiskIncludePage").toString(), page.value(u"lnkHarddiskExcludePage").toString(),
        level, links);
    m_run.logLine(QStringLiteral("Total number of links added: ") + QString::number(links) + u'.');
}

namespace {

void setUp(HardDiskDirectory::Walk &w, const QString &options, const QString &include, const QString &exclude)
{
    w.includeItems = listItems(include);
    w.excludeItems = listItems(exclude);
    w.sub = options.contains(u"sub||");
    w.str = options.contains(u"str||");
    w.ext = options.contains(u"ext");
    w.size = options.contains(u"size");
    w.date = options.contains(u"date");
    w.time = options.contains(u"time");
    w.dash = options.contains(u"dash||");
    if (options.startsWith(u'e'))
        w.kind = QStringLiteral("e");
    else if (options.startsWith(u'i'))
        w.kind = QStringLiteral("i");
}

} // namespace

void HardDiskDirectory::hardDiskDirectory(QString &out, const QString &relDirectory,
    const QString &txtOptions, const QString &txtInclude, const QString &txtExclude,
    MenuSerialiser::LevelState &level, int &mLinks)
{
    Walk w;
    setUp(w, txtOptions, txtInclude, txtExclude);
    w.address = relDirectory;
    w.out = &out;
    w.links = &mLinks;
    w.levels.push_back(level);
    walk(w);
    level = w.levels.front();
}

void HardDiskDirectory::harddiskDirectorySitemap(QString &out, const QString &relDirectory,
    const QString &txtOptions, const QString &txtInclude, const QString &txtExclude, const QString &secn,
    int indent, const SiteMapLines &lines, int &mLinks)
{
    Walk w;
    setUp(w, txtOptions, txtInclude, txtExclude);
    w.siteMap = true;
    w.address = relDirectory;
    w.indent = indent;
    w.siteMapSecn = secn;
    w.lines = &lines;
    w.out = &out;
    w.links = &mLinks;
    walk(w);
}

void HardDiskDirectory::walk(Walk &w)
{
    const clsOptions &options = m_run.projectOptions();
    const MenuFlags menuFlags(options);
    const bool tree = menuFlags.tree();
    const bool autoWidth = options.isChecked(u"prjAutomaticWidth");
    const bool downward = options.isChecked(u"prjChkMainMenusDownward");
    const bool serverLanguages = m_run.languagesOnServer();
    const AutomaticWidths widths(options);
    const QString mf = m_run.scriptFunction(QStringLiteral("mf"));
    const QString sf = m_run.scriptFunction(QStringLiteral("sf"));
    const QString lk = m_run.scriptFunction(QStringLiteral("lk"));
    const QString de = m_run.scriptFunction(QStringLiteral("de"));
    const QString col = m_run.scriptFunction(QStringLiteral("col"));
    const QLocale locale = QLocale::system();
    QString &out = *w.out;

    const auto levelWidthText = [&](const QString &placeholder) {
        return serverLanguages
            ? multilingualPlaceholder(placeholder)
            : placeholder;
    };
    // The text argument of a call: the shown name, escaped for the page and
    // the script string, or the server's language placeholder around it.
    const auto nameArgument = [&](const QString &shown) {
        QString html;
        appendHtmlEscaped(html, shown);
        if (serverLanguages)
            html = multilingualPlaceholder(html);
        QString arg = QStringLiteral("\"");
        appendScriptString(arg, html);
        arg += u'"';
        return arg;
    };
    const auto writeCall = [&](const QString &function, const QString &id, const QString &flags,
                               const QString &shown, const QString &address, const QString &width) {
        appendDataCall(out, function, id, flags, nameArgument(shown), address, width);
    };
    // A new column at the top level: the finished block gets its width and
    // the next block starts afresh.
    const auto startColumn = [&](MenuSerialiser::LevelState &level) {
        if (autoWidth)
            widths.resolveTail(out, level.start, level.lengths, level.placeholder);
        level.id = nextBlockId(level.id);
        if (autoWidth) {
            level.placeholder = levelWidthText(QStringLiteral("[$") + level.id + QStringLiteral("$]"));
            level.width = level.placeholder;
            level.lengths = AutomaticWidths::startLengths();
            level.start = out.size();
        }
        out += col;
        out += QStringLiteral("();\r\n");
    };
    const auto firstOfLevel
        = [](const MenuSerialiser::LevelState &level) { return level.id.endsWith(u"d0"); };

    const auto inWeb = [&](const QString &realPath) {
        return !realPath.isEmpty() && !clsServer::addressInWeb(w.webRoot, realPath).isEmpty();
    };
    // Takes the listed entries into the frame: sub-folders (on request) and
    // pages, each in reading order.
    const auto take = [&](FolderFrame &frame, const QFileInfoList &entries) {
        for (const QFileInfo &e : entries) {
            QString name = e.fileName();
            if (beginsWithAny(name, w.excludeItems))
                continue;
            if (e.isDir()) {
                if (w.sub)
                    frame.dirs.push_back({ std::move(name), e });
            } else if (endsWithAny(name, w.includeItems)) {
                if (isLink(e) && !inWeb(e.canonicalFilePath())) {
                    m_run.logLine(QStringLiteral("Skipped link outside the web: ") + e.filePath());
                    continue;
                }
                frame.files.push_back({ std::move(name), e });
            }
        }
        std::sort(frame.dirs.begin(), frame.dirs.end(), byName);
        std::sort(frame.files.begin(), frame.files.end(), byName);
    };

    std::vector<FolderFrame> frames;
    int ownLevels = 0; // sub-menus open on the stack (site map: folder depth)

    // Folder entries are written only when their first entry comes, so a
    // folder with nothing to show leaves no trace and changes no id.
    const auto flushPending = [&] {
        for (FolderFrame &f : frames) {
            if (!f.pending)
                continue;
            f.pending = false;
            const QString shown = shownName(f.name, w.dash);
            if (w.siteMap) {
                QString text;
                appendHtmlEscaped(text, shown);
                if (serverLanguages)
                    text = localValue(text);
                w.lines->folder(out, text, f.indent - 1, isMainLevel(w.siteMapSecn) && ownLevels == 0);
                ++ownLevels;
                continue;
            }
            MenuSerialiser::LevelState &level = w.levels.back();
            const bool main = isMainLevel(level.id);
            if (main && downward && !firstOfLevel(level))
                startColumn(level);
            level.id = nextSiblingId(level.id);
            if (autoWidth)
                level.lengths = widths.addNameLength(shown, level.lengths);
            // Without a position of its own; marked open (as the tree's own
            // folders are) only in tree menus.
            QString flags = menuFlags.dropDownCode({}, main);
            if (tree)
                flags += menuFlags.openMark(main);
            writeCall(main ? mf : sf, level.id, flags, shown, QString(), level.width);

            MenuSerialiser::LevelState child;
            child.id = level.id + QStringLiteral("d0");
            if (autoWidth)
                child.width = levelWidthText(QStringLiteral("[$") + child.id + QStringLiteral("$]"));
            child.placeholder = child.width;
            child.lengths = AutomaticWidths::startLengths();
            child.start = out.size();
            w.levels.push_back(child);
        }
    };

    const auto writeFile = [&](const FolderFrame &frame, const Entry &entry) {
        const QFileInfo &file = entry.info;
        QString text = entry.name;
        if (!w.ext) {
            const qsizetype dot = text.lastIndexOf(u'.');
            if (dot > 0)
                text.truncate(dot);
        }
        if (w.size)
            text += QStringLiteral(", ") + sizeText(file.size()) + u'K';
        if (w.date || w.time) {
            const QDateTime changed = file.lastModified();
            if (w.date)
                text += QStringLiteral(", ") + locale.toString(changed.date(), QLocale::ShortFormat);
            if (w.time)
                text += QStringLiteral(", ") + locale.toString(changed.time(), QLocale::ShortFormat);
        }
        const QString shown = shownName(text, w.dash);
        const QString address = frame.address + addressPart(entry.name);
        ++*w.links;
        flushPending();
        if (w.siteMap) {
            QString html;
            appendHtmlEscaped(html, shown);
            if (serverLanguages)
                html = localValue(html);
            w.lines->link(out, address, html, frame.indent);
            return;
        }
        MenuSerialiser::LevelState &level = w.levels.back();
        // Never ".00": a listed file keeps the plain drop-down code even at
        // the main level.
        QString flags = w.kind + menuFlags.dropDownCode({}, false);
        if (isMainLevel(level.id)) {
            if (!tree && downward && !firstOfLevel(level))
                startColumn(level);
            if (autoWidth)
                level.lengths = widths.addNameLength(shown, level.lengths);
            level.id = nextSiblingId(level.id);
            writeCall(mf, level.id, flags + QStringLiteral("nf"), shown, address, level.width);
            out += de;
            out += QStringLiteral("();\r\n");
        } else {
            if (autoWidth)
                level.lengths = widths.addNameLength(shown, level.lengths);
            level.id = nextSiblingId(level.id);
            writeCall(lk, level.id, flags, shown, address, level.width);
        }
    };

    // The listed folder itself must be read, and be in the web.
    FolderFrame root;
    root.indent = w.indent;
    root.address = w.address;
    // The one disk path made from an address; below it the walk goes by disk paths.
    const QString rootPath = m_server.mapPath(w.address);
    const auto cannotList = [&](const QString &reason) {
        m_run.abortRun(QStringLiteral("Cannot list the folder: ")
            + (rootPath.isEmpty() ? w.address : rootPath) + u'\n' + reason);
    };
    if (rootPath.isEmpty())
        cannotList(QStringLiteral("No web root folder is set."));
    const FolderListing rootListing = m_lister(rootPath);
    if (!rootListing.error.isEmpty())
        cannotList(rootListing.error);
    w.webRoot = QFileInfo(m_run.webRootFolder()).canonicalFilePath();
    root.canonical = QFileInfo(rootPath).canonicalFilePath();
    if (!inWeb(root.canonical))
        cannotList(QStringLiteral("Its real path lies outside the web root."));
    w.listed.insert(root.canonical);
    take(root, rootListing.entries);
    frames.push_back(std::move(root));

    while (!frames.empty()) {
        FolderFrame &frame = frames.back();
        if (frame.nextDir < qsizetype(frame.dirs.size())) {
            const Entry entry = frame.dirs[size_t(frame.nextDir++)];
            const QFileInfo &dir = entry.info;
            // Only a link needs resolving: a real folder in a folder of the
            // web is in the web, which keeps a large tree cheap.
            const bool link = isLink(dir);
            const QString canonical = link ? dir.canonicalFilePath() : childPath(frame.canonical, entry.name);
            if (link && !inWeb(canonical)) {
                m_run.logLine(QStringLiteral("Skipped link outside the web: ") + dir.filePath());
                continue;
            }
            // Also ends loops: a link back to a folder above is listed already.
            if (w.listed.contains(canonical)) {
                m_run.logLine(QStringLiteral("Skipped folder already listed: ") + dir.filePath());
                continue;
            }
            w.listed.insert(canonical);
            // Read by its real path: a path through many links would run into
            // the system's limit on links followed in one path (40 on Linux).
            const FolderListing listing = m_lister(canonical);
            if (!listing.error.isEmpty()) {
                QString reason = listing.error;
                if (reason.endsWith(u'.'))
                    reason.chop(1);
                m_run.logLine(QStringLiteral("Warning: Skipped folder that cannot be read: ") + canonical
                    + QStringLiteral(" (") + reason + u')');
                continue;
            }
            FolderFrame child;
            child.name = entry.name;
            // Without "str||" the sub-folder's entries join this level.
            child.ownLevel = w.str;
            child.pending = w.str;
            child.indent = frame.indent + (w.str ? 1 : 0);
            child.address = frame.address + addressPart(entry.name) + u'/';
            child.canonical = canonical;
            take(child, listing.entries);
            frames.push_back(std::move(child));
            continue;
        }
        for (const Entry &file : frame.files)
            writeFile(frame, file);
        const bool closeLevel = frame.ownLevel && !frame.pending;
        frames.pop_back();
        if (!closeLevel)
            continue;
        if (w.siteMap) {
            --ownLevels;
            continue;
        }
        const MenuSerialiser::LevelState finished = w.levels.back();
        w.levels.pop_back();
        // The sub-menu's width placeholder is resolved in everything written for it.
        if (autoWidth)
            widths.resolveTail(out, finished.start, finished.lengths, finished.placeholder);
        out += de;
        out += QStringLiteral("();\r\n");
    }
}

} // namespace qwk
