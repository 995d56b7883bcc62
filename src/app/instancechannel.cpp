#include "app/instancechannel.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaMethod>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

namespace qwk {

namespace {
constexpr int kRetryMs = 250;
}

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    // Only this user may hand projects over.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::onConnection);
}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::defaultName()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("quenwick.socket"));
}

bool InstanceChannel::listen(const QString &name)
{
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

bool InstanceChannel::send(const QString &project, const QString &name, int timeoutMs)
{
    // The running designer has another working folder.
    QString path = project;
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    path = QFileInfo(path).absoluteFilePath();

    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine().trimmed() == "ok";
}

void InstanceChannel::onConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QString path = QString::fromUtf8(socket->readLine()).trimmed();
                if (path.isEmpty())
                    continue;
                m_pending << path;
                socket->write("ok\n");
                socket->flush();
            }
            // Opened from the event loop, after this socket is answered.
            QTimer::singleShot(0, this, &InstanceChannel::deliver);
        });
    }
}

void InstanceChannel::deliver()
{
    if (m_pending.isEmpty())
        return;
    // Only from the outermost event loop: a nested one is a question, the run
    // window or a project transfer under way, which a new project would cut into.
    if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(kRetryMs, this, &InstanceChannel::deliver);
        return;
    }
    // Kept until the window is there to take it.
    if (!isSignalConnected(QMetaMethod::fromSignal(&InstanceChannel::projectReceived))) {
        QTimer::singleShot(kRetryMs, this, &InstanceChannel::deliver);
        return;
    }
    const QString path = m_pending.takeFirst();
    Q_EMIT projectReceived(path);
    // The next one once the window has dealt with this one (which may have
    // asked questions of its own).
    if (!m_pending.isEmpty())
        QTimer::singleShot(0, this, &InstanceChannel::deliver);
}

void openHandedProject(MainWindow &window, const QString &path)
{
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
    window.openProject(path);
}

} // namespace qwk
