#pragma once
// Small helpers shared by the tests.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qwk {
class clsFolder;
class clsNodes;
class clsPage;
}

namespace qwk::test {

// Adds named nodes at the end of a collection; fixtures inherit it so tests
// write f.page(...) and f.folder(...).
struct NodeMaker {
    static clsPage *page(clsNodes &nodes, const QString &name, const QString &url = {});
    static clsFolder *folder(clsNodes &nodes, const QString &name);
};

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
