#include "stylesheet/cssrules.h"

#include "core/textbuild.h"
#include <algorithm>

namespace qwk {

namespace {

bool isBreakOrSpace(QChar c)
{
    return c == u'\r' || c == u'\n' || c == u' ' || c == u'\t';
}

QStringView stripLeading(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && isBreakOrSpace(s[i]))
        ++i;
    return s.mid(i);
}

// The declarations of a rule body, one per entry: the body's lines, and
// within a line the pieces after each ";" that stands outside quotes,
// parentheses and comments. A one-line rule such as "color: red; margin: 0"
// therefore yields two declarations, so replacing one never drops the other.
// A comment that follows a ";" stays with its declaration.
QList<QStringView> declarationPieces(QStringView body)
{
    QList<QStringView> pieces;
    qsizetype start = 0;
    const qsizetype n = body.size();
    QChar quote;
    int parens = 0;
    bool comment = false;
    auto push = [&](qsizetype end) {
        if (end > start)
            pieces << body.mid(start, end - start);
        start = end;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = body[i];
        if (c == u'\r' || c == u'\n') {
            // A line break ends everything a line may hold open: the
            // line-by-line editing never joins lines.
            push(i);
            start = i + 1;
            quote = QChar();
            parens = 0;
            comment = false;
            continue;
        }
        if (comment) {
            if (c == u'*' && i + 1 < n && body[i + 1] == u'/') {
                comment = false;
                ++i;
            }
            continue;
        }
        if (!quote.isNull()) {
            // A backslash escapes the next character, but never the line
            // break: stepping over it would keep a CR in the piece, and every
            // edit of the rule would add one more.
            if (c == u'\\' && i + 1 < n && body[i + 1] != u'\r' && body[i + 1] != u'\n')
                ++i;
            else if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'/' && i + 1 < n && body[i + 1] == u'*') {
            comment = true;
            ++i;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'(') {
            ++parens;
        } else if (c == u')') {
            if (parens > 0)
                --parens;
        } else if (c == u';' && parens == 0) {
            qsizetype j = i + 1;
            while (j < n && (body[j] == u' ' || body[j] == u'\t'))
                ++j;
            const bool more = j < n && body[j] != u'\r' && body[j] != u'\n';
            const bool commentFollows = j + 1 < n && body[j] == u'/' && body[j + 1] == u'*';
            if (more && !commentFollows)
                push(i + 1);
        }
    }
    push(n);
    return pieces;
}

} // namespace

QStringView trimBlanks(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.mid(b, e - b);
}

qsizetype ruleEnd(QStringView text, qsizetype position)
{
    const qsizetype from = position < 2 ? 0 : position - 1;
    if (from >= text.size())
        return text.size() + 1;
    const qsizetype i = text.indexOf(u'}', from);
    return i < 0 ? text.size() + 1 : i + 1;
}

qsizetype ruleStart(QStringView text, qsizetype position)
{
    if (position < 1 || text.isEmpty())
        return 1;
    const qsizetype from = std::min(position, text.size()) - 1;
    const qsizetype i = text.lastIndexOf(u'}', from);
    return i < 0 ? 1 : i + 1;
}

QString ruleSelector(QStringView text, qsizetype from, qsizetype to)
{
    from = std::max<qsizetype>(from, 1);
    to = std::min(to, text.size() + 1);
    if (to <= from)
        return {};
    const QStringView piece = text.mid(from - 1, to - from);
    const qsizetype brace = piece.lastIndexOf(u'{');
    if (brace <= 0)
        return {};
    // One backward pass finds the later of the last line feed and the last "}".
    qsizetype cut = brace - 1;
    while (cut >= 0 && piece[cut] != u'\n' && piece[cut] != u'}')
        --cut;
    return trimBlanks(piece.mid(cut + 1, brace - cut - 1)).toString();
}

RuleList listRules(QStringView text, qsizetype caret)
{
    RuleList list;
    qsizetype position = 1;
    qsizetype end = ruleEnd(text, 1);
    while (position < text.size()) {
        QString selector = ruleSelector(text, position, end);
        if (!selector.isEmpty()) {
            if (position <= caret && caret <= end)
                list.selected = int(list.selectors.size());
            list.selectors << std::move(selector);
        }
        position = end + 1;
        end = ruleEnd(text, position);
    }
    return list;
}

