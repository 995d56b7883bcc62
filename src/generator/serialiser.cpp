#include "generator/serialiser.h"

#include "generator/runservices.h"
#include "generator/widths.h"
#include "options/options.h"
#include "tree/nodes.h"

#include <charconv>
#include <vector>

namespace qwk {

namespace {

const QString kCRLF = QStringLiteral("\r\n");
const QString kSee = QStringLiteral("\n  See ");

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
    return QStringLiteral("[%multilingualList(%%") + text + QStringLiteral("%%)%]");
}

QString nextSiblingId(const QString &id)
{
    return advanceLastNumber(id, 1);
}

QString advanceLastNumber(const QString &id, int step)
{
    const qsizetype d = id.lastIndexOf(u'd');
    if (d < 0)
        return id;
    // Every node of a run takes a new id: build it with one allocation.
    const qlonglong number = QStringView(id).sliced(d + 1).toLongLong() + step;
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, number);
    QString next;
    next.reserve(d + 1 + (end - digits));
    next.append(QStringView(id).first(d + 1));
    next.append(QLatin1StringView(digits, end - digits));
    return next;
}

QString nextBlockId(const QString &id)
{
    const qsizetype d = id.indexOf(u'd');
    const QString block = d < 0 ? id.mid(1) : id.mid(1, d - 1);
    return id.left(1) + QString::number(block.toLongLong() + 1) + QStringLiteral("d0");
}

bool isMainLevel(const QString &id)
{
    return id.count(u'd') == 1;
}

// The state of one level of the walk: its current id, its width text, the
// running name lengths and where its text starts in the output.
struct MenuSerialiser::Level : LevelState {
    const clsNodes *nodes = nullptr;
    int next = 1;
};

MenuSerialiser::MenuSerialiser(RunServices &run)
    : m_run(run), m_options(run.projectOptions()), m_widths(m_options),
      m_tree(m_options.isChecked(u"prjChkTreeMenus")),
      m_auto(m_options.isChecked(u"prjAutomaticWidth")),
      m_serverLanguages(run.languagesOnServer()),
      m_allOpen(m_options.isChecked(u"prjChkAllMenusOpen")),
      m_mainOpen(m_options.isChecked(u"prjChkMainMenusOpen")),
      m_downward(m_options.isChecked(u"prjChkMainMenusDownward")),
      m_mf(run.scriptFunction(QStringLiteral("mf"))), m_sf(run.scriptFunction(QStringLiteral("sf"))),
      m_lk(run.scriptFunction(QStringLiteral("lk"))), m_de(run.scriptFunction(QStringLiteral("de"))),
      m_col(run.scriptFunction(QStringLiteral("col")))
{
}

QString MenuSerialiser::writeTableStart()
{
    const QString dw = m_run.scriptFunction(QStringLiteral("dw"));
    QString table = QStringLiteral("<table ");
    if (m_options.isChecked(u"prjCenterTable"))
        table += QStringLiteral("align=\"center\" ");
    if (m_options.isChecked(u"prjWidthTo100"))
        table += QStringLiteral(" width='100%' ");
    table += QStringLiteral("border='0' cellspacing='0' cellpadding='0'>");
    const QString td = QStringLiteral("<td class='") + m_run.cssClassName(QStringLiteral("MenuTreeBox"))
                       + QStringLiteral("' valign='top'>");
    return m_run.commentLine(QStringLiteral("//start of tree menu table")) + dw + u'(' + quoted(table)
           + QStringLiteral(");") + kCRLF + dw + QStringLiteral("(\"<tr>\");") + kCRLF + dw + u'(' + quoted(td)
           + QStringLiteral(");") + kCRLF;
}

QString MenuSerialiser::writeTableEnd()
{
    const QString dw = m_run.scriptFunction(QStringLiteral("dw"));
    const QString gstr = m_run.scriptVariable(QStringLiteral("gstr"));
    QString out = dw + QStringLiteral("(\"</td>\");") + kCRLF + dw + QStringLiteral("(\"</tr>\");") + kCRLF + dw
                  + QStringLiteral("(\"</table>\");") + kCRLF;
    out += QStringLiteral("document.write(") + gstr + QStringLiteral(");") + gstr + QStringLiteral("=\"\";") + kCRLF;
    if (m_tree && !m_options.isChecked(u"prjChkAllMenusClosed")) {
        out += m_run.commentLine(QStringLiteral("//open the sections the cookie remembers"));
        out += RunServices::ifOpen(m_run.scriptVariable(QStringLiteral("w3c")))
               + m_run.scriptFunction(QStringLiteral("oas")) + QStringLiteral("();") + RunServices::blockClose()
               + kCRLF;
    }
    out += RunServices::ifOpen(QStringLiteral("window.pageXOffset==0")) + m_run.scriptVariable(QStringLiteral("XOff"))
           + QStringLiteral("=true;") + RunServices::elseIfOpen(m_run.scriptVariable(QStringLiteral("ie")))
           + m_run.scriptVariable(QStringLiteral("sTop")) + QStringLiteral("=true;") + RunServices::blockClose()
           + kCRLF;
    out += m_run.commentLine(QStringLiteral("//scroll to scroll cookie"));
    out += RunServices::ifOpen(m_run.scriptVariable(QStringLiteral("gb"))) + m_run.scriptFunction(QStringLiteral("stsc"))
           + QStringLiteral("();") + RunServices::blockClose() + kCRLF;
    return out;
}

