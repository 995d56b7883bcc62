#include "app/mainwindow.h"

#include "app/livepreview.h"
#include "app/menutreemodel.h"
#include "app/optionbinding.h"
#include "app/optiontabs.h"
#include "app/propertyeditor.h"
#include "app/externalcsseditor.h"
#include "app/stylesheettab.h"
#include "app/stylepreview.h"
#include "generator/runservices.h"
#include "app/runwindow.h"
#include "app/treeeditor.h"
#include "app/treeicons.h"
#include "core/prompt.h"
#include "options/settingsstore.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent>
#include <limits>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTabBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

namespace qwk {

namespace {

const QString kWindowSection = QStringLiteral("window");

// The seven tool buttons: tag, picture, tooltip. The first six tooltips are
// the captions of the "Build tree" menu without their "&".
struct ToolButtonDef {
    const char16_t *tag;
    const char16_t *image;
    const char16_t *action;
};
constexpr ToolButtonDef kToolButtons[] = {
    {u"insertFolder", u"cb", u"mnuInsertFolder"}, {u"insertPage", u"page", u"mnuInsertPage"},
    {u"insertColumn", u"column", u"mnuInsertColumn"}, {u"cutNode", u"cut", u"mnuCutNode"},
    {u"copyNode", u"copy", u"mnuCopyNode"}, {u"pasteNode", u"paste", u"mnuPasteNode"},
    {u"deleteNode", u"delete", u"actDeleteNode"},
};

// The preference items and their keys.
struct PreferenceDef {
    const char16_t *name;
    const char16_t *caption;
    const char16_t *key;
};
constexpr PreferenceDef kPreferences[] = {
    {u"mnuPreferencesStartUpLoadLast", u"On Startup, load &last project", u"pgmChkLoadLastFile"},
    {u"mnuPreferencesSaveProjectBeforeRun", u"&Save Project before running", u"pgmChkSaveBeforeRun"},
    {u"mnuPreferenceCompactJsFile", u"&Compact the js file (save 5 KB)", u"pgmChkScrambled"},
};

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// The user guide shipped with the program: beside the executable when
// installed, in the source tree when run from a build.
QString userGuidePath()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    for (const QString &candidate : {appDir + QStringLiteral("/../share/doc/quenwick/userguide.html"),
                                     appDir + QStringLiteral("/docs/userguide.html"),
                                     QStringLiteral(QUENWICK_SOURCE_DOCS "/userguide.html")}) {
        if (QFileInfo::exists(candidate))
            return QFileInfo(candidate).absoluteFilePath();
    }
    return {};
}

} // namespace

MainWindow::MainWindow(Prompt &prompt, SettingsStore &settings, QWidget *parent)
    : QMainWindow(parent),
      m_prompt(prompt),
      m_settings(settings),
      m_doc(std::make_unique<ProjectDocument>(prompt, settings)),
      m_model(std::make_unique<MenuTreeModel>(m_doc->tree())),
      m_editor(std::make_unique<TreeEditor>(*m_doc))
{
    setObjectName(QStringLiteral("frmMain"));
    m_doc->setTransferRunner([this](const QString &title, const QString &path, const ProjectDocument::TransferWork &work) {
        return runTransfer(title, path, work);
    });

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("ssTabMain"));
    m_tabs->setDocumentMode(true);
    m_statusLabel = new QLabel(this);
    statusBar()->addWidget(m_statusLabel, 1);
    buildActions();
    m_binder = new OptionBinder(m_doc->options(), this);
    m_props = new NodePropertyEditor(*m_doc, *m_binder, [this](const QString &path) {
        RunServices services(m_doc->options(), m_prompt, m_tables);
        return services.ra(path);
    });
    buildBuildTreeTab();
    m_tabs->addTab(buildClassNamesTab(*m_props, *m_doc), QStringLiteral("Class names"));
    m_cssTab = new StyleSheetTab(*m_doc, *m_binder, m_settings);
    m_tabs->addTab(m_cssTab, QStringLiteral("Style Sheet"));
    // The embedded browser of the style preview starts with the first
    // "Save CSS and Preview": a browser costs a process and memory that a
    // session which never previews should not pay. From then on the preview
    // follows every page the style sheet builds by itself.
    connect(&m_doc->css(), &clsCSS::previewReady, this, [this](const QString &html) {
        if (m_stylePreview)
            return;
        m_stylePreview = new StylePreview(m_doc->css());
        m_cssTab->setPreviewWidget(m_stylePreview);
        m_stylePreview->showPage(html);
    });
    m_tabs->addTab(buildImagesTab(*m_props), QStringLiteral("Images"));
    m_tabs->addTab(buildOptionsTab(*m_props), QStringLiteral("Options"));
    setCentralWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::onTabChanged);


    buildMenus();

    clsOptions &options = m_doc->options();
    connect(m_doc.get(), &ProjectDocument::prjFileChanged, this, &MainWindow::updateCaption);
    connect(&options, &clsOptions::recentFilesChanged, this, &MainWindow::updateRecentFiles);
    connect(&options, &clsOptions::browsersChanged, this, &MainWindow::updateBrowsers);
    connect(&options, &clsOptions::valueChanged, this, &MainWindow::updatePreferenceChecks);
    connect(&m_doc->css(), &clsCSS::statusMessage, m_statusLabel, &QLabel::setText);
    connect(m_doc.get(), &ProjectDocument::selectionWanted, this, [this](clsFolder *folder, int pos) {
        const QModelIndex i = m_model->indexAt(folder, pos);
        if (i.isValid()) {
            m_tree->setCurrentIndex(i);
            m_tree->scrollTo(i);
        }
    });
    updateCaption();
    updateRecentFiles();
    updateBrowsers();
    for (const PreferenceDef &p : kPreferences)
        m_actions.value(s(p.name))->setChecked(options.isChecked(s(p.key)));
    updateTreeActions();
    restoreWindowState();
    if (m_settings.get(kSettingsApplication, kWindowSection, QStringLiteral("menuPreview"), {}) == u"1")
        m_actions.value(QStringLiteral("mnuMenuPreview"))->setChecked(true);
}

