#pragma once
// A small reader for the VB.NET the generator writes, since no VB.NET
// compiler is at hand: it checks the structure a compiler would refuse
// first, and reads back the script the code-behind's menu() sends.

#include <QString>
#include <QStringList>

namespace qwk::test {

// The faults found, each "line N: ...", empty for sound text:
// blocks (Sub, Function, block If, For, For Each, While, Select Case, Try,
// # Region, Class) closed in the order they open; string literals closed
// (quotes inside doubled); parentheses balanced outside strings; no
// placeholder of a template or of the script left ("[%", "%]", a width
// placeholder "[$" + section id + "$]", "$name$").
QStringList vbStructureFaults(const QString &code);

// The statements of menu() read as VB.NET: string literals unescaped,
// vbnewline as CR LF, and every call joined into a line given back as the
// script's "[%...%]" placeholder. Empty when there is no menu() function;
// a statement it cannot read becomes "<unreadable: ...>".
QString menuScriptReadBack(const QString &codeBehind);

} // namespace qwk::test
