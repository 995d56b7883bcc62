#include "generator/serialiser.h"

#include "core/emitter.h"
#include "core/textbuild.h"
#include "generator/accessiblescript.h"
#include "generator/menuflags.h"
#include "generator/runservices.h"
#include "generator/servercall.h"
#include "generator/widths.h"
#include "options/options.h"
#include "options/sectionvalues.h"
#include "tree/nodes.h"
#include "tree/treewalk.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace qwk {

namespace {

const QString kSee = QStringLiteral("\n  See ");

// Text for bare script, as appendBareScript writes it.
QString bareScript(const QString &text)
{
    QString out;
    appendBareScript(out, text);
    return out;
}

// Called for the name of every node: the quoted text is built in one piece.
QString quoted(const QString &value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += u'"';
    appendScriptString(out, value);
    out += u'"';
    return out;
}

} // namespace

QString multilingualPlaceholder(const QString &text)
{
    // The server control puts the current language's entry of a ";;" list
    // here. The list is the author's (a name, or a width such as 50%).
    return ServerCall(u"multilingualList").userText(text).done();
}

QString nextSiblingId(const QString &id)
{
    return advanceLastNumber(id, 1);
}

QString advanceLastNumber(const QString &id, int step)
{
    QString next = id;
    advanceLastNumberInPlace(next, step);
    return next;
}

void advanceLastNumberInPlace(QString &id, int step)
{
    const qsizetype d = id.lastIndexOf(u'd');
    if (d < 0)
        return;
    // Ids are written by this program, so the tail is plain digits; anything
    // else goes through the general conversion.
    qlonglong number = 0;
    bool plain = d + 1 < id.size() && id.size() - d <= 18;
    for (qsizetype i = d + 1; plain && i < id.size(); ++i) {
        const char16_t c = id[i].unicode();
        plain = c >= u'0' && c <= u'9';
        number = number * 10 + (c - u'0');
    }
    if (!plain)
        number = QStringView(id).sliced(d + 1).toLongLong();
    number += step;
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
    const qsizetype length = end - digits;
    id.resize(d + 1 + length);
    QChar *to = id.data() + d + 1;
    for (qsizetype i = 0; i < length; ++i)
        to[i] = QLatin1Char(digits[i]);
}

QString nextBlockId(const QString &id)
{
    const qsizetype d = id.indexOf(u'd');
    const QString block = d < 0 ? id.mid(1) : id.mid(1, d - 1);
    return id.left(1) + QString::number(block.toLongLong() + 1) + QStringLiteral("d0");
}

bool isMainLevel(const QString &id)
{
    // Exactly one "d"; asked for every node, so without a library count.
    int ds = 0;
    for (const QChar c : id) {
        if (c == u'd' && ++ds > 1)
            return false;
    }
    return ds == 1;
}

MenuSerialiser::MenuSerialiser(RunServices &run)
    : m_run(run), m_options(run.projectOptions()), m_widths(m_options),
      m_flags(m_options),
      m_auto(m_options.isChecked(u"prjAutomaticWidth")),
      m_accessible(m_options.isChecked(u"prjChkAccessible")),
      m_serverLanguages(run.languagesOnServer()),
      m_mf(run.scriptFunction(QStringLiteral("mf"))), m_sf(run.scriptFunction(QStringLiteral("sf"))),
      m_lk(run.scriptFunction(QStringLiteral("lk"))), m_de(run.scriptFunction(QStringLiteral("de"))),
      m_col(run.scriptFunction(QStringLiteral("col")))
{
}

namespace {

// The table the menu stands in, written by the script into the page. $v: and
// $f: are the script's own identifiers; comment lines go when it is compact.
const QStringView kTableStart = uR"js(//start of tree menu table
$f:dw$($table$);
$f:dw$("<tr>");
$f:dw$($cell$);
)js";
const QStringView kTableTag = uR"html(<table $center$$fullWidth$border='0' cellspacing='0' cellpadding='0'>)html";
const QStringView kTableCell = uR"html(<td class='$cellClass$' valign='top'>)html";

