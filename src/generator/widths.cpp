#include "generator/widths.h"

#include "options/options.h"

#include <QHash>

namespace qwk {

namespace {

const QString kSep = QStringLiteral(";;");

std::optional<int> int16(const QString &text)
{
    bool ok = false;
    const short v = text.trimmed().toShort(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// The next item, or the list's first item once the list is used up.
QString nextOrFirst(const QString &list, int &position)
{
    if (position > list.size()) {
        int first = 1;
        return nextListItem(list, first);
    }
    return nextListItem(list, position);
}

} // namespace

QString nextListItem(const QString &list, int &position)
{
    if (position < 1)
        position = 1;
    if (position > list.size()) {
        position = int(list.size()) + 1;
        return {};
    }
    const qsizetype start = position - 1;
    const qsizetype sep = list.indexOf(kSep, start);
    if (sep < 0) {
        position = int(list.size()) + 1;
        return list.mid(start);
    }
    position = int(sep) + 3;
    return list.mid(start, sep - start);
}

QString widthOf(const QString &base, const QString &perCharacter, const QString &length)
{
    const int b = int16(base).value_or(40);
    const int p = int16(perCharacter).value_or(5);
    const int l = int16(length).value_or(10);
    const long long w = static_cast<long long>(p) * l + b;
    if (p * static_cast<long long>(l) < -32768 || p * static_cast<long long>(l) > 32767 || w < -32768
        || w > 32767)
        return {};
    return QString::number(w) + QStringLiteral("px");
}

QString longer(const QString &current, const QString &name)
{
    // Called for every name: the usual plain number is read here, anything
    // else goes through the general conversion.
    bool ok = !current.isEmpty() && current.size() <= 9;
    int c = 0;
    for (qsizetype i = 0; ok && i < current.size(); ++i) {
        const char16_t d = current[i].unicode();
        ok = d >= u'0' && d <= u'9';
        c = c * 10 + (d - u'0');
    }
    if (!ok)
        c = current.trimmed().toInt(&ok);
    if (!ok)
        c = 10;
    if (c >= name.size())
        return current;
    return QString::number(name.size());
}

QString markedWidth(QStringView width)
{
    QString out;
    out.reserve(width.size() + 1);
    qsizetype from = 0;
    for (qsizetype at = width.indexOf(u"[$"); at >= 0; at = width.indexOf(u"[$", at + 2)) {
        out += width.sliced(from, at - from);
        out += QChar(kFillMark);
        from = at;
    }
    out += width.sliced(from);
    return out;
}

char16_t *writeMarkedWidth(char16_t *to, QStringView width)
{
    qsizetype from = 0;
    for (qsizetype at = width.indexOf(u"[$"); at >= 0; at = width.indexOf(u"[$", at + 2)) {
        to = writeCheckedScriptString(to, width.sliced(from, at - from));
        *to++ = kFillMark;
        from = at;
    }
    // Widths are checked values or this program's own placeholders, whose
    // "%" must stay as it is.
    return writeCheckedScriptString(to, width.sliced(from));
}

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// One width: [-] digits [. digits] or [-] . digits, then "%" or letters.
bool isOneWidth(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return true;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (text[i] == u'-')
        ++i;
    qsizetype digits = 0;
    while (i < n && isAsciiDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isAsciiDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && text[i] == u'%')
        return i + 1 == n;
    while (i < n && isAsciiLetter(text[i]))
        ++i;
    return i == n;
}

} // namespace

bool isWidthValue(QStringView text)
{
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(kSep); at >= 0; at = text.indexOf(kSep, from)) {
        if (!isOneWidth(text.sliced(from, at - from)))
            return false;
        from = at + kSep.size();
    }
    return isOneWidth(text.sliced(from));
}

QString badWidthMessage(QStringView option, const QString &value)
{
    return QStringLiteral("The width \"") + value + QStringLiteral("\" (") + option.toString()
           + QStringLiteral(") is not a number with an optional unit, such as 120px or 50%.");
}

AutomaticWidths::AutomaticWidths(const clsOptions &options) : m_options(options)
{
    if (options.isChecked(u"prjChkMultiLingual"))
        m_languages = options.text(u"prjLanguages");
}

QString AutomaticWidths::addNameLength(const QString &name, const QString &lengths) const
{
    QString result;
    int posLang = 1, posLen = 1, posName = 1;
    while (posLang <= m_languages.size()) {
        nextListItem(m_languages, posLang);
        const QString len = nextOrFirst(lengths, posLen);
        const QString item = nextOrFirst(name, posName);
        result += longer(len, item) + kSep;
    }
    if (result.isEmpty())
        return longer(lengths, name);
    return result;
}

QString AutomaticWidths::computeWidth(const QString &bases, const QString &perCharacters,
                                      const QString &lengths) const
{
    if (m_languages.isEmpty()) {
        int a = 1, b = 1, c = 1;
        return widthOf(nextListItem(bases, a), nextListItem(perCharacters, b), nextListItem(lengths, c));
    }
    QString result;
    int posLang = 1, a = 1, b = 1, c = 1;
    while (posLang <= m_languages.size()) {
        nextListItem(m_languages, posLang);
        result += widthOf(nextOrFirst(bases, a), nextOrFirst(perCharacters, b), nextOrFirst(lengths, c)) + kSep;
    }
    return result;
}

QString AutomaticWidths::levelWidth(const QString &lengths) const
{
    return computeWidth(m_options.text(u"prjPixelBase"), m_options.text(u"prjPixelsPerCharacter"), lengths);
}

QString AutomaticWidths::resolveWidth(const QString &text, const QString &lengths,
                                      const QString &placeholder) const
{
    QString out = text;
    out.replace(markedWidth(placeholder), levelWidth(lengths));
    return out;
}

void AutomaticWidths::resolveTail(QString &buffer, qsizetype from, const QString &lengths,
                                  const QString &placeholder) const
{
    // Only the placeholder as the writers put it, with the fill mark: the
    // same characters in a name listed from disk stay as they are.
    const QString marked = markedWidth(placeholder);
    if (marked.isEmpty() || buffer.indexOf(marked, from) < 0)
        return;
    QString tail = buffer.mid(from);
    tail.replace(marked, levelWidth(lengths));
    buffer.truncate(from);
    buffer += tail;
}

namespace {

// Where the key of a placeholder as the writers put it ends: the fill mark at
// at, "[$", the letters and digits of a section id, "$]". -1 for anything else.
qsizetype placeholderKeyEnd(QStringView text, qsizetype at)
{
    const qsizetype size = text.size();
    if (at + 2 >= size || text[at] != QChar(kFillMark) || text[at + 1] != u'[' || text[at + 2] != u'$')
        return -1;
    qsizetype i = at + 3;
    while (i < size && text[i].isLetterOrNumber())
        ++i;
    return i + 1 < size && text[i] == u'$' && text[i + 1] == u']' ? i + 2 : -1;
}

} // namespace

void LevelWidthFill::note(QString &out, qsizetype start, const QString &lengths, const QString &placeholder)
{
    const QString marked = markedWidth(placeholder);
    const qsizetype key = marked.indexOf(QChar(kFillMark));
    const qsizetype keyEnd = key < 0 ? -1 : placeholderKeyEnd(marked, key);
    if (keyEnd < 0) {
        m_widths.resolveTail(out, start, lengths, placeholder);
        return;
    }
    m_noted.push_back({ marked, key, keyEnd - key, m_widths.levelWidth(lengths) });
}

void LevelWidthFill::fill(QString &out, qsizetype from)
{
    if (m_noted.empty())
        return;
    QHash<QStringView, const NotedWidth *> byKey;
    byKey.reserve(qsizetype(m_noted.size()));
    for (const NotedWidth &n : m_noted)
        byKey.insert(QStringView(n.placeholder).sliced(n.keyStart, n.keyLength), &n);

    // One pass over the text: every marked "[$...$]" that names a finished
    // level is replaced (with whatever the placeholder has around it) by its
    // width. The mark is never in a name, so neither is a match. Only the
    // text from from on is built anew: a writer that fills after each of many
    // parts does not copy what comes before them each time.
    const QStringView text(out);
    QString filled;
    qsizetype copied = from;
    const qsizetype size = text.size();
    const QChar mark(kFillMark);
    for (qsizetype at = text.indexOf(mark, from); at >= 0; at = text.indexOf(mark, at + 1)) {
        const qsizetype end = placeholderKeyEnd(text, at);
        if (end < 0)
            continue;
        const auto found = byKey.constFind(text.sliced(at, end - at));
        if (found == byKey.constEnd())
            continue;
        const NotedWidth &n = **found;
        const qsizetype start = at - n.keyStart;
        const qsizetype stop = start + n.placeholder.size();
        if (start < copied || stop > size || text.sliced(start, n.placeholder.size()) != n.placeholder)
            continue;
        if (copied == from)
            filled.reserve(size - from);
        filled += text.sliced(copied, start - copied);
        filled += n.width;
        copied = stop;
        at = stop - 1;
    }
    m_noted.clear();
    if (copied == from)
        return;
    filled += text.sliced(copied);
    out.truncate(from);
    out += filled;
}

} // namespace qwk
