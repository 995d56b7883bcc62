#include "generatortestutil.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace qwk::test {

QString runNode(const QString &script)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.js"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("NODE FAILED: cannot write ") + path;
    f.write(script.toUtf8());
    f.close();
    QProcess p;
    p.start(QStringLiteral("node"), { path });
    if (!p.waitForFinished(60000))
        return QStringLiteral("NODE FAILED: ") + p.errorString();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("NODE FAILED: ") + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace qwk::test
