#include "vbchecker.h"

#include <QRegularExpression>
#include <vector>

namespace qwk::test {

namespace {

struct Line {
    QString code; // strings blanked to "", comment cut
    QString fault;
};

// Cuts the comment and blanks the contents of string literals, so keywords
// and brackets inside strings do not count.
Line codeOf(const QString &line)
{
    Line out;
    bool inString = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inString) {
            if (c == u'"') {
                if (i + 1 < line.size() && line[i + 1] == u'"') {
                    ++i;
                    continue;
                }
                inString = false;
                out.code += u'"';
            }
            continue;
        }
        if (c == u'\'')
            break;
        if (c == u'"')
            inString = true;
        out.code += c;
    }
    if (inString)
        out.fault = QStringLiteral("string literal not closed");
    // Markup files (<%@ ... %>) are not VB; only the VB lines are read here.
    return out;
}

QString opened(const QString &code)
{
    static const QRegularExpression sub(
        QStringLiteral("^((Public|Private|Protected|Friend|Shared|Overrides)\\s+)*(Sub|Function)\\s+\\w+\\s*\\("),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression klass(QStringLiteral("^((Public|Partial|Private)\\s+)*Class\\s+\\w+$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = sub.match(code);
    if (match.hasMatch())
        return match.captured(3).toLower();
    if (klass.match(code).hasMatch())
        return QStringLiteral("class");
    const QString low = code.toLower();
    if (low.startsWith(u"if ") && low.endsWith(u" then"))
        return QStringLiteral("if");
    if (low.startsWith(u"for "))
        return QStringLiteral("for");
    if (low.startsWith(u"while "))
        return QStringLiteral("while");
    if (low.startsWith(u"select case "))
        return QStringLiteral("select");
    if (low == u"try")
        return QStringLiteral("try");
    if (low.startsWith(u"# region ") || low.startsWith(u"#region "))
        return QStringLiteral("region");
    return {};
}

QString closed(const QString &code)
{
    const QString low = code.toLower();
    static const QRegularExpression end(QStringLiteral("^#?\\s*end\\s+(sub|function|if|while|select|try|class|region)$"));
    const auto match = end.match(low);
    if (match.hasMatch())
        return match.captured(1);
    if (low == u"next" || low.startsWith(u"next "))
        return QStringLiteral("for");
    return {};
}

} // namespace

QStringList vbStructureFaults(const QString &code)
{
    QStringList faults;
    std::vector<std::pair<QString, int>> blocks;
    static const QRegularExpression templatePlaceholder(QStringLiteral("\\$[A-Za-z][A-Za-z0-9_:]*\\$"));
    // A width placeholder left unresolved: "[$", a section id, "$]". (Portal
    // options carry "[$...$]" header templates of the server's own.)
    static const QRegularExpression widthPlaceholder(QStringLiteral("\\[\\$[a-y][0-9]+(d[0-9]+)+\\$\\]"));
    const QStringList lines = code.split(QStringLiteral("\r\n"));
    for (int n = 0; n < lines.size(); ++n) {
        const QString &raw = lines[n];
        const auto fault = [&](const QString &what) { faults << QStringLiteral("line %1: %2").arg(n + 1).arg(what); };
        if (raw.contains(u'\n') || raw.contains(u'\r'))
            fault(QStringLiteral("line break other than CR LF"));
        if (raw.contains(u"[%") || raw.contains(u"%]") || widthPlaceholder.match(raw).hasMatch()
            || templatePlaceholder.match(raw).hasMatch())
            fault(QStringLiteral("placeholder left: ") + raw.trimmed());
        const Line line = codeOf(raw);
        if (!line.fault.isEmpty())
            fault(line.fault);
        const QString c = line.code.trimmed();
        if (c.count(u'(') != c.count(u')'))
            fault(QStringLiteral("parentheses do not match"));
        const QString low = c.toLower();
        const auto top = [&]() { return blocks.empty() ? QString() : blocks.back().first; };
        if (low.startsWith(u"elseif ") || low == u"else") {
            if (top() != u"if")
                fault(c + QStringLiteral(" outside an If block"));
            continue;
        }
        if (low.startsWith(u"case ")) {
            if (top() != u"select")
                fault(QStringLiteral("Case outside Select Case"));
            continue;
        }
        if (low.startsWith(u"catch") || low == u"finally") {
            if (top() != u"try")
                fault(c + QStringLiteral(" outside Try"));
            continue;
        }
        if (const QString open = opened(c); !open.isEmpty()) {
            blocks.emplace_back(open, n + 1);
            continue;
        }
        if (const QString close = closed(c); !close.isEmpty()) {
            if (top() != close)
                fault(QStringLiteral("%1 closes %2").arg(c, top().isEmpty() ? u"nothing"_qs : top()));
            else
                blocks.pop_back();
        }
    }
    for (const auto &[kind, at] : blocks)
        faults << QStringLiteral("line %1: %2 not closed").arg(at).arg(kind);
    return faults;
}

namespace {

// Reads the expressions of menu()'s statements as VB would evaluate them,
// with one difference: a call is not run but given back as the script's
// placeholder, "[%", the function, its arguments (a string argument in
// "%%"), ")%]". That undoes the statements' making exactly, calls nested in
// the arguments of other calls included.
class ExpressionReader {
public:
    explicit ExpressionReader(QStringView s, qsizetype from)
        : m_s(s)
        , m_i(from)
    {
    }
    bool ok() const { return m_ok; }
    bool atEnd()
    {
        skipBlanks();
        return m_i >= m_s.size();
    }

    // term ("&" term)*; isText says whether a string or a call took part.
    QString expression(bool *isText = nullptr)
    {
        bool text = false;
        QString value = term(&text);
        while (m_ok) {
            skipBlanks();
            if (m_i >= m_s.size() || m_s[m_i] != u'&')
                break;
            ++m_i;
            bool more = false;
            value += term(&more);
            text = text || more;
        }
        if (isText)
            *isText = text;
        return value;
    }

private:
    void skipBlanks()
    {
        while (m_i < m_s.size() && m_s[m_i] == u' ')
            ++m_i;
    }
    QString fail()
    {
        m_ok = false;
        return {};
    }
    QString term(bool *text)
    {
        skipBlanks();
        if (m_i >= m_s.size())
            return fail();
        if (m_s[m_i] == u'"') {
            *text = true;
            QString value;
            for (++m_i;; ++m_i) {
                if (m_i >= m_s.size())
                    return fail();
                if (m_s[m_i] == u'"') {
                    if (m_i + 1 < m_s.size() && m_s[m_i + 1] == u'"') {
                        value += u'"';
                        ++m_i;
                        continue;
                    }
                    ++m_i;
                    return value;
                }
                value += m_s[m_i];
            }
        }
        const qsizetype start = m_i;
        while (m_i < m_s.size() && (m_s[m_i].isLetterOrNumber() || m_s[m_i] == u'_' || m_s[m_i] == u'-'))
            ++m_i;
        if (m_i == start)
            return fail();
        const QString word = m_s.mid(start, m_i - start).toString();
        if (word.compare(u"vbnewline", Qt::CaseInsensitive) == 0) {
            *text = true;
            return QStringLiteral("\r\n");
        }
        if (m_i >= m_s.size() || m_s[m_i] != u'(')
            return word; // a number or True, as the script wrote it
        *text = true;
        ++m_i;
        QStringList arguments;
        skipBlanks();
        if (m_i < m_s.size() && m_s[m_i] == u')') {
            ++m_i;
        } else {
            while (m_ok) {
                bool isText = false;
                const QString argument = expression(&isText);
                arguments << (isText ? u"%%"_qs + argument + u"%%"_qs : argument);
                skipBlanks();
                if (m_i < m_s.size() && m_s[m_i] == u',') {
                    ++m_i;
                    continue;
                }
                if (m_i < m_s.size() && m_s[m_i] == u')') {
                    ++m_i;
                    break;
                }
                return fail();
            }
        }
        return u"[%"_qs + word + u'(' + arguments.join(u',') + u")%]"_qs;
    }

    QStringView m_s;
    qsizetype m_i;
    bool m_ok = true;
};

// One statement "wv = wv & ..." read back.
QString readStatement(QStringView s)
{
    static const QString head = QStringLiteral("        wv = wv & ");
    const QString unreadable = QStringLiteral("<unreadable: ") + s.toString() + u'>';
    if (!s.startsWith(head))
        return unreadable;
    ExpressionReader reader(s, head.size());
    const QString value = reader.expression();
    return reader.ok() && reader.atEnd() ? value : unreadable;
}

} // namespace

QString menuScriptReadBack(const QString &codeBehind)
{
    const qsizetype start = codeBehind.indexOf(QStringLiteral("        Dim wv As String = \"\"\r\n"));
    if (start < 0)
        return {};
    const qsizetype from = codeBehind.indexOf(u'\n', start) + 1;
    const qsizetype to = codeBehind.indexOf(QStringLiteral("        Return wv\r\n"), from);
    QString script;
    for (const QStringView statement : QStringView(codeBehind).mid(from, to - from).split(u"\r\n")) {
        if (!statement.isEmpty())
            script += readStatement(statement);
    }
    return script;
}

} // namespace qwk::test
