#pragma once
// The run window: shown modally over the main window for one job. Once it
// is on screen, the job's first half (questions, option writes) runs on the
// GUI thread and the second half (writing the files) on a worker, while the
// log grows in the window. "OK" closes it when the job has ended.

#include "generator/rundriver.h"

#include <QDialog>
#include <QFutureWatcher>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qwk {

class ProjectDocument;
class RunServices;
class ScriptNameTables;

class RunWindow : public QDialog {
    Q_OBJECT
public:
    // lastLog is the log of the previous job, which "showLog" shows.
    RunWindow(ProjectDocument &doc, ScriptNameTables &tables, RunDriver::Job job, const QString &lastLog,
              QWidget *parent = nullptr);
    ~RunWindow() override;

    // The log as the window shows it; the main window keeps it as the last log.
    QString log() const;
    bool running() const { return m_running; }
    // Whether the job succeeded (after it ended).
    bool succeeded() const { return m_ok; }

Q_SIGNALS:
    void jobFinished(bool ok);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void start();
    void finish(bool ok);

    ProjectDocument &m_doc;
    ScriptNameTables &m_tables;
    RunDriver::Job m_job;
    QLabel *m_label;
    QPlainTextEdit *m_log;
    QPushButton *m_exit;
    std::unique_ptr<RunServices> m_services;
    std::unique_ptr<RunDriver> m_driver;
    QFutureWatcher<bool> m_watcher;
    bool m_started = false;
    bool m_running = false;
    bool m_ok = false;
};

} // namespace qwk
