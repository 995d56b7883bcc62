#pragma once
// Small helpers shared by the tests.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qwk::test {

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

// Copies a folder tree (files and sub-folders) into target, which is created.
bool copyTree(const QString &source, const QString &target);

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};
// Runs quenwick-cli with the arguments and waits for it.
CliResult runCli(const QStringList &arguments, const QString &workingDir = {});

// `node --check` on a script text; returns node's complaint, empty when valid.
// Fails the calling test when node is missing.
QString nodeCheck(const QString &scriptText);

} // namespace qwk::test
