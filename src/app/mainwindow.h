#pragma once
// The designer's main window: the five tabs, the menu tree with its tool
// buttons, the menus of every command and the status bar. It owns the open
// project (ProjectDocument), the model the tree view shows, the tree editor
// with its clipboard, the script name tables and the last run log.

#include "app/projectdocument.h"
#include "generator/identifiers.h"
#include "generator/rundriver.h"

#include <QHash>
#include <QMainWindow>
#include <memory>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QProgressDialog;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTreeView;

namespace qwk {

class LivePreview;
class MenuTreeModel;
class NodePropertyEditor;
class OptionBinder;
class RunWindow;
class Prompt;
class SettingsStore;
class StyleSheetTab;
class StylePreview;
class TreeEditor;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Prompt &prompt, SettingsStore &settings, QWidget *parent = nullptr);
    ~MainWindow() override;

    ProjectDocument &document() { return *m_doc; }
    MenuTreeModel &treeModel() { return *m_model; }
    QTreeView *treeView() const { return m_tree; }
    QTabWidget *tabs() const { return m_tabs; }
    TreeEditor &treeEditor() { return *m_editor; }
    NodePropertyEditor &propertyEditor() { return *m_props; }
    OptionBinder &optionBinder() { return *m_binder; }
    StyleSheetTab &styleSheetTab() { return *m_cssTab; }

    // The menu item or tool action by the name the program's menus give it
    // ("mnuNewProject", "mnuInsertPage", "actUndo", ...).
    QAction *action(const QString &name) const { return m_actions.value(name); }
    QMenu *menu(const QString &name) const { return m_menus.value(name); }

    // The tree command on the selected entry, then the tree gets the focus.
    void editTree(const QString &action);
    // Draws the tree with the entry of key selected (the marker of the main
    // menu when there is no such entry) and shows the "Build Tree" tab.
    void printTree(const QString &selectKey);
    QString selectedKey() const;
    void selectTreeNode(const QString &key);

    // The project commands of the "Files" menu.
    void newProject();
    void openProject(const QString &fileName);
    void saveProject();
    void saveProjectAs();

    // A transfer of the project file on a worker; the progress window
    // appears when it lasts half a second.
    TransferResult runTransfer(const QString &title, const QString &path, const ProjectDocument::TransferWork &work);

    // The run window for a job, modal; the run command saves first when the
    // preference says so.
    void runJob(RunDriver::Job job);
    const QString &lastLog() const { return m_lastLog; }
    // Called with each run window before it is shown (tests answer it).
    void setRunWindowHook(std::function<void(RunWindow &)> hook) { m_runHook = std::move(hook); }

    // What start-up does after the window is built: the project from the
    // command line or the last project, the tree with "n1" selected, and
    // the notice for the splash window.
    void loadStartProject(const QString &argument, const std::function<void(const QString &)> &notice = {});

    // Preview and folder commands of the menus and the "Options" tab.
    void previewInBrowser(const QString &browser);
    void selectUrlToPreview();
    void addBrowser();
    void deleteBrowser();
    void webRootFileLocation();
    void dnnRootFileLocation();
    static QString quickHelpText();

    // The "Menu preview" view beside the tabs (null until first shown).
    void showMenuPreview(bool on);
    LivePreview *menuPreview() const { return m_livePreview; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildActions();
    void buildMenus();
    void buildBuildTreeTab();
    QAction *addAction(const QString &name, const QString &caption, const std::function<void()> &slot,
                       const QList<QKeySequence> &shortcuts = {});
    void updateCaption();
    void updateRecentFiles();
    void updateBrowsers();
    void updatePreferenceChecks(const QString &key);
    void updateTreeActions();
    void followExpansion(const QModelIndex &parent, int first, int last);
    void showSelectedNode();
    void onTabChanged(int index);
    void restoreWindowState();
    void closeOtherWindows();
    void saveWindowState();

    Prompt &m_prompt;
    SettingsStore &m_settings;
    std::unique_ptr<ProjectDocument> m_doc;
    std::unique_ptr<MenuTreeModel> m_model;
    std::unique_ptr<TreeEditor> m_editor;
    ScriptNameTables m_tables;
    QString m_lastLog;
    std::function<void(RunWindow &)> m_runHook;

    QTabWidget *m_tabs = nullptr;
    QSplitter *m_splitter = nullptr;
    QTreeView *m_tree = nullptr;
    OptionBinder *m_binder = nullptr;
    NodePropertyEditor *m_props = nullptr;
    StyleSheetTab *m_cssTab = nullptr;
    StylePreview *m_stylePreview = nullptr; // made by the first style preview
    QLabel *m_statusLabel = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QDockWidget *m_previewDock = nullptr;
    LivePreview *m_livePreview = nullptr;
};

} // namespace qwk
