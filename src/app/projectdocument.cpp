#include "app/projectdocument.h"

#include "core/prompt.h"

#include <QFileInfo>

namespace qwk {

namespace {

const QString kProjectFilter = QStringLiteral("*.qwk|*.qwk|*.*|*.*");

// The folder of a path up to and including its last separator, either kind;
// "" when it has none.
QString folderOfPath(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return cut < 0 ? QString() : path.left(cut + 1);
}

// The folder with a final separator of its own kind.
QString withSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'\\') || folder.endsWith(u'/'))
        return folder;
    return folder + (folder.contains(u'\\') && !folder.contains(u'/') ? u'\\' : u'/');
}

// Every option value of from into to, by key.
void copyOptionValues(const clsOptions &from, clsOptions &to)
{
    for (int i = 0; i < from.controlCount(); ++i) {
        const QString &tag = from.control(i).tag;
        if (from.getControl(tag) == i)
            to.setControlValue(tag, from.controlValue(tag));
    }
}

} // namespace

ProjectDocument::ProjectDocument(Prompt &prompt, SettingsStore &settings, QObject *parent)
    : QObject(parent),
      m_prompt(prompt),
      m_options(&prompt, &settings),
      m_css(&m_options, &prompt)
{
    connectToProject(m_tree, m_options);
    m_css.setDefaultFileFunction([this](const QString &f, const QString &d) { return defaultFile(f, d); });
    connect(&m_options, &clsOptions::prjChangedChanged, this, &ProjectDocument::prjChangedChanged);
    // Edits outside the undo stack cannot be undone, so undoing cannot make
    // the project equal to its file again.
    connect(&m_tree, &MenuTree::changed, this, &ProjectDocument::noteChangeOutsideCommands);
    connect(&m_options, &clsOptions::valueChanged, this, &ProjectDocument::noteChangeOutsideCommands);
    connect(&m_undo, &QUndoStack::indexChanged, this, &ProjectDocument::followUndoStack);
    connect(&m_undo, &QUndoStack::cleanChanged, this, &ProjectDocument::followUndoStack);
    m_options.loadMenuArrays();
    m_options.loadNewPrjDefaults();
    m_options.setPrjChanged(false);
}

ProjectDocument::~ProjectDocument()
{
    // The commands own nodes that point into the tree's folders.
    m_undo.clear();
}

void ProjectDocument::setPrjFile(const QString &path)
{
    m_file = path;
    Q_EMIT prjFileChanged(path);
}

void ProjectDocument::noteChangeOutsideCommands()
{
    if (m_commandDepth == 0 && !m_options.loadingOptions())
        m_changedOutsideCommands = true;
}

void ProjectDocument::followUndoStack()
{
    m_options.setPrjChanged(!m_undo.isClean() || m_changedOutsideCommands);
}

void ProjectDocument::markSaved()
{
    m_changedOutsideCommands = false;
    m_undo.setClean();
    m_options.setPrjChanged(false);
}

void ProjectDocument::replaceTree(std::unique_ptr<clsFolder> root)
{
    // The commands hold nodes and folders of the old tree.
    m_undo.clear();
    m_tree.replaceRoot(std::move(root));
}

TransferResult ProjectDocument::transfer(const QString &title, const QString &path, const TransferWork &work)
{
    if (m_runner)
        return m_runner(title, path, work);
    return work(Stage());
}

