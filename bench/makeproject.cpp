// quenwick-makeproject N OUT.qwk [--variant V] [--runnable]: writes a synthetic
// project of N nodes, the same file for the same N and variant. --runnable leaves
// out the link kinds that need a web server or files on disk, so that the
// "run" job writes a plain script for it.

#include "syntheticproject.h"

#include "tree/memoryproject.h"
#include "tree/projectfile.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

using namespace qwk;

namespace {

int usage(const char *why)
{
    std::fprintf(stderr, "quenwick-makeproject: %s\nusage: quenwick-makeproject N OUT.qwk [--variant V] [--runnable]\n", why);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QStringList positional;
    quint64 variant = 1;
    SyntheticKinds kinds = SyntheticKinds::All;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--variant") {
            bool ok = false;
            if (i + 1 < args.size())
                variant = args[++i].toULongLong(&ok);
            if (!ok)
                return usage("--variant needs a whole number");
        } else if (args[i] == u"--runnable") {
            kinds = SyntheticKinds::Runnable;
        } else {
            positional << args[i];
        }
    }
    if (positional.size() != 2)
        return usage("give a node count and an output file");
    bool ok = false;
    const int count = positional[0].toInt(&ok);
    if (!ok || count < 0)
        return usage("the node count must be a whole number of 0 or more");

    MemoryProject project;
    const SyntheticStats stats = buildSyntheticProject(count, variant, project.options, *project.root, kinds);
    const TransferResult r = ProjectFile::save(positional[1], project.options, *project.root);
    if (!r.ok) {
        std::fprintf(stderr, "quenwick-makeproject: cannot write %s: %s\n", qPrintable(positional[1]),
                     qPrintable(r.reason));
        return 1;
    }
    std::printf("%d nodes: %d folders, %d pages, %d columns; folders down to level %d\n", stats.nodes(),
                stats.folders, stats.pages, stats.columns, stats.maxDepth);
    return 0;
}
