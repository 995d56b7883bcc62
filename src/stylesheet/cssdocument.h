#pragma once
// The style sheet editor's content without the editor: the text, the caret
// and the selection. The style sheet object reads and edits this document;
// the designer binds a text editor to it and mirrors it through the signals.

#include <QObject>
#include <QString>

namespace qwk {

class CssDocument : public QObject {
    Q_OBJECT
public:
    explicit CssDocument(QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    // Replaces the whole text; the caret goes to the start.
    void setText(const QString &text);

    // The number of characters before the caret.
    qsizetype caret() const { return m_caret; }
    // Moves the caret (clamped to the text) and clears the selection.
    void setCaret(qsizetype offset);

    qsizetype selectionStart() const { return m_selStart; }
    qsizetype selectionLength() const { return m_selLength; }
    // Selects length characters from start (both clamped); the caret goes to
    // the end of the selection.
    void select(qsizetype start, qsizetype length);
    // Replaces the selection (or inserts at the caret) with text, as typing
    // or pasting does; the caret ends after the new text.
    void replaceSelection(const QString &text);

    // Asks whoever shows the document to give the editor the keyboard focus.
    void requestFocus() { Q_EMIT focusRequested(); }

Q_SIGNALS:
    void textChanged();
    void caretChanged(qsizetype caret);
    void selectionChanged(qsizetype start, qsizetype length);
    void focusRequested();

private:
    void moveCaret(qsizetype caret, qsizetype selStart, qsizetype selLength);

    QString m_text;
    qsizetype m_caret = 0;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
};

} // namespace qwk
