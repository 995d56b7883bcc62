#include "vbeval.h"

#include <QRegularExpression>

namespace qwk::test {

namespace {

QString lower(const QString &s)
{
    return s.toLower();
}

bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString;
}

QString text(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

int number(const QVariant &v)
{
    bool ok = false;
    const int n = isText(v) ? v.toString().trimmed().toInt(&ok) : (ok = true, v.toInt());
    if (!ok)
        throw VbError("not a number: " + v.toString().toStdString());
    return n;
}

} // namespace

VbFunctions::VbFunctions(const QString &code)
{
    static const QRegularExpression head(
        QStringLiteral("^\\s*(?:Public|Private)\\s+Function\\s+(\\w+)\\((.*)\\)\\s+As\\s+\\w+\\s*$"));
    static const QRegularExpression constant(QStringLiteral("^\\s*Private Const (\\w+) As String = \"(.*)\"\\s*$"));
    const QStringList lines = code.split(QStringLiteral("\r\n"));
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto c = constant.match(lines[i]); c.hasMatch()) {
            m_constants.insert(lower(c.captured(1)), c.captured(2).replace(u"\"\""_qs, u"\""_qs));
            continue;
        }
        const auto m = head.match(lines[i]);
        if (!m.hasMatch())
            continue;
        Function f;
        for (const QString &p : m.captured(2).split(u',', Qt::SkipEmptyParts)) {
            const QStringList words = p.simplified().split(u' ');
            f.byRef << (words.value(0) == u"ByRef");
            f.parameters << lower(words.value(1));
        }
        for (++i; i < lines.size() && lines[i].trimmed() != u"End Function"; ++i) {
            const QString line = lines[i].trimmed();
            if (!line.isEmpty() && !line.startsWith(u'\''))
                f.body << line;
        }
        m_functions.insert(lower(m.captured(1)), f);
    }
}

// One call: its variables, and an expression reader over one line at a time.
class VbRun {
public:
    VbRun(VbFunctions &all, const VbFunctions::Function &f)
        : m_all(all)
        , m_f(f)
    {
    }
    QHash<QString, QVariant> vars;

    QVariant run()
    {
        const QStringList &body = m_f.body;
        for (int pc = 0; pc < body.size();) {
            const QString &line = body[pc];
            const QString low = line.toLower();
            if (low.startsWith(u"dim ")) {
                // Dim a As T [= expr] | Dim a, b As T
                const qsizetype eq = line.indexOf(u" = ");
                const QString names = line.mid(4, line.indexOf(u" As ") - 4);
                for (const QString &n : names.split(u',')) {
                    const bool isString = line.contains(u" As String");
                    vars.insert(lower(n.trimmed()), isString ? QVariant(QString()) : QVariant(0));
                }
                if (eq > 0)
                    vars.insert(lower(names.trimmed()), eval(line.mid(eq + 3)));
                ++pc;
            } else if (low.startsWith(u"if ") && low.endsWith(u" then")) {
                pc = eval(line.mid(3, line.size() - 8)).toBool() ? pc + 1 : nextBranch(pc);
            } else if (low.startsWith(u"elseif ") || low == u"else") {
                pc = endOf(pc, u"if ", u"end if"); // a branch was taken before
            } else if (low.startsWith(u"while ")) {
                pc = eval(line.mid(6)).toBool() ? pc + 1 : endOf(pc, u"while ", u"end while") + 1;
            } else if (low == u"end while") {
                pc = startOf(pc);
            } else if (low == u"end if") {
                ++pc;
            } else if (low.startsWith(u"return ")) {
                return eval(line.mid(7));
            } else if (const qsizetype eq = line.indexOf(u" = "); eq > 0) {
                const QString target = lower(line.left(eq).trimmed());
                if (!vars.contains(target))
                    throw VbError("unknown variable " + target.toStdString());
                vars[target] = eval(line.mid(eq + 3));
                ++pc;
            } else {
                throw VbError("cannot run: " + line.toStdString());
            }
        }
        return {};
    }

private:
    // The line after the next ElseIf/Else/End If of this If that applies.
    int nextBranch(int pc)
    {
        int depth = 0;
        for (int i = pc + 1; i < m_f.body.size(); ++i) {
            const QString low = m_f.body[i].toLower();
            if (low.startsWith(u"if ") && low.endsWith(u" then"))
                ++depth;
            else if (low == u"end if" && depth-- == 0)
                return i + 1;
            else if (depth == 0 && low.startsWith(u"elseif ")) {
                if (eval(m_f.body[i].mid(7, m_f.body[i].size() - 12)).toBool())
                    return i + 1;
            } else if (depth == 0 && low == u"else")
                return i + 1;
        }
        throw VbError("If without End If");
    }
    int endOf(int pc, QStringView open, QStringView close)
    {
        int depth = 0;
        for (int i = pc + 1; i < m_f.body.size(); ++i) {
            const QString low = m_f.body[i].toLower();
            if (low.startsWith(open) && (open != u"if " || low.endsWith(u" then")))
                ++depth;
            else if (low == close && depth-- == 0)
                return i;
        }
        throw VbError("block not closed");
    }
    int startOf(int pc)
    {
        int depth = 0;
        for (int i = pc - 1; i >= 0; --i) {
            const QString low = m_f.body[i].toLower();
            if (low == u"end while")
                ++depth;
            else if (low.startsWith(u"while ") && depth-- == 0)
                return i;
        }
        throw VbError("End While without While");
    }

