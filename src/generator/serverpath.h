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

    // A path as it is compared with the web root: forward slashes, absolute
    // (a relative path is taken from the working folder), with ".", ".." and
    // doubled separators resolved. "C:\\a\\..\\b" gives "C:/b"; the root
    // itself keeps its slash ("/", "C:/").
    static QString cleanPath(const QString &path);
    // The site address of a path in the web whose root folder is root
    // ("/a/b.htm", "/" for the root itself, a trailing separator kept), or ""
    // when the path is not in the web. Both are cleaned first, so ".." cannot
    // climb out; case counts where the file system's does (not for Windows
    // paths, nor on Windows and macOS).
    static QString addressInWeb(const QString &root, const QString &path);

    static QString errorTitle()
    {
        return QStringLiteral("clsServer class error - should only occur in debugging!");
    }

private:
    const clsOptions &m_options;
    Prompt &m_prompt;
};

} // namespace qwk
