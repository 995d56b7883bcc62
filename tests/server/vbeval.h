#pragma once
// Runs the plain functions of the generated VB.NET library (string and
// number work only: the list parsers, the width arithmetic, the section ids)
// so that tests check what they compute, not only how they are spelled. It
// knows the statements and built-ins those functions use and nothing more:
// Dim, assignment, If/ElseIf/Else, While, Return; Len, InStr, Mid, Left,
// CStr, CInt, Integer.TryParse and a few String methods.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

namespace qwk::test {

class VbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class VbFunctions {
public:
    // Reads every Function and Private Const of the code.
    explicit VbFunctions(const QString &code);

    // Calls a function; arguments by reference come back changed in args.
    // Throws VbError for what it cannot run.
    QVariant call(const QString &name, QVariantList &args);
    QVariant call(const QString &name, QVariantList &&args) { return call(name, args); }

private:
    struct Function {
        QStringList parameters;
        QList<bool> byRef;
        QStringList body;
    };
    QHash<QString, Function> m_functions; // by lower-case name
    QHash<QString, QVariant> m_constants;
    friend class VbRun;
};

} // namespace qwk::test