qsizetype findRuleOccurrence(QStringView text, QStringView needle, QStringView wanted)
{
    if (needle.isEmpty())
        return 0;
    // Occurrences between the same two "}" share one rule; each rule is looked
    // at once, so a name repeated all over a huge rule costs no more than
    // reading the text.
    qsizetype lo = -1; // the "}" before the last rule looked at (0-based)
    qsizetype hi = -1; // the "}" after it, or the text length
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype i = text.indexOf(needle, from, Qt::CaseInsensitive);
        if (i < 0)
            break;
        from = i + 1;
        if (i > lo && i < hi)
            continue;
        const qsizetype p = i + 1;
        const qsizetype start = ruleStart(text, p);
        const qsizetype end = ruleEnd(text, p);
        if (ruleSelector(text, start, end) == wanted)
            return p;
        if (text[i] != u'}') {
            lo = text[start - 1] == u'}' ? start - 1 : -1;
            hi = end - 1;
        }
    }
    return 0;
}

bool styleSheetHasClass(QStringView text, QStringView name)
{
    if (name.isEmpty())
        return true;
    const QString wanted = u'.' + name.toString();
    return findRuleOccurrence(text, name, wanted) > 0;
}

RuleCaret findRuleCaret(QStringView text, QStringView selector)
{
    if (selector.isEmpty())
        return { true, -1 };
    const qsizetype p = findRuleOccurrence(text, selector, selector);
    if (p == 0)
        return { false, 1 };
    const qsizetype c = ruleEnd(text, p);
    if (c < 2)
        return { false, 1 };
    // Just before the "}", then just after the last "{" before it: the start
    // of the rule's body.
    const qsizetype open = text.lastIndexOf(u'{', c - 2);
    return { true, open < 0 ? c - 1 : open + 1 };
}

TextEdit declarationEdit(QStringView text, qsizetype bodyStart, const QString &property, const QString &value)
{
    TextEdit edit;
    bodyStart = std::clamp<qsizetype>(bodyStart, 0, text.size());
    const qsizetype e = ruleEnd(text, bodyStart);
    edit.start = bodyStart;
    edit.length = std::max<qsizetype>(0, e - 1 - bodyStart);
    const QStringView body = text.mid(edit.start, edit.length);

    const bool deleting = value == u"delete";
    const QString declaration = u'\t' + property + QStringLiteral(" : ") + value + u';' + kCRLF;
    bool placed = false;
    QString out = kCRLF;
    out.reserve(body.size() + declaration.size() + 8);
    for (QStringView piece : declarationPieces(stripLeading(body))) {
        const QStringView line = stripLeading(piece);
        if (line.isEmpty())
            continue;
        const bool declares = line.size() > property.size() && line.startsWith(property, Qt::CaseInsensitive)
            && (line[property.size()] == u' ' || line[property.size()] == u':');
        if (declares) {
            if (deleting || placed)
                continue;
            out += declaration;
            placed = true;
            continue;
        }
        if (!placed && !deleting && trimBlanks(line).compare(property, Qt::CaseSensitive) > 0) {
            out += declaration;
            placed = true;
        }
        out += u'\t';
        out += line;
        out += kCRLF;
    }
    if (!placed && !deleting)
        out += declaration;
    edit.replacement = std::move(out);
    return edit;
}

QString wordAtCaret(QStringView text, qsizetype caret)
{
    if (caret <= 0 || text.isEmpty())
        return {};
    const qsizetype a = std::min(caret, text.size());
    // Positions are 1-based; a missing character counts as position 0.
    const qsizetype d = std::max({ text.lastIndexOf(u' ', a - 1), text.lastIndexOf(u'\n', a - 1),
                            text.lastIndexOf(u'\t', a - 1) })
        + 1;
    qsizetype h = text.indexOf(u':', a - 1) + 1;
    const qsizetype blank = text.indexOf(u' ', a - 1) + 1;
    if (blank < h)
        h = blank;
    if (h < d + 2)
        return {};
    return text.mid(d, h - d - 1).toString();
}

} // namespace qwk
