// quenwick-screenshots OUTDIR [PROJECT] [SCALE-NAME]: pictures of the main
// window with a project open, for the documentation. Run it on the offscreen
// platform (scripts/screenshots does), so no window appears.

#include "app/livepreview.h"
#include "app/mainwindow.h"
#include "app/menutreemodel.h"
#include "app/pageview.h"
#include "app/stylepreview.h"
#include "app/runwindow.h"
#include "core/prompt.h"
#include "stylesheet/clscss.h"
#include "dialogs/advancedlinkdialog.h"
#include "dialogs/advancedprojectdialog.h"
#include "dialogs/foldersectiondialog.h"
#include "dialogs/menupositiondialog.h"
#include "dialogs/multilingualdialog.h"
#include "dialogs/pageoptionsdialog.h"
#include "dialogs/portalsectiondialog.h"
#include "dialogs/shopsectiondialog.h"
#include "options/settingsstore.h"

#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeView>
#include <QSignalSpy>
#include <QTest>

int main(int argc, char *argv[])
{
    qwk::prepareEmbeddedBrowser();
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quenwick"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: quenwick-screenshots OUTDIR [PROJECT] [SUFFIX]" << Qt::endl;
        return 2;
    }
    const QDir out(args.at(1));
    const QString suffix = args.size() > 3 ? args.at(3) : QString();
    // Nobody answers: a message (a style sheet that is not on this machine)
    // must not block the pictures.
    qwk::NonInteractivePrompt prompt;
    qwk::MemorySettingsStore settings;
    qwk::MainWindow window(prompt, settings);
    window.resize(980, 620);
    window.show();
    window.loadStartProject(args.size() > 2 ? args.at(2) : QString());
    // The tree as a person leaves it while working: a folder open, a page chosen.
    window.selectTreeNode(QStringLiteral("n2n2"));
    window.treeView()->expand(window.treeModel().indexOfKey(QStringLiteral("n2")));
    window.treeView()->expand(window.treeModel().indexOfKey(QStringLiteral("n2n2")));
    window.selectTreeNode(QStringLiteral("n2n2n1"));
    QApplication::processEvents();
    const QString file = out.filePath(QStringLiteral("mainwindow%1.png").arg(suffix));
    if (!window.grab().save(file)) {
        QTextStream(stderr) << "cannot write " << file << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << file << Qt::endl;
    // The option tabs, then back to the tree.
    for (const auto &[caption, name] : {std::pair{u"Options", u"options"}, std::pair{u"Images", u"images"},
                                        std::pair{u"Class names", u"classnames"}}) {
        QTabWidget *tabs = window.tabs();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == QString::fromUtf16(caption))
                tabs->setCurrentIndex(i);
        }
        QApplication::processEvents();
        const QString tabFile = out.filePath(QStringLiteral("%1%2.png").arg(QString::fromUtf16(name), suffix));
        if (!window.grab().save(tabFile)) {
            QTextStream(stderr) << "cannot write " << tabFile << Qt::endl;
            return 1;
        }
        QTextStream(stdout) << tabFile << Qt::endl;
    }
    // The style sheet tab with a rule chosen and the colours offered.
    for (int i = 0; i < window.tabs()->count(); ++i) {
        if (window.tabs()->tabText(i) == u"Style Sheet")
            window.tabs()->setCurrentIndex(i);
    }
    window.document().css().chooseClass(1);
    window.document().css().chooseProperty(2);
    QApplication::processEvents();
    const QString cssFile = out.filePath(QStringLiteral("stylesheet%1.png").arg(suffix));
    if (!window.grab().save(cssFile)) {
        QTextStream(stderr) << "cannot write " << cssFile << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << cssFile << Qt::endl;
    window.tabs()->setCurrentIndex(0);
    // The folder frame beside the page frame of the first picture.
    window.selectTreeNode(QStringLiteral("n2"));
    QApplication::processEvents();
    const QString folderFile = out.filePath(QStringLiteral("folderframe%1.png").arg(suffix));
    if (!window.grab().save(folderFile)) {
        QTextStream(stderr) << "cannot write " << folderFile << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << folderFile << Qt::endl;

    // Each dialog as it opens, at the size it asks for.
    {
        qwk::FolderSectionDialog folder(QDir::homePath(), &window);
        folder.setValue({QString(), QStringLiteral(".htm||.html||"), QString(), QStringLiteral("r||str||sub||ext||")});
        qwk::PortalSectionDialog portal(prompt, QStringLiteral("No link -- insert HTML code file:"), &window);
        portal.setValue({QStringLiteral("57"), QStringLiteral("i||str||ih||"),
                         QStringLiteral("<span class='MainFolderLine'>[FOLDERNAME]: </span>")});
        qwk::ShopSectionDialog shop(prompt, &window);
        qwk::PageOptionsDialog page(&window);
        qwk::AdvancedLinkOptionsDialog link(&window);
        link.setValue(QStringLiteral("lnkOptURLHarddisk"));
        qwk::AdvancedProjectOptionsDialog project(&window);
        qwk::MenuPositionDialog position(prompt, &window);
        position.setPosition(QStringLiteral("le.30"));
        qwk::MultiLingualDialog languages(prompt, &window);
        languages.setValue({{QStringLiteral("prjJavascriptLanguageVariable"), QStringLiteral("lang")},
                            {QStringLiteral("prjLanguages"), QStringLiteral("en-US;;fr")},
                            {QStringLiteral("prjAspMultiLingual"), 1}});
        for (QDialog *d : std::initializer_list<QDialog *>{&folder, &portal, &shop, &page, &link, &project,
                                                           &position, &languages}) {
            d->show();
            QApplication::processEvents();
            const QString dialogFile = out.filePath(d->objectName() + suffix + QStringLiteral(".png"));
            if (!d->grab().save(dialogFile)) {
                QTextStream(stderr) << "cannot write " << dialogFile << Qt::endl;
                return 1;
            }
            QTextStream(stdout) << dialogFile << Qt::endl;
            d->hide();
        }
    }

    // The run window at the end of a run of the project, written into a
    // copy of its web folder.
    QTemporaryDir site;
    // The example's web folder beside the project, as scripts/demo copies it.
    const QString web = QFileInfo(args.value(2)).absolutePath() + QStringLiteral("/web");
    for (QDirIterator it(web, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString from = it.next();
        const QString to = site.filePath(QDir(web).relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
    qwk::clsOptions &options = window.document().options();
    options.setControlValue(u"prjFilWebRoot", site.path());
    options.setControlValue(u"prjFilJS", site.filePath(QStringLiteral("qmenu.js")));
    options.setControlValue(u"prjFilCSS", site.filePath(QStringLiteral("qmenu.css")));
    options.setControlValue(u"prjCSSinJS", 0);
    const QString runFile = out.filePath(QStringLiteral("runwindow%1.png").arg(suffix));
    bool runSaved = false;
    window.setRunWindowHook([&](qwk::RunWindow &run) {
        QObject::connect(&run, &qwk::RunWindow::jobFinished, &run, [&] {
            QApplication::processEvents();
            runSaved = run.grab().save(runFile);
            QMetaObject::invokeMethod(&run, "accept", Qt::QueuedConnection);
        });
    });
    window.runJob(qwk::RunDriver::Job::Run);
    if (!runSaved) {
        QTextStream(stderr) << "cannot write " << runFile << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << runFile << Qt::endl;

    // The live menu preview beside the tree, a folder opened in it, and the
    // style preview of the project's sheet; the browser draws a moment after
    // the page is loaded.
    const auto savePicture = [&](QWidget &widget, const QString &name) {
        QTest::qWait(1500);
        const QString f = out.filePath(name + suffix + QStringLiteral(".png"));
        if (!widget.grab().save(f)) {
            QTextStream(stderr) << "cannot write " << f << Qt::endl;
            return false;
        }
        QTextStream(stdout) << f << Qt::endl;
        return true;
    };
    window.resize(1320, 640);
    window.action(QStringLiteral("mnuMenuPreview"))->setChecked(true);
    qwk::LivePreview *live = window.menuPreview();
    if (live && live->pageView().hasBrowser()) {
        QSignalSpy refreshed(live, &qwk::LivePreview::refreshed);
        if (!refreshed.wait(30000)) {
            QTextStream(stderr) << "the menu preview did not load" << Qt::endl;
            return 1;
        }
        bool opened = false;
        live->pageView().runJavaScript(
            QStringLiteral("(function(){var a=document.querySelectorAll('[id^=a]');for(var i=0;i<a.length;i++)"
                           "if(a[i].textContent=='Products'){a[i].click();return 1}return 0})()"),
            [&](const QVariant &) { opened = true; });
        (void)QTest::qWaitFor([&] { return opened; }, 10000);
        if (!savePicture(window, QStringLiteral("livepreview")))
            return 1;

        // The style preview in its place on the "Style Sheet" tab, as the
        // tab's "Save CSS and Preview" button shows it.
        for (int i = 0; i < window.tabs()->count(); ++i) {
            if (window.tabs()->tabText(i) == u"Style Sheet")
                window.tabs()->setCurrentIndex(i);
        }
        window.document().css().loadCSSClassesListBox();
        window.findChild<QPushButton *>(QStringLiteral("cmdPreviewCSS"))->click();
        auto *style = window.findChild<qwk::StylePreview *>(QStringLiteral("webBrowserCSS"));
        bool drawn = false;
        (void)QTest::qWaitFor(
            [&] {
                if (!style)
                    return false;
                style->pageView().runJavaScript(QStringLiteral("document.querySelectorAll('span').length"),
                                                [&](const QVariant &v) { drawn = v.toInt() > 0; });
                return drawn;
            },
            30000);
        QTest::qWait(300); // the first paint after the load
        if (!drawn || !savePicture(window, QStringLiteral("stylepreview")))
            return 1;
    }
    window.document().undoStack().clear();
    window.document().options().setPrjChanged(false);
    return 0;
}