const QStringView kTableEnd = uR"js($f:dw$("</td>");
$f:dw$("</tr>");
$f:dw$("</table>");
//written from inside a function: Firefox takes ten times longer over a long
//text written from the script's top level
(function(s){document.write(s)})($v:gstr$);$v:gstr$="";
)js";
// A tree menu whose folders may stay open reopens them on every page.
const QStringView kOpenRemembered = uR"js(//open the sections the cookie remembers
if($v:w3c$){$f:oas$();};
)js";
const QStringView kScrollBack = uR"js(if(window.pageXOffset==0){$v:XOff$=true;}else if($v:ie$){$v:sTop$=true;};
//scroll to scroll cookie
if($v:gb$){$f:stsc$();};
)js";

void configureTableEmitter(TextEmitter &e, RunServices &run)
{
    e.setLineEnd(kCRLF);
    e.setCommentFilter([&run](const QString &line) { return run.commentLine(line); });
    e.addResolver(QStringLiteral("v"), [&run](const QString &name) { return run.scriptVariable(name); });
    e.addResolver(QStringLiteral("f"), [&run](const QString &name) { return run.scriptFunction(name); });
}

} // namespace

QString MenuSerialiser::writeTableStart()
{
    if (m_accessible)
        return AccessibleScriptWriter(m_run).startCall();
    QString out;
    TextEmitter e(out);
    configureTableEmitter(e, m_run);
    e.set(QStringLiteral("center"), m_options.isChecked(u"prjCenterTable") ? u"align=\"center\" " : u"");
    e.set(QStringLiteral("fullWidth"), m_options.isChecked(u"prjWidthTo100") ? u" width='100%' " : u"");
    e.set(QStringLiteral("cellClass"), m_run.cssClassName(QStringLiteral("MenuTreeBox")));
    // Both go into the script as quoted strings.
    e.set(QStringLiteral("table"), quoted(e.render(kTableTag)));
    e.set(QStringLiteral("cell"), quoted(e.render(kTableCell)));
    e.emit(kTableStart);
    return out;
}

QString MenuSerialiser::writeTableEnd()
{
    if (m_accessible)
        return AccessibleScriptWriter(m_run).drawCall();
    QString out;
    TextEmitter e(out);
    configureTableEmitter(e, m_run);
    e.emit(kTableEnd);
    if (m_flags.tree() && !m_options.isChecked(u"prjChkAllMenusClosed"))
        e.emit(kOpenRemembered);
    // A compact script numbers its names in the order they are first asked
    // for; the emitter asks in the order the text reads (XOff, then sTop), so
    // every build of the program writes the same compact script.
    e.emit(kScrollBack);
    return out;
}

NameForm MenuSerialiser::nameForm(bool bare) const
{
    if (m_serverLanguages)
        return NameForm::ServerList;
    return bare ? NameForm::AsWritten : NameForm::Quoted;
}

QString MenuSerialiser::levelWidthText(const QString &width) const
{
    if (m_serverLanguages)
        return multilingualPlaceholder(width);
    return width;
}

namespace {

// An empty view may carry no storage at all; memcpy must not be handed its
// null pointer, even for no bytes.
inline char16_t *put(char16_t *to, QStringView text)
{
    if (!text.isEmpty())
        std::memcpy(to, text.utf16(), size_t(text.size()) * sizeof(char16_t));
    return to + text.size();
}

// A small flag text ("cn07ddtonf"...) put together without the heap.
class FlagText {
public:
    void add(QStringView text)
    {
        const qsizetype n = std::min<qsizetype>(text.size(), kRoom - m_size);
        if (n > 0)
            std::memcpy(m_text + m_size, text.utf16(), size_t(n) * sizeof(char16_t));
        m_size += n;
    }
    QStringView view() const { return QStringView(m_text, m_size); }

private:
    // Suffix, drop-down placing, link kind and folder marks stay far below.
    static constexpr qsizetype kRoom = 64;
    char16_t m_text[kRoom];
    qsizetype m_size = 0;
};

} // namespace

