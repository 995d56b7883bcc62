// bench_designer PROJECT [--runs R] [--edits]: times the designer's main
// window on the offscreen platform. Without --edits: opening the project
// until the tree is shown (open_ms). With --edits: one insert, delete,
// paste, undo and selection change on the opened project, each until the
// view has caught up (insert_ms, delete_ms, paste_ms, undo_ms, select_ms).
// bench_designer --css N [--runs R]: typing in a style sheet of N rules on
// the "Style Sheet" tab: one key stroke in the middle of the sheet until the
// window has caught up (key_ms), and within it the rule list refresh that
// the key's release runs (refresh_ms).
// Every figure is the median of R runs.

#include "app/mainwindow.h"
#include "app/menutreemodel.h"
#include "app/stylesheettab.h"
#include "stylesheet/clscss.h"
#include "core/prompt.h"
#include "options/settingsstore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextStream>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <vector>

using namespace qwk;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs step and waits until the window has handled what it caused.
double timed(const std::function<void()> &step)
{
    QElapsedTimer t;
    t.start();
    step();
    QApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    int runs = 5;
    bool edits = false;
    int cssRules = 0;
    QString project;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--runs" && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == u"--css" && i + 1 < args.size())
            cssRules = std::max(1, args[++i].toInt());
        else if (args[i] == u"--edits")
            edits = true;
        else
            project = args[i];
    }
    if (project.isEmpty() && cssRules == 0) {
        QTextStream(stderr) << "usage: bench_designer PROJECT [--runs R] [--edits] | --css N [--runs R]" << Qt::endl;
        return 2;
    }
    NonInteractivePrompt prompt;
    MemorySettingsStore settings;
    QTextStream out(stdout);

    if (cssRules > 0) {
        MainWindow w(prompt, settings);
        w.show();
        QTabWidget *tabs = w.tabs();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == u"Style Sheet")
                tabs->setCurrentIndex(i);
        }
        QString sheet;
        for (int i = 0; i < cssRules; ++i)
            sheet += QStringLiteral(".rule%1 {\r\n\tbackground-color : white;\r\n\tcolor : navy;\r\n}\r\n\r\n").arg(i);
        clsCSS &css = w.document().css();
        css.document().setText(sheet);
        css.loadCSSClassesListBox();
        QApplication::processEvents();
        QPlainTextEdit *editor = w.styleSheetTab().editor();
        editor->setFocus();
        QTextCursor c = editor->textCursor();
        c.setPosition(int(editor->toPlainText().indexOf(QStringLiteral(".rule%1 {").arg(cssRules / 2))) + 6);
        editor->setTextCursor(c);
        editor->centerCursor();
        QApplication::processEvents();
        std::vector<double> key, refresh;
        for (int r = 0; r < runs; ++r) {
            // A letter typed into the selector of the middle rule: the rule
            // list changes one item each time.
            key.push_back(timed([&] {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
                QApplication::sendEvent(editor, &press);
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
                QApplication::sendEvent(editor, &release);
            }));
            // The release's work alone, with the text unchanged since the last refresh.
            refresh.push_back(timed([&] { css.editorKeyReleased(); }));
        }
        out << "key_ms=" << median(key) << " refresh_ms=" << median(refresh) << Qt::endl;
        css.setCssChanged(false);
        return 0;
    }

    if (!edits) {
        std::vector<double> open;
        for (int r = 0; r < runs; ++r) {
            MainWindow w(prompt, settings);
            w.show();
            QApplication::processEvents();
            open.push_back(timed([&] { w.openProject(project); }));
            if (w.document().prjFile().isEmpty()) {
                QTextStream(stderr) << "cannot open " << project << Qt::endl;
                return 1;
            }
        }
        out << "open_ms=" << median(open) << Qt::endl;
        return 0;
    }

    MainWindow w(prompt, settings);
    w.show();
    w.openProject(project);
    QApplication::processEvents();
    MenuTreeModel &model = w.treeModel();
    const int middle = model.rowCount() / 2;
    const QString key = QStringLiteral("n%1").arg(middle);
    std::vector<double> insert, del, paste, undo, select;
    w.selectTreeNode(QStringLiteral("n1"));
    w.editTree(QStringLiteral("copyNode"));
    for (int r = 0; r < runs; ++r) {
        w.selectTreeNode(key);
        insert.push_back(timed([&] { w.editTree(QStringLiteral("insertPage")); }));
        del.push_back(timed([&] { w.editTree(QStringLiteral("deleteNode")); }));
        paste.push_back(timed([&] { w.editTree(QStringLiteral("pasteNode")); }));
        undo.push_back(timed([&] { w.document().undoStack().undo(); }));
        const QString other = QStringLiteral("n%1").arg(middle + 1 + r);
        select.push_back(timed([&] { w.selectTreeNode(other); }));
    }
    out << "insert_ms=" << median(insert) << " delete_ms=" << median(del) << " paste_ms=" << median(paste)
        << " undo_ms=" << median(undo) << " select_ms=" << median(select) << Qt::endl;
    w.document().undoStack().clear();
    w.document().options().setPrjChanged(false);
    return 0;
}
