// A project opened from the file manager while the designer runs: the later
// start hands it over the local socket, and the running window opens it as
// "Open project" would. Server and client are two objects in this process;
// the client, which blocks until answered, runs on a worker.

#include "app/instancechannel.h"
#include "app/mainwindow.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"
#include "support/testutil.h"

#include <QDialog>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtConcurrent>
#include <QtTest>

using namespace qwk;

namespace {

// Sends from a worker and waits for the running side's signal.
struct HandOff {
    QFuture<bool> sent;
    HandOff(const QString &project, const QString &name)
        : sent(QtConcurrent::run([project, name] { return InstanceChannel::send(project, name); }))
    {
    }
    // True when the running side took the project; the event loop turns
    // meanwhile, so the running side can answer.
    bool finish()
    {
        QDeadlineTimer deadline(5000);
        while (!sent.isFinished() && !deadline.hasExpired())
            QTest::qWait(10);
        return sent.isFinished() && sent.result();
    }
};

} // namespace

class TestInstanceChannel : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString socketName() const { return m_dir.filePath(QStringLiteral("quenwick.socket")); }

private Q_SLOTS:
    void handsOverTheAbsolutePath_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("received");
        QTest::newRow("relative") << "site/menu.qwk" << QDir::current().absoluteFilePath("site/menu.qwk");
        QTest::newRow("quoted by the shell") << "\"/srv/my site/menu.qwk\"" << "/srv/my site/menu.qwk";
        QTest::newRow("not ASCII") << QString::fromUtf8("/srv/Menü – ß.qwk") << QString::fromUtf8("/srv/Menü – ß.qwk");
    }
    void handsOverTheAbsolutePath()
    {
        QFETCH(QString, given);
        QFETCH(QString, received);
        InstanceChannel running;
        QVERIFY(running.listen(socketName()));
        QSignalSpy spy(&running, &InstanceChannel::projectReceived);
        HandOff start(given, socketName());
        QVERIFY(spy.wait(5000));
        QVERIFY(start.finish());
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toString(), received);
    }

    void nobodyListening()
    {
        // A socket file left by a designer that died: the next one takes the
        // name over, and a start finds nobody before that.
        const QString name = socketName();
        QFile stale(name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QVERIFY(!InstanceChannel::send(QStringLiteral("/a.qwk"), name, 500));
        InstanceChannel running;
        QVERIFY(running.listen(name));
        QSignalSpy spy(&running, &InstanceChannel::projectReceived);
        HandOff start(QStringLiteral("/a.qwk"), name);
        QVERIFY(spy.wait(5000));
        QVERIFY(start.finish());
    }

    void waitsForAnOpenDialog()
    {
        InstanceChannel running;
        QVERIFY(running.listen(socketName()));
        QSignalSpy spy(&running, &InstanceChannel::projectReceived);
        QDialog question;
        question.setModal(true);
        question.show();
        QTRY_VERIFY(QApplication::activeModalWidget() == &question);
        HandOff start(QStringLiteral("/b.qwk"), socketName());
        QVERIFY(start.finish()); // taken at once, opened later
        QTest::qWait(600);
        QCOMPARE(spy.size(), 0);
        question.close();
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toString(), QStringLiteral("/b.qwk"));
    }

    void openedAsOpenProjectWould()
    {
        // Two projects handed over while the window's own has changes: the
        // first asks to save them, and each is opened in turn.
        QTemporaryDir dir;
        QStringList paths;
        for (const char *name : {"first", "second"}) {
            const QString path = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".qwk"));
            test::writeBytes(path, QStringLiteral("start:Quenwick 3.0\r\nstart:nodes\r\nstart:page\r\nlnkNamePage:%1\r\n"
                                                  "end:page\r\nend:nodes\r\nend:Quenwick 3.0\r\n")
                                       .arg(QString::fromLatin1(name))
                                       .toLatin1());
            paths << path;
        }
        test::ScriptedPrompt prompt;
        MemorySettingsStore settings;
        MainWindow window(prompt, settings);
        window.show();
        window.action(QStringLiteral("mnuInsertPage"))->trigger();
        QVERIFY(window.document().prjChanged());
        prompt.asked.clear();
        prompt.answers = {Answer::No};

        InstanceChannel running;
        QVERIFY(running.listen(socketName()));
        QStringList opened;
        connect(&running, &InstanceChannel::projectReceived, &window, [&](const QString &path) {
            openHandedProject(window, path);
            opened << window.document().prjFile();
        });
        for (const QString &path : paths) {
            HandOff start(path, socketName());
            QVERIFY(start.finish());
        }
        QTRY_COMPARE(opened, paths);
        QCOMPARE(prompt.questions(), QStringList{QStringLiteral("Save present project?")});
        QCOMPARE(window.treeView()->currentIndex().data().toString(), QStringLiteral("second"));
    }
};

QTEST_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"