QString MenuSerialiser::dropDownCode(const QString &position, bool mainLevel) const
{
    if (m_tree)
        return {};
    QString code = QStringLiteral("dd");
    if (mainLevel && m_downward)
        return code + QStringLiteral(".00");
    const qsizetype dot = position.indexOf(u'.');
    if (dot >= 0)
        code += position.mid(dot, 3);
    if (position.contains(u"to"))
        code += QStringLiteral("to");
    if (position.contains(u"le"))
        code += QStringLiteral("le");
    return code;
}

QString MenuSerialiser::nameArgument(const QString &name, bool bare) const
{
    if (m_serverLanguages)
        return quoted(multilingualPlaceholder(name));
    return bare ? name : quoted(name);
}

QString MenuSerialiser::levelWidthText(const QString &width) const
{
    if (m_serverLanguages)
        return multilingualPlaceholder(width);
    return width;
}

void appendDataCall(QString &out, const QString &function, const QString &id, const QString &flags,
                    QStringView name, const QString &address, const QString &width)
{
    out += function;
    out += QStringLiteral("(\"");
    out += id;
    out += QStringLiteral("\",\"");
    appendScriptString(out, flags);
    out += QStringLiteral("\",");
    out += name;
    out += QStringLiteral(",\"");
    appendScriptString(out, address);
    out += QStringLiteral("\",\"");
    appendScriptString(out, width);
    out += QStringLiteral("\");\r\n");
}

void MenuSerialiser::writeEnd(QString &out)
{
    out += m_de;
    out += QStringLiteral("();\r\n");
}

