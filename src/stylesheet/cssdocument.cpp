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
    // The caret is announced even when it stays at 0: the view's text is new.
    const bool selectionMoved = m_selStart != 0 || m_selLength != 0;
    m_caret = 0;
    m_selStart = 0;
    m_selLength = 0;
    Q_EMIT textChanged();
    Q_EMIT caretChanged(0);
    if (selectionMoved)
        Q_EMIT selectionChanged(0, 0);
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
    // Positions are valid for the new text before anyone hears of it.
    const qsizetype oldCaret = m_caret;
    const bool hadSelection = m_selLength > 0 || m_selStart != s + text.size();
    m_caret = m_selStart = s + text.size();
    m_selLength = 0;
    Q_EMIT textChanged();
    if (m_caret != oldCaret)
        Q_EMIT caretChanged(m_caret);
    if (hadSelection)
        Q_EMIT selectionChanged(m_selStart, 0);
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
