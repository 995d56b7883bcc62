#pragma once
// The running designer's door for project files opened from the file
// manager: a later start whose "Open another instance" question is answered
// No hands its project over here instead of dropping it. The running
// designer listens on a local socket in the user's runtime folder, beside
// its lock; a start sends one line, the absolute path in UTF-8, and waits
// for "ok".

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace qwk {

class MainWindow;

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject *parent = nullptr);
    ~InstanceChannel() override;

    // The socket of this user's running designer.
    static QString defaultName();

    // Starts listening; only the designer that holds the lock calls this, so
    // a socket left behind by one that died is taken over.
    bool listen(const QString &name = defaultName());

    // Hands a project to the running designer; true when it took it. Blocks
    // for at most timeoutMs.
    static bool send(const QString &project, const QString &name = defaultName(), int timeoutMs = 3000);

Q_SIGNALS:
    // A project handed over, delivered once no modal window (a question, the
    // run window) is open and no transfer is under way.
    void projectReceived(const QString &path);

private:
    void onConnection();
    void deliver();

    QLocalServer *m_server;
    QStringList m_pending;
};

// Opens a handed project in the window as "Open project" does (asking first
// to save the open one) and brings the window to the front.
void openHandedProject(MainWindow &window, const QString &path);

} // namespace qwk
