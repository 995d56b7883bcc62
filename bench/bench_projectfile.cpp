// bench_projectfile [--runs R] [--variant V] [--sizes N,N,...] [--dir DIR] [--only STEP] [FILE.qwk ...]
//
// Times reading a project file into a tree and writing the tree back to a
// file (atomically, as the designer saves), for the given files or for
// synthetic projects of 1,000, 10,000 and 100,000 nodes. Each figure is the
// median of R runs (at least 5). The split columns show how much of a read is
// the parse of text already in memory, and how much of a write is building
// the text, so a slow step can be told from slow file access. --only runs
// one step (read, parse, write or text) and nothing else, for a profiler.

#include "syntheticproject.h"

#include "core/prompt.h"
#include "core/textfile.h"
#include "options/options.h"
#include "options/settingsstore.h"
#include "tree/memoryproject.h"
#include "tree/nodes.h"
#include "tree/projectfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace qwk;

namespace {

int countNodes(const clsFolder &root)
{
    int n = 0;
    std::vector<const clsNodes *> todo{&root.nodes()};
    while (!todo.empty()) {
        const clsNodes *nodes = todo.back();
        todo.pop_back();
        for (int i = 1; i <= nodes->count(); ++i) {
            const MenuNode *node = nodes->item(i);
            if (node->classType() == u"EOF")
                continue;
            ++n;
            if (const clsFolder *f = node->asFolder())
                todo.push_back(&f->nodes());
        }
    }
    return n;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2.0;
}

double seconds(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

struct Row {
    QString label;
    int nodes = 0;
    qint64 bytes = 0;
    double read = 0, parse = 0, write = 0, text = 0;
};

bool measure(const QString &path, const QString &outDir, int runs, const QString &only, Row *row)
{
    const auto wanted = [&](const char16_t *step) { return only.isEmpty() || only == step; };
    std::vector<double> reads, parses, writes, texts;
    QByteArray bytes;
    if (!readWholeFile(path, &bytes).ok) {
        std::fprintf(stderr, "bench_projectfile: cannot read %s\n", qPrintable(path));
        return false;
    }
    const QString decoded = decodeText(bytes);
    row->bytes = bytes.size();
    bytes.clear();

    for (int r = 0; r < runs && wanted(u"read"); ++r) {
        // File to tree: open, decode, parse, build the nodes. The empty
        // project is made before the clock starts, the tree torn down after.
        MemoryProject p;
        QElapsedTimer t;
        t.start();
        const TransferResult res = ProjectFile::read(path, p.options, *p.root);
        reads.push_back(seconds(t));
        if (!res.ok) {
            std::fprintf(stderr, "bench_projectfile: cannot read %s: %s\n", qPrintable(path),
                         qPrintable(res.reason));
            return false;
        }
        row->nodes = countNodes(*p.root);
    }
    for (int r = 0; r < runs && wanted(u"parse"); ++r) {
        MemoryProject p;
        QElapsedTimer t;
        t.start();
        ProjectFile::readText(decoded, p.options, *p.root);
        parses.push_back(seconds(t));
        row->nodes = countNodes(*p.root);
    }

    row->read = median(reads);
    row->parse = median(parses);
    if (!wanted(u"write") && !wanted(u"text"))
        return true;
    MemoryProject p;
    ProjectFile::read(path, p.options, *p.root);
    row->nodes = countNodes(*p.root);
    const QString out = QDir(outDir).filePath(QStringLiteral("written.qwk"));
    for (int r = 0; r < runs && wanted(u"write"); ++r) {
        // Tree to file: build the text, encode it, write a temporary file and
        // rename it over the target.
        QElapsedTimer t;
        t.start();
        const TransferResult res = ProjectFile::save(out, p.options, *p.root);
        writes.push_back(seconds(t));
        if (!res.ok) {
            std::fprintf(stderr, "bench_projectfile: cannot write %s: %s\n", qPrintable(out),
                         qPrintable(res.reason));
            return false;
        }
    }
    for (int r = 0; r < runs && wanted(u"text"); ++r) {
        QElapsedTimer t;
        t.start();
        const QString text = ProjectFile::projectText(p.options, *p.root);
        texts.push_back(seconds(t));
        if (text.isEmpty())
            return false;
    }
    row->write = median(writes);
    row->text = median(texts);
    return true;
}

int usage(const char *why)
{
    std::fprintf(stderr,
                 "bench_projectfile: %s\n"
                 "usage: bench_projectfile [--runs R] [--variant V] [--sizes N,N,...] [--dir DIR] [--only STEP] [FILE.qwk ...]\n",
                 why);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int runs = 7;
    quint64 variant = 1;
    std::vector<int> sizes{1000, 10000, 100000};
    QString dir;
    QString only;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (a == u"--runs") {
            runs = hasValue ? args[++i].toInt(&ok) : 0;
            if (!ok || runs < 1)
                return usage("--runs needs a whole number");
        } else if (a == u"--variant") {
            variant = hasValue ? args[++i].toULongLong(&ok) : 0;
            if (!ok || !hasValue)
                return usage("--variant needs a whole number");
        } else if (a == u"--sizes") {
            sizes.clear();
            const QStringList parts = hasValue ? args[++i].split(u',') : QStringList();
            for (const QString &s : parts) {
                const int n = s.toInt(&ok);
                if (!ok || n < 0)
                    return usage("--sizes needs node counts separated by commas");
                sizes.push_back(n);
            }
            if (sizes.empty())
                return usage("--sizes needs node counts separated by commas");
        } else if (a == u"--only") {
            only = hasValue ? args[++i] : QString();
            if (only != u"read" && only != u"parse" && only != u"write" && only != u"text")
                return usage("--only needs one of read, parse, write, text");
        } else if (a == u"--dir") {
            if (!hasValue)
                return usage("--dir needs a folder");
            dir = args[++i];
        } else if (a.startsWith(u"--")) {
            return usage("unknown option");
        } else {
            files << a;
        }
    }

    if (only.isEmpty() && runs < 5)
        return usage("--runs needs at least 5 for a median (any number with --only)");

    // Written files (and generated projects) go to a scratch folder, by
    // default a new one in the system's temporary folder.
    std::unique_ptr<QTemporaryDir> scratch;
    if (dir.isEmpty()) {
        scratch = std::make_unique<QTemporaryDir>();
        if (!scratch->isValid())
            return usage("cannot create a temporary folder");
        dir = scratch->path();
    } else if (!QDir().mkpath(dir)) {
        return usage("cannot create the folder given with --dir");
    }

    std::vector<std::pair<QString, QString>> inputs; // label, path
    if (files.isEmpty()) {
        for (int n : sizes) {
            MemoryProject p;
            buildSyntheticProject(n, variant, p.options, *p.root);
            const QString path = QDir(dir).filePath(QStringLiteral("synthetic-%1.qwk").arg(n));
            if (!ProjectFile::save(path, p.options, *p.root).ok)
                return usage("cannot write a synthetic project");
            inputs.emplace_back(QStringLiteral("synthetic"), path);
        }
    } else {
        for (const QString &f : files)
            inputs.emplace_back(QFileInfo(f).fileName(), f);
    }

    std::vector<Row> rows;
    for (const auto &[label, path] : inputs) {
        Row row;
        row.label = label;
        if (!measure(path, dir, runs, only, &row))
            return 1;
        rows.push_back(row);
    }

    std::printf("median of %d runs, times in seconds\n", runs);
    std::printf("%-20s %8s %11s %9s %9s %9s %9s\n", "project", "nodes", "bytes", "read", "(parse)", "write",
                "(text)");
    for (const Row &r : rows) {
        std::printf("%-20s %8d %11lld %9.4f %9.4f %9.4f %9.4f\n", qPrintable(r.label.left(20)), r.nodes,
                    static_cast<long long>(r.bytes), r.read, r.parse, r.write, r.text);
    }

    if (!only.isEmpty())
        return 0; // a profiling run: no verdict on a single step
    // Growth: for every project, the one with a tenth of its nodes (within 5%).
    // Only from 10,000 nodes up: a read of 1,000 nodes takes about a
    // millisecond, where start-up effects swamp the growth.
    int missed = 0;
    for (const Row &big : rows) {
        for (const Row &small : rows) {
            if (small.nodes == 0 || std::abs(big.nodes - 10 * small.nodes) > big.nodes / 20)
                continue;
            const double rr = big.read / small.read, wr = big.write / small.write;
            const bool judged = small.nodes >= 10000;
            std::printf("%d vs %d nodes: read x%.2f, write x%.2f (%s)\n", big.nodes, small.nodes, rr, wr,
                        judged ? "target at most x12" : "for information");
            if (judged)
                missed += (rr > 12.0) + (wr > 12.0);
        }
        if (big.nodes >= 100000) {
            std::printf("%d nodes: read %.3f s, write %.3f s (target at most 0.3 s each)\n", big.nodes, big.read,
                        big.write);
            missed += (big.read > 0.3) + (big.write > 0.3);
        }
    }
    std::printf(missed ? "%d target(s) missed\n" : "all targets met\n", missed);
    return missed ? 3 : 0;
}
