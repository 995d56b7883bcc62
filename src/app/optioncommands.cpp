#include "app/optioncommands.h"

#include "app/projectdocument.h"
#include "options/nodeoptions.h"
#include "tree/menutree.h"

#include <QUndoStack>

namespace qwk {

namespace {

bool isChoice(const QString &key)
{
    const NodeOptionDef *d = findNodeOption(key);
    return d && d->kind == OptionKind::Choice;
}

bool sameKeys(const std::vector<OptionChange> &a, const std::vector<OptionChange> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key)
            return false;
    }
    return true;
}

bool unchanged(const std::vector<OptionChange> &changes)
{
    for (const OptionChange &c : changes) {
        if (c.before != c.after)
            return false;
    }
    return true;
}

QString stepText(const QString &key)
{
    return QStringLiteral("Change ") + key.mid(3);
}

} // namespace

void pushOptionStep(QUndoStack &stack, QUndoCommand *step)
{
    if (step->isObsolete())
        delete step;
    else
        stack.push(step);
}

SetNodeOptionCommand::SetNodeOptionCommand(ProjectDocument &doc, MenuNode &node,
                                           const std::vector<std::pair<QString, QVariant>> &changes)
    : m_doc(doc), m_node(node)
{
    for (const auto &[key, value] : changes)
        m_changes.push_back({key, node.value(key), value});
    // A choice is named by the option it turns on, whatever its place in the group.
    for (const OptionChange &c : m_changes) {
        if (!isChoice(c.key) || c.after.toBool()) {
            setText(stepText(c.key));
            break;
        }
    }
    updateObsolete();
}

void SetNodeOptionCommand::apply(bool after)
{
    ProjectDocument::CommandScope scope(m_doc);
    MenuTree &tree = m_doc.tree();
    for (const OptionChange &c : m_changes) {
        const QVariant &v = after ? c.after : c.before;
        // Setting a choice clears the rest of its group, and clearing one
        // would leave the group without a choice.
        if ((isChoice(c.key) && !v.toBool()) || m_node.value(c.key) == v)
            continue;
        tree.setValue(m_node, c.key, v);
    }
    // A group that had no choice (a page that was never a server section)
    // gets none back: no member set above cleared the one still on.
    for (const OptionChange &c : m_changes) {
        if (isChoice(c.key) && !(after ? c.after : c.before).toBool() && m_node.value(c.key).toBool())
            tree.setValue(m_node, c.key, false);
    }
    // Undo and redo show the node they changed.
    if (m_node.parent())
        m_doc.announceSelection(m_node.parent(), MenuTree::positionOf(m_node));
}

void SetNodeOptionCommand::redo()
{
    apply(true);
}

void SetNodeOptionCommand::undo()
{
    apply(false);
}

bool SetNodeOptionCommand::mergeWith(const QUndoCommand *other)
{
    const auto *o = static_cast<const SetNodeOptionCommand *>(other);
    if (&o->m_node != &m_node || !sameKeys(o->m_changes, m_changes))
        return false;
    for (size_t i = 0; i < m_changes.size(); ++i)
        m_changes[i].after = o->m_changes[i].after;
    updateObsolete();
    return true;
}

void SetNodeOptionCommand::updateObsolete()
{
    setObsolete(unchanged(m_changes));
}

SetProjectOptionCommand::SetProjectOptionCommand(ProjectDocument &doc,
                                                 const std::vector<std::pair<QString, QVariant>> &changes)
    : m_doc(doc)
{
    for (const auto &[key, value] : changes)
        m_changes.push_back({key, doc.options().controlValue(key), value});
    if (!m_changes.empty())
        setText(stepText(m_changes.front().key));
    updateObsolete();
}

void SetProjectOptionCommand::apply(bool after)
{
    ProjectDocument::CommandScope scope(m_doc);
    for (const OptionChange &c : m_changes)
        m_doc.options().setControlValue(c.key, after ? c.after : c.before);
}

void SetProjectOptionCommand::redo()
{
    apply(true);
}

void SetProjectOptionCommand::undo()
{
    apply(false);
}

bool SetProjectOptionCommand::mergeWith(const QUndoCommand *other)
{
    const auto *o = static_cast<const SetProjectOptionCommand *>(other);
    if (!sameKeys(o->m_changes, m_changes))
        return false;
    for (size_t i = 0; i < m_changes.size(); ++i)
        m_changes[i].after = o->m_changes[i].after;
    updateObsolete();
    return true;
}

void SetProjectOptionCommand::updateObsolete()
{
    setObsolete(unchanged(m_changes));
}

} // namespace qwk
