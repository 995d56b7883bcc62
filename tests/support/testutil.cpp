#include "support/testutil.h"

#include "tree/nodes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace qwk::test {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool copyTree(const QString &source, const QString &target)
{
    const QDir from(source);
    if (!QDir().mkpath(target))
        return false;
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString to = QDir(target).filePath(from.relativeFilePath(path));
        if (it.fileInfo().isDir() ? !QDir().mkpath(to) : !QFile::copy(path, to))
            return false;
    }
    return true;
}

CliResult runCli(const QStringList &arguments, const QString &workingDir)
{
    QProcess p;
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(QStringLiteral(QUENWICK_CLI), arguments);
    CliResult r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString nodeCheck(const QString &scriptText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("check.js"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1").arg(path);
    f.write(scriptText.toUtf8());
    f.close();
    QProcess p;
    p.start(QStringLiteral("node"), {QStringLiteral("--check"), path});
    if (!p.waitForFinished(60000))
        return QStringLiteral("node did not run: ") + p.errorString();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromUtf8(p.readAllStandardError());
    return {};
}

clsPage *NodeMaker::page(clsNodes &nodes, const QString &name, const QString &url)
{
    clsPage *p = nodes.addPage(nodes.count());
    p->setName(name);
    p->setValue(u"lnkURL", url);
    return p;
}

clsFolder *NodeMaker::folder(clsNodes &nodes, const QString &name)
{
    clsFolder *f = nodes.addFolder(nodes.count());
    f->setName(name);
    return f;
}

} // namespace qwk::test
