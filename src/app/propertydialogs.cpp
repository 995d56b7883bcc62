// The property editor's dialogs: each is given the values of the shown page
// or of the project, and what it gives back on O.K. becomes one undo step
// through the same option commands the fields use.

#include "app/optionbinding.h"
#include "app/optioncommands.h"
#include "app/projectdocument.h"
#include "app/propertyeditor.h"
#include "core/prompt.h"
#include "dialogs/advancedlinkdialog.h"
#include "dialogs/advancedprojectdialog.h"
#include "dialogs/foldersectiondialog.h"
#include "dialogs/menupositiondialog.h"
#include "dialogs/multilingualdialog.h"
#include "dialogs/pageoptionsdialog.h"
#include "dialogs/portalsectiondialog.h"
#include "dialogs/shopsectiondialog.h"
#include "options/options.h"
#include "options/sectionvalues.h"
#include "tree/nodes.h"

#include <QDir>
#include <QFileInfo>

namespace qwk {

namespace {

using Changes = std::vector<std::pair<QString, QVariant>>;

Changes changesOf(const QVariantMap &values)
{
    Changes changes;
    for (auto it = values.begin(); it != values.end(); ++it)
        changes.emplace_back(it.key(), it.value());
    return changes;
}

// Where the folder tree opens: the section's folder (a disk path, or a
// folder under the web root), else the web root.
QString folderToShow(const QString &stored, const QString &webRoot)
{
    if (!stored.isEmpty() && QFileInfo(stored).isAbsolute() && QFileInfo(stored).isDir())
        return stored;
    if (!stored.isEmpty() && !webRoot.isEmpty()) {
        const QString under = QDir(webRoot).filePath(QString(stored).remove(0, stored.startsWith(u'/') ? 1 : 0));
        if (QFileInfo(under).isDir())
            return under;
    }
    return webRoot;
}

} // namespace

void NodePropertyEditor::runDialog(QDialog &dialog)
{
    if (m_runDialog)
        m_runDialog(dialog);
    else
        dialog.exec();
}

void NodePropertyEditor::openPageOptions()
{
    if (!m_node || !m_node->asPage())
        return;
    PageOptionsDialog dialog(window());
    QVariantMap values;
    for (const QString &k : PageOptionsDialog::keys())
        values.insert(k, m_node->value(k));
    dialog.setValue(values);
    runDialog(dialog);
    if (!dialog.value())
        return;
    pushNodeChanges(changesOf(*dialog.value()));
    // A ticked box shows on the frame, where it can be cleared again.
    for (const QString &k : PageOptionsDialog::keys()) {
        if (QWidget *w = m_binder.field(k))
            w->setVisible(dialog.value()->value(k).toInt() == 1);
    }
}

void NodePropertyEditor::openAdvancedLinkOptions()
{
    if (!m_node || !m_node->asPage())
        return;
    AdvancedLinkOptionsDialog dialog(window());
    QString kind;
    for (const QString &k : AdvancedLinkOptionsDialog::kinds()) {
        if (m_node->value(k).toBool())
            kind = k;
    }
    dialog.setValue(kind);
    runDialog(dialog);
    if (dialog.value())
        openSectionDialog(*dialog.value());
}

// The kind of section and its values are stored together, on the section
// dialog's O.K.: a cancelled section dialog leaves the page as it was.
void NodePropertyEditor::openSectionDialog(const QString &kind)
{
    Changes changes = nodeChanges(kind, true);
    const auto text = [this](const char16_t *key) { return m_node->value(QString::fromUtf16(key)).toString(); };
    Prompt &prompt = *m_doc.options().prompt();
    if (kind == u"lnkOptURLHarddisk") {
        const QString webRoot = m_doc.options().text(u"prjFilWebRoot");
        FolderSectionDialog dialog(folderToShow(text(u"lnkHarddiskDirPage"), webRoot), window());
        dialog.setValue({text(u"lnkHarddiskDirPage"), text(u"lnkHarddiskIncludePage"),
                         text(u"lnkHarddiskExcludePage"), text(u"lnkHarddiskOptionsPage")});
        runDialog(dialog);
        const auto v = dialog.value();
        if (!v)
            return;
        changes.insert(changes.end(), {{QStringLiteral("lnkHarddiskDirPage"), v->folder},
                                       {QStringLiteral("lnkHarddiskIncludePage"), v->include},
                                       {QStringLiteral("lnkHarddiskExcludePage"), v->exclude},
                                       {QStringLiteral("lnkHarddiskOptionsPage"), v->options}});
    } else if (kind == u"lnkOptURLDNN") {
        PortalSectionDialog dialog(prompt, QStringLiteral("No link -- insert HTML code file:"), window());
        dialog.setValue({text(u"lnkDNNTabID"), text(u"lnkHarddiskOptionsPage"), text(u"lnkChkPageDnnHeaderTemplate")});
        runDialog(dialog);
        const auto v = dialog.value();
        if (!v)
            return;
        changes.insert(changes.end(), {{QStringLiteral("lnkDNNTabID"), v->tabId},
                                       {QStringLiteral("lnkHarddiskOptionsPage"), v->options},
                                       {QStringLiteral("lnkChkPageDnnHeaderTemplate"), v->headerTemplate}});
    } else if (kind == u"lnkOptURLCSK") {
        ShopSectionDialog dialog(prompt, window());
        dialog.setValue({text(u"lnkCSKSku"), text(u"lnkCSKOptionChoice")});
        runDialog(dialog);
        const auto v = dialog.value();
        if (!v)
            return;
        changes.insert(changes.end(), {{QStringLiteral("lnkCSKSku"), v->sku},
                                       {QStringLiteral("lnkCSKOptionChoice"), v->choice}});
    } else {
        return;
    }
    pushNodeChanges(changes);
}

void NodePropertyEditor::openMenuPosition()
{
    if (!m_node || !m_node->asFolder())
        return;
    MenuPositionDialog dialog(*m_doc.options().prompt(), window());
    dialog.setPosition(m_node->value(QStringLiteral("lnkMenuPosition")).toString());
    runDialog(dialog);
    if (dialog.position() != menuPositionCancelled())
        pushNodeEdit(QStringLiteral("lnkMenuPosition"), dialog.position());
}

void NodePropertyEditor::openAdvancedProjectOptions()
{
    clsOptions &options = m_doc.options();
    AdvancedProjectOptionsDialog dialog(window());
    QVariantMap values;
    for (const QString &k : AdvancedProjectOptionsDialog::keys())
        values.insert(k, options.controlValue(k));
    dialog.setValue(values);
    runDialog(dialog);
    if (dialog.value())
        pushOptionStep(m_doc.undoStack(), new SetProjectOptionCommand(m_doc, changesOf(*dialog.value())));
}

// Ticking "Multi-lingual project": the box and the dialog's values are one
// step, and the box stays ticked only when the project then has a language
// variable and languages.
void NodePropertyEditor::openMultiLingual()
{
    clsOptions &options = m_doc.options();
    MultiLingualDialog dialog(*options.prompt(), window());
    QVariantMap values;
    for (const QString &k : MultiLingualDialog::keys())
        values.insert(k, options.controlValue(k));
    dialog.setValue(values);
    runDialog(dialog);
    const QVariantMap after = dialog.value().value_or(values);
    const bool complete = multilingualComplete(after.value(QStringLiteral("prjJavascriptLanguageVariable")).toString(),
                                               after.value(QStringLiteral("prjLanguages")).toString());
    Changes changes{{QStringLiteral("prjChkMultiLingual"), complete ? 1 : 0}};
    if (dialog.value()) {
        const Changes more = changesOf(*dialog.value());
        changes.insert(changes.end(), more.begin(), more.end());
    }
    pushOptionStep(m_doc.undoStack(), new SetProjectOptionCommand(m_doc, changes));
    // The click ticked the box; when the store kept 0 nothing tells it.
    m_binder.refresh(QStringLiteral("prjChkMultiLingual"));
}

} // namespace qwk