namespace {

// A data call whose name is the server's language placeholder: the name as a
// script string inside it, in quotes. That text holds no raw fill mark, so it
// is written as it stands. Kept apart from the call every node makes.
void appendServerListCall(QString &out, QStringView function, QStringView id, QStringView flags,
                          QStringView name, QStringView address, QStringView width)
{
    QString quotedList = QStringLiteral("\"");
    quotedList += multilingualPlaceholder(scriptStringValue(name.toString()));
    quotedList += u'"';
    appendDataCall(out, function, id, flags, quotedList, NameForm::AsWritten, address, width);
}

} // namespace

namespace {
thread_local DataCallObserver *t_observer = nullptr;
} // namespace

DataCallObserverScope::DataCallObserverScope(DataCallObserver *observer)
    : m_was(t_observer)
{
    t_observer = observer;
}

DataCallObserverScope::~DataCallObserverScope()
{
    t_observer = m_was;
}

void noteDataEnd()
{
    if (t_observer)
        t_observer->end();
}

void noteDataColumn()
{
    if (t_observer)
        t_observer->column();
}

void appendDataCall(QString &out, QStringView function, QStringView id, QStringView flags, QStringView name,
                    NameForm form, QStringView address, QStringView width, bool addressIsScript)
{
    if (t_observer)
        t_observer->call(function, id, flags, name, form, address, width);
    if (addressIsScript && !address.isEmpty()) {
        // The address goes in as the body of a function literal: written
        // with an empty address, then the literal takes the place of its "".
        const QString literal = QStringLiteral("function(){") + bareScript(address.toString()) + u'}';
        DataCallObserver *const observer = t_observer;
        t_observer = nullptr;
        QString call;
        appendDataCall(call, function, id, flags, name, form, QStringView(), width);
        t_observer = observer;
        // function("id","flags",name,"","width"); - the "" before the width.
        const QString tail = QStringLiteral(",\"\",\"");
        const qsizetype widthStart = call.lastIndexOf(tail);
        call.replace(widthStart + 1, 2, literal);
        out += call;
        return;
    }
    if (form == NameForm::ServerList) {
        DataCallObserver *const observer = t_observer;
        t_observer = nullptr;
        appendServerListCall(out, function, id, flags, name, address, width);
        t_observer = observer;
        return;
    }
    // Called for every node: one resize to the worst case (every character
    // escaped), raw writes, then the string is cut to what was used.
    const qsizetype room = function.size() + id.size()
                           + kScriptEscapeWidth * (flags.size() + name.size() + address.size() + width.size())
                           + 24;
    const qsizetype old = out.size();
    out.resize(old + room);
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *p = put(begin + old, function);
    p = put(p, u"(\"");
    p = put(p, id);
    p = put(p, u"\",\"");
    p = writeScriptString(p, flags);
    p = put(p, u"\",");
    switch (form) {
    case NameForm::AsWritten:
        p = writeBareScript(p, name);
        break;
    case NameForm::Quoted:
        *p++ = u'"';
        p = writeScriptString(p, name);
        *p++ = u'"';
        break;
    case NameForm::ServerList:
        break; // written above
    }
    p = put(p, u",\"");
    p = writeScriptString(p, address);
    p = put(p, u"\",\"");
    p = writeMarkedWidth(p, width);
    p = put(p, u"\");\r\n");
    out.truncate(p - begin);
}

void MenuSerialiser::checkBareScript(const QString &text, const MenuNode &node)
{
    // A script string can escape "%", bare script cannot: text that would
    // open or close a server call is refused rather than run on the server.
    if (serverTextActive() && holdsServerMarks(text))
        m_run.abortRun(QStringLiteral("Script contains \"[%\", \"%]\" or \"%%\", which the server control would "
                                      "read as its own code.")
                       + kSee + RunServices::nodeDescription(node));
}

void MenuSerialiser::writeEnd(QString &out)
{
    noteDataEnd();
    out += m_de;
    out += QStringLiteral("();\r\n");
}

