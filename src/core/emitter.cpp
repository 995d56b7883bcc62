#include "core/emitter.h"

#include "core/htmltext.h"

namespace qwk {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimLeft(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return s.mid(i);
}

// True for a line that holds exactly one placeholder and nothing else.
bool isLonePlaceholder(QStringView s)
{
    s = s.trimmed();
    if (s.size() < 3 || s.front() != u'$' || s.back() != u'$')
        return false;
    return s.mid(1, s.size() - 2).indexOf(u'$') < 0;
}

} // namespace

TextEmitter::TextEmitter(QString &out)
    : m_out(&out)
    , m_target(&out)
{
    m_scopes.emplace_back();
}

void TextEmitter::addResolver(const QString &prefix, Resolver resolver)
{
    if (prefix == u"h" || prefix == u"a")
        throw TemplateError(QStringLiteral("template prefix taken by the HTML escaping: ") + prefix);
    m_resolvers.insert(prefix, std::move(resolver));
}

void TextEmitter::set(const QString &name, const Value &value)
{
    m_scopes.back().insert(name, value);
}

TextEmitter::Scope::Scope(TextEmitter &e, Vars vars)
    : m_e(e)
{
    m_e.m_scopes.emplace_back();
    for (const auto &v : vars)
        m_e.m_scopes.back().insert(v.first, v.second);
}

TextEmitter::Scope::~Scope()
{
    m_e.m_scopes.pop_back();
}

QString TextEmitter::valueText(const QString &name)
{
    const Value *v = find(name);
    if (!v)
        throw TemplateError(QStringLiteral("unknown template variable: ") + name);
    if (!v->call)
        return v->text;
    const Callback call = v->call;
    QString piece;
    QString *saved = m_target;
    m_target = &piece;
    try {
        call();
    } catch (...) {
        m_target = saved;
        throw;
    }
    m_target = saved;
    return piece;
}

const TextEmitter::Value *TextEmitter::find(const QString &name) const
{
    for (auto it = m_scopes.rbegin(); it != m_scopes.rend(); ++it) {
        auto found = it->constFind(name);
        if (found != it->constEnd())
            return &found.value();
    }
    return nullptr;
}

void TextEmitter::emit(Vars vars, QStringView tmpl)
{
    Scope scope(*this, vars);
    emit(tmpl);
}

void TextEmitter::emit(QStringView tmpl)
{
    qsizetype start = 0;
    while (start < tmpl.size()) {
        const qsizetype nl = tmpl.indexOf(u'\n', start);
        if (nl < 0) {
            emitLine(tmpl.mid(start), false);
            break;
        }
        emitLine(tmpl.mid(start, nl - start), true);
        start = nl + 1;
    }
}

QString TextEmitter::render(QStringView tmpl)
{
    QString piece;
    QString *saved = m_target;
    m_target = &piece;
    try {
        emit(tmpl);
    } catch (...) {
        m_target = saved;
        throw;
    }
    m_target = saved;
    return piece;
}

QStringList TextEmitter::renderPieces(QStringView tmpl, const QStringList &slotNames)
{
    // Each slot records where it stands in the rendered text.
    std::vector<qsizetype> cuts;
    Scope scope(*this, {});
    for (const QString &name : slotNames)
        set(name, Callback([this, &cuts] { cuts.push_back(m_target->size()); }));
    const QString text = render(tmpl);
    QStringList pieces;
    qsizetype from = 0;
    for (const qsizetype cut : cuts) {
        pieces.append(text.mid(from, cut - from));
        from = cut;
    }
    pieces.append(text.mid(from));
    return pieces;
}

void TextEmitter::emitLine(QStringView line, bool hasEnd)
{
    if (line.endsWith(u'\r'))
        line.chop(1);
    if (m_stripIndent)
        line = trimLeft(line);

    if (trimLeft(line).startsWith(u"//")) {
        QString comment;
        QString *saved = m_target;
        m_target = &comment;
        try {
            substitute(line);
        } catch (...) {
            m_target = saved;
            throw;
        }
        m_target = saved;
        if (m_commentFilter)
            m_target->append(m_commentFilter(comment));
        else
            m_target->append(comment + m_lineEnd);
        return;
    }

    const qsizetype before = m_target->size();
    substitute(line);
    // An optional statement that is switched off leaves no empty line.
    if (isLonePlaceholder(line) && m_target->mid(before).trimmed().isEmpty()) {
        m_target->truncate(before);
        return;
    }
    if (hasEnd)
        m_target->append(m_lineEnd);
}

void TextEmitter::substitute(QStringView line)
{
    qsizetype pos = 0;
    while (pos < line.size()) {
        const qsizetype open = line.indexOf(u'$', pos);
        if (open < 0) {
            m_target->append(line.mid(pos));
            return;
        }
        m_target->append(line.mid(pos, open - pos));
        const qsizetype close = line.indexOf(u'$', open + 1);
        if (close < 0)
            throw TemplateError(
                QStringLiteral("unterminated placeholder in template line: ") + line.toString());
        if (close == open + 1) {
            m_target->append(u'$');
            pos = close + 1;
            continue;
        }
        const QString name = line.mid(open + 1, close - open - 1).toString();
        const qsizetype colon = name.indexOf(u':');
        if (colon == 1 && (name.front() == u'h' || name.front() == u'a')) {
            const QString value = valueText(name.mid(2));
            if (name.front() == u'h')
                appendHtmlEscaped(*m_target, value);
            else
                m_target->append(htmlAttributeEscaped(value));
        } else if (colon >= 0) {
            auto resolver = m_resolvers.constFind(name.left(colon));
            if (resolver == m_resolvers.constEnd())
                throw TemplateError(QStringLiteral("unknown template prefix: ") + name);
            m_target->append(resolver.value()(name.mid(colon + 1)));
        } else {
            const Value *v = find(name);
            if (!v)
                throw TemplateError(QStringLiteral("unknown template variable: ") + name);
            if (v->call) {
                // The callback emits into whatever target is current; a copy,
                // because it may open scopes of its own.
                const Callback call = v->call;
                call();
            } else {
                m_target->append(v->text);
            }
        }
        pos = close + 1;
    }
}

} // namespace qwk
