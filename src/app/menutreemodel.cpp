#include "app/menutreemodel.h"

#include "app/treeicons.h"
#include "tree/menutree.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <vector>

namespace qwk {

namespace {

const QString kNodeMime = QStringLiteral("application/x-quenwick-node-path");

} // namespace

MenuTreeModel::MenuTreeModel(MenuTree &tree, QObject *parent) : QAbstractItemModel(parent), m_tree(tree)
{
    // Positions in the announcements are 1-based and valid when they are sent.
    connect(&tree, &MenuTree::aboutToInsert, this, [this](clsFolder *folder, int first, int last) {
        beginInsertRows(indexOf(folder), first - 1, last - 1);
    });
    connect(&tree, &MenuTree::inserted, this, [this] {
        m_keysValid = false;
        endInsertRows();
    });
    connect(&tree, &MenuTree::aboutToRemove, this, [this](clsFolder *folder, int first, int last) {
        beginRemoveRows(indexOf(folder), first - 1, last - 1);
    });
    connect(&tree, &MenuTree::removed, this, [this] {
        m_keysValid = false;
        endRemoveRows();
    });
    connect(&tree, &MenuTree::rootAboutToBeReplaced, this, [this] { beginResetModel(); });
    connect(&tree, &MenuTree::rootReplaced, this, [this] {
        m_keysValid = false;
        endResetModel();
    });
    connect(&tree, &MenuTree::nodeChanged, this, [this](MenuNode *node, const QString &) {
        const QModelIndex i = indexOf(node);
        if (i.isValid())
            Q_EMIT dataChanged(i, i, {Qt::DisplayRole, Qt::DecorationRole});
    });
}

MenuNode *MenuTreeModel::nodeOf(const QModelIndex &index)
{
    return index.isValid() ? static_cast<MenuNode *>(index.internalPointer()) : nullptr;
}

QModelIndex MenuTreeModel::indexOf(const MenuNode *node) const
{
    if (!node || node == &m_tree.root() || !node->parent())
        return {};
    return createIndex(MenuTree::positionOf(*node) - 1, 0, const_cast<MenuNode *>(node));
}

QModelIndex MenuTreeModel::indexAt(const clsFolder *folder, int pos) const
{
    if (!folder)
        return {};
    return indexOf(folder->nodes().item(pos));
}

clsFolder *MenuTreeModel::folderOf(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return &m_tree.root();
    return nodeOf(parent)->asFolder();
}

QModelIndex MenuTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    const clsFolder *folder = folderOf(parent);
    if (!folder)
        return {};
    MenuNode *node = folder->nodes().item(row + 1);
    return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex MenuTreeModel::parent(const QModelIndex &index) const
{
    const MenuNode *node = nodeOf(index);
    return node ? indexOf(node->parent()) : QModelIndex();
}

int MenuTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const clsFolder *folder = folderOf(parent);
    return folder ? folder->nodes().count() : 0;
}

int MenuTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QString MenuTreeModel::entryText(const MenuNode &node)
{
    if (const clsColumn *c = node.asColumn())
        return c->width();
    if (node.isEndMarker()) {
        const clsFolder *parent = node.parent();
        return parent && parent->parent() ? QStringLiteral("end of folder") : QStringLiteral("end of tree");
    }
    return static_cast<const OptionNode &>(node).name();
}

QString MenuTreeModel::imageKey(const MenuNode &node)
{
    if (const clsFolder *f = node.asFolder())
        return f->isOpen() ? QStringLiteral("ob") : QStringLiteral("cb");
    if (node.asPage())
        return QStringLiteral("page");
    if (node.asColumn())
        return QStringLiteral("column");
    return QStringLiteral("stop");
}

void MenuTreeModel::ensureKeys() const
{
    if (m_keysValid)
        return;
    assignTreeKeys(m_tree.root());
    m_keysValid = true;
}

QString MenuTreeModel::keyOf(const QModelIndex &index) const
{
    const MenuNode *node = nodeOf(index);
    if (!node)
        return {};
    ensureKeys();
    return node->key();
}