void MenuSerialiser::writeFolder(QString &out, LevelState &level, const clsFolder &folder, QString *childWidth)
{
    advanceLastNumberInPlace(level.id, 1);
    QString name = m_run.safeNodeName(folder);
    const QString suffix = RunServices::classSuffix(name);
    if (!suffix.isEmpty())
        name.chop(3);

    QString address;
    if (folder.selectedOption(NodeOption::OptTypeFolderJS)) {
        address = folder.textValue(NodeOption::JS).trimmed();
        if (address.isEmpty())
            address = QStringLiteral("return true;");
    }
    if (address.contains(u'"'))
        m_run.abortRun(QStringLiteral("Javascript contains double quote") + kSee + RunServices::nodeDescription(folder));
    if (address.contains(u'\r'))
        m_run.abortRun(QStringLiteral("Javascript contains return") + kSee + RunServices::nodeDescription(folder));

    if (m_auto)
        level.lengths = m_widths.addNameLength(name, level.lengths);

    const bool main = isMainLevel(level.id);
    FlagText flags;
    flags.add(suffix);
    flags.add(m_flags.dropDownCode(folder.textValue(NodeOption::MenuPosition), main));
    // Written for drop-down menus too, whose runtime does not read it.
    flags.add(m_flags.openMark(main));

    const NameForm form = nameForm(folder.selectedOption(NodeOption::ChkFolderNameIsFunction));
    if (form == NameForm::AsWritten)
        checkBareScript(name, folder);
    if (m_accessible && !address.isEmpty())
        checkBareScript(address, folder);
    appendDataCall(out, main ? m_mf : m_sf, level.id, flags.view(), name, form, address, level.width, m_accessible);

    if (m_auto) {
        *childWidth = QStringLiteral("[$") + level.id + QStringLiteral("d0$]");
    } else {
        const QString &w = folder.textValue(NodeOption::SubColWidth);
        *childWidth = folder.selectedOption(NodeOption::ChkSubColValue) && !w.isEmpty() ? w : QString();
        // The script writes the width bare into the box's table tag.
        if (!isWidthValue(*childWidth))
            m_run.abortRun(badWidthMessage(u"lnkSubColWidth", *childWidth) + kSee
                           + RunServices::nodeDescription(folder));
    }
}

void MenuSerialiser::writeColumn(QString &out, LevelState &level, const clsColumn &column)
{
    level.id = nextBlockId(level.id);
    if (m_auto) {
        // The block that ends here gets its width; the new block starts afresh.
        noteLevelWidth(out, level);
        level.placeholder = levelWidthText(QStringLiteral("[$") + level.id + QStringLiteral("$]"));
        level.width = level.placeholder;
        level.lengths = AutomaticWidths::startLengths();
        level.start = out.size();
    } else {
        const QString own = column.width().trimmed();
        const QString first = m_options.text(u"prjFirstColWid").trimmed();
        if (column.chkColValue() == 1 && !own.isEmpty()) {
            if (!isWidthValue(own))
                m_run.abortRun(badWidthMessage(u"lnkColWidth", own) + kSee + RunServices::nodeDescription(column));
            level.width = own;
        } else if (m_options.isChecked(u"prjChkFirstColValue") && !first.isEmpty())
            level.width = first;
    }
    noteDataColumn();
    out += m_run.commentLine(QStringLiteral("//new column"));
    out += m_col;
    out += QStringLiteral("();\r\n");
}

void MenuSerialiser::noteLevelWidth(QString &out, const LevelState &level)
{
    m_levelWidths.note(out, level.start, level.lengths, level.placeholder);
}

void MenuSerialiser::fillLevelWidths(QString &out, qsizetype from)
{
    m_levelWidths.fill(out, from);
}

QString MenuSerialiser::insertedFileText(const clsPage &page)
{
    const QString file = page.value(NodeOption::FilPageName).toString();
    return m_run.jsStringText(m_run.readFileSection(file, QStringLiteral("body")));
}

