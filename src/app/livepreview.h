#pragma once
// The live menu preview: the script a run of the open project would write,
// made in memory and shown in the embedded browser in a page of its own, with
// the style sheet as the editor holds it. Nothing is written to disk. It is
// made again a short while after the last change to the tree, an option or
// the style sheet, and the folders that were open are opened again. A run
// that would fail shows its "Error: " message instead of the menu.

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace qwk {

class PageView;
class ProjectDocument;

class LivePreview : public QWidget {
    Q_OBJECT
public:
    explicit LivePreview(ProjectDocument &doc, QWidget *parent = nullptr);

    PageView &pageView() const { return *m_view; }
    QSize sizeHint() const override { return {360, 480}; }
    // The wait after the last change (300 ms unless set).
    void setDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    QTimer &timer() { return m_timer; }

    // The message of the run when it failed; empty when the menu is shown.
    const QString &errorMessage() const { return m_error; }
    // From the start of the last refresh to the menu drawn and its folders
    // opened again, in milliseconds.
    double lastRefreshMs() const { return m_lastMs; }
    // The folders (section ids) found open before the last refresh.
    const QStringList &keptOpen() const { return m_open; }

    // The addresses of the served site where the page, and the script and
    // style sheet when the project names none under the web root, are found.
    static const QString kPagePath;
    static const QString kScriptPath;
    static const QString kStyleSheetPath;

public Q_SLOTS:
    // Starts (or restarts) the wait after a change.
    void scheduleRefresh();
    // Makes the preview now.
    void refresh();

Q_SIGNALS:
    // A refresh ended: the page is loaded and the open folders restored.
    void refreshed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void onLoadFinished();
    void finish();

    ProjectDocument &m_doc;
    PageView *m_view;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QString m_error;
    QStringList m_open;
    double m_lastMs = 0;
    int m_loads = 0;
    bool m_busy = false;
    bool m_again = false;
    bool m_pending = false;
    bool m_menuShown = false;
};

} // namespace qwk
