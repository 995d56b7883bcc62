// bench_run STEP PROJECT.qwk [--runs R] [--dir DIR] [--set KEY=VALUE]...
//
// Times one step on one project, in a process of its own so that the peak
// memory it reports belongs to that step (with the project's tree in memory,
// as in the designer):
//   read      project file to tree
//   write     tree to project file (atomically, as the designer saves)
//   run       the "run" job: the menu script written
//   runauto   the "run" job with automatic widths
//   sitemap   the "siteMap" job
//   cat       the I/O floor: the bytes of FILE (given with --file) read and
//             written to a new file with 128 KiB reads and writes, as cat does
//             (without starting a process)
//   tree-json the menu tree as nested JSON for the browser benchmark's peers
//             (written to --out); not timed
//
// The jobs write into DIR: the web root, the script and the style sheet
// locations are set there (the file names of the project are kept), and any
// --set is applied on top. Prints one line of key=value pairs: the median
// seconds, the fastest run, the output bytes, the peak resident memory in KiB,
// and the log's last entry for a job. Exit status 1 when the step failed.

#include "core/prompt.h"
#include "core/textfile.h"
#include "generator/identifiers.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "options/options.h"
#include "options/settingsstore.h"
#include "stylesheet/clscss.h"
#include "tree/memoryproject.h"
#include "tree/nodes.h"
#include "tree/projectfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace qwk;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2.0;
}

long peakKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss; // KiB on Linux
}

int fail(const QString &why)
{
    std::fprintf(stderr, "bench_run: %s\n", qPrintable(why));
    return 1;
}

// What cat does with a file: read and write it in 128 KiB pieces.
bool catCopy(const QByteArray &from, const QByteArray &to)
{
    const int in = ::open(from.constData(), O_RDONLY);
    if (in < 0)
        return false;
    const int out = ::open(to.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
        ::close(in);
        return false;
    }
    static char buffer[128 * 1024];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (::write(out, buffer, size_t(n)) != n) {
            ok = false;
            break;
        }
    }
    ::close(in);
    ok = ::close(out) == 0 && ok;
    return ok;
}

QJsonArray treeJson(const clsNodes &nodes, int *entries)
{
    QJsonArray list;
    for (int i = 1; i <= nodes.count(); ++i) {
        const MenuNode *node = nodes.item(i);
        if (node->classType() != u"folder" && node->classType() != u"page")
            continue; // columns and end markers are not entries
        // The name as the menu shows it: without a class suffix ("*" and two digits).
        QString name = static_cast<const OptionNode *>(node)->name();
        if (name.size() > 3 && name[name.size() - 3] == u'*' && name[name.size() - 2].isDigit()
            && name.back().isDigit())
            name.chop(3);
        QJsonObject entry;
        entry.insert(QStringLiteral("title"), name);
        ++*entries;
        if (const clsFolder *f = node->asFolder())
            entry.insert(QStringLiteral("children"), treeJson(f->nodes(), entries));
        list.append(entry);
    }
    return list;
}