void MenuSerialiser::writePage(QString &out, LevelState &level, const clsPage &page)
{
    const PageLink link = pageLink(page);
    if (link == PageLink::HiddenScript)
        writeHiddenScript(out, page);
    else if (link == PageLink::ServerOrFolder)
        writeAdvancedPage(out, level, page);
    else
        writeLinkPage(out, level, page, link);
}

void MenuSerialiser::writeHiddenScript(QString &out, const clsPage &page)
{
    // Script written between the data calls; it takes no section id.
    QString text;
    if (page.selectedOption(NodeOption::OptURLNoneInsertFile)) {
        text = insertedFileText(page);
        if (text.isEmpty())
            m_run.abortRun(QStringLiteral("Warning! Following file does not exist or is empty:\n  ")
                           + page.value(NodeOption::FilPageName).toString() + kSee
                           + RunServices::nodeDescription(page));
    } else {
        text = page.name();
    }
    checkBareScript(text, page);
    appendBareScript(out, text);
    out += kCRLF;
}

void MenuSerialiser::writeLinkPage(QString &out, LevelState &level, const clsPage &page, PageLink link)
{
    advanceLastNumberInPlace(level.id, 1);
    QString name = m_run.safeNodeName(page);
    const QString suffix = RunServices::classSuffix(name);
    if (!suffix.isEmpty())
        name.chop(3);
    if (m_auto && !page.selectedOption(NodeOption::OptURLNone))
        level.lengths = m_widths.addNameLength(name, level.lengths);
    if (page.selectedOption(NodeOption::ChkNewWindow))
        m_run.logLine(QStringLiteral("Warning: \"Open in New Window\" produces non-strict HTML (target=_blank).") + kSee
                      + RunServices::nodeDescription(page));
    const QString address = linkTarget(page, link, name);
    appendPageCall(out, level, page, link, suffix, name, address);
}

QString MenuSerialiser::linkTarget(const clsPage &page, PageLink link, QString &name)
{
    // Only messages need the description; most pages never build it.
    const auto description = [&page] { return RunServices::nodeDescription(page); };
    QString address;
    switch (link) {
    case PageLink::Script:
        address = page.textValue(NodeOption::JS);
        break;
    case PageLink::Address:
        address = page.textValue(NodeOption::URL);
        break;
    case PageLink::SitePage:
        m_run.checkPageFile(page, QStringLiteral("lnkFilMyWebPage"), description());
        address = page.textValue(NodeOption::FilMyWebPage);
        break;
    case PageLink::InsertedFile: {
        // Read first even without a name: the log then says which file was
        // asked for and that none was named, as for a hidden-script file.
        name = insertedFileText(page);
        if (name.isEmpty()) {
            const bool named = !page.textValue(NodeOption::FilPageName).trimmed().isEmpty();
            m_run.abortRun((named ? QStringLiteral("Warning! You have selected an empty file to insert in menu.")
                                  : QStringLiteral("Warning! You have not selected a file to insert in menu."))
                           + kSee + description());
        }
        break;
    }
    default:
        break;
    }
    if (address.contains(u'"'))
        m_run.abortRun(QStringLiteral("Javascript contains double quote") + kSee + description());
    if (address.contains(u'\r'))
        m_run.abortRun(QStringLiteral("Javascript contains a return") + kSee + description());
    return address;
}

void MenuSerialiser::appendPageCall(QString &out, const LevelState &level, const clsPage &page, PageLink link,
                                    QStringView suffix, const QString &name, const QString &address)
{
    const bool main = isMainLevel(level.id);
    const NameForm form = nameForm(page.selectedOption(NodeOption::ChkPageNameIsFunction));
    if (form == NameForm::AsWritten)
        checkBareScript(name, page);
    FlagText flags;
    flags.add(suffix);
    flags.add(m_flags.dropDownCode({}, main));
    flags.add(linkKindFlag(link, page.selectedOption(NodeOption::ChkNewWindow)));
    if (page.selectedOption(NodeOption::ChkNoPageImage))
        flags.add(u"nm");
    const bool script = m_accessible && link == PageLink::Script;
    if (script && !address.isEmpty())
        checkBareScript(address, page);
    if (main) {
        // A page at the top level is drawn as a main-folder box whose anchor is a link.
        flags.add(u"nf");
        appendDataCall(out, m_mf, level.id, flags.view(), name, form, address, level.width, script);
        writeEnd(out);
    } else {
        appendDataCall(out, m_lk, level.id, flags.view(), name, form, address, level.width, script);
    }
}

