#pragma once
// Script identifiers: every name the generator writes into a menu script goes
// through here, so that one preference switches the whole script between
// readable names ("q" + menu number + the name in upper case) and compact
// ones ("qV"/"qF" + menu number + slot), and so that several menus can share
// one web page.

#include <QHash>
#include <QString>
#include <QStringList>

namespace qwk {

class clsOptions;

// The compact-name slot tables. They start empty, only ever grow, and keep a
// name in its slot for as long as their owner lives: the application object
// owns one for the life of the program, so a second run hands out the slots
// of the first.
class ScriptNameTables {
public:
    static constexpr int kVariableSlots = 60;
    static constexpr int kFunctionSlots = 51;

    // The slot of name, appended when it is new. Running out of room is a
    // programming error (the generator asks for a fixed vocabulary) and
    // throws std::logic_error.
    int variableSlot(const QString &name);
    int functionSlot(const QString &name);

    const QStringList &variables() const { return m_variables.names; }
    const QStringList &functions() const { return m_functions.names; }

private:
    struct Table {
        QStringList names;
        QHash<QString, int> slots;
    };
    static int slot(Table &table, const QString &name, int room, const char *what);
    Table m_variables;
    Table m_functions;
};

class ScriptIdentifiers {
public:
    ScriptIdentifiers(const clsOptions &options, ScriptNameTables &tables);
    virtual ~ScriptIdentifiers();

    const clsOptions &options() const { return m_options; }
    ScriptNameTables &nameTables() const { return m_tables; }

    // "" for a single menu, otherwise "2" to "20".
    QString menuNumber() const;
    // The identifier of a global variable, parameter or local variable.
    QString scriptVariable(const QString &name) const;
    // The identifier of a function.
    QString scriptFunction(const QString &name) const;
    // The one character that begins every section id of this menu.
    QString menuLetter() const;
    // The comment line followed by CR LF, or nothing in a compact script.
    QString commentLine(const QString &text) const;
    bool compact() const;

    static QString ifOpen(const QString &condition) { return u"if("_qs + condition + u"){"_qs; }
    static QString elseIfOpen(const QString &condition) { return u"}else if("_qs + condition + u"){"_qs; }
    static QString elseOpen() { return QStringLiteral("}else{"); }
    static QString blockClose() { return QStringLiteral("};"); }

    static bool isFixedVariable(const QString &name);
    static bool isFixedFunction(const QString &name);
    // The internal names the runtime and the data calls may ask for.
    static const QStringList &variableVocabulary();
    static const QStringList &functionVocabulary();

private:
    const clsOptions &m_options;
    ScriptNameTables &m_tables;
};

// A noncharacter that the menu data writers put in front of a width
// placeholder they fill in later. No value ever reaches the script with it
// raw (the writers below put it as the escape \uFDD0), so a placeholder with
// the mark was written by the generator and never comes from a name.
inline constexpr char16_t kFillMark = 0xFDD0;

// A value as it must be written between the double quotes of a script
// string: each backslash doubled and each double quote escaped, so the
// browser receives the text exactly as the author typed it. (CR and LF are
// written as escapes too; a raw line break would end the string. The line
// and paragraph separators U+2028 and U+2029 are written as \u escapes:
// script engines before 2019 took them for line breaks as well.)
QString scriptStringValue(const QString &text);
// The same, appended to out.
void appendScriptString(QString &out, QStringView text);
// The most characters writeScriptString writes for one ("\u2028").
inline constexpr qsizetype kScriptEscapeWidth = 6;
// The same into raw room for kScriptEscapeWidth times text's length; returns
// the end.
char16_t *writeScriptString(char16_t *to, QStringView text);

// The server control rebuilds a server run's script from VB.NET statements
// and reads "[%", "%]" and "%%" in it as its own calls. While a
// ServerTextScope that is on is open on this thread, the writers above put
// "%" into script strings as the escape \x25, which the browser reads as
// the same text, so no text of the author's or from the disk can form those
// marks. Other runs write "%" as it stands.
class ServerTextScope {
public:
    explicit ServerTextScope(bool on);
    ~ServerTextScope();
    ServerTextScope(const ServerTextScope &) = delete;
    ServerTextScope &operator=(const ServerTextScope &) = delete;

private:
    bool m_was;
};
bool serverTextActive();
// The script string writer with "%" as it stands, for values this program
// checked or built itself (widths and the width placeholders).
char16_t *writeCheckedScriptString(char16_t *to, QStringView text);
// Whether text holds "[%", "%]" or "%%": bare script of the author's with
// them cannot go into a server run's script unchanged.
bool holdsServerMarks(QStringView text);
// HTML text or an attribute value for a page the server writes: while a
// ServerTextScope is on, "%" as the character reference "&#37;".
QString serverHtmlText(QString text);

// Whether a class name typed by the author is a CSS identifier (letters,
// digits, "-", "_" and any character beyond ASCII; not starting with a digit
// or "-" and a digit), and so safe inside the quoted class attributes and
// script strings it is written into.
bool isCssClassName(QStringView name);

// Whether text is a script variable name, possibly with properties
// ("qwkLang", "site.lang"): the page's language variable is written bare
// into scripts.
bool isScriptVariableName(QStringView text);

// Text written as bare script (a name that is a script expression, hidden
// script, the text of a server placeholder): as it stands, except that the
// fill mark is written as its escape. Needs the same room.
char16_t *writeBareScript(char16_t *to, QStringView text);
void appendBareScript(QString &out, QStringView text);

} // namespace qwk
