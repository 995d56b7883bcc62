#include "generator/identifiers.h"

#include "core/textbuild.h"
#include "options/options.h"

#include <algorithm>
#include <stdexcept>

namespace qwk {

namespace {

// Names that code outside the runtime refers to (data calls, web authors'
// scripts, the server control, the page-load code): never compacted.
const QStringList &fixedVariables()
{
    static const QStringList names = { u"fn"_qs, u"co"_qs, u"gn"_qs, u"gstr"_qs, u"ie"_qs, u"gb"_qs,
        u"agt"_qs, u"w3c"_qs, u"mac"_qs, u"pi"_qs };
    return names;
}

const QStringList &fixedFunctions()
{
    static const QStringList names
        = { u"mf"_qs, u"udc"_qs, u"sf"_qs, u"lk"_qs, u"de"_qs, u"dw"_qs, u"os"_qs, u"cs"_qs, u"go"_qs,
              u"gf"_qs, u"col"_qs, u"openpage"_qs, u"closepage"_qs, u"open"_qs, u"close"_qs, u"swap"_qs,
              u"swapimage"_qs, u"swapline"_qs, u"timeout"_qs, u"cnv"_qs, u"swapbox"_qs, u"gi"_qs, u"gp"_qs,
              u"start"_qs, u"draw"_qs };
    return names;
}

} // namespace

int ScriptNameTables::slot(Table &table, const QString &name, int room, const char *what)
{
    auto found = table.slots.constFind(name);
    if (found != table.slots.constEnd())
        return found.value();
    const int i = int(table.names.size());
    if (i >= room)
        throw std::logic_error(std::string("Debug.") + what + ": no free slot for " + name.toStdString());
    table.names.append(name);
    table.slots.insert(name, i);
    return i;
}

int ScriptNameTables::variableSlot(const QString &name)
{
    return slot(m_variables, name, kVariableSlots, "scriptVariable");
}

int ScriptNameTables::functionSlot(const QString &name)
{
    return slot(m_functions, name, kFunctionSlots, "scriptFunction");
}

ScriptIdentifiers::ScriptIdentifiers(const clsOptions &options, ScriptNameTables &tables)
    : m_options(options)
    , m_tables(tables)
{
}

ScriptIdentifiers::~ScriptIdentifiers() = default;

QString ScriptIdentifiers::menuNumber() const
{
    if (!m_options.isChecked(u"prjMultipleMenu"))
        return {};
    bool ok = false;
    const int n = m_options.text(u"prjMultipleMenuNumber").trimmed().toInt(&ok);
    if (!ok || n < 2)
        return {};
    // The number itself rather than the text as typed: "+5" or "05" would
    // otherwise end up inside every identifier.
    return n < 21 ? QString::number(n) : QStringLiteral("20");
}

bool ScriptIdentifiers::compact() const
{
    return m_options.isChecked(u"pgmChkScrambled");
}

// A compact name: the letters, the menu number and the slot. The menu number
// is followed by "_" so that two menus on one page can never meet: joined
// directly, slot 25 of a single menu and slot 5 of menu 2 were both "qV25".
static QString compactName(const QString &letters, const QString &number, int slot)
{
    return number.isEmpty() ? letters + QString::number(slot) : letters + number + u'_' + QString::number(slot);
}

QString ScriptIdentifiers::scriptVariable(const QString &name) const
{
    if (compact() && !isFixedVariable(name))
        return compactName(u"qV"_qs, menuNumber(), m_tables.variableSlot(name));
    return u"q"_qs + menuNumber() + name.toUpper();
}

QString ScriptIdentifiers::scriptFunction(const QString &name) const
{
    if (compact() && !isFixedFunction(name))
        return compactName(u"qF"_qs, menuNumber(), m_tables.functionSlot(name));
    return u"q"_qs + menuNumber() + name.toUpper();
}

QString ScriptIdentifiers::menuLetter() const
{
    const QString number = menuNumber();
    if (number.isEmpty())
        return QString(QChar(101));
    int n = number.toInt();
    if (n < 2)
        n = 2;
    // 120 is "x", the separator of the open-sections cookie.
    const int code = n >= 20 ? 121 : 100 + n;
    return QString(QChar(code));
}

QString ScriptIdentifiers::commentLine(const QString &text) const
{
    if (compact())
        return {};
    return text + kCRLF;
}

bool ScriptIdentifiers::isFixedVariable(const QString &name)
{
    return fixedVariables().contains(name);
}

bool ScriptIdentifiers::isFixedFunction(const QString &name)
{
    return fixedFunctions().contains(name);
}

const QStringList &ScriptIdentifiers::variableVocabulary()
{
    static const QStringList names = { u"co"_qs, u"uc"_qs, u"gstr"_qs, u"o"_qs, u"gn"_qs, u"fl"_qs, u"fn"_qs,
        u"ml"_qs, u"ncf"_qs, u"XOff"_qs, u"sTop"_qs, u"osec"_qs, u"intTime"_qs, u"intTime2"_qs, u"agt"_qs,
        u"pi"_qs, u"ie"_qs, u"w3c"_qs, u"gb"_qs, u"mac"_qs, u"omfi"_qs, u"cmfi"_qs, u"osfi"_qs, u"csfi"_qs,
        u"pli"_qs, u"langString"_qs, u"name"_qs, u"width"_qs, u"href"_qs, u"k"_qs, u"secn"_qs, u"secn2"_qs,
        u"secn8"_qs, u"secn9"_qs, u"secn10"_qs, u"secn11"_qs, u"secn12"_qs, u"secn13"_qs, u"secn14"_qs,
        u"secn16"_qs, u"sec16"_qs, u"cox"_qs, u"cookieName"_qs, u"str"_qs, u"t"_qs, u"cn"_qs, u"ocjs"_qs,
        u"sec"_qs, u"path"_qs, u"pTop"_qs, u"pLeft"_qs, u"obj"_qs, u"objNew"_qs, u"fTop"_qs, u"fLeft"_qs,
        u"fShift"_qs, u"pageName"_qs, u"firstString"_qs };
    return names;
}

const QStringList &ScriptIdentifiers::functionVocabulary()
{
    static const QStringList names = [] {
        QStringList all = fixedFunctions();
        all << u"multilingual"_qs << u"gif"_qs << u"ismf"_qs << u"wi"_qs << u"ii"_qs << u"dropDownMenu"_qs
            << u"className"_qs << u"ccmf"_qs << u"cmf"_qs << u"csf"_qs << u"clk"_qs << u"wa"_qs << u"waMO"_qs
            << u"waMT"_qs << u"sio"_qs << u"osfl"_qs << u"ck"_qs << u"ck2"_qs << u"osc"_qs << u"csc"_qs
            << u"sc"_qs << u"gc"_qs << u"ct"_qs << u"oas"_qs << u"sshw"_qs << u"ssc"_qs << u"stsc"_qs
            << u"ch"_qs << u"setPosition"_qs << u"totalTop"_qs << u"totalLeft"_qs << u"mi"_qs << u"mo"_qs
            << u"mi2"_qs << u"mo2"_qs;
        return all;
    }();
    return names;
}

namespace {

// Characters from U+2028 up that are written as a \u escape: the two line
// separators and the fill mark.
bool needsUnicodeEscape(char16_t c)
{
    return c == 0x2028 || c == 0x2029 || c == kFillMark;
}

char16_t *writeUnicodeEscape(char16_t *to, char16_t c)
{
    static constexpr char16_t hex[] = u"0123456789ABCDEF";
    *to++ = u'\\';
    *to++ = u'u';
    for (int shift = 12; shift >= 0; shift -= 4)
        *to++ = hex[(c >> shift) & 0xF];
    return to;
}

// Room for the worst case (every character escaped), then cut back: one
// resize instead of an append per piece.
template<typename Writer>
void appendWritten(QString &out, QStringView text, Writer write)
{
    if (text.isEmpty())
        return;
    const qsizetype old = out.size();
    out.resize(old + kScriptEscapeWidth * text.size());
    char16_t *begin = reinterpret_cast<char16_t *>(out.data());
    out.truncate(write(begin + old, text) - begin);
}

} // namespace

namespace {

thread_local bool t_serverText = false;

char16_t *writeScriptStringAs(char16_t *to, QStringView text, bool percentEscaped)
{
    // The characters below 64 that need an escape: LF, CR and the double
    // quote, and in a server run the percent sign.
    constexpr quint64 kBelow64 = (quint64(1) << u'\n') | (quint64(1) << u'\r') | (quint64(1) << u'"');
    const quint64 below64 = percentEscaped ? kBelow64 | (quint64(1) << u'%') : kBelow64;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c < 64) {
            if (((below64 >> c) & 1) == 0) {
                *to++ = c;
                continue;
            }
            if (c == u'%') {
                to = std::copy_n(u"\\x25", 4, to);
                continue;
            }
        } else if (c != u'\\') {
            if (c < 0x2028 || !needsUnicodeEscape(c))
                *to++ = c;
            else
                to = writeUnicodeEscape(to, c);
            continue;
        }
        *to++ = u'\\';
        *to++ = c == u'\r' ? u'r' : c == u'\n' ? u'n' : c;
    }
    return to;
}

} // namespace

