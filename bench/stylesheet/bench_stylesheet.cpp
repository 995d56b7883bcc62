// Times the rule list of a large style sheet: the pure listing and the
// in-place refresh the editor runs on every key release.
//
//   bench_stylesheet [RULES] [RUNS]     (defaults 5000 and 200)

#include "options/options.h"
#include "stylesheet/clscss.h"
#include "stylesheet/cssrules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString makeSheet(int rules)
{
    QString text;
    for (int i = 0; i < rules; ++i) {
        text += QStringLiteral(
            ".menuClass%1 {\r\n\tbackground-color : white;\r\n\tborder : 1px navy solid;\r\n"
            "\tcolor : navy;\r\n\tpadding : 3px 15px 3px 15px;\r\n}\r\n\r\n")
                    .arg(i);
    }
    return text;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rules = args.size() > 1 ? args[1].toInt() : 5000;
    const int runs = args.size() > 2 ? args[2].toInt() : 200;

    const QString sheet = makeSheet(rules);
    std::vector<double> listMs;
    std::vector<double> refreshMs;
    int count = 0;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        const qwk::RuleList list = qwk::listRules(sheet, sheet.size() / 2);
        listMs.push_back(double(t.nsecsElapsed()) / 1e6);
        count = int(list.selectors.size());
    }

    qwk::clsOptions options(nullptr, nullptr);
    options.loadNewPrjDefaults();
    qwk::clsCSS css(&options);
    css.document().setText(sheet);
    css.document().setCaret(sheet.size() / 2);
    css.loadCSSClassesListBox(); // the first fill; later key releases find the list in place
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        css.editorKeyReleased();
        refreshMs.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    std::printf("style sheet: %d rules, %lld characters, %d runs\n", rules, qlonglong(sheet.size()), runs);
    std::printf("listRules: %d selectors, median %.3f ms, worst %.3f ms\n", count, median(listMs),
        *std::max_element(listMs.begin(), listMs.end()));
    std::printf("key-release refresh (in place): median %.3f ms, worst %.3f ms\n", median(refreshMs),
        *std::max_element(refreshMs.begin(), refreshMs.end()));
    return count == rules ? 0 : 1;
}
