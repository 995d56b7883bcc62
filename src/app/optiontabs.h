#pragma once
// The "Options", "Images" and "Class names" tabs: every project option with
// a caption and the program preferences, each bound to its key through the
// property editor, which turns edits into undo steps.

class QWidget;

namespace qwk {

class NodePropertyEditor;
class ProjectDocument;

QWidget *buildOptionsTab(NodePropertyEditor &editor);
QWidget *buildImagesTab(NodePropertyEditor &editor);
QWidget *buildClassNamesTab(NodePropertyEditor &editor, ProjectDocument &doc);

} // namespace qwk
