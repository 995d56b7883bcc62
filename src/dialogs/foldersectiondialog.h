#pragma once
// "Select Folder and options": a link that lists a folder of the web site at
// run time. The folder is chosen in a tree of the file system; the lists and
// options come in and go out in their stored form.

#include <QDialog>
#include <optional>

class QCheckBox;
class QFileSystemModel;
class QLineEdit;
class QPlainTextEdit;
class QTreeView;

namespace qwk {

struct FolderSection {
    QString folder;  // disk path ("lnkHarddiskDirPage")
    QString include; // "||" lists
    QString exclude;
    QString options; // folder option string
};

class FolderSectionDialog : public QDialog {
    Q_OBJECT
public:
    // startFolder: where the tree opens when the section's folder is not a
    // folder of this disk, or not given yet (the web root).
    explicit FolderSectionDialog(const QString &startFolder, QWidget *parent = nullptr);

    void setValue(const FolderSection &value);
    // After O.K. with a folder chosen; nothing after Cancel.
    std::optional<FolderSection> value() const { return m_value; }

private:
    void accept() override;
    void showFolder(const QString &path);

    QString m_startFolder;
    QFileSystemModel *m_model;
    QTreeView *m_tree;
    QLineEdit *m_path;
    QPlainTextEdit *m_include;
    QPlainTextEdit *m_exclude;
    QCheckBox *m_external, *m_str, *m_sub, *m_date, *m_size, *m_time, *m_ext, *m_dash, *m_asp;
    std::optional<FolderSection> m_value;
};

} // namespace qwk
