#pragma once
// The undo steps of the property frames and option tabs. A step remembers
// the values it replaced; typing on in the same field folds into the step
// already on top, and a step whose values are back where they started is
// dropped, so a field typed away and back leaves nothing to undo.

#include <QUndoCommand>
#include <QVariant>
#include <vector>

class QUndoStack;

namespace qwk {

class ProjectDocument;
class MenuNode;

struct OptionChange {
    QString key;
    QVariant before;
    QVariant after;
};

// Node options change through MenuTree, so the tree view and the shown
// frame follow. A choice change lists every member of its group: the node
// clears the others itself when one is set, so only the members that are
// on are written back.
class SetNodeOptionCommand : public QUndoCommand {
public:
    // changes: the edited key first, then what it carries along (a width
    // and its check box, the other choices of the group). The before values
    // are read from the node.
    SetNodeOptionCommand(ProjectDocument &doc, MenuNode &node, const std::vector<std::pair<QString, QVariant>> &changes);

    void redo() override;
    void undo() override;
    int id() const override { return 1501; }
    bool mergeWith(const QUndoCommand *other) override;

    MenuNode &node() const { return m_node; }

private:
    void apply(bool after);
    void updateObsolete();

    ProjectDocument &m_doc;
    MenuNode &m_node;
    std::vector<OptionChange> m_changes;
};

// Project options change through the option store, which the option tabs mirror.
class SetProjectOptionCommand : public QUndoCommand {
public:
    SetProjectOptionCommand(ProjectDocument &doc, const std::vector<std::pair<QString, QVariant>> &changes);

    void redo() override;
    void undo() override;
    int id() const override { return 1502; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    void apply(bool after);
    void updateObsolete();

    ProjectDocument &m_doc;
    std::vector<OptionChange> m_changes;
};

// Pushes step unless it changes nothing (a click on the choice already
// made): such a step would still count as an edit while it is pushed.
void pushOptionStep(QUndoStack &stack, QUndoCommand *step);

} // namespace qwk
