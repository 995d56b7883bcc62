#include "generator/folderexpansion.h"

#include "core/htmltext.h"
#include "generator/identifiers.h"
#include "generator/menuflags.h"
#include "generator/runservices.h"
#include "generator/servercall.h"
#include "generator/widths.h"
#include "options/options.h"
#include "options/sectionvalues.h"
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

// The link kind flag of listed files: "e", "i", or none for the default "r".
QString kindFlag(SectionTarget target)
{
    switch (target) {
    case SectionTarget::NewWindow:
        return QStringLiteral("e");
    case SectionTarget::SameWindow:
        return QStringLiteral("i");
    case SectionTarget::Neither:
        break;
    }
    return {};
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
    return ServerCall(u"LocalValue").userText(text).done();
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

// One expansion of a listed folder, into the menu data or into the site map.
// The folders still being listed are a stack of their own, not the call
// stack, so any depth of folders is safe.
class FolderWalk {
public:
    FolderWalk(RunServices &run, const clsServer &server, const HardDiskDirectory::FolderLister &lister,
        const QString &options, const QString &include, const QString &exclude);

    // The data calls for the folder at address; they continue level.
    void intoMenu(QString &out, const QString &address, MenuSerialiser::LevelState &level, int &links);
    // The site map lines for the folder, indented by indent levels; secn is
    // the section id of the site map level the folder stands in.
    void intoSiteMap(QString &out, const QString &address, const QString &secn, int indent,
        const SiteMapLines &lines, int &links);

private:
    void walk(const QString &address, int indent);
    // The listed folder itself must be read, and be in the web.
    FolderFrame rootFrame(const QString &address, int indent);
    bool inWeb(const QString &realPath) const;
    // Takes the listed entries into the frame: sub-folders (on request) and
    // pages, each in reading order.
    void take(FolderFrame &frame, const QFileInfoList &entries);
    // The frame's next sub-folder goes on the stack, unless it is skipped.
    void enterNextFolder(FolderFrame &frame);
    // Every sub-folder of the top frame is done: its pages are written, and
    // the sub-menu it opened is closed.
    void leaveFolder();

    void flushPending();
    void writeSiteMapFolder(const FolderFrame &folder);
    void writeMenuFolder(const FolderFrame &folder);
    void writeFile(const FolderFrame &frame, const Entry &entry);
    QString linkText(const Entry &entry) const;
    void writeSiteMapLink(const QString &shown, const QString &address, int indent);
    void writeMenuLink(const QString &shown, const QString &address);
    void closeMenuLevel();

    void startColumn(MenuSerialiser::LevelState &level);
    static bool firstOfLevel(const MenuSerialiser::LevelState &level) { return level.id.endsWith(u"d0"); }
    QString levelWidthText(const QString &placeholder) const;
    QString nameArgument(const QString &shown) const;
    void writeCall(const QString &function, const QString &id, const QString &flags, const QString &shown,
        const QString &address, const QString &width);

    RunServices &m_run;
    const clsServer &m_server;
    const HardDiskDirectory::FolderLister &m_lister;
    // What the walk was asked for.
    QStringList m_includeItems, m_excludeItems;
    const FolderSectionOptions m_keys;
    const bool m_sub, m_str, m_ext, m_size, m_date, m_time, m_dash;
    const QString m_kind;
    // The project's options, read once.
    const clsOptions &m_options;
    const MenuFlags m_menuFlags;
    const bool m_tree;
    const bool m_autoWidth;
    const bool m_downward;
    const bool m_serverLanguages;
    const AutomaticWidths m_widths;
    // Finished sub-menus' widths, filled in once the walk is done.
    LevelWidthFill m_levelWidths;
    const QString m_mf, m_sf, m_lk, m_de, m_col;
    const QLocale m_locale;
    // Where it writes: the site map's lines, or the open menu levels.
    bool m_siteMap = false;
    QString m_siteMapSecn;
    const SiteMapLines *m_lines = nullptr;
    QString *m_out = nullptr;
    int *m_links = nullptr;
    std::vector<MenuSerialiser::LevelState> m_levels;
    // Real paths: the web root's, and every folder listed so far.
    QString m_webRoot;
    QSet<QString> m_listed;
    std::vector<FolderFrame> m_frames;
    // Frames below this index have no folder entry waiting: those waiting
    // are always the top of the stack, so each is looked at once.
    size_t m_flushed = 0;
    int m_ownLevels = 0; // sub-menus open on the stack (site map: folder depth)
};

FolderWalk::FolderWalk(RunServices &run, const clsServer &server, const HardDiskDirectory::FolderLister &lister,
    const QString &options, const QString &include, const QString &exclude)
    : m_run(run)
    , m_server(server)
    , m_lister(lister)
    , m_includeItems(listItems(include))
    , m_excludeItems(listItems(exclude))
    , m_keys(FolderSectionOptions::parse(options))
    , m_sub(m_keys.subFiles)
    , m_str(m_keys.structure)
    , m_ext(m_keys.extension)
    , m_size(m_keys.size)
    , m_date(m_keys.date)
    , m_time(m_keys.time)
    , m_dash(m_keys.underscoreToSpace)
    , m_kind(kindFlag(m_keys.target))
    , m_options(run.projectOptions())
    , m_menuFlags(m_options)
    , m_tree(m_menuFlags.tree())
    , m_autoWidth(m_options.isChecked(u"prjAutomaticWidth"))
    , m_downward(m_options.isChecked(u"prjChkMainMenusDownward"))
    , m_serverLanguages(run.languagesOnServer())
    , m_widths(m_options)
    , m_levelWidths(m_options)
    , m_mf(run.scriptFunction(QStringLiteral("mf")))
    , m_sf(run.scriptFunction(QStringLiteral("sf")))
    , m_lk(run.scriptFunction(QStringLiteral("lk")))
    , m_de(run.scriptFunction(QStringLiteral("de")))
    , m_col(run.scriptFunction(QStringLiteral("col")))
    , m_locale(QLocale::system())
{
}

void FolderWalk::intoMenu(QString &out, const QString &address, MenuSerialiser::LevelState &level, int &links)
{
    m_out = &out;
    m_links = &links;
    m_levels.push_back(level);
    const qsizetype from = out.size();
    walk(address, 0);
    if (m_autoWidth)
        m_levelWidths.fill(out, from);
    level = m_levels.front();
}

void FolderWalk::intoSiteMap(QString &out, const QString &address, const QString &secn, int indent,
    const SiteMapLines &lines, int &links)
{
    m_siteMap = true;
    m_siteMapSecn = secn;
    m_lines = &lines;
    m_out = &out;
    m_links = &links;
    walk(address, indent);
}

void FolderWalk::walk(const QString &address, int indent)
{
    m_frames.push_back(rootFrame(address, indent));
    while (!m_frames.empty()) {
        FolderFrame &frame = m_frames.back();
        if (frame.nextDir < qsizetype(frame.dirs.size()))
            enterNextFolder(frame);
        else
            leaveFolder();
    }
}

FolderFrame FolderWalk::rootFrame(const QString &address, int indent)
{
    FolderFrame root;
    root.indent = indent;
    root.address = address;
    // The one disk path made from an address; below it the walk goes by disk paths.
    const QString rootPath = m_server.mapPath(address);
    const auto cannotList = [&](const QString &reason) {
        m_run.abortRun(QStringLiteral("Cannot list the folder: ") + (rootPath.isEmpty() ? address : rootPath)
            + u'\n' + reason);
    };
    if (rootPath.isEmpty())
        cannotList(QStringLiteral("No web root folder is set."));
    const HardDiskDirectory::FolderListing listing = m_lister(rootPath);
    if (!listing.error.isEmpty())
        cannotList(listing.error);
    m_webRoot = QFileInfo(m_run.webRootFolder()).canonicalFilePath();
    root.canonical = QFileInfo(rootPath).canonicalFilePath();
    if (!inWeb(root.canonical))
        cannotList(QStringLiteral("Its real path lies outside the web root."));
    m_listed.insert(root.canonical);
    take(root, listing.entries);
    return root;
}

bool FolderWalk::inWeb(const QString &realPath) const
{
    return !realPath.isEmpty() && !clsServer::addressInWeb(m_webRoot, realPath).isEmpty();
}

void FolderWalk::take(FolderFrame &frame, const QFileInfoList &entries)
{
    for (const QFileInfo &e : entries) {
        QString name = e.fileName();
        if (beginsWithAny(name, m_excludeItems))
            continue;
        if (e.isDir()) {
            if (m_sub)
                frame.dirs.push_back({ std::move(name), e });
        } else if (endsWithAny(name, m_includeItems)) {
            if (isLink(e) && !inWeb(e.canonicalFilePath())) {
                m_run.logLine(QStringLiteral("Skipped link outside the web: ") + e.filePath());
                continue;
            }
            frame.files.push_back({ std::move(name), e });
        }
    }
    std::sort(frame.dirs.begin(), frame.dirs.end(), byName);
    std::sort(frame.files.begin(), frame.files.end(), byName);
}

void FolderWalk::enterNextFolder(FolderFrame &frame)
{
    const Entry &entry = frame.dirs[size_t(frame.nextDir++)];
    const QFileInfo &dir = entry.info;
    // Only a link needs resolving: a real folder in a folder of the web is
    // in the web, which keeps a large tree cheap.
    const bool link = isLink(dir);
    const QString canonical = link ? dir.canonicalFilePath() : childPath(frame.canonical, entry.name);
    if (link && !inWeb(canonical)) {
        m_run.logLine(QStringLiteral("Skipped link outside the web: ") + dir.filePath());
        return;
    }
    // Also ends loops: a link back to a folder above is listed already.
    if (m_listed.contains(canonical)) {
        m_run.logLine(QStringLiteral("Skipped folder already listed: ") + dir.filePath());
        return;
    }
    m_listed.insert(canonical);
    // Read by its real path: a path through many links would run into the
    // system's limit on links followed in one path (40 on Linux).
    const HardDiskDirectory::FolderListing listing = m_lister(canonical);
    if (!listing.error.isEmpty()) {
        QString reason = listing.error;
        if (reason.endsWith(u'.'))
            reason.chop(1);
        m_run.logLine(QStringLiteral("Warning: Skipped folder that cannot be read: ") + canonical
            + QStringLiteral(" (") + reason + u')');
        return;
    }
    FolderFrame child;
    child.name = entry.name;
    // Without "str||" the sub-folder's entries join this level.
    child.ownLevel = m_str;
    child.pending = m_str;
    child.indent = frame.indent + (m_str ? 1 : 0);
    child.address = frame.address + HardDiskDirectory::addressPart(entry.name) + u'/';
    child.canonical = canonical;
    take(child, listing.entries);
    // The last use of frame and entry: the push may move them.
    m_frames.push_back(std::move(child));
}

void FolderWalk::leaveFolder()
{
    const FolderFrame &frame = m_frames.back();
    for (const Entry &file : frame.files)
        writeFile(frame, file);
    const bool closeLevel = frame.ownLevel && !frame.pending;
    m_frames.pop_back();
    m_flushed = std::min(m_flushed, m_frames.size());
    if (!closeLevel)
        return;
    if (m_siteMap)
        --m_ownLevels;
    else
        closeMenuLevel();
}

// Folder entries are written only when their first entry comes, so a folder
// with nothing to show leaves no trace and changes no id.
void FolderWalk::flushPending()
{
    for (size_t i = m_flushed; i < m_frames.size(); ++i) {
        FolderFrame &f = m_frames[i];
        if (!f.pending)
            continue;
        f.pending = false;
        if (m_siteMap)
            writeSiteMapFolder(f);
        else
            writeMenuFolder(f);
    }
    m_flushed = m_frames.size();
}

void FolderWalk::writeSiteMapFolder(const FolderFrame &folder)
{
    QString text;
    appendHtmlEscaped(text, shownName(folder.name, m_dash));
    text = serverHtmlText(std::move(text));
    if (m_serverLanguages)
        text = localValue(text);
    m_lines->folder(*m_out, text, folder.indent - 1, isMainLevel(m_siteMapSecn) && m_ownLevels == 0);
    ++m_ownLevels;
}

void FolderWalk::writeMenuFolder(const FolderFrame &folder)
{
    QString &out = *m_out;
    const QString shown = shownName(folder.name, m_dash);
    MenuSerialiser::LevelState &level = m_levels.back();
    const bool main = isMainLevel(level.id);
    if (main && m_downward && !firstOfLevel(level))
        startColumn(level);
    level.id = nextSiblingId(level.id);
    if (m_autoWidth)
        level.lengths = m_widths.addNameLength(shown, level.lengths);
    // Without a position of its own; marked open (as the tree's own folders
    // are) only in tree menus.
    QString flags = m_menuFlags.dropDownCode({}, main);
    if (m_tree)
        flags += m_menuFlags.openMark(main);
    writeCall(main ? m_mf : m_sf, level.id, flags, shown, QString(), level.width);

    MenuSerialiser::LevelState child;
    child.id = level.id + QStringLiteral("d0");
    if (m_autoWidth)
        child.width = levelWidthText(QStringLiteral("[$") + child.id + QStringLiteral("$]"));
    child.placeholder = child.width;
    child.lengths = AutomaticWidths::startLengths();
    child.start = out.size();
    m_levels.push_back(child);
}

void FolderWalk::writeFile(const FolderFrame &frame, const Entry &entry)
{
    const QString shown = shownName(linkText(entry), m_dash);
    const QString address = frame.address + HardDiskDirectory::addressPart(entry.name);
    ++*m_links;
    flushPending();
    if (m_siteMap)
        writeSiteMapLink(shown, address, frame.indent);
    else
        writeMenuLink(shown, address);
}

// The file's name, with its extension unless asked for, and its size,
// date and time when asked for.
QString FolderWalk::linkText(const Entry &entry) const
{
    const QFileInfo &file = entry.info;
    QString text = entry.name;
    if (!m_ext) {
        const qsizetype dot = text.lastIndexOf(u'.');
        if (dot > 0)
            text.truncate(dot);
    }
    if (m_size)
        text += QStringLiteral(", ") + HardDiskDirectory::sizeText(file.size()) + u'K';
    if (m_date || m_time) {
        const QDateTime changed = file.lastModified();
        if (m_date)
            text += QStringLiteral(", ") + m_locale.toString(changed.date(), QLocale::ShortFormat);
        if (m_time)
            text += QStringLiteral(", ") + m_locale.toString(changed.time(), QLocale::ShortFormat);
    }
    return text;
}

void FolderWalk::writeSiteMapLink(const QString &shown, const QString &address, int indent)
{
    QString html;
    appendHtmlEscaped(html, shown);
    html = serverHtmlText(std::move(html));
    if (m_serverLanguages)
        html = localValue(html);
    m_lines->link(*m_out, address, html, indent);
}

void FolderWalk::writeMenuLink(const QString &shown, const QString &address)
{
    MenuSerialiser::LevelState &level = m_levels.back();
    // Never ".00": a listed file keeps the plain drop-down code even at the
    // main level.
    QString flags = m_kind + m_menuFlags.dropDownCode({}, false);
    if (isMainLevel(level.id)) {
        if (!m_tree && m_downward && !firstOfLevel(level))
            startColumn(level);
        if (m_autoWidth)
            level.lengths = m_widths.addNameLength(shown, level.lengths);
        level.id = nextSiblingId(level.id);
        writeCall(m_mf, level.id, flags + QStringLiteral("nf"), shown, address, level.width);
        noteDataEnd();
        *m_out += m_de;
        *m_out += QStringLiteral("();\r\n");
    } else {
        if (m_autoWidth)
            level.lengths = m_widths.addNameLength(shown, level.lengths);
        level.id = nextSiblingId(level.id);
        writeCall(m_lk, level.id, flags, shown, address, level.width);
    }
}

void FolderWalk::closeMenuLevel()
{
    const MenuSerialiser::LevelState finished = m_levels.back();
    m_levels.pop_back();
    // Everything written for the sub-menu, deeper sub-menus included, is
    // gone over once at the end of the walk, not at every level around them.
    if (m_autoWidth)
        m_levelWidths.note(*m_out, finished.start, finished.lengths, finished.placeholder);
    noteDataEnd();
    *m_out += m_de;
    *m_out += QStringLiteral("();\r\n");
}

// A new column at the top level: the finished block gets its width and the
// next block starts afresh.
void FolderWalk::startColumn(MenuSerialiser::LevelState &level)
{
    QString &out = *m_out;
    if (m_autoWidth)
        m_widths.resolveTail(out, level.start, level.lengths, level.placeholder);
    level.id = nextBlockId(level.id);
    if (m_autoWidth) {
        level.placeholder = levelWidthText(QStringLiteral("[$") + level.id + QStringLiteral("$]"));
        level.width = level.placeholder;
        level.lengths = AutomaticWidths::startLengths();
        level.start = out.size();
    }
    noteDataColumn();
    out += m_col;
    out += QStringLiteral("();\r\n");
}

QString FolderWalk::levelWidthText(const QString &placeholder) const
{
    return m_serverLanguages ? multilingualPlaceholder(placeholder) : placeholder;
}

// The text argument of a call: the shown name, escaped for the page and the
// script string, or the server's language placeholder around it.
QString FolderWalk::nameArgument(const QString &shown) const
{
    QString html;
    appendHtmlEscaped(html, shown);
    QString arg = QStringLiteral("\"");
    // The name is escaped before it goes into the placeholder, whose own
    // marks stay as they are.
    if (m_serverLanguages)
        arg += multilingualPlaceholder(scriptStringValue(html));
    else
        appendScriptString(arg, html);
    arg += u'"';
    return arg;
}

void FolderWalk::writeCall(const QString &function, const QString &id, const QString &flags,
    const QString &shown, const QString &address, const QString &width)
{
    appendDataCall(*m_out, function, id, flags, nameArgument(shown), address, width);
}

} // namespace

void HardDiskDirectory::hardDiskDirectory(QString &out, const QString &relDirectory,
    const QString &txtOptions, const QString &txtInclude, const QString &txtExclude,
    MenuSerialiser::LevelState &level, int &mLinks)
{
    FolderWalk(m_run, m_server, m_lister, txtOptions, txtInclude, txtExclude)
        .intoMenu(out, relDirectory, level, mLinks);
}

void HardDiskDirectory::harddiskDirectorySitemap(QString &out, const QString &relDirectory,
    const QString &txtOptions, const QString &txtInclude, const QString &txtExclude, const QString &secn,
    int indent, const SiteMapLines &lines, int &mLinks)
{
    FolderWalk(m_run, m_server, m_lister, txtOptions, txtInclude, txtExclude)
        .intoSiteMap(out, relDirectory, secn, indent, lines, mLinks);
}

} // namespace qwk
