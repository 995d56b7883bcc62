#pragma once
// The server files of a menu that needs the web server: instead of a static
// script file the run writes an ASP.NET user control in VB.NET. Its
// code-behind rebuilds the script line by line on the server (calling the
// server library where the tree has sections read there), its control file
// puts the script into the page or links the script file the server writes,
// and for a plain ASP.NET site a small page shows the control once so that
// the server writes that file.

#include <QString>

namespace qwk {

class RunServices;

// The script as VB.NET statements that append it, line by line, to the
// variable wv; server calls in the script ("[%...%]") become calls joined
// into their line.
QString serverStatements(const QString &script);

class ServerControlWriter {
public:
    explicit ServerControlWriter(RunServices &run);

    // The six bodies of the load handler.
    enum class LoadForm { PortalLanguages, Portal, NoFileLanguages, NoFile, FileLanguages, File };
    LoadForm loadForm() const;

    // Writes the code-behind, the control and, for a plain ASP.NET site, the
    // writer page, each after its log line.
    void write(const QString &script);

    QString codeBehind(const QString &script);
    QString controlFile() const;
    QString writerPage();

private:
    QString baseName() const;

    RunServices &m_run;
};

} // namespace qwk
