#include "core/textfile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace qwk {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes, which
// decode to the C1 control of the same number as Windows itself does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c >= 0x80 && c <= 0x9F)
        return kCp1252High[c - 0x80] == 0 ? int(c) : -1;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        // Project files and style sheets are mostly ASCII: eight bytes at a time.
        if (i + 8 <= n) {
            quint64 word;
            std::memcpy(&word, p + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

QString decodeText(QByteArrayView bytes, TextEncoding *detected)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    if (isValidUtf8(bytes)) {
        if (detected)
            *detected = TextEncoding::Utf8;
        return QString::fromUtf8(bytes);
    }
    if (detected)
        *detected = TextEncoding::Windows1252;
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(out.data());
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = s[i];
        d[i] = (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0) ? kCp1252High[b - 0x80] : b;
    }
    return out;
}

bool fitsWindows1252(QStringView text)
{
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
            continue;
        if (cp1252Byte(c) < 0)
            return false;
    }
    return true;
}

QByteArray toWindows1252(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = cp1252Byte(text[i].unicode());
        d[i] = b < 0 ? '?' : char(b);
    }
    return out;
}

QByteArray encodeText(QStringView text, bool forceUtf8, TextEncoding *used)
{
    if (!forceUtf8 && fitsWindows1252(text)) {
        QByteArray single = toWindows1252(text);
        // Readers take valid UTF-8 as UTF-8; single-byte text that happens to
        // look like it ("CafÃ©") would come back changed, so it is written as
        // UTF-8 instead.
        const bool ascii = std::all_of(single.cbegin(), single.cend(), [](char c) { return uchar(c) < 0x80; });
        if (ascii || !isValidUtf8(single)) {
            if (used)
                *used = TextEncoding::Windows1252;
            return single;
        }
    }
    if (used)
        *used = TextEncoding::Utf8;
    return text.toUtf8();
}

QString flattenLineBreaks(const QString &value)
{
    if (!value.contains(u'\n') && !value.contains(u'\r'))
        return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\r') {
            out.append(u' ');
            if (i + 1 < value.size() && value[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out.append(u' ');
        } else {
            out.append(c);
        }
    }
    return out;
}

FileResult readWholeFile(const QString &path, QByteArray *out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, file.errorString()};
    *out = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, file.errorString()};
    return {true, {}};
}

FileResult writeFileAtomic(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Unbuffered, so a full disk is seen by the write that hits it, with the
    // system's reason. Through Qt's buffer a small file's bytes were only
    // written by the flush at commit, whose failure went unnoticed: the empty
    // temporary file replaced the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, file.errorString()};
    auto fail = [&file](QString why) -> FileResult {
        if (why.isEmpty())
            why = QStringLiteral("Unknown error");
        file.cancelWriting();
        return {false, why};
    };
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return fail(file.errorString());
        done += n;
    }
    if (!file.flush())
        return fail(file.errorString());
#ifdef Q_OS_UNIX
    // Some file systems report a full disk only when the data reaches it;
    // the commit below syncs too, but ignores the answer.
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
#endif
    if (file.size() != bytes.size())
        return fail(QStringLiteral("Only %1 of %2 bytes were written").arg(file.size()).arg(bytes.size()));
    if (!file.commit())
        return {false, file.errorString().isEmpty() ? QStringLiteral("Unknown error") : file.errorString()};
    return {true, {}};
}

} // namespace qwk
