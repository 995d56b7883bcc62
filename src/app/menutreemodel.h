#pragma once
// The menu tree as an item model: one row per node, the end-of-folder
// markers included, one column. Rows count from 0 and the tree's positions
// from 1; rowOf and nodeAt are the only places that convert. The model
// never changes the tree: the tree's announcements become the model's
// begin/end brackets, and a drop is handed to whoever installed the drop
// handler (the designer pushes a move command).

#include <QAbstractItemModel>
#include <functional>

namespace qwk {

class MenuTree;
class MenuNode;
class clsFolder;

class MenuTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role { KeyRole = Qt::UserRole + 1, ImageKeyRole };

    explicit MenuTreeModel(MenuTree &tree, QObject *parent = nullptr);

    MenuTree &tree() const { return m_tree; }

    // The node of an index; nullptr for the invisible root.
    static MenuNode *nodeOf(const QModelIndex &index);
    QModelIndex indexOf(const MenuNode *node) const;
    // The index of position pos (1-based) of folder.
    QModelIndex indexAt(const clsFolder *folder, int pos) const;
    // The folder whose rows are below parent.
    clsFolder *folderOf(const QModelIndex &parent) const;
    // The node's tree key ("n2n1"); keys are the position paths and are
    // worked out again after the tree changed shape.
    QString keyOf(const QModelIndex &index) const;
    QModelIndex indexOfKey(const QString &key) const;

    // The entry text and the picture's name as the tree shows them.
    static QString entryText(const MenuNode &node);
    static QString imageKey(const MenuNode &node);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Drag and drop of nodes within the tree.
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

    // Asked to move node before position `before` of folder `to`; true when it moved.
    using DropHandler = std::function<bool(MenuNode *node, clsFolder *to, int before)>;
    void setDropHandler(DropHandler handler) { m_dropHandler = std::move(handler); }
    // Where a drop at (row, parent) puts the node: the folder and the position.
    std::pair<clsFolder *, int> dropTarget(int row, const QModelIndex &parent) const;
    // Whether the tree's rules let node go to folder `to` (a column only to
    // the main menu, a folder never into itself).
    bool mayMoveTo(const MenuNode &node, const clsFolder &to) const;

private:
    MenuNode *decodeDragged(const QMimeData *data) const;
    void ensureKeys() const;

    MenuTree &m_tree;
    DropHandler m_dropHandler;
    mutable bool m_keysValid = false;
};

} // namespace qwk
