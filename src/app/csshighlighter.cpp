#include "app/csshighlighter.h"

namespace qwk {

namespace {

// The state a line leaves for the next one, as bits.
enum : int {
    InComment = 1, // inside /* ... */
    InBody = 2,    // between "{" and "}"
    InValue = 4,   // after a property's ":" up to ";" or "}"
};

} // namespace

CssHighlighter::CssHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    m_selector.setForeground(QColor(0x00, 0x33, 0x99));
    m_selector.setFontWeight(QFont::Bold);
    m_property.setForeground(QColor(0x99, 0x33, 0x00));
    m_value.setForeground(QColor(0x00, 0x66, 0x33));
    m_comment.setForeground(QColor(0x80, 0x80, 0x80));
    m_comment.setFontItalic(true);
    m_string.setForeground(QColor(0xA0, 0x20, 0xA0));
}

void CssHighlighter::highlightBlock(const QString &text)
{
    int state = previousBlockState() < 0 ? 0 : previousBlockState();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (state & InComment) {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i);
            const qsizetype stop = end < 0 ? n : end + 2;
            setFormat(int(i), int(stop - i), m_comment);
            if (end >= 0)
                state &= ~InComment;
            i = stop;
            continue;
        }
        const QChar c = text[i];
        if (c == u'/' && i + 1 < n && text[i + 1] == u'*') {
            state |= InComment;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            // A string ends at its closing quote or at the end of the line.
            qsizetype end = i + 1;
            while (end < n && text[end] != c) {
                if (text[end] == u'\\')
                    ++end;
                ++end;
            }
            end = std::min(end + 1, n);
            setFormat(int(i), int(end - i), m_string);
            i = end;
            continue;
        }
        if (c == u'{') {
            state = (state | InBody) & ~InValue;
            ++i;
            continue;
        }
        if (c == u'}') {
            state &= ~(InBody | InValue);
            ++i;
            continue;
        }
        if (state & InBody) {
            if (c == u';') {
                state &= ~InValue;
                ++i;
                continue;
            }
            if (c == u':' && !(state & InValue)) {
                state |= InValue;
                ++i;
                continue;
            }
        }
        // A run of ordinary characters up to the next character that matters.
        qsizetype end = i;
        while (end < n) {
            const QChar d = text[end];
            if (d == u'{' || d == u'}' || d == u'"' || d == u'\'' || d == u';' || d == u':'
                || (d == u'/' && end + 1 < n && text[end + 1] == u'*'))
                break;
            ++end;
        }
        // A ":" outside a body belongs to the selector (a:hover).
        if (end == i)
            ++end;
        const QTextCharFormat &format
            = !(state & InBody) ? m_selector : (state & InValue) ? m_value : m_property;
        setFormat(int(i), int(end - i), format);
        i = end;
    }
    setCurrentBlockState(state);
}

} // namespace qwk
