#pragma once
// Text files as the program reads and writes them. The program's files used
// to be in the Windows ANSI code page; today's files are often UTF-8. Reading
// accepts both without losing a character, writing picks the single-byte code
// page when every character fits (so older tools still read the file) and
// UTF-8 otherwise.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace qwk {

enum class TextEncoding { Windows1252, Utf8 };

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is skipped),
// otherwise Windows-1252. Never fails.
QString decodeText(QByteArrayView bytes, TextEncoding *detected = nullptr);

// True when every character of text has a Windows-1252 byte.
bool fitsWindows1252(QStringView text);

// Windows-1252 when every character fits, otherwise UTF-8 without a BOM.
// forceUtf8 always gives UTF-8.
QByteArray encodeText(QStringView text, bool forceUtf8 = false, TextEncoding *used = nullptr);

QByteArray toWindows1252(QStringView text); // characters that do not fit become '?'

// Line breaks cannot live in a one-line value: each CR LF, CR or LF becomes
// one blank.
QString flattenLineBreaks(const QString &value);

struct FileResult {
    bool ok = false;
    QString error; // the system's reason, for logs and the command line
};

// Reads a whole file. Fails on a missing or unreadable file.
FileResult readWholeFile(const QString &path, QByteArray *out);

// Writes to a temporary file beside the target and renames it over the target
// only when every byte was written, so a failure leaves the old file intact.
FileResult writeFileAtomic(const QString &path, QByteArrayView bytes);

} // namespace qwk