    // --- expressions -------------------------------------------------------------
    QString m_s;
    qsizetype m_i = 0;

    QVariant eval(const QString &s)
    {
        const QString saved = m_s;
        const qsizetype savedAt = m_i;
        m_s = s;
        m_i = 0;
        const QVariant v = orExpr();
        blanks();
        if (m_i != m_s.size())
            throw VbError("cannot read: " + s.toStdString());
        m_s = saved;
        m_i = savedAt;
        return v;
    }
    void blanks()
    {
        while (m_i < m_s.size() && m_s[m_i] == u' ')
            ++m_i;
    }
    bool word(QStringView w)
    {
        blanks();
        if (m_s.mid(m_i, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = m_i + w.size();
        if (w.front().isLetter() && after < m_s.size() && (m_s[after].isLetterOrNumber() || m_s[after] == u'_'))
            return false;
        m_i = after;
        return true;
    }
    QVariant orExpr()
    {
        QVariant v = andExpr();
        while (word(u"Or")) {
            const bool r = andExpr().toBool();
            v = v.toBool() || r;
        }
        return v;
    }
    QVariant andExpr()
    {
        QVariant v = notExpr();
        while (word(u"And")) {
            const bool r = notExpr().toBool();
            v = v.toBool() && r;
        }
        return v;
    }
    QVariant notExpr()
    {
        if (word(u"Not"))
            return !notExpr().toBool();
        return comparison();
    }
    QVariant comparison()
    {
        QVariant a = concat();
        for (const QStringView op : { u"<>", u"<=", u">=", u"=", u"<", u">" }) {
            if (!word(op))
                continue;
            const QVariant b = concat();
            const int c = (isText(a) || isText(b)) ? text(a).compare(text(b)) : number(a) - number(b);
            if (op == u"<>")
                return c != 0;
            if (op == u"<=")
                return c <= 0;
            if (op == u">=")
                return c >= 0;
            if (op == u"=")
                return c == 0;
            return op == u"<" ? c < 0 : c > 0;
        }
        return a;
    }
    QVariant concat()
    {
        QVariant v = sum();
        while (word(u"&"))
            v = text(v) + text(sum());
        return v;
    }
    QVariant sum()
    {
        QVariant v = product();
        while (true) {
            if (word(u"+"))
                v = number(v) + number(product());
            else if (word(u"-"))
                v = number(v) - number(product());
            else
                return v;
        }
    }
    QVariant product()
    {
        QVariant v = primary();
        while (word(u"*"))
            v = number(v) * number(primary());
        return v;
    }
    QVariantList arguments(QStringList *names)
    {
        QVariantList args;
        if (word(u")"))
            return args;
        do {
            blanks();
            const qsizetype start = m_i;
            args << orExpr();
            *names << m_s.mid(start, m_i - start).trimmed().toLower();
        } while (word(u","));
        if (!word(u")"))
            throw VbError("missing )");
        return args;
    }
    QVariant primary()
    {
        blanks();
        if (m_i >= m_s.size())
            throw VbError("expression ends early");
        if (word(u"(")) {
            const QVariant v = orExpr();
            word(u")");
            return v;
        }
        if (m_s[m_i] == u'"') {
            QString v;
            for (++m_i; m_i < m_s.size(); ++m_i) {
                if (m_s[m_i] == u'"') {
                    if (m_i + 1 < m_s.size() && m_s[m_i + 1] == u'"') {
                        v += u'"';
                        ++m_i;
                        continue;
                    }
                    ++m_i;
                    return member(v);
                }
                v += m_s[m_i];
            }
            throw VbError("string not closed");
        }
        if (m_s[m_i].isDigit()) {
            const qsizetype start = m_i;
            while (m_i < m_s.size() && m_s[m_i].isDigit())
                ++m_i;
            return m_s.mid(start, m_i - start).toInt();
        }
        const qsizetype start = m_i;
        while (m_i < m_s.size() && (m_s[m_i].isLetterOrNumber() || m_s[m_i] == u'_'))
            ++m_i;
        const QString name = m_s.mid(start, m_i - start).toLower();
        if (name.isEmpty())
            throw VbError("cannot read: " + m_s.mid(m_i).toStdString());
        if (name == u"true" || name == u"false")
            return name == u"true";
        if (name == u"integer" && word(u".TryParse(")) {
            QStringList names;
            const QVariantList a = arguments(&names);
            bool ok = false;
            const int n = text(a.value(0)).trimmed().toInt(&ok);
            vars[names.value(1)] = ok ? n : 0;
            return ok;
        }
        if (m_i < m_s.size() && m_s[m_i] == u'(') {
            ++m_i;
            QStringList names;
            QVariantList args = arguments(&names);
            return member(callNamed(name, args, names));
        }
        return member(value(name));
    }
    QVariant value(const QString &name)
    {
        if (vars.contains(name))
            return vars.value(name);
        if (m_all.m_constants.contains(name))
            return m_all.m_constants.value(name);
        throw VbError("unknown name " + name.toStdString());
    }
    // ".Method(args)" after a value.
    QVariant member(QVariant v)
    {
        while (m_i < m_s.size() && m_s[m_i] == u'.') {
            ++m_i;
            const qsizetype start = m_i;
            while (m_i < m_s.size() && m_s[m_i].isLetterOrNumber())
                ++m_i;
            const QString method = m_s.mid(start, m_i - start).toLower();
            QStringList names;
            QVariantList a;
            if (word(u"("))
                a = arguments(&names);
            const QString s = text(v);
            if (method == u"lastindexof")
                v = int(s.lastIndexOf(text(a.value(0))));
            else if (method == u"indexof")
                v = int(s.indexOf(text(a.value(0))));
            else if (method == u"substring")
                v = a.size() > 1 ? s.mid(number(a[0]), number(a[1])) : s.mid(number(a[0]));
            else if (method == u"toupper")
                v = s.toUpper();
            else if (method == u"replace")
                v = QString(s).replace(text(a.value(0)), text(a.value(1)));
            else
                throw VbError("unknown method " + method.toStdString());
        }
        return v;
    }
    QVariant callNamed(const QString &name, QVariantList &a, const QStringList &names)
    {
        const QString s = text(a.value(0));
        if (name == u"len")
            return int(s.size());
        if (name == u"cstr")
            return text(a.value(0));
        if (name == u"cint")
            return number(a.value(0));
        if (name == u"left")
            return s.left(number(a.value(1)));
        if (name == u"instr") {
            if (a.size() == 3) {
                const int from = number(a[0]);
                return int(text(a[1]).indexOf(text(a[2]), from - 1) + 1);
            }
            return int(s.indexOf(text(a.value(1))) + 1);
        }
        if (name == u"mid")
            return a.size() > 2 ? s.mid(number(a[1]) - 1, number(a[2])) : s.mid(number(a[1]) - 1);
        if (!m_all.m_functions.contains(name))
            throw VbError("unknown function " + name.toStdString());
        const VbFunctions::Function &f = m_all.m_functions[name];
        VbRun inner(m_all, f);
        for (int k = 0; k < f.parameters.size(); ++k)
            inner.vars.insert(f.parameters[k], a.value(k));
        const QVariant result = inner.run();
        for (int k = 0; k < f.parameters.size(); ++k) {
            if (f.byRef[k] && vars.contains(names.value(k)))
                vars[names.value(k)] = inner.vars.value(f.parameters[k]);
        }
        return result;
    }

    VbFunctions &m_all;
    const VbFunctions::Function &m_f;
};

QVariant VbFunctions::call(const QString &name, QVariantList &args)
{
    const QString key = lower(name);
    if (!m_functions.contains(key))
        throw VbError("no function " + name.toStdString());
    const Function &f = m_functions[key];
    VbRun run(*this, f);
    for (int k = 0; k < f.parameters.size(); ++k)
        run.vars.insert(f.parameters[k], args.value(k));
    const QVariant result = run.run();
    for (int k = 0; k < f.parameters.size() && k < args.size(); ++k) {
        if (f.byRef[k])
            args[k] = run.vars.value(f.parameters[k]);
    }
    return result;
}

} // namespace qwk::test
