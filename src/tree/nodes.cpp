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
        if (d.kind == OptionKind::Text)
            l.initialText.push_back(d.isHeaderTemplate ? defaultDnnHeaderTemplate() : d.initialText);
        else if (d.kind == OptionKind::Choice && d.choiceDefault)
            l.initialChoices |= quint16(1u << store->size());
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

OptionNode::OptionNode(Kind kind, const Layout &layout, NodeOption nameOption, const QString &headerTemplate)
    : MenuNode(kind), m_nameSlot(qint8(layout.slot[int(nameOption)])), m_choices(layout.initialChoices),
      m_layout(&layout)
{
    Q_ASSERT(layout.text.size() <= kTextCapacity && layout.choice.size() <= kChoiceCapacity
             && layout.check.size() <= kCheckCapacity);
    const int headerSlot = layout.slot[int(NodeOption::ChkPageDnnHeaderTemplate)];
    // A template for another class name than the default is a value of the
    // node's own; the same string object is kept, not copied, as a large
    // project makes many pages with the same template.
    if (headerSlot >= 0)
        setTextAt(headerSlot, headerTemplate);
}

const QString &OptionNode::emptyText()
{
    static const QString empty;
    return empty;
}

void OptionNode::storeText(quint32 bit, const QString &v, const QString &initial)
{
    const size_t at = size_t(countBits(m_textMask & (bit - 1)));
    const bool stored = m_textMask & bit;
    // The initial value is not stored: it is the one the node shows when
    // nothing is. Null and empty differ here, so every reader sees what
    // was set.
    const bool initialValue = v.isNull() == initial.isNull()
                              && (v.constData() == initial.constData() ? v.size() == initial.size() : v == initial);
    if (initialValue) {
        if (stored) {
            m_texts.erase(m_texts.begin() + ptrdiff_t(at));
            m_textMask &= ~bit;
        }
    } else if (stored) {
        m_texts[at] = v;
    } else {
        // A name, an address and, in a project whose class name is not the
        // default, the header template: what most pages end up with.
        if (m_texts.capacity() == 0)
            m_texts.reserve(3);
        m_texts.insert(m_texts.begin() + ptrdiff_t(at), v);
        m_textMask |= bit;
    }
}

void OptionNode::setName(const QString &name)
{
    setTextAt(m_nameSlot, flattenLineBreaks(name));
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
        return textAt(slot);
    case OptionKind::Choice:
        return choiceAt(slot);
    case OptionKind::Check:
        return int(m_check[slot]);
    case OptionKind::Unknown:
        break;
    }
    return {};
}

void OptionNode::setChoiceAt(int slot, bool v)
{
    const quint16 bit = quint16(1u << slot);
    m_choices = v ? quint16(m_choices | bit) : quint16(m_choices & ~bit);
}

void OptionNode::clearChoiceGroup(int slot)
{
    // The options of one choice group exclude each other on a node.
    const auto cat = nodeOptionCatalogue();
    const QString &group = cat[m_layout->choice[slot]].control;
    for (size_t s = 0; s < m_layout->choice.size(); ++s) {
        if (int(s) != slot && cat[m_layout->choice[s]].control == group)
            setChoiceAt(int(s), false);
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
        setTextAt(slot, flattenLineBreaks(v.toString()));
        break;
    case OptionKind::Choice:
        setChoiceAt(slot, v.toBool());
        if (choiceAt(slot))
            clearChoiceGroup(slot);
        break;
    case OptionKind::Check:
        m_check[size_t(slot)] = qint16(v.toInt());
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
    : OptionNode(Kind::Folder, folderLayout(), NodeOption::NameFolder, defaultDnnHeaderTemplate()),
      m_nodes(std::make_unique<clsNodes>(this))
{
    m_nodes->addEOF();
}

clsPage::clsPage(const QString &headerTemplate)
    : OptionNode(Kind::Page, pageLayout(), NodeOption::NamePage, headerTemplate)
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
    f->setTextAt(f->layout().slot[int(NodeOption::NameFolder)], QStringLiteral("New Folder"));
    return static_cast<clsFolder *>(insert(std::move(f), index));
}

clsPage *clsNodes::addPage(int index, const QString &headerTemplate)
{
    auto p = std::make_unique<clsPage>(headerTemplate);
    p->setTextAt(p->layout().slot[int(NodeOption::NamePage)], QStringLiteral("New Page"));
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