ServerTextScope::ServerTextScope(bool on)
    : m_was(t_serverText)
{
    t_serverText = on;
}

ServerTextScope::~ServerTextScope()
{
    t_serverText = m_was;
}

bool serverTextActive()
{
    return t_serverText;
}

char16_t *writeScriptString(char16_t *to, QStringView text)
{
    return writeScriptStringAs(to, text, t_serverText);
}

char16_t *writeCheckedScriptString(char16_t *to, QStringView text)
{
    return writeScriptStringAs(to, text, false);
}

QString serverHtmlText(QString text)
{
    if (t_serverText && text.contains(u'%'))
        text.replace(u'%', u"&#37;"_qs);
    return text;
}

bool holdsServerMarks(QStringView text)
{
    return text.contains(u"[%") || text.contains(u"%]") || text.contains(u"%%");
}

char16_t *writeBareScript(char16_t *to, QStringView text)
{
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == kFillMark)
            to = writeUnicodeEscape(to, c);
        else
            *to++ = c;
    }
    return to;
}

void appendScriptString(QString &out, QStringView text)
{
    appendWritten(out, text, writeScriptString);
}

void appendBareScript(QString &out, QStringView text)
{
    if (!text.contains(QChar(kFillMark))) {
        out += text;
        return;
    }
    appendWritten(out, text, writeBareScript);
}