MainWindow::~MainWindow()
{
    // The view lets go of the model before the model and the tree go.
    m_tree->setModel(nullptr);
}

QAction *MainWindow::addAction(const QString &name, const QString &caption, const std::function<void()> &slot,
                               const QList<QKeySequence> &shortcuts)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    a->setShortcuts(shortcuts);
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    m_actions.insert(name, a);
    return a;
}

void MainWindow::buildActions()
{
    addAction(QStringLiteral("mnuNewProject"), QStringLiteral("&New project"), [this] { newProject(); },
              {QKeySequence::New});
    addAction(QStringLiteral("mnuOpenProject"), QStringLiteral("&Open project"), [this] { openProject({}); },
              {QKeySequence::Open});
    addAction(QStringLiteral("mnusaveproject"), QStringLiteral("&Save project"), [this] { saveProject(); },
              {QKeySequence::Save});
    addAction(QStringLiteral("mnuSaveProjectAs"), QStringLiteral("Sa&ve project as ..."), [this] { saveProjectAs(); },
              {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    addAction(QStringLiteral("mnuExit"), QStringLiteral("E&xit"), [this] { close(); }, {QKeySequence(Qt::CTRL | Qt::Key_Q)});

    // The tree commands work where the tree has the focus, so the keys stay
    // free for the text fields of the other tabs.
    const auto treeAction = [this](const QString &name, const QString &caption, const QString &tag,
                                   const QList<QKeySequence> &keys) {
        QAction *a = addAction(name, caption, [this, tag] { editTree(tag); }, keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        return a;
    };
    treeAction(QStringLiteral("mnuInsertFolder"), QStringLiteral("Insert &folder"), QStringLiteral("insertFolder"),
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)});
    treeAction(QStringLiteral("mnuInsertPage"), QStringLiteral("Insert &page"), QStringLiteral("insertPage"),
               {QKeySequence(Qt::Key_Insert)});
    treeAction(QStringLiteral("mnuInsertColumn"), QStringLiteral("Insert &column"), QStringLiteral("insertColumn"), {});
    treeAction(QStringLiteral("mnuCutNode"), QStringLiteral("C&ut node"), QStringLiteral("cutNode"), {QKeySequence::Cut});
    treeAction(QStringLiteral("mnuCopyNode"), QStringLiteral("C&opy node"), QStringLiteral("copyNode"),
               {QKeySequence::Copy});
    treeAction(QStringLiteral("mnuPasteNode"), QStringLiteral("P&aste node"), QStringLiteral("pasteNode"),
               {QKeySequence::Paste});
    treeAction(QStringLiteral("actDeleteNode"), QStringLiteral("Delete node"), QStringLiteral("deleteNode"),
               {QKeySequence(Qt::Key_Delete)});

    QAction *undo = m_doc->undoStack().createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("actUndo"));
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction *redo = m_doc->undoStack().createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("actRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *a : {undo, redo}) {
        m_actions.insert(a->objectName(), a);
        // The tree keeps the focus after an undo, as after any tree command.
        connect(a, &QAction::triggered, this, [this] { m_tree->setFocus(); });
    }

    addAction(QStringLiteral("mnuCSSNew"), QStringLiteral("&New mouse-over menu style sheet"),
              [this] { m_doc->css().newMouseOverSheetCommand(); });
    addAction(QStringLiteral("mnuCSSNewClickToOpen"), QStringLiteral("New &tree menu style sheet"),
              [this] { m_doc->css().newTreeSheetCommand(); });
    addAction(QStringLiteral("mnuCSSOpen"), QStringLiteral("&Open style sheet"), [this] { m_doc->css().openCSSFile(); });
    addAction(QStringLiteral("mnuCSSSave"), QStringLiteral("&Save style sheet"), [this] { m_doc->css().SaveCssFile(); });
    addAction(QStringLiteral("mnuCSSSaveAs"), QStringLiteral("Save style sheet &as"),
              [this] { m_doc->css().SaveCssFileAs(); });
    addAction(QStringLiteral("mnuCSSExternalEditor"), QStringLiteral("&External CSS editor"),
              [this] { m_cssTab->externalEditor().open(); });
    addAction(QStringLiteral("mnuCSSChooseExternalEditor"), QStringLiteral("&Choose external CSS editor..."),
              [this] { m_cssTab->externalEditor().chooseProgram(); });
    addAction(QStringLiteral("mnuCSSDesktopEditor"), QStringLiteral("Use the &desktop's CSS editor"),
              [this] { m_cssTab->externalEditor().setProgram({}); });

    addAction(QStringLiteral("mnuRun"), QStringLiteral("Write &js or ASP.NET menu"),
              [this] { runJob(RunDriver::Job::Run); }, {QKeySequence(Qt::Key_F5)});
    addAction(QStringLiteral("mnuSiteMapFile"), QStringLiteral("Write HTML site &map"),
              [this] { runJob(RunDriver::Job::SiteMap); });
    addAction(QStringLiteral("mnuSampleFile"), QStringLiteral("Write q&Sample.html"),
              [this] { runJob(RunDriver::Job::WriteSample); });
    addAction(QStringLiteral("mnuRunViewLog"), QStringLiteral("&View last log"), [this] { runJob(RunDriver::Job::ShowLog); });

    addAction(QStringLiteral("mnuUrlToPreview"), QStringLiteral("&Select URL to preview"), [this] { selectUrlToPreview(); });
    addAction(QStringLiteral("mnuAddBrowser"), QStringLiteral("&Add browser"), [this] { addBrowser(); });
    addAction(QStringLiteral("mnuDeleteBrowser"), QStringLiteral("&Delete browser"), [this] { deleteBrowser(); });
    QAction *menuPreview = addAction(QStringLiteral("mnuMenuPreview"), QStringLiteral("&Menu preview"), {});
    menuPreview->setCheckable(true);
    connect(menuPreview, &QAction::toggled, this, &MainWindow::showMenuPreview);

    for (const PreferenceDef &p : kPreferences) {
        const QString key = s(p.key);
        QAction *a = addAction(s(p.name), s(p.caption), {});
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, [this, key](bool on) {
            // A preference belongs to the program, not to the project.
            const LoadingOptionsGuard notAnEdit(&m_doc->options());
            m_doc->options().setControlValue(key, on ? 1 : 0);
        });
    }

    addAction(QStringLiteral("mnuRunQuickHelp"), QStringLiteral("Quick &help"),
              [this] { m_prompt.message(quickHelpText(), QStringLiteral("Quick Help on the Run/Tool menu")); });
    addAction(QStringLiteral("mnuHelpOnWeb"), QStringLiteral("Quenwick &user guide"), [this] {
        const QString guide = userGuidePath();
        if (guide.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
            m_prompt.message(QStringLiteral("The user guide could not be opened."));
    });
    addAction(QStringLiteral("mnuAbout"), QStringLiteral("&About Quenwick"), [this] {
        QDialog about(this);
        about.setWindowTitle(QApplication::applicationDisplayName());
        auto *title = new QLabel(QApplication::applicationDisplayName());
        QFont big = title->font();
        big.setBold(true);
        big.setPointSizeF(big.pointSizeF() * 1.6);
        title->setFont(big);
        auto *version = new QLabel(QStringLiteral("Version ") + QStringLiteral(QUENWICK_VERSION));
        auto *notice = new QLabel(QStringLiteral("Navigation menus for web sites, written as JavaScript or "
                                                 "ASP.NET from one project file."));
        notice->setWordWrap(true);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
        connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
        auto *layout = new QVBoxLayout(&about);
        layout->addWidget(title);
        layout->addWidget(version);
        layout->addWidget(notice);
        layout->addWidget(buttons);
        about.exec();
    });
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    const auto menu = [this, bar](const QString &name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(name);
        m_menus.insert(name, m);
        return m;
    };
    const auto items = [this](QMenu *m, const QStringList &names) {
        for (const QString &n : names) {
            if (n == u"-")
                m->addSeparator();
            else
                m->addAction(m_actions.value(n));
        }
    };

    QMenu *files = menu(QStringLiteral("mnuFileMenu"), QStringLiteral("&Files"));
    items(files, {QStringLiteral("mnuNewProject"), QStringLiteral("mnuOpenProject"), QStringLiteral("mnusaveproject"),
                  QStringLiteral("mnuSaveProjectAs"), QStringLiteral("-")});
    QMenu *recent = files->addMenu(QStringLiteral("&Recent files"));
    recent->setObjectName(QStringLiteral("mnuRecentFiles"));
    m_menus.insert(recent->objectName(), recent);
    files->addSeparator();
    items(files, {QStringLiteral("mnuExit")});

    QMenu *build = menu(QStringLiteral("mnuBuildTreeMenu"), QStringLiteral("&Build tree"));
    items(build, {QStringLiteral("actUndo"), QStringLiteral("actRedo"), QStringLiteral("-"),
                  QStringLiteral("mnuInsertFolder"), QStringLiteral("mnuInsertPage"), QStringLiteral("mnuInsertColumn"),
                  QStringLiteral("mnuCutNode"), QStringLiteral("mnuCopyNode"), QStringLiteral("mnuPasteNode")});
    connect(build, &QMenu::aboutToShow, this, [this] { m_tabs->setCurrentIndex(0); });

    items(menu(QStringLiteral("mnuCSSMenu"), QStringLiteral("&Style sheet")),
          {QStringLiteral("mnuCSSNew"), QStringLiteral("mnuCSSNewClickToOpen"), QStringLiteral("mnuCSSOpen"),
           QStringLiteral("mnuCSSSave"), QStringLiteral("mnuCSSSaveAs"), QStringLiteral("-"),
           QStringLiteral("mnuCSSExternalEditor"), QStringLiteral("mnuCSSChooseExternalEditor"),
           QStringLiteral("mnuCSSDesktopEditor")});
    // The desktop's program is offered back once another one was chosen.
    const auto showEditorChoice = [this] {
        m_actions.value(QStringLiteral("mnuCSSDesktopEditor"))->setEnabled(!m_cssTab->externalEditor().program().isEmpty());
    };
    connect(&m_cssTab->externalEditor(), &ExternalCssEditor::programChanged, this, showEditorChoice);
    showEditorChoice();
    items(menu(QStringLiteral("mnuRunMenu"), QStringLiteral("&Run")),
          {QStringLiteral("mnuRun"), QStringLiteral("-"), QStringLiteral("mnuSiteMapFile"),
           QStringLiteral("mnuSampleFile"), QStringLiteral("-"), QStringLiteral("mnuRunViewLog")});

    QMenu *preview = menu(QStringLiteral("mnuPreview"), QStringLiteral("&Preview-project"));
    QMenu *browsers = preview->addMenu(QStringLiteral("&Browser"));
    browsers->setObjectName(QStringLiteral("mnuBrowsers"));
    m_menus.insert(browsers->objectName(), browsers);
    preview->addSeparator();
    items(preview, {QStringLiteral("mnuUrlToPreview"), QStringLiteral("mnuAddBrowser"), QStringLiteral("mnuDeleteBrowser"),
                    QStringLiteral("-"), QStringLiteral("mnuMenuPreview")});

    QStringList prefs;
    for (const PreferenceDef &p : kPreferences)
        prefs << s(p.name);
    items(menu(QStringLiteral("mnuRunPreferences"), QStringLiteral("Pre&ferences")), prefs);
    items(menu(QStringLiteral("mnuHelpMenu"), QStringLiteral("&Help")),
          {QStringLiteral("mnuRunQuickHelp"), QStringLiteral("mnuHelpOnWeb"), QStringLiteral("mnuAbout")});
}

