#pragma once
// The menu tree of an open project as its editors see it: the owner of the
// root folder, the one place through which the tree is edited, and the one
// that tells about it. Every structural change is announced as a pair (the
// about-to signal, then the done signal with the same arguments), positions
// 1-based as the collections count them and valid when the signal is sent;
// every edit also sends changed(), which the project's owner connects once
// to the option store's change mark (connectToProject).
//
// Reading a project does not go through here: the reader fills a folder that
// no one is looking at, and replaceRoot hands it over with one reset pair.

#include "tree/nodes.h"

#include <QObject>
#include <QString>
#include <memory>

namespace qwk {

class clsOptions;

// The message of the rule that columns live only in the main menu.
inline const QString kColumnsInMainMenu = QStringLiteral("Columns must be in main menu");
inline const QString kFolderIntoItself = QStringLiteral("A folder cannot be moved into itself or into one of its folders");

// What an edit did: the node it inserted, put or moved, or why it refused
// (refusal is then the message for the person, and nothing changed).
struct TreeEdit {
    MenuNode *node = nullptr;
    QString refusal;
    bool ok() const { return node && refusal.isEmpty(); }
};

class MenuTree : public QObject {
    Q_OBJECT
public:
    explicit MenuTree(QObject *parent = nullptr);
    ~MenuTree() override;

    clsFolder &root() { return *m_root; }
    const clsFolder &root() const { return *m_root; }
    // Takes a tree that was built elsewhere (a project just read) in place of
    // the current one, announced as one reset.
    void replaceRoot(std::unique_ptr<clsFolder> root);

    // The class name of the project's main folder lines, which the portal
    // header template of a new page names.
    void setMainFolderLineClass(const QString &className);
    const QString &newPageHeaderTemplate() const { return m_headerTemplate; }

    // 1-based position of node in its parent's collection; 0 for the root and
    // for a node out of the tree.
    static int positionOf(const MenuNode &node);

    // New nodes go before position pos of parent's collection; a position past
    // the end-of-folder marker means before the marker. A new folder starts
    // open, a new folder or page with its default name.
    clsFolder *insertFolder(clsFolder &parent, int pos);
    clsPage *insertPage(clsFolder &parent, int pos);
    // Refused below the main menu (kColumnsInMainMenu).
    TreeEdit insertColumn(clsFolder &parent, int pos);

    // Takes the node at pos out of the tree; the caller owns it. nullptr (and
    // nothing announced) for the end-of-folder marker or a position out of range.
    std::unique_ptr<MenuNode> take(clsFolder &parent, int pos);
    // Puts a node that is out of the tree before pos. Refused for a column
    // below the main menu and for an end-of-folder marker: the node then
    // stays with the caller.
    TreeEdit put(clsFolder &parent, int pos, std::unique_ptr<MenuNode> &&node);
    // Moves the node at pos of from to before the node now at `before` of to
    // (positions as they stand before the move), announced as a take and a
    // put. Refused for a folder into itself or below itself, for the marker
    // and for a column below the main menu. Moving a node onto its own place
    // changes nothing and announces nothing.
    TreeEdit move(clsFolder &from, int pos, clsFolder &to, int before);

    // A deep copy out of any tree, without announcements: folders with their
    // whole subtree, closed; a column keeps its width, not its width flag.
    // nullptr for an end-of-folder marker.
    std::unique_ptr<MenuNode> copy(const MenuNode &node) const;

    // Stores a value on node and announces it. Refused (nothing stored, and
    // for a column the debug message as refusal) for a key the node does
    // not carry; a column write marks the project changed even then.
    TreeEdit setValue(MenuNode &node, const QString &key, const QVariant &value);

Q_SIGNALS:
    void aboutToInsert(qwk::clsFolder *parent, int first, int last);
    void inserted(qwk::clsFolder *parent, int first, int last);
    void aboutToRemove(qwk::clsFolder *parent, int first, int last);
    void removed(qwk::clsFolder *parent, int first, int last);
    void nodeChanged(qwk::MenuNode *node, const QString &key);
    void rootAboutToBeReplaced();
    void rootReplaced();
    // After every edit: the project now differs from its file.
    void changed();

private:
    MenuNode *insertNew(clsFolder &parent, int pos, std::unique_ptr<MenuNode> node);
    static int clampedPosition(const clsFolder &parent, int pos);

    std::unique_ptr<clsFolder> m_root;
    QString m_mainFolderLineClass;
    QString m_headerTemplate;
};

// The owner's wiring between a project's tree and its option store: tree
// edits mark the project changed, and new pages follow the class name option.
void connectToProject(MenuTree &tree, clsOptions &options);

} // namespace qwk