bool ProjectDocument::askToSaveProject()
{
    if (!prjChanged())
        return true;
    switch (m_prompt.question(QStringLiteral("Save present project?"), Buttons::YesNoCancel)) {
    case Answer::Yes:
        return saveProject();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void ProjectDocument::newProject()
{
    if (!askToSaveProject())
        return;
    setPrjFile(QString());
    replaceTree(std::make_unique<clsFolder>());
    m_options.loadNewPrjDefaults();
    m_css.loadCSSFile();
    markSaved();
    Q_EMIT projectReplaced();
}

bool ProjectDocument::openProject(const QString &fileName)
{
    if (!askToSaveProject())
        return false;
    replaceTree(std::make_unique<clsFolder>());
    setPrjFile(QString());
    markSaved();
    Q_EMIT projectReplaced();
    QString path = fileName;
    if (!path.isEmpty()) {
        if (!QFileInfo::exists(path)) {
            m_prompt.message(QStringLiteral("The project file does not exist!"), QStringLiteral("Warning"));
            return false;
        }
    } else {
        FileDialogRequest request;
        request.title = QStringLiteral("Opening project file");
        request.filter = kProjectFilter;
        request.defaultExt = QStringLiteral("qwk");
        request.startName = defaultFile(QString(), QStringLiteral("*.qwk"));
        request.mustExist = true;
        const std::optional<QString> chosen = m_prompt.openFile(request);
        if (!chosen || chosen->isEmpty())
            return false;
        path = *chosen;
    }

    // The file is read into a tree and options of its own, so the read can
    // run while the window repaints; the options start from the present
    // values, which a file without them keeps.
    auto root = std::make_unique<clsFolder>();
    clsOptions read(nullptr, nullptr);
    copyOptionValues(m_options, read);
    clsFolder *target = root.get();
    const TransferResult r = transfer(QStringLiteral("Opening project file"), path, [&read, target, &path](const Stage &stage) {
        return ProjectFile::read(path, read, *target, stage);
    });
    {
        const LoadingOptionsGuard loading(&m_options);
        copyOptionValues(read, m_options);
    }
    // What could be read is shown; a file that could not be read is not
    // named as the project's file, so a later Save cannot overwrite it with
    // the partial project.
    replaceTree(std::move(root));
    if (r.ok)
        setPrjFile(path);
    m_css.loadCSSFile();
    m_css.setCssChanged(false);
    markSaved();
    if (!r.ok) {
        m_prompt.message(kProjectTransferError + u"\n\n"_qs + path + u"\n"_qs + r.reason);
        Q_EMIT projectReplaced();
        return false;
    }
    m_options.updateMnuRecentFiles(path);
    Q_EMIT projectReplaced();
    return true;
}

bool ProjectDocument::saveProject()
{
    if (m_file.isEmpty())
        return SaveProjectAs();
    const QString file = m_file;
    const TransferResult r = transfer(QStringLiteral("Saving project file"), file, [this, &file](const Stage &stage) {
        return ProjectFile::save(file, m_options, m_tree.root(), stage);
    });
    if (!r.ok) {
        // The old file is intact and the changes stay marked: nothing is lost.
        m_prompt.message(kProjectTransferError + u"\n\n"_qs + m_file + u"\n"_qs + r.reason);
        return false;
    }
    markSaved();
    m_options.saveMenuArrays();
    m_options.saveNewPrjRegisterDefaults();
    return true;
}

bool ProjectDocument::SaveProjectAs()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save project file as:");
    request.filter = kProjectFilter;
    request.defaultExt = QStringLiteral("qwk");
    request.startName = defaultFile(m_file, QStringLiteral("*.qwk"));
    request.askOverwrite = true;
    const std::optional<QString> chosen = m_prompt.saveFile(request);
    if (!chosen || chosen->isEmpty())
        return false;
    const QString previous = m_file;
    setPrjFile(*chosen);
    if (!saveProject()) {
        // A project that never reached the new file keeps its old name.
        setPrjFile(previous);
        return false;
    }
    m_options.updateMnuRecentFiles(m_file);
    return true;
}

QString ProjectDocument::defaultFile(const QString &f, const QString &d) const
{
    const QString webRoot = withSeparator(m_options.text(u"prjFilWebRoot"));
    if (f.startsWith(u'/') && !webRoot.isEmpty()) {
        QString rest = f.mid(1);
        const bool backslashes = webRoot.endsWith(u'\\');
        if (backslashes)
            rest.replace(u'/', u'\\');
        return webRoot + rest;
    }
    if (!f.isEmpty())
        return f;
    if (!webRoot.isEmpty())
        return webRoot + d;
    for (const auto key : {u"prjFilJS", u"prjFilCSS"}) {
        const QString path = m_options.text(key);
        if (!path.isEmpty())
            return folderOfPath(path) + d;
    }
    if (!m_file.isEmpty())
        return folderOfPath(m_file) + d;
    return QString();
}

} // namespace qwk