void MainWindow::buildBuildTreeTab()
{
    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    m_splitter = new QSplitter(Qt::Horizontal, page);
    m_splitter->setObjectName(QStringLiteral("treeSplitter"));
    pageLayout->addWidget(m_splitter);

    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    leftLayout->addLayout(buttons);
    m_tree = new QTreeView;
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setModel(m_model.get());
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setDragDropMode(QAbstractItemView::InternalMove);
    m_tree->setDefaultDropAction(Qt::MoveAction);
    m_tree->setDropIndicatorShown(true);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    leftLayout->addWidget(m_tree, 1);
    m_splitter->addWidget(left);

    // The property frames of the selected entry.
    auto *props = new QScrollArea;
    props->setWidgetResizable(true);
    props->setFrameShape(QFrame::NoFrame);
    props->setWidget(m_props);
    connect(m_props, &NodePropertyEditor::statusText, m_statusLabel, &QLabel::setText);
    connect(m_props, &NodePropertyEditor::fileLocationClicked, this, [this](const QString &key) {
        if (key == u"prjFilWebRoot")
            webRootFileLocation();
        else if (key == u"prjFilAppRoot")
            dnnRootFileLocation();
        else if (key == u"prjFilCSS")
            m_doc->css().styleSheetLocationClicked();
        else
            m_doc->css().scriptLocationClicked();
        m_tabs->tabBar()->setFocus();
    });
    m_splitter->addWidget(props);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 3);
    m_tabs->addTab(page, QStringLiteral("Build Tree"));

    m_model->setDropHandler([this](MenuNode *node, clsFolder *to, int before) {
        const bool moved = m_editor->moveNode(*node, *to, before);
        m_tree->setFocus();
        return moved;
    });
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_menus.value(QStringLiteral("mnuBuildTreeMenu"))->popup(m_tree->viewport()->mapToGlobal(at));
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, &MainWindow::showSelectedNode);
    // The view shows a folder open as long as the folder says so.
    connect(m_tree, &QTreeView::expanded, this, [this](const QModelIndex &i) {
        if (clsFolder *f = MenuTreeModel::nodeOf(i) ? MenuTreeModel::nodeOf(i)->asFolder() : nullptr) {
            f->setOpen(true);
            Q_EMIT m_model->dataChanged(i, i, {Qt::DecorationRole});
        }
    });
    connect(m_tree, &QTreeView::collapsed, this, [this](const QModelIndex &i) {
        if (clsFolder *f = MenuTreeModel::nodeOf(i) ? MenuTreeModel::nodeOf(i)->asFolder() : nullptr) {
            f->setOpen(false);
            Q_EMIT m_model->dataChanged(i, i, {Qt::DecorationRole});
        }
    });
    connect(m_model.get(), &QAbstractItemModel::rowsInserted, this, &MainWindow::followExpansion);
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, [this] {
        followExpansion({}, 0, m_model->rowCount() - 1);
    });

    for (const ToolButtonDef &d : kToolButtons) {
        QAction *a = m_actions.value(s(d.action));
        a->setIcon(treeIcon(s(d.image)));
        auto *b = new QToolButton;
        b->setObjectName(QStringLiteral("tb_") + s(d.tag));
        b->setDefaultAction(a);
        b->setAutoRaise(true);
        b->setToolTip(QString(a->text()).remove(u'&'));
        buttons->addWidget(b);
        // The tree's keys: the actions act where the tree has the focus.
        m_tree->addAction(a);
    }
    buttons->addStretch(1);
}