void MenuSerialiser::writeFolder(QString &out, Level &level, const clsFolder &folder, QString *childWidth)
{
    level.id = nextSiblingId(level.id);
    QString name = m_run.safeNodeName(folder, QStringLiteral("lnkNameFolder"));
    const QString suffix = RunServices::classSuffix(name);
    if (!suffix.isEmpty())
        name.chop(3);

    QString address;
    if (folder.selectedOption(NodeOption::OptTypeFolderJS)) {
        address = folder.value(NodeOption::JS).toString().trimmed();
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
    QString flags = suffix + dropDownCode(folder.value(NodeOption::MenuPosition).toString(), main);
    if (main && (m_allOpen || m_mainOpen))
        flags += QStringLiteral("mfo");
    else if (!main && m_allOpen)
        flags += QStringLiteral("sfo");

    appendDataCall(out, main ? m_mf : m_sf, level.id, flags,
              nameArgument(name, folder.selectedOption(NodeOption::ChkFolderNameIsFunction)), address, level.width);

    if (m_auto) {
        *childWidth = QStringLiteral("[$") + level.id + QStringLiteral("d0$]");
    } else {
        const QString w = folder.value(NodeOption::SubColWidth).toString();
        *childWidth = folder.selectedOption(NodeOption::ChkSubColValue) && !w.isEmpty() ? w : QString();
    }
}

void MenuSerialiser::writeColumn(QString &out, Level &level, const clsColumn &column)
{
    level.id = nextBlockId(level.id);
    if (m_auto) {
        // The block that ends here gets its width; the new block starts afresh.
        m_widths.resolveTail(out, level.start, level.lengths, level.placeholder);
        level.placeholder = levelWidthText(QStringLiteral("[$") + level.id + QStringLiteral("$]"));
        level.width = level.placeholder;
        level.lengths = AutomaticWidths::startLengths();
        level.start = out.size();
    } else {
        const QString own = column.width().trimmed();
        const QString first = m_options.text(u"prjFirstColWid").trimmed();
        if (column.chkColValue() == 1 && !own.isEmpty())
            level.width = own;
        else if (m_options.isChecked(u"prjChkFirstColValue") && !first.isEmpty())
            level.width = first;
    }
    out += m_run.commentLine(QStringLiteral("//new column"));
    out += m_col;
    out += QStringLiteral("();\r\n");
}

QString MenuSerialiser::insertedFileText(const clsPage &page)
{
    const QString file = page.value(NodeOption::FilPageName).toString();
    return m_run.jsStringText(m_run.readFileSection(file, QStringLiteral("body")));
}

void MenuSerialiser::writePage(QString &out, Level &level, const clsPage &page)
{
    // Only messages need the description; most pages never build it.
    const auto description = [&page] { return RunServices::nodeDescription(page); };

    if (page.selectedOption(NodeOption::ChkPageNameIsHiddenJavascript)) {
        // Script written between the data calls; it takes no section id.
        QString text;
        if (page.selectedOption(NodeOption::OptURLNoneInsertFile)) {
            text = insertedFileText(page);
            if (text.isEmpty())
                m_run.abortRun(QStringLiteral("Warning! Following file does not exist or is empty:\n  ")
                               + page.value(NodeOption::FilPageName).toString() + kSee + description());
        } else {
            text = page.name();
        }
        out += text;
        out += kCRLF;
        return;
    }
    if (page.selectedOption(NodeOption::OptTypePageNormal) && page.selectedOption(NodeOption::OptAdvanced)) {
        writeAdvancedPage(out, level, page);
        return;
    }

    level.id = nextSiblingId(level.id);
    QString name = m_run.safeNodeName(page, QStringLiteral("lnkNamePage"));
    const QString suffix = RunServices::classSuffix(name);
    if (!suffix.isEmpty())
        name.chop(3);
    if (m_auto && !page.selectedOption(NodeOption::OptURLNone))
        level.lengths = m_widths.addNameLength(name, level.lengths);
    if (page.selectedOption(NodeOption::ChkNewWindow))
        m_run.logLine(QStringLiteral("Warning: \"Open in New Window\" produces non-strict HTML (target=_blank).") + kSee
                      + description());

    QString kind = page.selectedOption(NodeOption::ChkNewWindow) ? QStringLiteral("e") : QStringLiteral("i");
    QString address;
    if (page.selectedOption(NodeOption::OptTypePageJS)) {
        kind = QStringLiteral("j");
        address = page.value(NodeOption::JS).toString();
    } else if (page.selectedOption(NodeOption::OptURLPageURLNormal)) {
        kind += u'w';
        address = page.value(NodeOption::URL).toString();
    } else if (page.selectedOption(NodeOption::OptURLPageMyWeb)) {
        m_run.checkPageFile(page, QStringLiteral("lnkFilMyWebPage"), description());
        address = page.value(NodeOption::FilMyWebPage).toString();
    } else if (page.selectedOption(NodeOption::OptURLNone)) {
        kind = QStringLiteral("nl");
    } else if (page.selectedOption(NodeOption::OptURLNoneInsertFile)) {
        kind = QStringLiteral("nl");
        const QString file = page.value(NodeOption::FilPageName).toString();
        if (file.trimmed().isEmpty())
            m_run.abortRun(QStringLiteral("Warning! You have not selected a file to insert in menu.") + kSee
                           + description());
        name = insertedFileText(page);
        if (name.isEmpty())
            m_run.abortRun(QStringLiteral("Warning! You have selected an empty file to insert in menu.") + kSee
                           + description());
    }
    if (page.selectedOption(NodeOption::ChkNoPageImage))
        kind += QStringLiteral("nm");
    if (address.contains(u'"'))
        m_run.abortRun(QStringLiteral("Javascript contains double quote") + kSee + description());
    if (address.contains(u'\r'))
        m_run.abortRun(QStringLiteral("Javascript contains a return") + kSee + description());

    const bool main = isMainLevel(level.id);
    const QString nameArg = nameArgument(name, page.selectedOption(NodeOption::ChkPageNameIsFunction));
    if (main) {
        // A page at the top level is drawn as a main-folder box whose anchor is a link.
        appendDataCall(out, m_mf, level.id, suffix + dropDownCode({}, true) + kind + QStringLiteral("nf"),
                  nameArg, address, level.width);
        writeEnd(out);
    } else {
        appendDataCall(out, m_lk, level.id, suffix + dropDownCode({}, false) + kind, nameArg, address,
                  level.width);
    }
}

void MenuSerialiser::writeAdvancedPage(QString &out, Level &level, const clsPage &page)
{
    const QString description = RunServices::nodeDescription(page);
    const auto text = [&](const char16_t *key) { return page.value(key).toString(); };

    if (page.selectedOption(NodeOption::OptURLCSK)) {
        m_run.setShopLinks(true);
        if (text(u"lnkCSKOptionChoice") == u"optCSKProductStatus") {
            level.id = nextSiblingId(level.id);
            const QString name = m_run.safeNodeName(page, QStringLiteral("lnkNamePage"));
            out += QStringLiteral("[%StatusLink(%%") + name + QStringLiteral("%%,%%") + level.id
                   + QStringLiteral("%%,0,True,%%normal%%)%]") + kCRLF;
            m_run.logLine(QStringLiteral("  Adding CSK status link to tree.") + kSee + description);
        } else {
            out += QStringLiteral("[%CSKDirectory(%%") + text(u"lnkCSKSku") + QStringLiteral("%%,%%")
                   + text(u"lnkCSKOptionChoice") + QStringLiteral("%%,%%") + level.id
                   + QStringLiteral("%%,0,True,%%normal%%)%]") + kCRLF;
            m_run.logLine(QStringLiteral("  Adding CSK links to tree.") + kSee + description);
        }
        return;
    }
    if (page.selectedOption(NodeOption::OptURLDNN)) {
        m_run.setPortalDirectory(true);
        QString options = text(u"lnkHarddiskOptionsPage");
        const QString base = options;
        if (base.contains(u"nmf||") && base.contains(u"rmf||")) {
            const QString header = insertedFileText(page);
            if (header.isEmpty())
                m_run.logLine(QStringLiteral("Warning! You have selected an empty file to insert as DNN header in "
                                             "place of main folder.")
                              + kSee + description);
            options += QStringLiteral("[#") + header + QStringLiteral("#]");
        }
        if (base.contains(u"ih||"))
            options += QStringLiteral("[$") + text(u"lnkChkPageDnnHeaderTemplate") + QStringLiteral("$]");
        out += QStringLiteral("[%DnnDirectory(%%") + text(u"lnkDNNTabID") + QStringLiteral("%%,%%") + options
               + QStringLiteral("%%,%%") + level.id + QStringLiteral("%%,0,%%2%%,%%") + level.width
               + QStringLiteral("%%,True,%%normal%%)%]") + kCRLF;
        level.id = advanceLastNumber(level.id, 100);
        m_run.logLine(QStringLiteral("  Adding DNN directory to tree.") + kSee + description);
        return;
    }
    if (page.selectedOption(NodeOption::OptURLHarddisk)) {
        const QString folder = text(u"lnkHarddiskDirPage");
        if (folder.trimmed().isEmpty()) {
            m_run.logLine(QStringLiteral("Ignoring node. Insert links from folder option selected, but you have "
                                         "not selected directory.")
                          + kSee + description);
            return;
        }
        const QString options = text(u"lnkHarddiskOptionsPage");
        if (options.contains(u"asp||")) {
            m_run.setServerDirectory(true);
            out += QStringLiteral("[%harddiskDirectory(%%") + m_run.raFolder(folder) + QStringLiteral("%%,%%")
                   + options + QStringLiteral("%%,%%") + text(u"lnkHarddiskIncludePage") + QStringLiteral("%%,%%")
                   + text(u"lnkHarddiskExcludePage") + QStringLiteral("%%,%%") + level.id
                   + QStringLiteral("%%,%%2%%,%%") + level.width + QStringLiteral("%%)%]") + kCRLF;
            level.id = advanceLastNumber(level.id, 500);
            m_run.logLine(QStringLiteral("Inserting ASP function in tree that adds the folder: ") + folder + kSee
                          + description);
            return;
        }
        if (m_expandFolder) {
            m_expandFolder(out, page, level);
        } else {
            m_run.logLine(QStringLiteral("Skipping the folder: ") + folder
                          + QStringLiteral("\n  Expanding a folder into the menu is not available in this version.")
                          + kSee + description);
        }
    }
}

void MenuSerialiser::serialiseNodes(QString &out, const clsNodes &nodes, QString &id, const QString &width)
{
    // Depth-first without recursion, so any nesting a project file holds can
    // be written; each level keeps its own id, width and name lengths.
    std::vector<Level> stack;
    const auto enter = [&](const clsNodes *n, const QString &levelId, const QString &levelWidth) {
        const QString w = levelWidthText(levelWidth);
        Level level;
        level.nodes = n;
        level.id = levelId;
        level.width = w;
        level.placeholder = w;
        level.lengths = AutomaticWidths::startLengths();
        level.start = out.size();
        stack.push_back(std::move(level));
    };
    enter(&nodes, id, width);
    while (true) {
        Level &level = stack.back();
        if (level.next > level.nodes->count()) {
            if (m_auto)
                m_widths.resolveTail(out, level.start, level.lengths, level.placeholder);
            const QString finishedId = level.id;
            stack.pop_back();
            if (stack.empty()) {
                id = finishedId;
                return;
            }
            writeEnd(out); // the folder that owned the finished level
            continue;
        }
        const MenuNode *node = level.nodes->item(level.next++);
        if (const clsFolder *folder = node->asFolder()) {
            QString childWidth;
            writeFolder(out, level, *folder, &childWidth);
            enter(&folder->nodes(), level.id + QStringLiteral("d0"), childWidth);
        } else if (const auto *page = dynamic_cast<const clsPage *>(node)) {
            writePage(out, level, *page);
        } else if (const auto *column = dynamic_cast<const clsColumn *>(node)) {
            writeColumn(out, level, *column);
        }
    }
}

} // namespace qwk
