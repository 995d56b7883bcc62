#include "app/runwindow.h"

#include "app/projectdocument.h"
#include "generator/runservices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace qwk {

RunWindow::RunWindow(ProjectDocument &doc, ScriptNameTables &tables, RunDriver::Job job, const QString &lastLog,
                     QWidget *parent)
    : QDialog(parent), m_doc(doc), m_tables(tables), m_job(job)
{
    setObjectName(QStringLiteral("frmRun"));
    setWindowTitle(QApplication::applicationDisplayName());
    setModal(true);
    m_label = new QLabel(RunDriver::jobLabel(job), this);
    m_label->setObjectName(QStringLiteral("lblMessage"));
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("txtLog"));
    m_log->setReadOnly(true);
    m_log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_exit = new QPushButton(this);
    m_exit->setObjectName(QStringLiteral("cmdExit"));
    connect(m_exit, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_exit, QDialogButtonBox::AcceptRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_log, 1);
    layout->addWidget(buttons);
    resize(640, 420);

    switch (job) {
    case RunDriver::Job::ShowLog:
        m_exit->setText(QStringLiteral("OK"));
        m_log->setPlainText(lastLog);
        m_started = true; // nothing to run
        break;
    case RunDriver::Job::SiteMap:
        m_exit->setText(QStringLiteral("Exit"));
        m_exit->setEnabled(false);
        break;
    default:
        m_exit->setText(QStringLiteral("Cancel"));
        m_exit->setEnabled(false);
        m_log->setPlainText(QStringLiteral("Loading form"));
        break;
    }
    connect(&m_watcher, &QFutureWatcher<bool>::finished, this, [this] { finish(m_watcher.result()); });
}

RunWindow::~RunWindow()
{
    // The worker uses the driver; it has always ended before the window can
    // close, but a window destroyed otherwise still waits for it.
    m_watcher.waitForFinished();
}

QString RunWindow::log() const
{
    return m_log->toPlainText();
}

void RunWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        // The job starts once the window has been painted.
        QTimer::singleShot(0, this, &RunWindow::start);
    }
}

void RunWindow::start()
{
    m_running = true;
    m_log->clear();
    m_services = std::make_unique<RunServices>(m_doc.options(), m_doc.prompt(), m_tables);
    m_services->setProjectFile(m_doc.prjFile().isEmpty() ? QString() : QFileInfo(m_doc.prjFile()).absoluteFilePath());
    m_services->useStyleSheet(m_doc.css());
    // Entries are logged on the worker; the connection delivers them here in
    // order, and the window repaints between them.
    connect(m_services.get(), &RunServices::logged, this, [this](const QString &entry) {
        m_log->appendPlainText(entry);
    });
    m_driver = std::make_unique<RunDriver>(*m_services, m_doc.tree().root(), &m_doc.css());
    const std::optional<RunDriver::Prepared> prepared = m_driver->prepare(m_job);
    if (!prepared) {
        // The reason has been logged (and shown); nothing is written.
        finish(false);
        return;
    }
    RunDriver *driver = m_driver.get();
    const RunDriver::Prepared p = *prepared;
    m_watcher.setFuture(QtConcurrent::run([driver, p] { return driver->generate(p); }));
}

void RunWindow::finish(bool ok)
{
    // Entries still on their way from the worker come first.
    QCoreApplication::sendPostedEvents(this);
    if (m_driver && m_log->toPlainText().isEmpty())
        m_log->setPlainText(m_driver->lastLog());
    m_running = false;
    m_ok = ok;
    QApplication::beep();
    m_exit->setText(QStringLiteral("OK"));
    m_exit->setEnabled(true);
    m_exit->setFocus();
    Q_EMIT jobFinished(ok);
}

void RunWindow::closeEvent(QCloseEvent *event)
{
    // A job cannot be interrupted: its files would be left half written.
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void RunWindow::reject()
{
    if (!m_running)
        QDialog::reject();
}

} // namespace qwk