void MainWindow::followExpansion(const QModelIndex &parent, int first, int last)
{
    // Without recursion: a pasted or restored subtree may be deep.
    std::vector<QModelIndex> todo;
    for (int r = first; r <= last; ++r)
        todo.push_back(m_model->index(r, 0, parent));
    while (!todo.empty()) {
        const QModelIndex i = todo.back();
        todo.pop_back();
        const clsFolder *f = MenuTreeModel::nodeOf(i) ? MenuTreeModel::nodeOf(i)->asFolder() : nullptr;
        if (!f || !f->isOpen())
            continue;
        m_tree->expand(i);
        for (int r = 0; r < m_model->rowCount(i); ++r)
            todo.push_back(m_model->index(r, 0, i));
    }
}

void MainWindow::updateCaption()
{
    setWindowTitle(QStringLiteral("Quenwick - ") + m_doc->prjFile());
}

void MainWindow::updateRecentFiles()
{
    QMenu *recent = m_menus.value(QStringLiteral("mnuRecentFiles"));
    recent->clear();
    for (const clsOptions::MenuEntry &e : m_doc->options().recentFiles()) {
        if (e.caption.isEmpty() || !e.visible)
            continue;
        const QString path = e.caption;
        QAction *a = recent->addAction(path);
        connect(a, &QAction::triggered, this, [this, path] { openProject(path); });
    }
    recent->setEnabled(!recent->isEmpty());
}

