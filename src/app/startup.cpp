#include "app/startup.h"

#include "core/prompt.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QStandardPaths>
#include <QTextStream>
#include <QVBoxLayout>

namespace qwk {

QString versionText()
{
    return QStringLiteral("Version %1.%2.%3").arg(QUENWICK_VERSION_MAJOR).arg(QUENWICK_VERSION_MINOR).arg(QUENWICK_VERSION_PATCH);
}

CommandLine parseCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandLine c;
    const QStringList args = arguments.mid(1);
    for (const QString &a : args) {
        if (a == u"--version" || a == u"-v") {
            out << "quenwick " << QUENWICK_VERSION << Qt::endl;
            c.exitNow = true;
            return c;
        }
        if (a == u"--help" || a == u"-h") {
            out << "Usage: quenwick [PROJECT]\n"
                   "The Quenwick designer: builds navigation menus for web sites.\n\n"
                   "  PROJECT      a project file (.qwk) to open\n"
                   "  --version    print the version and exit\n"
                   "  --help       print this help and exit\n"
                   "\nThe generator jobs without a window: quenwick-cli --help"
                << Qt::endl;
            c.exitNow = true;
            return c;
        }
    }
    QStringList positional;
    for (const QString &a : args) {
        // Qt's own options (-platform, -style ...) were taken out by QApplication.
        if (a.startsWith(u"--")) {
            err << "quenwick: unknown option " << a << "\n(see quenwick --help)" << Qt::endl;
            c.exitNow = true;
            c.exitCode = 2;
            return c;
        }
        positional << a;
    }
    if (positional.size() > 1) {
        err << "quenwick: one project at a time (see quenwick --help)" << Qt::endl;
        c.exitNow = true;
        c.exitCode = 2;
        return c;
    }
    if (!positional.isEmpty())
        c.project = positional.first();
    return c;
}

bool startAnotherInstance(Prompt &prompt, std::unique_ptr<QLockFile> &lock, const QString &lockPath)
{
    QString path = lockPath;
    if (path.isEmpty()) {
        QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (dir.isEmpty())
            dir = QDir::tempPath();
        path = QDir(dir).filePath(QStringLiteral("quenwick.lock"));
    }
    lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0); // a lock whose program died is taken over
    if (lock->tryLock(0))
        return true;
    return prompt.question(QStringLiteral("Quenwick is already running\nOpen another instance of Quenwick?"),
                           Buttons::YesNo)
        == Answer::Yes;
}

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QApplication::applicationDisplayName());
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(24, 20, 24, 20);
    auto *title = new QLabel(QApplication::applicationDisplayName());
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 2);
    title->setFont(big);
    m_notice = new QLabel(QStringLiteral("Loading Quenwick"));
    auto *version = new QLabel(versionText());
    auto *description = new QLabel(QStringLiteral("Navigation menus for web sites"));
    description->setEnabled(false);
    layout->addWidget(title);
    layout->addWidget(description);
    layout->addSpacing(12);
    layout->addWidget(version);
    layout->addWidget(m_notice);
    setMinimumWidth(360);
}

void SplashWindow::setNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->repaint();
}

} // namespace qwk
