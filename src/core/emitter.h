#pragma once
// A small template emitter for the long fixed texts the program writes (the
// script runtime, the sample and site map pages, the style preview).
// Templates are readable text with $name$ placeholders; values come from a
// stack of scopes, so a writer can set what a whole file shares once and add
// what one function needs around it.
//
//   $name$         the innermost value of name (text, or a callback that
//                  emits a nested piece at that point)
//   $h:name$       the value of name as HTML text (htmlEscaped): the caller
//                  passes what the author typed, the template says where it
//                  stands, so no call site can forget the escaping
//   $a:name$       the same for attribute values that may stand in single
//                  quotes as well (htmlAttributeEscaped)
//   $prefix:arg$   a registered resolver called with arg (the generator maps
//                  $v:co$ and $f:mf$ to script identifiers this way); "h" and
//                  "a" are taken by the escaping above
//   $$             a literal dollar
//
// An unknown name or prefix, or a "$" without its partner, is a programming
// error and throws TemplateError: a template must never be written half
// substituted.
//
// Template text is processed line by line: "\n" in a template becomes the
// configured line end; a line whose first non-blank characters are "//" is a
// comment line and goes through the comment filter (the generator drops them
// from compact scripts); a line that holds nothing but one placeholder whose
// value is empty disappears with its line end, so optional statements leave
// no blank lines. Values are inserted as they are: text from the user never
// becomes part of a template.
//
// Everything is appended to one buffer, so a whole file is built in linear time.

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <utility>
#include <vector>

namespace qwk {

class TemplateError : public std::logic_error {
public:
    explicit TemplateError(const QString &what)
        : std::logic_error(what.toStdString())
    {
    }
};

class TextEmitter {
public:
    using Callback = std::function<void()>;
    using Resolver = std::function<QString(const QString &arg)>;
    using CommentFilter = std::function<QString(const QString &line)>;

    // A template value: plain text or a callback that emits into the buffer.
    struct Value {
        Value(const QString &t)
            : text(t)
        {
        }
        Value(const char16_t *t)
            : text(QString::fromUtf16(t))
        {
        }
        Value(Callback c)
            : call(std::move(c))
        {
        }
        QString text;
        Callback call;
    };
    using Vars = std::initializer_list<std::pair<QString, Value>>;

    explicit TextEmitter(QString &out);

    QString &buffer() { return *m_out; }

    void setLineEnd(const QString &lineEnd) { m_lineEnd = lineEnd; }
    const QString &lineEnd() const { return m_lineEnd; }
    // Receives a comment line without its line end and returns what to write
    // instead, line end included (default: the line and the line end).
    void setCommentFilter(CommentFilter filter) { m_commentFilter = std::move(filter); }
    // Drops the leading blanks of every template line (values keep theirs).
    void setStripIndent(bool on) { m_stripIndent = on; }
    void addResolver(const QString &prefix, Resolver resolver);

    // Sets a value in the innermost scope.
    void set(const QString &name, const Value &value);

    // A scope of values that ends with the object.
    class Scope {
    public:
        Scope(TextEmitter &e, Vars vars);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        TextEmitter &m_e;
    };

    // Substitutes and appends a template.
    void emit(QStringView tmpl);
    void emit(Vars vars, QStringView tmpl);
    // Appends text exactly as it is.
    void raw(QStringView text) { m_target->append(text); }
    // Substitutes a template into a string of its own (for short pieces that
    // several templates share); the buffer is not touched.
    QString render(QStringView tmpl);
    // Substitutes a template once and leaves the named slots open: returns
    // the text around them, in the order the slots stand in the template
    // (n slots, n + 1 pieces). For a line written thousands of times where
    // only a few values change: the writer puts the pieces and its values
    // together without looking anything up again.
    QStringList renderPieces(QStringView tmpl, const QStringList &slotNames);

private:
    const Value *find(const QString &name) const;
    // The text of a value; a callback's piece is caught in a string of its own.
    QString valueText(const QString &name);
    void emitLine(QStringView line, bool hasEnd);
    void substitute(QStringView line);

    QString *m_out;
    QString *m_target;
    QString m_lineEnd = QStringLiteral("\n");
    CommentFilter m_commentFilter;
    bool m_stripIndent = false;
    std::vector<QHash<QString, Value>> m_scopes;
    QHash<QString, Resolver> m_resolvers;
};

} // namespace qwk
