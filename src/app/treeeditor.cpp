#include "app/treeeditor.h"

#include "app/projectdocument.h"
#include "app/treecommands.h"
#include "core/prompt.h"

namespace qwk {

TreeEditor::TreeEditor(ProjectDocument &doc) : m_doc(doc) {}

TreeEditor::~TreeEditor() = default;

bool TreeEditor::editTree(const QString &action, MenuNode *selected)
{
    if (!selected || !selected->parent())
        return false;
    clsFolder &parent = *selected->parent();
    const int pos = MenuTree::positionOf(*selected);
    MenuTree &tree = m_doc.tree();
    QUndoStack &undo = m_doc.undoStack();
    const int before = undo.count();
    const bool isRoot = &parent == &tree.root();

    if (action == u"insertFolder") {
        undo.push(new InsertNodeCommand(m_doc, InsertNodeCommand::Kind::Folder, parent, pos));
    } else if (action == u"insertPage") {
        undo.push(new InsertNodeCommand(m_doc, InsertNodeCommand::Kind::Page, parent, pos));
    } else if (action == u"insertColumn") {
        if (!isRoot) {
            m_doc.prompt().message(kColumnsInMainMenu);
            return false;
        }
        undo.push(new InsertNodeCommand(m_doc, InsertNodeCommand::Kind::Column, parent, pos));
    } else if (action == u"copyNode") {
        if (selected->isEndMarker())
            return false;
        m_clipboard = tree.copy(*selected);
        return true;
    } else if (action == u"cutNode") {
        if (selected->isEndMarker())
            return false;
        m_clipboard = tree.copy(*selected);
        undo.push(new RemoveNodeCommand(m_doc, parent, pos, QStringLiteral("Cut node")));
    } else if (action == u"deleteNode") {
        if (selected->isEndMarker())
            return false;
        undo.push(new RemoveNodeCommand(m_doc, parent, pos, QStringLiteral("Delete node")));
    } else if (action == u"pasteNode") {
        if (!m_clipboard)
            return false;
        // A column belongs to the main menu wherever it comes from.
        if (m_clipboard->asColumn() && !isRoot) {
            m_doc.prompt().message(kColumnsInMainMenu);
            return false;
        }
        // The clipboard keeps its own copy, so every paste is independent.
        undo.push(new PasteNodeCommand(m_doc, parent, pos, tree.copy(*m_clipboard)));
    } else {
        return false;
    }
    return undo.count() != before;
}

bool TreeEditor::moveNode(MenuNode &node, clsFolder &to, int before)
{
    clsFolder *from = node.parent();
    if (!from || node.isEndMarker())
        return false;
    QUndoStack &undo = m_doc.undoStack();
    const int count = undo.count();
    undo.push(new MoveNodeCommand(m_doc, *from, MenuTree::positionOf(node), to, before));
    return undo.count() != count;
}

} // namespace qwk
