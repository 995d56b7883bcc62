#pragma once
// The style sheet in another program: "External CSS editor" opens the saved
// file with the desktop's program for CSS files, or with a program the
// author chose (kept in the settings store). While the designer is open the
// file is watched; a change made elsewhere is loaded at once when the editor
// holds no unsaved changes, and only after asking when it does. The
// designer's own saves are recognised and never reloaded.

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>

namespace qwk {

class ProjectDocument;
class SettingsStore;

class ExternalCssEditor : public QObject {
    Q_OBJECT
public:
    ExternalCssEditor(ProjectDocument &doc, SettingsStore &settings, QObject *parent = nullptr);

    // The program the author chose; empty for the desktop's program.
    QString program() const;
    void setProgram(const QString &program);
    // Asks for a program; a cancelled dialog keeps the old choice.
    void chooseProgram();

    // "&External CSS editor": the saved style sheet in the chosen program.
    void open();

    // How a program or the desktop is started; tests replace it. program is
    // empty for the desktop's program. False when nothing could be started.
    using Launcher = std::function<bool(const QString &program, const QString &file)>;
    void setLauncher(Launcher launcher) { m_launcher = std::move(launcher); }

    // The file being watched, or empty.
    QString watchedFile() const { return m_file; }
    // Checks the file now instead of after the short wait that gathers the
    // bursts of change notices an editor's save causes.
    void checkNow();

Q_SIGNALS:
    void programChanged(const QString &program);

private:
    void rewatch();
    void rememberFile();

    ProjectDocument &m_doc;
    SettingsStore &m_settings;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_file;
    // The bytes of the file as the designer last read or wrote it.
    QByteArray m_known;
    bool m_asking = false;
    Launcher m_launcher;
};

} // namespace qwk
