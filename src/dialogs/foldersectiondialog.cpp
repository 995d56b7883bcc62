#include "dialogs/foldersectiondialog.h"

#include "dialogs/dialogparts.h"
#include "options/sectionvalues.h"

#include <QCheckBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace qwk {

namespace {

QCheckBox *box(QVBoxLayout *layout, const char16_t *name, const char16_t *caption)
{
    auto *c = new QCheckBox(QString::fromUtf16(caption));
    c->setObjectName(QString::fromUtf16(name));
    layout->addWidget(c);
    return c;
}

QPlainTextEdit *listBox(QVBoxLayout *layout, const char16_t *name, const char16_t *label)
{
    return labelledTextBox(layout, QString::fromUtf16(name), QString::fromUtf16(label));
}

} // namespace

FolderSectionDialog::FolderSectionDialog(const QString &startFolder, QWidget *parent)
    : QDialog(parent), m_startFolder(startFolder)
{
    setObjectName(QStringLiteral("frmHarddiskDirectory"));
    setWindowTitle(QStringLiteral("Select Folder and options"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Folder to insert into tree:")));
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_tree = new QTreeView;
    m_tree->setObjectName(QStringLiteral("dirBox"));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_tree->setMinimumHeight(160);
    layout->addWidget(m_tree, 1);
    // The chosen folder as a path, which can also be typed or pasted.
    m_path = new QLineEdit;
    m_path->setObjectName(QStringLiteral("txtFolder"));
    layout->addWidget(m_path);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_path->setText(QDir::toNativeSeparators(m_model->filePath(current)));
            });

    m_include = listBox(layout, u"txtInclude",
                        u"Only include files whose name ends with one of the following extensions:");
    m_exclude = listBox(layout, u"txtExclude",
                        u"Exclude files and folders whose name begins with one of the following:");
    m_external = box(layout, u"chkExternalWindow", u"Open pages in an external window");
    m_str = box(layout, u"chkStr", u"Include sub-folder structure");
    m_sub = box(layout, u"chkSub", u"Include sub-folder files");
    m_date = box(layout, u"chkDate", u"Include date last modified");
    m_size = box(layout, u"chkSize", u"Include file size");
    m_time = box(layout, u"chkTime", u"Include time last modified");
    m_ext = box(layout, u"chkExt", u"Include file extension");
    m_dash = box(layout, u"chkDash", u"Replace underscore with space");
    m_asp = box(layout, u"chkASP",
                u"Use ASP.NET (Quenwick will write an aspx and a code behind file that write the js menu)");
    addDialogButtons(this, layout, [this] { accept(); });
    setValue({});
}

void FolderSectionDialog::showFolder(const QString &path)
{
    // A stored site address ("/docs") is not a folder on this disk: the tree
    // opens at the start folder (the section's folder under the web root),
    // and the path keeps the stored text until a folder is chosen.
    QModelIndex index = m_model->index(path);
    if (!index.isValid() || !m_model->isDir(index))
        index = m_model->index(m_startFolder);
    if (index.isValid()) {
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
        m_tree->expand(index);
    }
    m_path->setText(QDir::toNativeSeparators(path));
}

void FolderSectionDialog::setValue(const FolderSection &value)
{
    const QString folder = value.folder.isEmpty() ? m_startFolder : value.folder;
    showFolder(folder);
    m_include->setPlainText(unpackList(value.include));
    m_exclude->setPlainText(unpackList(value.exclude));
    const FolderSectionOptions o = FolderSectionOptions::parse(value.options);
    m_external->setChecked(o.target == SectionTarget::NewWindow);
    m_str->setChecked(o.structure);
    m_sub->setChecked(o.subFiles);
    m_date->setChecked(o.date);
    m_size->setChecked(o.size);
    m_time->setChecked(o.time);
    m_ext->setChecked(o.extension);
    m_dash->setChecked(o.underscoreToSpace);
    m_asp->setChecked(o.asp);
    m_value.reset();
}

void FolderSectionDialog::accept()
{
    FolderSectionOptions o;
    o.target = m_external->isChecked() ? SectionTarget::NewWindow : SectionTarget::SameWindow;
    o.structure = m_str->isChecked();
    o.subFiles = m_sub->isChecked();
    o.date = m_date->isChecked();
    o.size = m_size->isChecked();
    o.time = m_time->isChecked();
    o.extension = m_ext->isChecked();
    o.underscoreToSpace = m_dash->isChecked();
    o.asp = m_asp->isChecked();
    const QString folder = m_path->text().trimmed();
    // Without a folder there is nothing to list: the same as Cancel.
    if (!folder.isEmpty())
        m_value = FolderSection{folder, packList(m_include->toPlainText()), packList(m_exclude->toPlainText()),
                                o.pack()};
    QDialog::accept();
}

} // namespace qwk
