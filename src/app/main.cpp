// quenwick: the designer. Start-up in this order: the command line, the
// question when another copy is running, the splash window, the main window
// with the project from the command line or the last project.

#include "app/instancechannel.h"
#include "app/mainwindow.h"
#include "app/pageview.h"
#include "app/startup.h"
#include "app/widgetprompt.h"
#include "options/settingsstore.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    // --version and --help answer without a display.
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--version" || a == "-v" || a == "--help" || a == "-h")
            return qwk::parseCommandLine({QString(), QString::fromLocal8Bit(a)}, out, err).exitCode;
    }

    qwk::prepareEmbeddedBrowser();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("quenwick"));
    QApplication::setApplicationName(QStringLiteral("quenwick"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenwick"));
    QApplication::setApplicationVersion(QStringLiteral(QUENWICK_VERSION));

    const qwk::CommandLine cmd = qwk::parseCommandLine(QApplication::arguments(), out, err);
    if (cmd.exitNow)
        return cmd.exitCode;

    qwk::WidgetPrompt prompt;
    std::unique_ptr<QLockFile> lock;
    if (!qwk::startAnotherInstance(prompt, lock)) {
        // No second designer: the project opened from the file manager goes
        // to the one that runs.
        if (!cmd.project.isEmpty() && !qwk::InstanceChannel::send(cmd.project)) {
            prompt.message(QStringLiteral("The running Quenwick did not take %1; open it from its Files menu.")
                               .arg(cmd.project));
            return 1;
        }
        return 0;
    }
    // The designer that holds the lock takes projects from later starts.
    qwk::InstanceChannel channel;
    if (lock->isLocked())
        channel.listen();

    qwk::SplashWindow splash;
    splash.show();
    QApplication::processEvents();

    qwk::QSettingsStore settings;
    qwk::MainWindow window(prompt, settings);
    prompt.setParentWidget(&window);
    window.show();
    QObject::connect(&channel, &qwk::InstanceChannel::projectReceived, &window,
                     [&window](const QString &path) { qwk::openHandedProject(window, path); });
    window.loadStartProject(cmd.project, [&splash](const QString &notice) { splash.setNotice(notice); });
    QTimer::singleShot(1000, &splash, &QWidget::close);
    return QApplication::exec();
}