QModelIndex MenuTreeModel::indexOfKey(const QString &key) const
{
    // A key is "n" + position for each level.
    const QStringList parts = key.split(u'n', Qt::SkipEmptyParts);
    const clsFolder *folder = &m_tree.root();
    const MenuNode *node = nullptr;
    for (const QString &part : parts) {
        if (!folder)
            return {};
        bool ok = false;
        node = folder->nodes().item(part.toInt(&ok));
        if (!ok || !node)
            return {};
        folder = node->asFolder();
    }
    return indexOf(node);
}

QVariant MenuTreeModel::data(const QModelIndex &index, int role) const
{
    const MenuNode *node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return entryText(*node);
    case Qt::DecorationRole:
        return treeIcon(imageKey(*node));
    case KeyRole:
        return keyOf(index);
    case ImageKeyRole:
        return imageKey(*node);
    default:
        return {};
    }
}

Qt::ItemFlags MenuTreeModel::flags(const QModelIndex &index) const
{
    const MenuNode *node = nodeOf(index);
    if (!node)
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (!node->isEndMarker())
        f |= Qt::ItemIsDragEnabled;
    return f;
}

QStringList MenuTreeModel::mimeTypes() const
{
    return {kNodeMime};
}

QMimeData *MenuTreeModel::mimeData(const QModelIndexList &indexes) const
{
    // The node travels as its path of positions, which stays meaningful
    // however the drop is delivered.
    if (indexes.size() != 1 || !nodeOf(indexes.first()) || nodeOf(indexes.first())->isEndMarker())
        return nullptr;
    std::vector<int> path;
    for (const MenuNode *n = nodeOf(indexes.first()); n && n->parent(); n = n->parent())
        path.insert(path.begin(), MenuTree::positionOf(*n));
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(path.size());
    for (int p : path)
        out << qint32(p);
    auto *mime = new QMimeData;
    mime->setData(kNodeMime, bytes);
    return mime;
}

MenuNode *MenuTreeModel::decodeDragged(const QMimeData *data) const
{
    if (!data || !data->hasFormat(kNodeMime))
        return nullptr;
    QDataStream in(data->data(kNodeMime));
    qint32 n = 0;
    in >> n;
    const clsFolder *folder = &m_tree.root();
    MenuNode *node = nullptr;
    for (qint32 i = 0; i < n; ++i) {
        qint32 pos = 0;
        in >> pos;
        if (in.status() != QDataStream::Ok || !folder)
            return nullptr;
        node = folder->nodes().item(pos);
        if (!node)
            return nullptr;
        folder = node->asFolder();
    }
    return node && !node->isEndMarker() ? node : nullptr;
}

std::pair<clsFolder *, int> MenuTreeModel::dropTarget(int row, const QModelIndex &parent) const
{
    if (row >= 0) {
        clsFolder *folder = folderOf(parent);
        return {folder, folder ? row + 1 : 0};
    }
    // Dropped on an entry: into a folder at its end, otherwise before the
    // entry, as an insertion would put it.
    MenuNode *onto = nodeOf(parent);
    if (!onto)
        return {&m_tree.root(), m_tree.root().nodes().count()};
    if (clsFolder *f = onto->asFolder())
        return {f, f->nodes().count()};
    return {onto->parent(), MenuTree::positionOf(*onto)};
}

bool MenuTreeModel::mayMoveTo(const MenuNode &node, const clsFolder &to) const
{
    if (node.asColumn() && &to != &m_tree.root())
        return false;
    if (node.asFolder()) {
        for (const clsFolder *f = &to; f; f = f->parent()) {
            if (f == &node)
                return false;
        }
    }
    return true;
}

bool MenuTreeModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                    const QModelIndex &parent) const
{
    if (action != Qt::MoveAction || column > 0)
        return false;
    const MenuNode *node = decodeDragged(data);
    const auto [to, before] = dropTarget(row, parent);
    return node && to && mayMoveTo(*node, *to);
}

bool MenuTreeModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                 const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent) || !m_dropHandler)
        return false;
    const auto [to, before] = dropTarget(row, parent);
    m_dropHandler(decodeDragged(data), to, before);
    // The move (if any) is done; the view must not remove the source rows.
    return false;
}

} // namespace qwk
