#pragma once
// Start-up of the designer: the command line, the check for a copy that is
// already running, and the splash window.

#include <QLockFile>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QTextStream;

namespace qwk {

class Prompt;

// "Version " and the major, minor and revision numbers.
QString versionText();

struct CommandLine {
    bool exitNow = false; // --version, --help or a bad option: done
    int exitCode = 0;
    QString project;      // the project named on the command line, as given
};
// Reads the arguments (program name first); --version and --help print to out.
CommandLine parseCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The lock of the running designer in the user's runtime folder. When
// another copy holds it, asks whether to open another one; false ends the
// program. The lock is kept in *lock while the program runs.
bool startAnotherInstance(Prompt &prompt, std::unique_ptr<QLockFile> &lock, const QString &lockPath = {});

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow();
    void setNotice(const QString &text);

private:
    QLabel *m_notice;
};

} // namespace qwk
