#pragma once
// The tree edits as undo steps. An edit the tree refuses (its callers
// check the rules first and say why) makes its step obsolete, and the stack
// drops it. Each acts only through MenuTree, so the model and every view
// follow; a node that is out of the tree while its step is undone (an
// insertion) or done (a removal) is owned by the step, so the folders the
// other steps point at always exist.

#include <QUndoCommand>
#include <memory>

namespace qwk {

class ProjectDocument;
class MenuNode;
class clsFolder;

// The base: runs the edit inside the document's command scope and tells
// which node the edit leaves selected.
class TreeCommand : public QUndoCommand {
public:
    void redo() final;
    void undo() final;

protected:
    TreeCommand(ProjectDocument &doc, const QString &text);
    virtual void doRedo() = 0;
    virtual void doUndo() = 0;
    ProjectDocument &m_doc;
};

// A new folder, page or column before position pos of parent.
class InsertNodeCommand : public TreeCommand {
public:
    enum class Kind { Folder, Page, Column };
    InsertNodeCommand(ProjectDocument &doc, Kind kind, clsFolder &parent, int pos);

private:
    void doRedo() override;
    void doUndo() override;
    Kind m_kind;
    clsFolder &m_parent;
    int m_pos;
    MenuNode *m_node = nullptr;
    std::unique_ptr<MenuNode> m_out;
};

// Cut and delete: the node at pos of parent leaves the tree.
class RemoveNodeCommand : public TreeCommand {
public:
    RemoveNodeCommand(ProjectDocument &doc, clsFolder &parent, int pos, const QString &text);

private:
    void doRedo() override;
    void doUndo() override;
    clsFolder &m_parent;
    int m_pos;
    std::unique_ptr<MenuNode> m_out;
};

// Paste: an independent copy goes in before pos of parent.
class PasteNodeCommand : public TreeCommand {
public:
    PasteNodeCommand(ProjectDocument &doc, clsFolder &parent, int pos, std::unique_ptr<MenuNode> copy);

private:
    void doRedo() override;
    void doUndo() override;
    clsFolder &m_parent;
    int m_pos;
    MenuNode *m_node;
    std::unique_ptr<MenuNode> m_out;
};

// Drag and drop: the node at pos of from goes before position `before` of
// to (positions as they stand before the move).
class MoveNodeCommand : public TreeCommand {
public:
    MoveNodeCommand(ProjectDocument &doc, clsFolder &from, int pos, clsFolder &to, int before);

private:
    void doRedo() override;
    void doUndo() override;
    clsFolder &m_from;
    int m_pos;
    clsFolder &m_to;
    int m_before;
    MenuNode *m_node = nullptr;
};

} // namespace qwk