namespace {

QString pageText(const clsPage &page, const char16_t *key)
{
    return page.value(key).toString();
}

// The arguments of the server calls stand in the script as they are, but for
// the fill mark (bare script).
QString pageArgument(const clsPage &page, const char16_t *key)
{
    return bareScript(pageText(page, key));
}

} // namespace

void MenuSerialiser::writeAdvancedPage(QString &out, LevelState &level, const clsPage &page)
{
    if (page.selectedOption(NodeOption::OptURLCSK))
        writeShopLinks(out, level, page);
    else if (page.selectedOption(NodeOption::OptURLDNN))
        writePortalDirectory(out, level, page);
    else if (page.selectedOption(NodeOption::OptURLHarddisk))
        writeFolderLinks(out, level, page);
}

void MenuSerialiser::writeShopLinks(QString &out, LevelState &level, const clsPage &page)
{
    m_run.setShopLinks(true);
    if (pageText(page, u"lnkCSKOptionChoice") == u"optCSKProductStatus") {
        level.id = nextSiblingId(level.id);
        const QString name = bareScript(m_run.safeNodeName(page, QStringLiteral("lnkNamePage")));
        out += ServerCall(u"StatusLink").userText(name).text(level.id).bare(u"0").bare(u"True").text(u"normal").done();
        out += kCRLF;
        m_run.logLine(QStringLiteral("  Adding CSK status link to tree.") + kSee
                      + RunServices::nodeDescription(page));
    } else {
        out += ServerCall(u"CSKDirectory").userText(pageArgument(page, u"lnkCSKSku"))
                   .userText(pageArgument(page, u"lnkCSKOptionChoice")).text(level.id).bare(u"0").bare(u"True")
                   .text(u"normal").done();
        out += kCRLF;
        m_run.logLine(QStringLiteral("  Adding CSK links to tree.") + kSee
                      + RunServices::nodeDescription(page));
    }
}

void MenuSerialiser::writePortalDirectory(QString &out, LevelState &level, const clsPage &page)
{
    m_run.setPortalDirectory(true);
    const QString options = portalOptions(page);
    // The header template's "[$...$]" is the server's own; only the level's
    // width is filled in here.
    out += ServerCall(u"DnnDirectory").userText(pageArgument(page, u"lnkDNNTabID")).userText(bareScript(options))
               .text(level.id).bare(u"0").text(u"2").text(markedWidth(level.width)).bare(u"True")
               .text(u"normal").done();
    out += kCRLF;
    level.id = advanceLastNumber(level.id, 100);
    m_run.logLine(QStringLiteral("  Adding DNN directory to tree.") + kSee + RunServices::nodeDescription(page));
}

QString MenuSerialiser::portalOptions(const clsPage &page)
{
    QString options = pageText(page, u"lnkHarddiskOptionsPage");
    const QString base = options;
    const PortalSectionOptions keys = PortalSectionOptions::parse(base);
    if (keys.skipOnMainMenuTab && keys.replaceMainMenu) {
        const QString header = insertedFileText(page);
        if (header.isEmpty())
            m_run.logLine(QStringLiteral("Warning! You have selected an empty file to insert as DNN header in "
                                         "place of main folder.")
                          + kSee + RunServices::nodeDescription(page));
        options += QStringLiteral("[#") + header + QStringLiteral("#]");
    }
    if (keys.header)
        options += QStringLiteral("[$") + pageText(page, u"lnkChkPageDnnHeaderTemplate") + QStringLiteral("$]");
    return options;
}

