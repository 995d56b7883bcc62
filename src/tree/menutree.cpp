#include "tree/menutree.h"

#include "options/options.h"
#include "tree/treewalk.h"

#include <algorithm>
#include <vector>

namespace qwk {

MenuTree::MenuTree(QObject *parent)
    : QObject(parent),
      m_root(std::make_unique<clsFolder>()),
      m_mainFolderLineClass(QStringLiteral("MainFolderLine")),
      m_headerTemplate(defaultDnnHeaderTemplate())
{
}

MenuTree::~MenuTree() = default;

void MenuTree::replaceRoot(std::unique_ptr<clsFolder> root)
{
    Q_EMIT rootAboutToBeReplaced();
    m_root = root ? std::move(root) : std::make_unique<clsFolder>();
    Q_EMIT rootReplaced();
}

void MenuTree::setMainFolderLineClass(const QString &className)
{
    if (className == m_mainFolderLineClass)
        return;
    m_mainFolderLineClass = className;
    m_headerTemplate = dnnHeaderTemplate(className);
}

int MenuTree::positionOf(const MenuNode &node)
{
    const clsFolder *parent = node.parent();
    return parent ? parent->nodes().indexOf(&node) : 0;
}

int MenuTree::clampedPosition(const clsFolder &parent, int pos)
{
    // Never past the end-of-folder marker, which stays last.
    return std::clamp(pos, 1, parent.nodes().count());
}

MenuNode *MenuTree::insertNew(clsFolder &parent, int pos, std::unique_ptr<MenuNode> node)
{
    pos = clampedPosition(parent, pos);
    MenuNode *raw = node.get();
    Q_EMIT aboutToInsert(&parent, pos, pos);
    parent.nodes().addItem(std::move(node), pos);
    Q_EMIT inserted(&parent, pos, pos);
    return raw;
}

clsFolder *MenuTree::insertFolder(clsFolder &parent, int pos)
{
    auto folder = std::make_unique<clsFolder>();
    folder->setName(QStringLiteral("New Folder"));
    folder->setOpen(true);
    auto *raw = static_cast<clsFolder *>(insertNew(parent, pos, std::move(folder)));
    Q_EMIT changed();
    return raw;
}

clsPage *MenuTree::insertPage(clsFolder &parent, int pos)
{
    auto page = std::make_unique<clsPage>(m_headerTemplate);
    page->setName(QStringLiteral("New Page"));
    auto *raw = static_cast<clsPage *>(insertNew(parent, pos, std::move(page)));
    Q_EMIT changed();
    return raw;
}

TreeEdit MenuTree::insertColumn(clsFolder &parent, int pos)
{
    if (&parent != m_root.get())
        return {nullptr, kColumnsInMainMenu};
    MenuNode *raw = insertNew(parent, pos, std::make_unique<clsColumn>());
    Q_EMIT changed();
    return {raw, {}};
}

std::unique_ptr<MenuNode> MenuTree::take(clsFolder &parent, int pos)
{
    const MenuNode *node = parent.nodes().item(pos);
    if (!node || node->isEndMarker())
        return nullptr;
    Q_EMIT aboutToRemove(&parent, pos, pos);
    std::unique_ptr<MenuNode> taken = parent.nodes().take(pos);
    Q_EMIT removed(&parent, pos, pos);
    Q_EMIT changed();
    return taken;
}

TreeEdit MenuTree::put(clsFolder &parent, int pos, std::unique_ptr<MenuNode> &&node)
{
    if (!node || node->isEndMarker())
        return {};
    if (node->asColumn() && &parent != m_root.get())
        return {nullptr, kColumnsInMainMenu};
    MenuNode *raw = insertNew(parent, pos, std::move(node));
    Q_EMIT changed();
    return {raw, {}};
}

TreeEdit MenuTree::move(clsFolder &from, int pos, clsFolder &to, int before)
{
    MenuNode *node = from.nodes().item(pos);
    if (!node || node->isEndMarker())
        return {};
    if (node->asFolder()) {
        for (const clsFolder *f = &to; f; f = f->parent()) {
            if (f == node)
                return {nullptr, kFolderIntoItself};
        }
    }
    if (node->asColumn() && &to != m_root.get())
        return {nullptr, kColumnsInMainMenu};
    before = clampedPosition(to, before);
    if (&from == &to && (before == pos || before == pos + 1))
        return {node, {}}; // already there
    Q_EMIT aboutToRemove(&from, pos, pos);
    std::unique_ptr<MenuNode> taken = from.nodes().take(pos);
    Q_EMIT removed(&from, pos, pos);
    // The positions after the taken node moved up by one.
    if (&from == &to && before > pos)
        --before;
    insertNew(to, before, std::move(taken));
    Q_EMIT changed();
    return {node, {}};
}

std::unique_ptr<MenuNode> MenuTree::copy(const MenuNode &node) const
{
    const auto copyOne = [this](const MenuNode &source) -> std::unique_ptr<MenuNode> {
        if (const clsColumn *c = source.asColumn()) {
            auto column = std::make_unique<clsColumn>();
            column->load(c->width(), QStringLiteral("0"));
            return column;
        }
        if (const clsPage *p = source.asPage()) {
            auto page = std::make_unique<clsPage>(m_headerTemplate);
            page->copyProperties(*p);
            return page;
        }
        if (const clsFolder *f = source.asFolder()) {
            auto folder = std::make_unique<clsFolder>(); // closed, whatever the source is
            folder->copyProperties(*f);
            return folder;
        }
        return nullptr;
    };
    std::unique_ptr<MenuNode> top = copyOne(node);
    if (!top || !top->asFolder())
        return top;
    // The walk needs no recursion, so a subtree nested thousands deep is copied.
    struct Copier {
        decltype(copyOne) &copyNode;
        clsFolder *lastCopied; // the copy of the folder the walk enters next
        std::vector<clsFolder *> targets; // copies of the folders being walked, innermost last
        void enterFolder(const clsFolder &, int) { targets.push_back(lastCopied); }
        void leaveFolder(const clsFolder &, int) { targets.pop_back(); }
        void node(const MenuNode &source, int, int)
        {
            std::unique_ptr<MenuNode> c = copyNode(source);
            lastCopied = c->asFolder();
            clsNodes &to = targets.back()->nodes();
            to.addItem(std::move(c), to.count()); // before the copy's own marker
        }
    };
    walkTree(*node.asFolder(), Copier{copyOne, top->asFolder(), {}});
    return top;
}

TreeEdit MenuTree::setValue(MenuNode &node, const QString &key, const QVariant &value)
{
    if (node.setValue(key, value)) {
        Q_EMIT nodeChanged(&node, key);
        Q_EMIT changed();
        return {&node, {}};
    }
    if (node.asColumn()) {
        // A column asked for a key it lacks still counts as an edit.
        Q_EMIT changed();
        return {nullptr, QStringLiteral("Debug.cslColumn.value: No tag ") + key};
    }
    return {};
}

void connectToProject(MenuTree &tree, clsOptions &options)
{
    QObject::connect(&tree, &MenuTree::changed, &options, &clsOptions::markProjectChanged);
    tree.setMainFolderLineClass(options.mainFolderLineClass());
    QObject::connect(&options, &clsOptions::valueChanged, &tree, [&tree, &options](const QString &key) {
        if (key == u"prjCNMainFolderLine")
            tree.setMainFolderLineClass(options.mainFolderLineClass());
    });
}

} // namespace qwk
