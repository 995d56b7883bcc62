#include "tree/nodes.h"

#include "core/textfile.h"
#include "options/options.h"
#include "tree/treewalk.h"

#include <algorithm>

namespace qwk {

namespace {

OptionNode::Layout makeLayout(bool folder)
{
    OptionNode::Layout l;
    l.slot.fill(-1);
    l.kind.fill(OptionKind::Unknown);
    const auto cat = nodeOptionCatalogue();
    for (int i = 0; i < kNodeOptionCount; ++i) {
        const NodeOptionDef &d = cat[i];
        if (!(folder ? d.folder : d.page))
            continue;
        std::vector<int> *store = d.kind == OptionKind::Text     ? &l.text
                                  : d.kind == OptionKind::Choice ? &l.choice
                                                                 : &l.check;
        l.slot[i] = int(store->size());
        l.kind[i] = d.kind;
        store->push_back(i);
    }
    return l;
}

const OptionNode::Layout &folderLayout()
{
    static const OptionNode::Layout l = makeLayout(true);
    return l;
}

const OptionNode::Layout &pageLayout()
{
    static const OptionNode::Layout l = makeLayout(false);
    return l;
}

} // namespace

MenuNode::~MenuNode() = default;

OptionNode::OptionNode(Kind kind, const Layout &layout, QStringView nameKey, const QString &headerTemplate)
    : MenuNode(kind), m_layout(&layout)
{
    Q_ASSERT(layout.text.size() <= kTextCapacity && layout.choice.size() <= kChoiceCapacity
             && layout.check.size() <= kCheckCapacity);
    const auto cat = nodeOptionCatalogue();
    for (size_t s = 0; s < layout.text.size(); ++s) {
        const NodeOptionDef &d = cat[layout.text[s]];
        // The caller's string is shared, not copied: a large project makes
        // many pages with the same template.
        m_text[s] = d.isHeaderTemplate ? headerTemplate : d.initialText;
    }
    for (size_t s = 0; s < layout.choice.size(); ++s)
        m_choice[s] = cat[layout.choice[s]].choiceDefault;
    m_nameSlot = layout.slot[nodeOptionIndex(nameKey)];
}

QString OptionNode::name() const
{
    return m_text[m_nameSlot];
}

void OptionNode::setName(const QString &name)
{
    m_text[m_nameSlot] = flattenLineBreaks(name);
}

int OptionNode::Index(QStringView key) const
{
    const int i = nodeOptionIndex(key);
    return i < 0 ? -1 : m_layout->slot[i];
}

bool OptionNode::carriesOption(QStringView key) const
{
    return Index(key) >= 0;
}

QVariant OptionNode::value(QStringView key) const
{
    const int i = nodeOptionIndex(key);
    return i < 0 ? QVariant() : value(NodeOption(i));
}

QVariant OptionNode::value(NodeOption option) const
{
    const int i = int(option);
    const int slot = m_layout->slot[i];
    if (slot < 0)
        return {};
    switch (nodeOptionCatalogue()[i].kind) {
    case OptionKind::Text:
        return m_text[slot];
    case OptionKind::Choice:
        return bool(m_choice[slot]);
    case OptionKind::Check:
        return int(m_check[slot]);
    case OptionKind::Unknown:
        break;
    }
    return {};
}

const QString &OptionNode::textValue(NodeOption option) const
{
    static const QString empty;
    const int i = int(option);
    return m_layout->kind[i] == OptionKind::Text ? m_text[m_layout->slot[i]] : empty;
}

void OptionNode::setChoiceAt(int slot, bool v)
{
    m_choice[slot] = v;
}

void OptionNode::clearChoiceGroup(int slot)
{
    // The options of one choice group exclude each other on a node.
    const auto cat = nodeOptionCatalogue();
    const QString &group = cat[m_layout->choice[slot]].control;
    for (size_t s = 0; s < m_layout->choice.size(); ++s) {
        if (int(s) != slot && cat[m_layout->choice[s]].control == group)
            m_choice[s] = false;
    }
}

bool OptionNode::setValue(QStringView key, const QVariant &v)
{
    const int i = nodeOptionIndex(key);
    if (i < 0)
        return false;
    const int slot = m_layout->slot[i];
    if (slot < 0)
        return false;
    switch (nodeOptionCatalogue()[i].kind) {
    case OptionKind::Text:
        m_text[slot] = flattenLineBreaks(v.toString());
        break;
    case OptionKind::Choice:
        m_choice[slot] = v.toBool();
        if (m_choice[slot])
            clearChoiceGroup(slot);
        break;
    case OptionKind::Check:
        m_check[slot] = qint16(v.toInt());
        break;
    case OptionKind::Unknown:
        return false;
    }
    return true;
}

bool OptionNode::selectedOption(QStringView key) const
{
    const int i = nodeOptionIndex(key);
    return i >= 0 && selectedOption(NodeOption(i));
}

bool OptionNode::selectedOption(NodeOption option) const
{
    const int i = int(option);
    const int slot = m_layout->slot[i];
    switch (m_layout->kind[i]) {
    case OptionKind::Choice:
        return m_choice[slot];
    case OptionKind::Check:
        return m_check[slot] == 1;
    default:
        return false;
    }
}

void OptionNode::copyProperties(const OptionNode &source)
{
    const auto cat = nodeOptionCatalogue();
    for (const std::vector<int> *store : {&m_layout->text, &m_layout->choice, &m_layout->check}) {
        for (int ci : *store) {
            const QVariant v = source.value(cat[ci].key);
            if (v.isValid())
                setValue(cat[ci].key, v);
        }
    }
}

PropertyFrame OptionNode::loadoptions(clsOptions &options) const
{
    const bool folder = asFolder() != nullptr;
    PropertyFrame f;
    f.frame = folder ? QStringLiteral("frameFolderMain") : QStringLiteral("FramePageMain");
    const QString typeGroup = folder ? QStringLiteral("optTypeFolder") : QStringLiteral("optTypePage");
    LoadingOptionsGuard loading(&options);
    const auto cat = nodeOptionCatalogue();
    for (int i = 0; i < kNodeOptionCount; ++i) {
        const int slot = m_layout->slot[i];
        if (slot < 0)
            continue;
        const NodeOptionDef &d = cat[i];
        const QVariant v = value(d.key);
        options.setControlValue(d.key, v);
        if (d.kind == OptionKind::Choice && d.control == typeGroup && v.toBool())
            f.subFrameKey = d.key;
        // These four are set in the page options dialog and only shown when on.
        if (!folder && d.kind == OptionKind::Check
            && (d.key == u"lnkChkNewWindow" || d.key == u"lnkChkPageNameIsHiddenJavascript"
                || d.key == u"lnkChkPageNameIsFunction" || d.key == u"lnkChkNoPageImage"))
            (v.toInt() == 1 ? f.shownChecks : f.hiddenChecks).append(d.key);
    }
    return f;
}

PropertyFrame clsColumn::loadoptions(clsOptions &options) const
{
    LoadingOptionsGuard loading(&options);
    options.setControlValue(u"lnkColWidth", m_width);
    options.setControlValue(u"lnkChkColValue", chkColValue());
    return {QStringLiteral("frameColumn"), {}, {}, {}};
}

clsFolder::clsFolder()
    : OptionNode(Kind::Folder, folderLayout(), u"lnkNameFolder", defaultDnnHeaderTemplate()),
      m_nodes(std::make_unique<clsNodes>(this))
{
    m_nodes->addEOF();
}

clsPage::clsPage(const QString &headerTemplate)
    : OptionNode(Kind::Page, pageLayout(), u"lnkNamePage", headerTemplate)
{
}

void clsColumn::setWidth(const QString &w)
{
    m_width = flattenLineBreaks(w);
}

void clsColumn::setChkColValue(int v)
{
    m_flag = QString::number(qint16(v));
}

QVariant clsColumn::value(QStringView key) const
{
    if (key == u"lnkColWidth")
        return m_width;
    if (key == u"lnkChkColValue")
        return chkColValue();
    return {};
}

bool clsColumn::setValue(QStringView key, const QVariant &v)
{
    if (key == u"lnkColWidth")
        setWidth(v.toString());
    else if (key == u"lnkChkColValue")
        setChkColValue(v.toInt());
    else
        return false;
    return true;
}

clsNodes::~clsNodes()
{
    // Without recursion, as a project may nest folders thousands deep: each
    // folder below is emptied once the walk has left it, so by the time a
    // folder is destroyed nothing is left below it.
    struct Emptier {
        void leaveFolder(clsFolder &f, int) { f.nodes().m_items.clear(); }
    };
    for (const auto &item : m_items) {
        if (clsFolder *f = item->asFolder())
            walkTree(*f, Emptier{});
    }
}

MenuNode *clsNodes::item(int index) const
{
    if (index < 1 || index > count())
        return nullptr;
    return m_items[size_t(index - 1)].get();
}

MenuNode *clsNodes::insert(std::unique_ptr<MenuNode> node, int index)
{
    const int pos = std::clamp(index, 1, count() + 1) - 1;
    MenuNode *raw = node.get();
    raw->m_parent = m_owner;
    m_items.insert(m_items.begin() + pos, std::move(node));
    return raw;
}

int clsNodes::indexOf(const MenuNode *node) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].get() == node)
            return int(i) + 1;
    }
    return 0;
}

