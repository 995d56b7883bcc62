#pragma once
// The server-path object: turns a site address ("/docs/") back into the
// folder on the designer's disk under the project's web root.

#include <QString>

namespace qwk {

class clsOptions;
class Prompt;

class clsServer {
public:
    clsServer(const clsOptions &options, Prompt &prompt);

    // "/a/b/" becomes the web root followed by "a/b/" (with the web root's own
    // separator). Without a web root, or for an address that does not begin
    // with "/", a message box says what is wrong and the result is "".
    QString mapPath(const QString &address) const;

    static QString errorTitle()
    {
        return QStringLiteral("clsServer class error - should only occur in debugging!");
    }

private:
    const clsOptions &m_options;
    Prompt &m_prompt;
};

} // namespace qwk
