// bench_livepreview PROJECT [--runs R]: times the designer's live menu
// preview on the offscreen platform. After a rename of the first entry, from
// the moment the wait after the last edit ends until the page is loaded in
// the embedded browser, the menu drawn and the open folders restored
// (refresh_ms); and the script made in memory alone (script_ms). Medians of R.

#include "app/livepreview.h"
#include "app/pageview.h"
#include "app/projectdocument.h"
#include "core/prompt.h"
#include "generator/rundriver.h"
#include "generator/runservices.h"
#include "options/settingsstore.h"
#include "tree/nodes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTextStream>
#include <algorithm>
#include <vector>

using namespace qwk;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareEmbeddedBrowser();
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    int runs = 5;
    QString project;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--runs" && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else
            project = args[i];
    }
    QTextStream err(stderr);
    if (project.isEmpty()) {
        err << "usage: bench_livepreview PROJECT [--runs R]" << Qt::endl;
        return 2;
    }
    NonInteractivePrompt prompt;
    MemorySettingsStore settings;
    ProjectDocument doc(prompt, settings);
    if (!doc.openProject(project)) {
        err << "cannot open " << project << Qt::endl;
        return 1;
    }
    LivePreview preview(doc);
    if (!preview.pageView().hasBrowser()) {
        err << "no embedded browser" << Qt::endl;
        return 1;
    }
    preview.resize(400, 800);
    preview.show();
    QSignalSpy refreshed(&preview, &LivePreview::refreshed);
    if (!refreshed.wait(60000) || !preview.errorMessage().isEmpty()) {
        err << "no preview: " << preview.errorMessage() << Qt::endl;
        return 1;
    }

    // The first page of the main menu is renamed before every refresh.
    MenuNode *page = nullptr;
    for (int i = 1; !page && doc.tree().root().nodes().item(i); ++i) {
        if (doc.tree().root().nodes().item(i)->asPage())
            page = doc.tree().root().nodes().item(i);
    }
    if (!page) {
        err << "no page in the main menu" << Qt::endl;
        return 1;
    }
    MenuNode &first = *page;
    const QString key = QStringLiteral("lnkNamePage");
    std::vector<double> refresh, script;
    for (int r = 0; r < runs; ++r) {
        doc.tree().setValue(first, key, QStringLiteral("Renamed %1").arg(r));
        // What the timer does when the wait ends.
        preview.timer().stop();
        refreshed.clear();
        preview.refresh();
        if (!refreshed.wait(60000)) {
            err << "the preview did not end" << Qt::endl;
            return 1;
        }
        refresh.push_back(preview.lastRefreshMs());

        ScriptNameTables tables;
        RunServices services(doc.options(), prompt, tables);
        RunDriver driver(services, doc.tree().root(), &doc.css());
        QString text;
        QElapsedTimer t;
        t.start();
        driver.previewScript(text);
        script.push_back(t.nsecsElapsed() / 1e6);
    }
    QTextStream(stdout) << "refresh_ms=" << median(refresh) << " script_ms=" << median(script) << Qt::endl;
    return 0;
}
