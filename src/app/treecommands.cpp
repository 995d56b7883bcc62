#include "app/treecommands.h"

#include "app/projectdocument.h"

namespace qwk {

TreeCommand::TreeCommand(ProjectDocument &doc, const QString &text) : QUndoCommand(text), m_doc(doc) {}

void TreeCommand::redo()
{
    ProjectDocument::CommandScope scope(m_doc);
    doRedo();
}

void TreeCommand::undo()
{
    ProjectDocument::CommandScope scope(m_doc);
    doUndo();
}

namespace {

QString insertText(InsertNodeCommand::Kind kind)
{
    switch (kind) {
    case InsertNodeCommand::Kind::Folder:
        return QStringLiteral("Insert folder");
    case InsertNodeCommand::Kind::Page:
        return QStringLiteral("Insert page");
    case InsertNodeCommand::Kind::Column:
        break;
    }
    return QStringLiteral("Insert column");
}

} // namespace

InsertNodeCommand::InsertNodeCommand(ProjectDocument &doc, Kind kind, clsFolder &parent, int pos)
    : TreeCommand(doc, insertText(kind)), m_kind(kind), m_parent(parent), m_pos(pos)
{
}

void InsertNodeCommand::doRedo()
{
    MenuTree &tree = m_doc.tree();
    if (m_out) {
        tree.put(m_parent, m_pos, std::move(m_out));
    } else {
        switch (m_kind) {
        case Kind::Folder:
            m_node = tree.insertFolder(m_parent, m_pos);
            break;
        case Kind::Page:
            m_node = tree.insertPage(m_parent, m_pos);
            break;
        case Kind::Column: {
            const TreeEdit e = tree.insertColumn(m_parent, m_pos);
            m_node = e.node;
            break;
        }
        }
        if (!m_node) {
            setObsolete(true);
            return;
        }
        // A position past the marker meant before it.
        m_pos = MenuTree::positionOf(*m_node);
    }
    m_doc.announceSelection(&m_parent, m_pos);
}

void InsertNodeCommand::doUndo()
{
    m_out = m_doc.tree().take(m_parent, m_pos);
    m_doc.announceSelection(&m_parent, m_pos);
}

RemoveNodeCommand::RemoveNodeCommand(ProjectDocument &doc, clsFolder &parent, int pos, const QString &text)
    : TreeCommand(doc, text), m_parent(parent), m_pos(pos)
{
}

void RemoveNodeCommand::doRedo()
{
    m_out = m_doc.tree().take(m_parent, m_pos);
    if (!m_out)
        setObsolete(true); // the marker, or nothing there
    m_doc.announceSelection(&m_parent, m_pos);
}

void RemoveNodeCommand::doUndo()
{
    m_doc.tree().put(m_parent, m_pos, std::move(m_out));
    m_doc.announceSelection(&m_parent, m_pos);
}

PasteNodeCommand::PasteNodeCommand(ProjectDocument &doc, clsFolder &parent, int pos, std::unique_ptr<MenuNode> copy)
    : TreeCommand(doc, QStringLiteral("Paste node")), m_parent(parent), m_pos(pos), m_node(copy.get()), m_out(std::move(copy))
{
}

void PasteNodeCommand::doRedo()
{
    const TreeEdit e = m_doc.tree().put(m_parent, m_pos, std::move(m_out));
    if (!e.ok()) {
        // The node stays with the command, which the stack drops.
        setObsolete(true);
        return;
    }
    m_pos = MenuTree::positionOf(*m_node);
    m_doc.announceSelection(&m_parent, m_pos);
}

void PasteNodeCommand::doUndo()
{
    m_out = m_doc.tree().take(m_parent, m_pos);
    m_doc.announceSelection(&m_parent, m_pos);
}

MoveNodeCommand::MoveNodeCommand(ProjectDocument &doc, clsFolder &from, int pos, clsFolder &to, int before)
    : TreeCommand(doc, QStringLiteral("Move node")), m_from(from), m_pos(pos), m_to(to), m_before(before)
{
}

void MoveNodeCommand::doRedo()
{
    const MenuNode *before = m_from.nodes().item(m_pos);
    const TreeEdit e = m_doc.tree().move(m_from, m_pos, m_to, m_before);
    // A refusal, or a drop onto the node's own place: nothing to undo.
    if (!e.ok() || (&m_from == &m_to && MenuTree::positionOf(*e.node) == m_pos && before == e.node)) {
        setObsolete(true);
        return;
    }
    m_node = e.node;
    m_doc.announceSelection(&m_to, MenuTree::positionOf(*m_node));
}

void MoveNodeCommand::doUndo()
{
    const int now = MenuTree::positionOf(*m_node);
    // Back before the node that followed it; within one folder a place
    // further down counts the node itself, which leaves first.
    const int back = (&m_from == &m_to && now < m_pos) ? m_pos + 1 : m_pos;
    m_doc.tree().move(m_to, now, m_from, back);
    m_doc.announceSelection(&m_from, m_pos);
}

} // namespace qwk
