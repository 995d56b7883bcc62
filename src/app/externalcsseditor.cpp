#include "app/externalcsseditor.h"

#include "app/projectdocument.h"
#include "core/prompt.h"
#include "core/textfile.h"
#include "options/settingsstore.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace qwk {

namespace {

const QString kSection = QStringLiteral("external");
const QString kProgramName = QStringLiteral("cssEditor");

bool launch(const QString &program, const QString &file)
{
    if (program.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    return QProcess::startDetached(program, {file});
}

} // namespace

ExternalCssEditor::ExternalCssEditor(ProjectDocument &doc, SettingsStore &settings, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
    , m_settings(settings)
    , m_launcher(launch)
{
    // An editor's save comes as several notices (write, rename, attributes);
    // they are looked at together once they have settled.
    m_settle.setSingleShot(true);
    m_settle.setInterval(150);
    connect(&m_settle, &QTimer::timeout, this, &ExternalCssEditor::checkNow);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
    // A save that writes a new file and renames it over the old one ends the
    // watch on the old file; the folder's notice brings it back.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_file.isEmpty() && !m_watcher.files().contains(m_file) && QFileInfo::exists(m_file)) {
            m_watcher.addPath(m_file);
            m_settle.start();
        }
    });
    clsCSS &css = doc.css();
    connect(&doc.options(), &clsOptions::valueChanged, this, [this](const QString &key) {
        if (key == u"prjFilCSS")
            rewatch();
    });
    // The designer's own reads and writes: a load or save ends with the
    // sheet unchanged, and a save ends by clearing its status text (also
    // when the sheet was unchanged before).
    connect(&css, &clsCSS::cssChangedChanged, this, [this](bool changed) {
        if (!changed)
            rememberFile();
    });
    connect(&css, &clsCSS::statusMessage, this, [this](const QString &text) {
        if (text.isEmpty())
            rememberFile();
    });
    rewatch();
}

QString ExternalCssEditor::program() const
{
    return m_settings.get(kSettingsApplication, kSection, kProgramName, {});
}

void ExternalCssEditor::setProgram(const QString &program)
{
    if (program == this->program())
        return;
    m_settings.save(kSettingsApplication, kSection, kProgramName, program);
    Q_EMIT programChanged(program);
}

void ExternalCssEditor::chooseProgram()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Choose external CSS editor");
    request.filter = QStringLiteral("*.*|*.*");
    request.mustExist = true;
    request.startName = program();
    const auto chosen = m_doc.prompt().openFile(request);
    if (chosen && !chosen->isEmpty())
        setProgram(*chosen);
}

void ExternalCssEditor::open()
{
    const QString file = m_doc.css().externalEditorFile();
    if (file.isEmpty())
        return;
    const QString chosen = program();
    if (!m_launcher(chosen, file)) {
        m_doc.prompt().message(chosen.isEmpty() ? QStringLiteral("No program is set to edit ") + file
                                                : QStringLiteral("Could not start ") + chosen);
    }
}

void ExternalCssEditor::rewatch()
{
    const QString path = m_doc.options().text(u"prjFilCSS");
    const QString file = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (file == m_file)
        return;
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_file = file;
    m_known.clear();
    if (m_file.isEmpty())
        return;
    const QFileInfo info(m_file);
    if (info.dir().exists())
        m_watcher.addPath(info.absolutePath());
    if (info.exists())
        m_watcher.addPath(m_file);
    rememberFile();
}

void ExternalCssEditor::rememberFile()
{
    if (m_file.isEmpty())
        return;
    QByteArray bytes;
    if (readWholeFile(m_file, &bytes).ok)
        m_known = bytes;
    if (!m_watcher.files().contains(m_file) && QFileInfo::exists(m_file))
        m_watcher.addPath(m_file);
}

void ExternalCssEditor::checkNow()
{
    m_settle.stop();
    if (m_file.isEmpty())
        return;
    if (m_asking) {
        // Looked at again once the author has answered the question.
        m_settle.start();
        return;
    }
    if (!m_watcher.files().contains(m_file) && QFileInfo::exists(m_file))
        m_watcher.addPath(m_file);
    QByteArray bytes;
    if (!readWholeFile(m_file, &bytes).ok)
        return; // gone for now; the folder's notice tells when it is back
    if (bytes == m_known)
        return;
    m_known = bytes;
    clsCSS &css = m_doc.css();
    if (decodeText(bytes) == css.text())
        return;
    if (css.cssChanged()) {
        m_asking = true;
        const Answer a = m_doc.prompt().question(
            QStringLiteral("The style sheet was changed by another program:") + u'\n' + m_file + u'\n'
                + QStringLiteral("Load it and lose the changes made here?"),
            Buttons::YesNo, QStringLiteral("External CSS editor"));
        m_asking = false;
        if (a != Answer::Yes)
            return;
    }
    // The caret stays where it was, as far as the new text reaches.
    const qsizetype caret = css.document().caret();
    if (css.loadCSSFile()) {
        css.document().setCaret(caret);
        css.loadCSSClassesListBox();
    }
}

} // namespace qwk