void MenuSerialiser::writeFolderLinks(QString &out, LevelState &level, const clsPage &page)
{
    const QString folder = pageText(page, u"lnkHarddiskDirPage");
    if (folder.trimmed().isEmpty()) {
        m_run.logLine(QStringLiteral("Ignoring node. Insert links from folder option selected, but you have "
                                     "not selected directory.")
                      + kSee + RunServices::nodeDescription(page));
        return;
    }
    const QString options = pageText(page, u"lnkHarddiskOptionsPage");
    if (FolderSectionOptions::parse(options).asp)
        writeServerFolderCall(out, level, page, folder, options);
    else if (m_expandFolder)
        m_expandFolder(out, page, level);
    else
        m_run.logLine(QStringLiteral("Skipping the folder: ") + folder
                      + QStringLiteral("\n  Expanding a folder into the menu is not available in this version.")
                      + kSee + RunServices::nodeDescription(page));
}

void MenuSerialiser::writeServerFolderCall(QString &out, LevelState &level, const clsPage &page,
                                           const QString &folder, const QString &options)
{
    // The server lists the folder when the page is served.
    m_run.setServerDirectory(true);
    out += ServerCall(u"harddiskDirectory").userText(bareScript(m_run.raFolder(folder))).userText(bareScript(options))
               .userText(pageArgument(page, u"lnkHarddiskIncludePage"))
               .userText(pageArgument(page, u"lnkHarddiskExcludePage"))
               .text(level.id).text(u"2").text(markedWidth(level.width)).done();
    out += kCRLF;
    level.id = advanceLastNumber(level.id, 500);
    m_run.logLine(QStringLiteral("Inserting ASP function in tree that adds the folder: ") + folder + kSee
                  + RunServices::nodeDescription(page));
}

void MenuSerialiser::checkFirstColumnWidth() const
{
    // The first column's width is written bare into the box's table tag, as
    // every column's is that does not set its own.
    const QString first = m_options.text(u"prjFirstColWid").trimmed();
    if (!m_auto && m_options.isChecked(u"prjChkFirstColValue") && !isWidthValue(first))
        m_run.abortRun(badWidthMessage(u"prjFirstColWid", first));
}

void MenuSerialiser::serialiseNodes(QString &out, const clsNodes &nodes, QString &id, const QString &width)
{
    // The walk needs no recursion, so any nesting a project file holds can be
    // written; each level keeps its own id, width and name lengths.
    struct Writer {
        MenuSerialiser &s;
        QString &out;
        QString &id;
        const QString &width;
        std::vector<LevelState> levels; // the open levels, innermost last
        QString childWidth; // what the folder just written gives its level

        void enterFolder(const clsFolder &, int depth)
        {
            const QString w = s.levelWidthText(depth == 0 ? width : childWidth);
            LevelState level;
            level.id = depth == 0 ? id : levels.back().id + QStringLiteral("d0");
            level.width = w;
            level.placeholder = w;
            level.lengths = AutomaticWidths::startLengths();
            level.start = out.size();
            levels.push_back(std::move(level));
        }
        void node(const MenuNode &node, int, int)
        {
            LevelState &level = levels.back();
            if (const clsFolder *folder = node.asFolder())
                s.writeFolder(out, level, *folder, &childWidth);
            else if (const auto *page = node.asPage())
                s.writePage(out, level, *page);
            else if (const auto *column = node.asColumn())
                s.writeColumn(out, level, *column);
        }
        void leaveFolder(const clsFolder &, int depth)
        {
            if (s.m_auto)
                s.noteLevelWidth(out, levels.back());
            if (depth == 0)
                id = levels.back().id;
            else
                s.writeEnd(out); // the folder that owned the finished level
            levels.pop_back();
        }
    };
    const qsizetype dataStart = out.size();
    checkFirstColumnWidth();
    // The end-of-folder marker writes nothing; let through, it costs one kind test less per node.
    walkTree<EndMarkers::Visit>(*nodes.owner(), Writer{*this, out, id, width, {}, {}});
    if (m_auto)
        fillLevelWidths(out, dataStart);
}

} // namespace qwk
