#include "stylesheet/cssdocument.h"

#include <algorithm>

namespace qwk {

CssDocument::CssDocument(QObject *parent)
    : QObject(parent)
{
}

void CssDocument::setText(const QString &text)
{
    m_text = text;
    Q_EMIT textChanged();
    m_caret = -1; // announce the caret even when it stays at 0
    moveCaret(0, 0, 0);
}

void CssDocument::setCaret(qsizetype offset)
{
    const qsizetype c = std::clamp<qsizetype>(offset, 0, m_text.size());
    moveCaret(c, c, 0);
}

void CssDocument::select(qsizetype start, qsizetype length)
{
    const qsizetype s = std::clamp<qsizetype>(start, 0, m_text.size());
    const qsizetype l = std::clamp<qsizetype>(length, 0, m_text.size() - s);
    moveCaret(s + l, s, l);
}

void CssDocument::replaceSelection(const QString &text)
{
    const qsizetype s = m_selLength > 0 ? m_selStart : m_caret;
    m_text.replace(s, m_selLength, text);
    Q_EMIT textChanged();
    moveCaret(s + text.size(), s + text.size(), 0);
}

void CssDocument::moveCaret(qsizetype caret, qsizetype selStart, qsizetype selLength)
{
    const bool caretMoved = caret != m_caret;
    const bool selectionMoved = selStart != m_selStart || selLength != m_selLength;
    m_caret = caret;
    m_selStart = selStart;
    m_selLength = selLength;
    if (caretMoved)
        Q_EMIT caretChanged(m_caret);
    if (selectionMoved)
        Q_EMIT selectionChanged(m_selStart, m_selLength);
}

} // namespace qwk
