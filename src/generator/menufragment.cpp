#include "generator/menufragment.h"

#include "core/htmltext.h"
#include "generator/accessiblescript.h"
#include "generator/folderexpansion.h"
#include "generator/menuflags.h"
#include "generator/runservices.h"
#include "options/options.h"
#include "tree/nodes.h"

#include <vector>

namespace qwk {

struct MenuFragmentBuilder::Node {
    QString id;
    QString flags;
    QString name;
    QString address;
    bool folder = false;
    bool main = false;
    std::vector<std::unique_ptr<Node>> kids;
    std::vector<std::vector<Node *>> columns; // the root's
};

namespace {

bool hasFlag(const QString &flags, QStringView flag)
{
    return flags.contains(flag);
}

// The two characters after "cn": the class-name suffix.
QString classSuffix(const QString &flags)
{
    const qsizetype p = flags.indexOf(u"cn");
    return p < 0 ? QString() : flags.mid(p + 2, 2);
}

// The text of a bare argument that is one script string literal (as the
// folder listing writes names); false for any other expression.
bool stringLiteral(QStringView text, QString *value)
{
    if (text.size() < 2 || text.front() != u'"' || text.back() != u'"')
        return false;
    QString out;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"')
            return false;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i + 1 >= text.size())
            return false;
        const QChar e = text[i];
        if (e == u'n')
            out += u'\n';
        else if (e == u'r')
            out += u'\r';
        else if (e == u't')
            out += u'\t';
        else if ((e == u'u' || e == u'x') && i + (e == u'u' ? 4 : 2) < text.size()) {
            const int digits = e == u'u' ? 4 : 2;
            bool ok = false;
            const int code = text.mid(i + 1, digits).toInt(&ok, 16);
            if (!ok)
                return false;
            out += QChar(code);
            i += digits;
        } else
            out += e;
    }
    *value = out;
    return true;
}

QString attr(const QString &text)
{
    return htmlAttributeEscaped(text);
}

} // namespace

MenuFragmentBuilder::MenuFragmentBuilder(RunServices &run)
    : m_run(run), m_mf(run.scriptFunction(u"mf"_qs)), m_sf(run.scriptFunction(u"sf"_qs)),
      m_lk(run.scriptFunction(u"lk"_qs)), m_root(std::make_unique<Node>())
{
    m_root->columns.emplace_back();
    m_stack.push_back(m_root.get());
}

MenuFragmentBuilder::~MenuFragmentBuilder() = default;

void MenuFragmentBuilder::call(QStringView function, QStringView id, QStringView flags, QStringView name,
                               NameForm form, QStringView address, QStringView width)
{
    Q_UNUSED(width);
    auto node = std::make_unique<Node>();
    node->flags = flags.toString();
    const bool link = function == m_lk;
    node->id = link ? u"b"_qs + id.toString() : id.toString();
    node->folder = !link && !hasFlag(node->flags, u"nf");
    node->address = address.toString();
    QString text;
    if (form == NameForm::AsWritten && !stringLiteral(name, &text)) {
        ++m_unknownNames;
        text.clear();
    } else if (form != NameForm::AsWritten) {
        text = name.toString();
    }
    // A ";;" list of names in the page's languages: the script shows the
    // first when the page names no language it knows.
    if (m_run.projectOptions().isChecked(u"prjChkMultiLingual")) {
        const qsizetype cut = text.indexOf(u";;");
        if (cut >= 0)
            text.truncate(cut);
    }
    node->name = text;
    Node *parent = m_stack.back();
    node->main = parent == m_root.get();
    Node *raw = node.get();
    parent->kids.push_back(std::move(node));
    if (raw->main)
        m_root->columns.back().push_back(raw);
    if (!link)
        m_stack.push_back(raw);
}

void MenuFragmentBuilder::column()
{
    if (m_stack.size() == 1)
        m_root->columns.emplace_back();
}

void MenuFragmentBuilder::end()
{
    if (m_stack.size() > 1)
        m_stack.pop_back();
}

