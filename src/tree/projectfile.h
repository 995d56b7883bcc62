#pragma once
// The project file (".qwk"): a line-oriented text of the project options and
// the whole menu tree. The reader is lenient: it skips what it does not know
// one line at a time and keeps whatever it could read.

#include <QString>
#include <QStringView>
#include <functional>

namespace qwk {

class clsOptions;
class clsFolder;

// The part of a line before its first ":", and the part after it; a line
// without ":" has an empty key and an empty value.
QStringView splitKey(QStringView line);
QStringView splitValue(QStringView line);

// The message shown when a transfer fails as a whole.
inline const QString kProjectTransferError = QStringLiteral("Error reading or writing file");

struct TransferResult {
    bool ok = false;
    QString reason; // why the file could not be opened or written, for logs
};

class ProjectFile {
public:
    using StageCallback = std::function<void(const QString &stage)>;

    // The whole text of a project: options and tree, CR LF line ends.
    static QString projectText(const clsOptions &options, const clsFolder &root);

    // Reads a project text into the options and into root, which is expected
    // to be a new, empty root folder. Lenient: lines it does not understand
    // are skipped, never the structure around them. Returns false when no
    // line at all was a line of the format (a structure line or an option
    // line of a known key): the text is something else, not a project.
    // The folder is filled directly, with no announcements: an editor reads
    // into a folder of its own and hands it to MenuTree::replaceRoot.
    static bool readText(QStringView text, clsOptions &options, clsFolder &root,
                         const StageCallback &stage = {});

    // Saves atomically: a failed write leaves an older file as it was. The
    // caller reports a failure (kProjectTransferError in the designer).
    static TransferResult save(const QString &path, const clsOptions &options, const clsFolder &root,
                               const StageCallback &stage = {});
    // Fails on a file that cannot be read, and on one that is empty or holds
    // no line of the format, so it is never opened (and later saved over) as
    // an empty project.
    static TransferResult read(const QString &path, clsOptions &options, clsFolder &root,
                               const StageCallback &stage = {});
};

} // namespace qwk
