#include "app/widgetprompt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace qwk {

QWidget *WidgetPrompt::parent() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

void WidgetPrompt::message(const QString &text, const QString &title)
{
    QMessageBox::information(parent(), title.isEmpty() ? QApplication::applicationDisplayName() : title, text);
}

Answer WidgetPrompt::question(const QString &text, Buttons buttons, const QString &title)
{
    QMessageBox::StandardButtons b = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        b = QMessageBox::Ok;
        break;
    case Buttons::YesNo:
        b = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        b = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case Buttons::OkCancel:
        b = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    }
    const auto answer = QMessageBox::question(
        parent(), title.isEmpty() ? QApplication::applicationDisplayName() : title, text, b);
    switch (answer) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Closing the box is the safe choice of the buttons offered.
        return declineAnswer(buttons);
    }
}

QString WidgetPrompt::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1].trimmed();
        QString description = parts[i].trimmed();
        if (pattern == u"*.*") {
            pattern = QStringLiteral("*");
            description = QStringLiteral("All files");
        } else if (pattern.compare(u"*.exe", Qt::CaseInsensitive) == 0) {
#ifndef Q_OS_WIN
            pattern = QStringLiteral("*");
            description = QStringLiteral("Programs");
#endif
        }
        out << description + QStringLiteral(" (") + pattern.replace(u';', u' ') + u')';
    }
    return out.join(QStringLiteral(";;"));
}

// Both file dialogs start at the request's file (a pattern such as "*.css"
// only picks the folder) and give back a native path, or nothing on cancel.
static std::optional<QString> runFileDialog(QFileDialog &dialog, const FileDialogRequest &request)
{
    dialog.setNameFilter(WidgetPrompt::qtFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultExt);
    const QFileInfo start(request.startName);
    if (!request.startName.isEmpty()) {
        dialog.setDirectory(start.absolutePath());
        if (!start.fileName().contains(u'*'))
            dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

std::optional<QString> WidgetPrompt::openFile(const FileDialogRequest &request)
{
    QFileDialog dialog(parent(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    return runFileDialog(dialog, request);
}

std::optional<QString> WidgetPrompt::saveFile(const FileDialogRequest &request)
{
    QFileDialog dialog(parent(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.askOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return runFileDialog(dialog, request);
}

std::optional<QString> WidgetPrompt::pickFolder(const QString &title, const QString &start)
{
    const QString folder = QFileDialog::getExistingDirectory(parent(), title, start);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder);
}

std::optional<QString> WidgetPrompt::inputBox(const QString &text, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString value = QInputDialog::getText(parent(), title, text, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QString> WidgetPrompt::pickColour(const QString &initial)
{
    const QColor colour = QColorDialog::getColor(QColor(initial), parent());
    if (!colour.isValid())
        return std::nullopt;
    return colour.name(QColor::HexRgb).toUpper();
}

} // namespace qwk
