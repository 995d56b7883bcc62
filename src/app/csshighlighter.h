#pragma once
// Colours for the style sheet editor: selectors, property names, values,
// comments and quoted strings. A comment or a rule may span lines, so each
// line hands its state (inside a comment, inside a rule body, inside a
// value) to the next.

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace qwk {

class CssHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit CssHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_selector;
    QTextCharFormat m_property;
    QTextCharFormat m_value;
    QTextCharFormat m_comment;
    QTextCharFormat m_string;
};

} // namespace qwk