void MainWindow::updateBrowsers()
{
    QMenu *browsers = m_menus.value(QStringLiteral("mnuBrowsers"));
    browsers->clear();
    for (const clsOptions::MenuEntry &e : m_doc->options().browsers()) {
        if (!e.visible)
            continue;
        const QString program = e.caption;
        QAction *a = browsers->addAction(program);
        connect(a, &QAction::triggered, this, [this, program] { previewInBrowser(program); });
    }
    browsers->setEnabled(!browsers->isEmpty());
    m_actions.value(QStringLiteral("mnuDeleteBrowser"))->setEnabled(!browsers->isEmpty());
}

void MainWindow::updatePreferenceChecks(const QString &key)
{
    // Loaded preferences set their check marks; a click has set its own.
    if (!m_doc->options().loadingOptions())
        return;
    for (const PreferenceDef &p : kPreferences) {
        if (key == s(p.key)) {
            QAction *a = m_actions.value(s(p.name));
            const QSignalBlocker block(a);
            a->setChecked(m_doc->options().isChecked(key));
        }
    }
}

void MainWindow::updateTreeActions()
{
    m_actions.value(QStringLiteral("mnuPasteNode"))->setEnabled(m_editor->hasClipboard());
}

void MainWindow::editTree(const QString &action)
{
    MenuNode *selected = MenuTreeModel::nodeOf(m_tree->currentIndex());
    if (!selected)
        selected = m_doc->tree().root().nodes().item(1);
    m_editor->editTree(action, selected);
    updateTreeActions();
    m_tree->setFocus();
}