int usage(const char *why)
{
    std::fprintf(stderr,
                 "bench_run: %s\n"
                 "usage: bench_run read|write|run|runauto|sitemap|cat|tree-json PROJECT.qwk [--runs R] [--dir DIR]\n"
                 "                 [--set KEY=VALUE]... [--file FILE] [--out FILE]\n",
                 why);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage("give a step and a project file");
    const QString step = args[0];
    const QString projectPath = QFileInfo(args[1]).absoluteFilePath();
    int runs = 5;
    QString dir = QDir::currentPath();
    QString file, out;
    QList<std::pair<QString, QString>> settings;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (!hasValue)
            return usage("every option needs a value");
        const QString &a = args[i];
        const QString v = args[++i];
        if (a == u"--runs") {
            bool ok = false;
            runs = v.toInt(&ok);
            if (!ok || runs < 1)
                return usage("--runs needs a whole number");
        } else if (a == u"--dir") {
            dir = QFileInfo(v).absoluteFilePath();
        } else if (a == u"--file") {
            file = v;
        } else if (a == u"--out") {
            out = v;
        } else if (a == u"--set" && v.contains(u'=')) {
            settings.append({v.section(u'=', 0, 0), v.section(u'=', 1)});
        } else {
            return usage("unknown option");
        }
    }
    if (!QDir().mkpath(dir))
        return fail(QStringLiteral("cannot create %1").arg(dir));

    std::vector<double> times;
    qint64 bytes = 0;
    QString lastEntry;
    QElapsedTimer clock;

    if (step == u"cat") {
        const QByteArray from = QFile::encodeName(file);
        const QByteArray to = QFile::encodeName(QDir(dir).filePath(QStringLiteral("cat-copy")));
        bytes = QFileInfo(file).size();
        for (int r = 0; r < runs; ++r) {
            clock.start();
            if (!catCopy(from, to))
                return fail(QStringLiteral("cannot copy %1").arg(file));
            times.push_back(double(clock.nsecsElapsed()) / 1e9);
        }
        QFile::remove(QFile::decodeName(to));
    } else if (step == u"read") {
        bytes = QFileInfo(projectPath).size();
        for (int r = 0; r < runs; ++r) {
            // The empty project is made before the clock starts.
            MemoryProject p;
            clock.start();
            const TransferResult res = ProjectFile::read(projectPath, p.options, *p.root);
            times.push_back(double(clock.nsecsElapsed()) / 1e9);
            if (!res.ok)
                return fail(res.reason);
        }
    } else {
        MemoryProject p;
        const TransferResult res = ProjectFile::read(projectPath, p.options, *p.root);
        if (!res.ok)
            return fail(res.reason);
        if (step == u"tree-json") {
            int entries = 0;
            const QJsonArray tree = treeJson(p.root->nodes(), &entries);
            QFile f(out);
            if (!f.open(QIODevice::WriteOnly))
                return fail(QStringLiteral("cannot write %1").arg(out));
            f.write(QJsonDocument(tree).toJson(QJsonDocument::Compact));
            std::printf("entries=%d\n", entries);
            return 0;
        }
        if (step == u"write") {
            const QString target = QDir(dir).filePath(QStringLiteral("written.qwk"));
            for (int r = 0; r < runs; ++r) {
                clock.start();
                const TransferResult w = ProjectFile::save(target, p.options, *p.root);
                times.push_back(double(clock.nsecsElapsed()) / 1e9);
                if (!w.ok)
                    return fail(w.reason);
            }
            bytes = QFileInfo(target).size();
        } else if (step == u"run" || step == u"runauto" || step == u"sitemap") {
            // The generated files go into the scratch folder under the
            // project's own file names.
            clsOptions &o = p.options;
            const QString js = QDir(dir).filePath(QStringLiteral("menu/")
                                                  + QFileInfo(o.text(u"prjFilJS").replace(u'\\', u'/')).fileName());
            const QString css = QDir(dir).filePath(QStringLiteral("menu/")
                                                   + QFileInfo(o.text(u"prjFilCSS").replace(u'\\', u'/')).fileName());
            QDir().mkpath(QDir(dir).filePath(QStringLiteral("menu")));
            o.setControlValue(u"prjFilWebRoot", dir);
            o.setControlValue(u"prjFilJS", js);
            o.setControlValue(u"prjFilCSS", css);
            o.setControlValue(u"prjAutomaticWidth", step == u"runauto" ? 1 : 0);
            for (const auto &[key, value] : settings)
                o.setControlValue(key, value);
            // The style sheet as the designer would have saved it with the
            // project's class names.
            clsCSS sheet(&o, &p.prompt);
            if (!QFileInfo(css).isFile()) {
                // A new sheet has no file yet: it is saved under the name given.
                sheet.newCSSFile(!o.isChecked(u"prjChkTreeMenus"));
                o.setControlValue(u"prjFilCSS", css);
                if (!sheet.SaveCssFile())
                    return fail(QStringLiteral("cannot write the style sheet %1").arg(css));
            }
            if (!sheet.loadCSSFile())
                return fail(QStringLiteral("cannot read the style sheet %1").arg(css));
            sheet.setCssChanged(false);

            const bool siteMapJob = step == u"sitemap";
            const RunDriver::Job job = siteMapJob ? RunDriver::Job::SiteMap : RunDriver::Job::Run;
            for (int r = 0; r < runs; ++r) {
                // The services and driver are set up as the CLI sets them up,
                // before the clock starts.
                ScriptNameTables tables;
                RunServices run(o, p.prompt, tables);
                run.setProjectFile(projectPath);
                run.setClassCheck([&sheet](const QString &name) { return sheet.checkIfClassInEditor(name); });
                RunDriver driver(run, *p.root, &sheet);
                clock.start();
                const bool ok = driver.runJob(job);
                times.push_back(double(clock.nsecsElapsed()) / 1e9);
                lastEntry = run.logEntries().isEmpty() ? QString() : run.logEntries().constLast();
                if (!ok)
                    return fail(QStringLiteral("the %1 job failed: %2")
                                    .arg(siteMapJob ? QStringLiteral("siteMap") : QStringLiteral("run"),
                                         run.logText().right(400)));
            }
            if (!siteMapJob) {
                bytes = QFileInfo(js).size();
            } else {
                // The site map's file, whatever the writer named it: the
                // newest file of the folders it writes to.
                qint64 newest = 0;
                for (const QString &folder : {dir, QDir(dir).filePath(QStringLiteral("menu"))}) {
                    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*sm*")}, QDir::Files);
                    for (const QFileInfo &fi : files)
                        newest = std::max(newest, fi.size());
                }
                bytes = newest;
            }
        } else {
            return usage("unknown step");
        }
    }
    const double best = *std::min_element(times.begin(), times.end());
    std::printf("seconds=%.6f best=%.6f bytes=%lld peak_kib=%ld runs=%d last=%s\n", median(times), best,
                static_cast<long long>(bytes), peakKiB(), runs, qPrintable(lastEntry.simplified()));
    return 0;
}