clsFolder *clsNodes::addFolder(int index)
{
    auto f = std::make_unique<clsFolder>();
    f->setTextAt(f->layout().slot[nodeOptionIndex(u"lnkNameFolder")], QStringLiteral("New Folder"));
    return static_cast<clsFolder *>(insert(std::move(f), index));
}

clsPage *clsNodes::addPage(int index, const QString &headerTemplate)
{
    auto p = std::make_unique<clsPage>(headerTemplate);
    p->setTextAt(p->layout().slot[nodeOptionIndex(u"lnkNamePage")], QStringLiteral("New Page"));
    return static_cast<clsPage *>(insert(std::move(p), index));
}

clsColumn *clsNodes::addColumn(int index)
{
    return static_cast<clsColumn *>(insert(std::make_unique<clsColumn>(), index));
}

clsEOF *clsNodes::addEOF()
{
    return static_cast<clsEOF *>(insert(std::make_unique<clsEOF>(), count() + 1));
}

void clsNodes::addItem(std::unique_ptr<MenuNode> node, int index)
{
    insert(std::move(node), index);
}

void clsNodes::addToEnd(std::unique_ptr<MenuNode> node)
{
    insert(std::move(node), count() + 1);
}

void clsNodes::remove(int index)
{
    // A folder's collection tears its subtree down without recursion.
    take(index);
}

std::unique_ptr<MenuNode> clsNodes::take(int index)
{
    if (index < 1 || index > count())
        return nullptr;
    auto node = std::move(m_items[size_t(index - 1)]);
    m_items.erase(m_items.begin() + (index - 1));
    node->m_parent = nullptr;
    return node;
}

void assignTreeKeys(clsFolder &root)
{
    // A folder's key is set before the walk enters it.
    forEachNode<EndMarkers::Visit>(root, [&root](MenuNode &n, int, int position) {
        const clsFolder *parent = n.parent();
        n.setKey((parent == &root ? QString() : parent->key()) + u'n' + QString::number(position));
    });
}

int menuDepth(const clsFolder &root)
{
    int deepest = 0;
    forEachNode(root, [&deepest](const MenuNode &, int depth, int) { deepest = std::max(deepest, depth); });
    return deepest;
}

} // namespace qwk
