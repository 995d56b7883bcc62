#pragma once
// The open project as the designer holds it: the option store, the menu
// tree, the style sheet, the undo stack and the file name, with the life
// cycle of New, Open, Save and Save As. Everything it asks goes through the
// prompt, so it runs without a window.
//
// Whether the project differs from its file follows the undo stack: undoing
// every edit since the last save makes it equal again. Changes that are not
// undo steps (a run writing its defaults into the options) mark it for good
// until the next save.

#include "options/options.h"
#include "stylesheet/clscss.h"
#include "tree/menutree.h"
#include "tree/projectfile.h"

#include <QObject>
#include <QUndoStack>
#include <functional>

namespace qwk {

class Prompt;
class SettingsStore;

class ProjectDocument : public QObject {
    Q_OBJECT
public:
    ProjectDocument(Prompt &prompt, SettingsStore &settings, QObject *parent = nullptr);
    ~ProjectDocument() override;

    Prompt &prompt() const { return m_prompt; }
    clsOptions &options() { return m_options; }
    MenuTree &tree() { return m_tree; }
    clsCSS &css() { return m_css; }
    QUndoStack &undoStack() { return m_undo; }

    const QString &prjFile() const { return m_file; }
    void setPrjFile(const QString &path);
    bool prjChanged() const { return m_options.prjChanged(); }

    // Runs a transfer of the project file at path (title: "Opening project
    // file" or "Saving project file"). The work touches no object of the document
    // that anyone else uses while it runs, so the designer runs it on a
    // worker and shows its progress window; the default runs it here.
    using Stage = std::function<void(const QString &stage)>;
    using TransferWork = std::function<TransferResult(const Stage &stage)>;
    using TransferRunner
        = std::function<TransferResult(const QString &title, const QString &path, const TransferWork &work)>;
    void setTransferRunner(TransferRunner runner) { m_runner = std::move(runner); }

    // True when the caller may go on (New, Open, exit). A Yes whose save did
    // not happen answers False, so nothing unsaved is thrown away.
    bool askToSaveProject();
    void newProject();
    // An empty name asks for the file. True when a project was read.
    bool openProject(const QString &fileName);
    // True when the file was written.
    bool saveProject();
    bool SaveProjectAs();

    // The start name of a file dialog for the current value f and the
    // default name d.
    QString defaultFile(const QString &f, const QString &d) const;

    // Undo commands run their edits inside this, so the document can tell
    // their changes from those that are not undo steps.
    class CommandScope {
    public:
        explicit CommandScope(ProjectDocument &doc) : m_doc(doc) { ++m_doc.m_commandDepth; }
        ~CommandScope() { --m_doc.m_commandDepth; }
        CommandScope(const CommandScope &) = delete;
        CommandScope &operator=(const CommandScope &) = delete;

    private:
        ProjectDocument &m_doc;
    };
    // Commands tell which node their edit leaves selected: the one at pos of
    // folder (the marker when pos is past the nodes).
    void announceSelection(clsFolder *folder, int pos) { Q_EMIT selectionWanted(folder, pos); }

Q_SIGNALS:
    void prjFileChanged(const QString &path);
    void prjChangedChanged(bool changed);
    void selectionWanted(qwk::clsFolder *folder, int pos);
    // A project was created or read: the tree is a new one.
    void projectReplaced();

private:
    void noteChangeOutsideCommands();
    void followUndoStack();
    void markSaved();
    void replaceTree(std::unique_ptr<clsFolder> root);

    Prompt &m_prompt;
    clsOptions m_options;
    MenuTree m_tree;
    clsCSS m_css;
    QUndoStack m_undo;
    QString m_file;
    TransferResult transfer(const QString &title, const QString &path, const TransferWork &work);
    TransferRunner m_runner;
    int m_commandDepth = 0;
    bool m_changedOutsideCommands = false;
};

} // namespace qwk