QString MainWindow::selectedKey() const
{
    return m_model->keyOf(m_tree->currentIndex());
}

void MainWindow::selectTreeNode(const QString &key)
{
    QModelIndex i = m_model->indexOfKey(key);
    if (!i.isValid())
        i = m_model->index(0, 0);
    m_tree->setCurrentIndex(i);
    m_tree->scrollTo(i);
    showSelectedNode();
}

void MainWindow::printTree(const QString &selectKey)
{
    m_tabs->setCurrentIndex(0);
    selectTreeNode(selectKey);
    m_tree->setFocus();
}

void MainWindow::showSelectedNode()
{
    const QModelIndex i = m_tree->currentIndex();
    MenuNode *node = MenuTreeModel::nodeOf(i);
    m_props->showNode(node, m_model->keyOf(i));
}

void MainWindow::onTabChanged(int index)
{
    if (m_tabs->tabText(index) == u"Style Sheet") {
        m_doc->css().loadCSSClassesListBox();
        const QString css = m_doc->options().text(u"prjFilCSS");
        m_statusLabel->setText(QStringLiteral("CSS file: ") + (css.isEmpty() ? QStringLiteral("New file") : css));
    }
}

TransferResult MainWindow::runTransfer(const QString &title, const QString &path,
                                       const ProjectDocument::TransferWork &work)
{
    // The transfer runs on a worker while the window repaints and takes no
    // input; the progress window appears only when the transfer lasts long
    // enough to be seen.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QProgressDialog progress(this);
    progress.setWindowTitle(title + QStringLiteral("..."));
    progress.setCancelButton(nullptr);
    progress.setRange(0, 0);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(std::numeric_limits<int>::max()); // shown by the timer below
    progress.setLabelText(title + QStringLiteral(": \n\n") + path);
    const auto stage = [&progress, title, file = path](const QString &text) {
        QMetaObject::invokeMethod(&progress, [&progress, title, file, text] {
            progress.setLabelText(title + QStringLiteral(": \n\n") + file + u'\n' + text);
        });
    };
    QFutureWatcher<TransferResult> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcher<TransferResult>::finished, &loop, &QEventLoop::quit);
    QTimer show;
    show.setSingleShot(true);
    connect(&show, &QTimer::timeout, &progress, &QWidget::show);
    watcher.setFuture(QtConcurrent::run([&work, stage] { return work(stage); }));
    show.start(500);
    if (!watcher.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    watcher.waitForFinished();
    // Stage texts still on their way are dropped with the window.
    QCoreApplication::removePostedEvents(&progress);
    QApplication::restoreOverrideCursor();
    return watcher.result();
}

