#pragma once
// The VB.NET library of server functions that every code-behind file of a
// run ends with (the menu's control and the site map's). Sections that can
// only be filled on the web server - a portal's tabs, a shop's catalogue, a
// folder read at request time, names in the visitor's language - are written
// into the script and the site map as calls to these functions. The
// project's options are baked in as constants, and whole regions the tree
// does not need are left out; the text closes the class.

#include <QString>

namespace qwk {

class RunServices;

// A value inside a VB.NET string literal: its double quotes doubled.
QString vbStringText(const QString &value);

class ServerLibrary {
public:
    explicit ServerLibrary(RunServices &run);

    // The regions the run's flags ask for, then the end of the class. Reads
    // the tree flags, so it is written after the tree walk.
    QString text();

private:
    RunServices &m_run;
};

} // namespace qwk
