// Times the expansion of a web folder into menu data: a tree of folders and
// files is made in a temporary folder and expanded with sub-menus, sizes and
// dates, the way a run does it.
//
//   bench_folderexpansion [FILES] [REPEATS]   (defaults 20000 and 5)

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
#include <vector>

using namespace qwk;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int files = args.size() > 1 ? args[1].toInt() : 20000;
    const int repeats = args.size() > 2 ? args[2].toInt() : 5;

    QTemporaryDir dir;
    // 10 folders of 10 sub-folders; the files are spread over all 110 folders.
    QStringList folders{QStringLiteral("site")};
    for (int i = 0; i < 10; ++i) {
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

    std::vector<qint64> times;
    qsizetype size = 0;
    int links = 0;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer t;
        t.start();
        MenuSerialiser::LevelState level;
        level.id = QStringLiteral("e1d0");
        level.width = level.placeholder = QStringLiteral("[$e1d0$]");
        level.lengths = QStringLiteral("2");
        QString out;
        links = 0;
        expansion.hardDiskDirectory(out, QStringLiteral("/site/"), QStringLiteral("r||sub||str||size||date||dash||"),
                                    QStringLiteral(".htm||.html||"), {}, level, links);
        times.push_back(t.elapsed());
        size = out.size();
    }
    std::sort(times.begin(), times.end());
    std::printf("expanded %d files in %lld folders (%lld characters): best %lld ms, median %lld ms over %d runs\n",
                links, static_cast<long long>(folders.size()), static_cast<long long>(size),
                static_cast<long long>(times.front()), static_cast<long long>(times[times.size() / 2]), repeats);
    return 0;
}