void MainWindow::newProject()
{
    m_doc->newProject();
    printTree(QStringLiteral("n1"));
}

void MainWindow::openProject(const QString &fileName)
{
    m_doc->openProject(fileName);
    printTree(QStringLiteral("n1"));
}

void MainWindow::saveProject()
{
    m_doc->saveProject();
}

void MainWindow::saveProjectAs()
{
    m_doc->SaveProjectAs();
}

void MainWindow::runJob(RunDriver::Job job)
{
    const QString key = selectedKey();
    if (job == RunDriver::Job::Run && m_doc->options().isChecked(u"pgmChkSaveBeforeRun"))
        m_doc->saveProject();
    RunWindow window(*m_doc, m_tables, job, m_lastLog, this);
    if (m_runHook)
        m_runHook(window);
    window.exec();
    if (job != RunDriver::Job::ShowLog)
        m_lastLog = window.log();
    if (job == RunDriver::Job::Run)
        printTree(key);
}

void MainWindow::loadStartProject(const QString &argument, const std::function<void(const QString &)> &notice)
{
    bool opened = false;
    if (!argument.isEmpty()) {
        if (notice)
            notice(QStringLiteral("Loading clicked project"));
        // The shell may hand the path over in quotes; only then are they taken off.
        QString path = argument;
        if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
            path = path.mid(1, path.size() - 2);
        opened = m_doc->openProject(path);
    } else if (m_doc->options().isChecked(u"pgmChkLoadLastFile")) {
        const auto &recent = m_doc->options().recentFiles();
        const QString last = recent.empty() ? QString() : recent.front().caption;
        if (!last.isEmpty()) {
            if (notice)
                notice(QStringLiteral("Loading last project"));
            opened = m_doc->openProject(last);
        }
    }
    if (!opened) {
        // The new project's style sheet, as an opened project loads its own.
        m_doc->css().loadCSSFile();
        m_doc->css().setCssChanged(false);
    }
    printTree(QStringLiteral("n1"));
}

void MainWindow::previewInBrowser(const QString &browser)
{
    clsOptions &options = m_doc->options();
    if (m_doc->css().cssChanged() && !options.isChecked(u"prjCSSinJS"))
        m_doc->css().askToSave(QStringLiteral("Save CSS style sheet before viewing?"));
    const QString url = options.text(u"prjLocalURL").trimmed();
    QProcess process;
    process.setProgram(browser);
    process.setArguments(url.isEmpty() ? QStringList() : QStringList{url});
    if (!process.startDetached())
        m_prompt.message(process.errorString());
}

void MainWindow::selectUrlToPreview()
{
    clsOptions &options = m_doc->options();
    const auto url = m_prompt.inputBox(QStringLiteral("Enter the complete URL to preview:"),
                                       QStringLiteral("URL to Preview"), options.text(u"prjLocalURL"));
    if (url)
        options.setControlValue(u"prjLocalURL", *url);
}

void MainWindow::addBrowser()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Select browser");
    request.filter = QStringLiteral("*.exe|*.exe|*.*|*.*");
    request.mustExist = true;
    request.startName = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("*.exe"));
    const auto chosen = m_prompt.openFile(request);
    if (chosen && !chosen->isEmpty())
        m_doc->options().addBrowser(*chosen);
}