void MenuFragmentBuilder::writeNode(QString &out, const Node &n) const
{
    const clsOptions &opt = m_run.projectOptions();
    const QString cn = classSuffix(n.flags);
    // Looked up once per key: the lookup warns about a class the sheet lacks,
    // and that warning belongs in the log once, not once per entry.
    auto className = [this](const char16_t *key) {
        const QString k = QString::fromUtf16(key);
        auto it = m_classNames.constFind(k);
        if (it == m_classNames.constEnd())
            it = m_classNames.insert(k, attr(m_run.cssClassName(k)));
        return *it;
    };
    const QString id = attr(n.id);
    if (n.folder) {
        out += u"<li id=\"c"_qs + id + u"\" class=\""_qs + className(n.main ? u"MainFolderBox" : u"SubFolderBox") + cn
               + u"\">"_qs;
        out += u"<button type=\"button\" id=\"a"_qs + id + u"\" class=\""_qs
               + className(n.main ? u"MainFolderLine" : u"SubFolderLine") + cn
               + u"\" aria-expanded=\"true\" aria-controls=\""_qs + id + u"\">"_qs;
        out += n.name;
        if (opt.isChecked(n.main ? u"prjChkMFI" : u"prjChkSFI"))
            out += u"<img id=\"i"_qs + id + u"\" alt=\"\" src=\""_qs
                   + attr(opt.text(n.main ? u"prjFilMFOIMG" : u"prjFilSFOIMG")) + u"\" />"_qs;
        out += u"</button>\n<ul id=\""_qs + id + u"\" class=\""_qs
               + className(n.main ? u"MainFolderPage" : u"SubFolderPage") + u"\">\n"_qs;
        for (const auto &kid : n.kids)
            writeNode(out, *kid);
        out += u"</ul></li>\n"_qs;
        return;
    }
    const QString &k = n.flags;
    out += u"<li id=\"c"_qs + id + u"\" class=\""_qs
           + (n.main ? className(u"MainFolderBox") + cn : className(u"LinkBox") + cn + u' ' + className(u"LinkPage"))
           + u"\">"_qs;
    const QString line = (opt.isChecked(u"prjChkTopLinkCSS") && hasFlag(k, u"nf") ? className(u"MainFolderLine")
                                                                                  : className(u"LinkLine"))
                         + cn;
    QString tag;
    if (hasFlag(k, u"nl")) {
        tag = u"span"_qs;
        out += u"<span id=\"a"_qs + id + u"\" class=\""_qs + line + u"\">"_qs;
    } else if (hasFlag(k, u"j")) {
        tag = u"button"_qs;
        out += u"<button type=\"button\" id=\"a"_qs + id + u"\" class=\""_qs + line + u"\">"_qs;
    } else {
        tag = u"a"_qs;
        out += u"<a id=\"a"_qs + id + u"\" class=\""_qs + line + u"\" href=\""_qs + attr(n.address) + u'"';
        if (hasFlag(k, u"e"))
            out += u" target=\"_blank\" rel=\"noopener\""_qs;
        out += u'>';
    }
    if (opt.isChecked(u"prjChkPLI") && !hasFlag(k, u"nm") && !hasFlag(k, u"nl"))
        out += u"<img id=\"i"_qs + id + u"\" alt=\"\" src=\""_qs + attr(opt.text(u"prjFilPLIMG")) + u"\" />"_qs;
    out += n.name;
    if (tag == u"a" && hasFlag(k, u"e"))
        out += u"<span class=\"qwk-sr\"> (opens in a new window)</span>"_qs;
    out += u"</"_qs + tag + u"></li>\n"_qs;
}

QString MenuFragmentBuilder::html() const
{
    bool dropDown = false;
    for (const auto &kid : m_root->kids)
        dropDown = dropDown || hasFlag(kid->flags, u"dd");
    QString out = u"<nav id=\""_qs + accessibleMenuId(m_run) + u"\" class=\""_qs
                  + attr(m_run.cssClassName(u"MenuTreeBox"_qs))
                  + (dropDown ? u" qwk-menu qwk-dropdown"_qs : u" qwk-menu qwk-tree"_qs) + u"\" aria-label=\""_qs
                  + accessibleMenuLabel(m_run) + u"\" data-qwk-static=\"\">\n"_qs;
    for (const auto &column : m_root->columns) {
        out += u"<ul class=\"qwk-column\">\n"_qs;
        for (const Node *n : column)
            writeNode(out, *n);
        out += u"</ul>\n"_qs;
    }
    out += u"</nav>\n"_qs;
    return out;
}

QString accessibleFragmentPath(const QString &scriptPath)
{
    if (scriptPath.endsWith(u".js", Qt::CaseInsensitive))
        return scriptPath.chopped(3) + u".fragment.html"_qs;
    return scriptPath + u".fragment.html"_qs;
}

QString accessibleMenuFragment(RunServices &run, const clsFolder &root)
{
    run.clearTreeFlags();
    if (treeHasServerSections(root))
        return {};
    MenuFragmentBuilder builder(run);
    {
        DataCallObserverScope scope(&builder);
        HardDiskDirectory folders(run);
        MenuSerialiser serialiser(run);
        serialiser.setFolderExpansion(
            [&folders](QString &out, const clsPage &page, MenuSerialiser::LevelState &level) {
                folders.expandIntoMenu(out, page, level);
            });
        QString data;
        QString id = run.menuLetter() + u"1d0"_qs;
        serialiser.serialiseNodes(data, root.nodes(), id, QString());
    }
    if (run.needsServerControl())
        return {};
    return builder.html();
}

} // namespace qwk