bool isCssClassName(QStringView name)
{
    const auto start = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c.unicode() >= 0x80;
    };
    const auto rest = [&](QChar c) { return start(c) || (c >= u'0' && c <= u'9') || c == u'-'; };
    qsizetype i = 0;
    if (name.startsWith(u"--"))
        i = 2;
    else if (name.startsWith(u'-'))
        i = 1;
    if (i == 1 && (name.size() < 2 || !start(name[1])))
        return false;
    if (i == 0 && (name.isEmpty() || !start(name[0])))
        return false;
    for (; i < name.size(); ++i) {
        if (!rest(name[i]))
            return false;
    }
    return true;
}

bool isScriptVariableName(QStringView text)
{
    const auto start = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'$';
    };
    bool atStart = true;
    for (const QChar c : text) {
        if (atStart ? !start(c) : !(start(c) || (c >= u'0' && c <= u'9') || c == u'.'))
            return false;
        atStart = c == u'.';
    }
    return !atStart;
}

QString scriptStringValue(const QString &text)
{
    for (QChar c : text) {
        if (c == u'\\' || c == u'"' || c == u'\r' || c == u'\n' || needsUnicodeEscape(c.unicode())
            || (c == u'%' && t_serverText)) {
            QString out;
            out.reserve(text.size() + 8);
            appendScriptString(out, text);
            return out;
        }
    }
    return text;
}

} // namespace qwk