void MainWindow::deleteBrowser()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Delete Browser"));
    auto *list = new QListWidget;
    const auto fill = [this, list] {
        list->clear();
        for (const clsOptions::MenuEntry &e : m_doc->options().browsers()) {
            if (e.visible)
                list->addItem(e.caption);
        }
    };
    fill();
    auto *del = new QPushButton(QStringLiteral("Delete"));
    auto *exit = new QPushButton(QStringLiteral("Exit"));
    connect(del, &QPushButton::clicked, &dialog, [this, list, fill] {
        if (list->currentRow() >= 0 && m_doc->options().removeBrowser(list->currentRow()))
            fill();
    });
    connect(exit, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(del, QDialogButtonBox::ActionRole);
    buttons->addButton(exit, QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.exec();
}

namespace {

void chooseRoot(Prompt &prompt, clsOptions &options, const QString &key, const QString &label,
                const QString &emptyQuestion, const QString &title, const QString &browserTitle)
{
    const QString value = options.text(key);
    const QString question = value.isEmpty()
                                 ? emptyQuestion
                                 : label + value + QStringLiteral("\nChange to a different Folder? ");
    if (prompt.question(question, Buttons::OkCancel, title) != Answer::Ok)
        return;
    const auto folder = prompt.pickFolder(browserTitle, value);
    if (folder && !folder->isEmpty())
        options.setControlValue(key, folder->left(260));
}

} // namespace

void MainWindow::webRootFileLocation()
{
    chooseRoot(m_prompt, m_doc->options(), QStringLiteral("prjFilWebRoot"), QStringLiteral("Website root: "),
               QStringLiteral("Select the location of the root of your website?"), QStringLiteral("Set website root folder"),
               QStringLiteral("Select Website root folder"));
}

void MainWindow::dnnRootFileLocation()
{
    chooseRoot(m_prompt, m_doc->options(), QStringLiteral("prjFilAppRoot"), QStringLiteral("Application root: "),
               QStringLiteral("Select your application root directory?"), QStringLiteral("Set application root folder"),
               QStringLiteral("Select application root folder"));
}

QString MainWindow::quickHelpText()
{
    const QStringList lines{
        QStringLiteral("Getting started:"),
        QStringLiteral("   (1) Select Options tab, and select the first three File Location Options."),
        QStringLiteral("   (2) Select Build tree tab, and build a tree -- begin with one page and one folder"),
        QStringLiteral("   (3) In the Run / Tab menu, select Write qmenu.js"),
        QStringLiteral("   (4) In the Run / Tab menu, select Write qSample.html"),
        QStringLiteral("   (5) Open a browser, and view qSample.html (http://localhost/qSample.html) "),
        QStringLiteral("   Note: The only thing in qSample.html is a link to your .js menu file and .css file"),
        QString(),
        QStringLiteral("Getting help:"),
        QStringLiteral("   (1) Help / Quenwick user guide opens the guide that comes with the program."),
        QStringLiteral("   (2) The guide's first pages walk through building and writing a menu."),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_doc->askToSaveProject()) {
        event->ignore();
        return;
    }
    m_doc->css().askToSave(QStringLiteral("Save CSS style sheet?"));
    m_doc->options().saveNewPrjRegisterDefaults();
    m_doc->options().saveMenuArrays();
    saveWindowState();
    event->accept();
    closeOtherWindows();
}

void MainWindow::closeOtherWindows()
{
    // Every other window goes with the main one; one that refuses to close
    // would keep the program running without a main window, so the user is
    // told which.
    const auto others = [this] {
        QList<QWidget *> open;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w != this && w->isVisible())
                open.append(w);
        }
        return open;
    };
    for (QWidget *w : others())
        w->close();
    QString names;
    for (QWidget *w : others())
        names += (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName())
            + u' ';
    if (!names.isEmpty())
        m_prompt.message(QStringLiteral("Something made ") + names + QStringLiteral(" not closing correctly"));
}

void MainWindow::showMenuPreview(bool on)
{
    // The embedded browser starts only when the preview is first wanted.
    if (on && !m_previewDock) {
        m_previewDock = new QDockWidget(QStringLiteral("Menu preview"), this);
        m_previewDock->setObjectName(QStringLiteral("dockMenuPreview"));
        m_previewDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
        m_livePreview = new LivePreview(*m_doc, m_previewDock);
        m_previewDock->setWidget(m_livePreview);
        addDockWidget(Qt::RightDockWidgetArea, m_previewDock);
        resizeDocks({m_previewDock}, {m_livePreview->sizeHint().width()}, Qt::Horizontal);
    }
    if (m_previewDock)
        m_previewDock->setVisible(on);
    m_settings.save(kSettingsApplication, kWindowSection, QStringLiteral("menuPreview"), on ? u"1"_qs : u"0"_qs);
}

void MainWindow::restoreWindowState()
{
    const QByteArray geometry = QByteArray::fromBase64(
        m_settings.get(kSettingsApplication, kWindowSection, QStringLiteral("geometry"), {}).toLatin1());
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(960, 640);
    const QByteArray splitter = QByteArray::fromBase64(
        m_settings.get(kSettingsApplication, kWindowSection, QStringLiteral("splitter"), {}).toLatin1());
    if (splitter.isEmpty() || !m_splitter->restoreState(splitter))
        m_splitter->setSizes({360, 600});
}

void MainWindow::saveWindowState()
{
    m_settings.save(kSettingsApplication, kWindowSection, QStringLiteral("geometry"),
                    QString::fromLatin1(saveGeometry().toBase64()));
    m_settings.save(kSettingsApplication, kWindowSection, QStringLiteral("splitter"),
                    QString::fromLatin1(m_splitter->saveState().toBase64()));
}

} // namespace qwk
