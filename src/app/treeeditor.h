#pragma once
// The tree commands of the "Build tree" menu, the tool buttons and the
// context menu, as one dispatcher: editTree(action, selected node). Each
// edit is pushed as one undo step; the clipboard holds an independent copy
// of the last cut or copied node and lives as long as the editor, across
// projects.

#include <QString>
#include <memory>

namespace qwk {

class ProjectDocument;
class MenuNode;
class clsFolder;

class TreeEditor {
public:
    explicit TreeEditor(ProjectDocument &doc);
    ~TreeEditor();

    // The actions are the tool buttons' tags: "insertFolder", "insertPage",
    // "insertColumn", "cutNode", "copyNode", "pasteNode", "deleteNode".
    // selected is the selected entry's node (a marker selects the end of its
    // level). False when nothing was done; a refusal is told through the
    // document's prompt.
    bool editTree(const QString &action, MenuNode *selected);

    // Drag and drop: node goes before position `before` of folder `to`, as
    // one undo step. False when the tree's rules refuse it or nothing moved.
    bool moveNode(MenuNode &node, clsFolder &to, int before);

    bool hasClipboard() const { return bool(m_clipboard); }

private:
    ProjectDocument &m_doc;
    std::unique_ptr<MenuNode> m_clipboard;
};

} // namespace qwk
