// Times the expansion of a web folder into menu data: a tree of folders and
// files is made in a temporary folder and expanded with sub-menus, sizes and
// dates, the way a run does it.
//
//   bench_folderexpansion [FILES] [REPEATS] [flat]   (defaults 20000 and 5)
//
// The files are spread over 111 folders (10 folders of 10 sub-folders), or
// all put in one folder with "flat".

#include "core/prompt.h"
#include "generator/folderexpansion.h"
#include "generator/runservices.h"
#include "options/options.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace qwk;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int files = args.size() > 1 ? args[1].toInt() : 20000;
    const int repeats = std::max(1, args.size() > 2 ? args[2].toInt() : 5);
    const bool flat = args.size() > 3 && args[3] == u"flat";

    QTemporaryDir dir;
    // 10 folders of 10 sub-folders; the files are spread over all 110 folders.
    QStringList folders { QStringLiteral("site") };
    for (int i = 0; i < (flat ? 0 : 10); ++i) {
        const QString top = QStringLiteral("site/section_%1").arg(i);
        folders << top;
        for (int j = 0; j < 10; ++j)
            folders << top + QStringLiteral("/part_%1").arg(j);
    }
    for (const QString &f : folders)
        QDir().mkpath(dir.filePath(f));
    for (int n = 0; n < files; ++n) {
        QFile file(dir.filePath(folders[n % folders.size()] + QStringLiteral("/Page_%1.html").arg(n)));
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(1 + n % 3000, 'x')) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }

    NonInteractivePrompt prompt([](const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    clsOptions options(&prompt, nullptr);
    options.loadNewPrjDefaults();
    options.setControlValue(u"prjChkTreeMenus", 1);
    options.setControlValue(u"prjAutomaticWidth", 1);
    options.setControlValue(u"prjFilWebRoot", dir.path());
    ScriptNameTables tables;
    RunServices run(options, prompt, tables);
    run.readOptionFlags();
    HardDiskDirectory expansion(run);

    // Wall time, and the processor time of this process, which the load of
    // other programs on a shared machine does not inflate.
    std::vector<qint64> times;
    std::vector<qint64> cpu;
    qsizetype size = 0;
    int links = 0;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer t;
        t.start();
        const std::clock_t c0 = std::clock();
        MenuSerialiser::LevelState level;
        level.id = QStringLiteral("e1d0");
        level.width = level.placeholder = QStringLiteral("[$e1d0$]");
        level.lengths = QStringLiteral("2");
        QString out;
        links = 0;
        expansion.hardDiskDirectory(out, QStringLiteral("/site/"),
            QStringLiteral("r||sub||str||size||date||dash||"), QStringLiteral(".htm||.html||"), {}, level,
            links);
        times.push_back(t.elapsed());
        cpu.push_back(static_cast<qint64>((std::clock() - c0) * 1000 / CLOCKS_PER_SEC));
        size = out.size();
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("expanded %d files in %lld folders (%lld characters) over %d runs: wall best %lld ms, median "
                "%lld ms; "
                "processor median %lld ms\n",
        links, static_cast<long long>(folders.size()), static_cast<long long>(size), repeats,
        static_cast<long long>(times.front()), static_cast<long long>(times[times.size() / 2]),
        static_cast<long long>(cpu[cpu.size() / 2]));
    return 0;
}
