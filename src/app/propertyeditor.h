#pragma once
// The property frames of the selected tree entry: one frame per kind of
// entry in a stack (folder, page, column, end of folder), and below the
// folder and page frames the link options or the script of their type.
// Every field is bound to its node option key; an edit becomes one undo
// step on the shown node, and the tree's announcements bring undone values
// back into the fields.

#include <QWidget>
#include <QVariant>
#include <functional>
#include <vector>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace qwk {

class MenuNode;
class OptionBinder;
class ProjectDocument;

class NodePropertyEditor : public QWidget {
    Q_OBJECT
public:
    // ra: a chosen file as the address the menu uses (relative to the web root).
    NodePropertyEditor(ProjectDocument &doc, OptionBinder &binder, std::function<QString(const QString &)> ra,
                       QWidget *parent = nullptr);

    // Shows node (nullptr: nothing) under its tree key; copies its values
    // into the fields without making an edit.
    void showNode(MenuNode *node, const QString &key);
    MenuNode *node() const { return m_node; }

    // The frame on top ("frameFolderMain", ...) and the sub-frame below it
    // ("frameURLOptions", "frameJSDesign" or "" for none).
    QString currentFrame() const;
    QString currentSubFrame() const;
    void showSubFrame(const QString &key);

    // Clicks into fields that act (link fields choosing their link kind, file
    // fields opening the file dialog, width fields warning about automatic
    // widths); public so the window's event filter and the tests reach them.
    void fieldClicked(QLineEdit *field);
    // A clear button: the field's option becomes empty, as one undo step.
    void clearField(const QString &key);
    // Binds a field of any frame or tab to its key; its edits come here.
    void bindField(QWidget *field, const QString &key);

    // Shows a dialog and returns when it is closed: exec() unless a test
    // put a runner here that answers the dialog itself.
    using DialogRunner = std::function<void(QDialog &)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    // The dialogs that edit what the frames have no room for; each O.K. is
    // one undo step, anything else changes nothing.
    void openPageOptions();
    void openAdvancedLinkOptions();
    void openAdvancedProjectOptions();
    void openMultiLingual();

Q_SIGNALS:
    // The text for the status bar: the focused field's text, or "" on leaving it.
    void statusText(const QString &text);
    // "Position menu" passed its check; the position dialog opens next.
    void positionMenuWanted();
    // A click on one of the project's file locations (web root, application
    // root, script, style sheet), which have questions and pickers of their own.
    void fileLocationClicked(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildFolderFrame();
    QWidget *buildPageFrame();
    QWidget *buildColumnFrame();
    QWidget *buildEndFrame();
    QWidget *buildUrlFrame();
    QWidget *buildJsFrame();
    QLineEdit *lineEdit(const QString &key);
    void onEdited(const QString &key, const QVariant &value);
    void onNodeChanged(MenuNode *node, const QString &key);
    void pushNodeEdit(const QString &key, const QVariant &value);
    void chooseSample(int row);
    void positionMenu();
    void openMenuPosition();
    void runDialog(QDialog &dialog);
    void openSectionDialog(const QString &kind);
    // The node changes of one edit: a choice brings the rest of its group.
    std::vector<std::pair<QString, QVariant>> nodeChanges(const QString &key, const QVariant &value) const;
    void pushNodeChanges(const std::vector<std::pair<QString, QVariant>> &changes);

    ProjectDocument &m_doc;
    OptionBinder &m_binder;
    std::function<QString(const QString &)> m_ra;
    MenuNode *m_node = nullptr;
    QString m_key;
    QStackedWidget *m_frames = nullptr;
    QStackedWidget *m_subFrames = nullptr;
    QComboBox *m_samples = nullptr;
    QLabel *m_jsNote = nullptr;
    DialogRunner m_runDialog;
};

} // namespace qwk
