#include "generator/serverpath.h"

#include "core/prompt.h"
#include "options/options.h"

#include <QDir>

namespace qwk {

clsServer::clsServer(const clsOptions &options, Prompt &prompt)
    : m_options(options)
    , m_prompt(prompt)
{
}

namespace {

bool isDriveLetter(const QString &path)
{
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter();
}

// Windows paths (a drive letter or a server share) name folders whose case
// does not count, on whatever system the project is run.
Qt::CaseSensitivity caseOfPath(const QString &cleanRoot)
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    Q_UNUSED(cleanRoot);
    return Qt::CaseInsensitive;
#else
    return isDriveLetter(cleanRoot) || cleanRoot.startsWith(u"//") ? Qt::CaseInsensitive : Qt::CaseSensitive;
#endif
}

} // namespace

QString clsServer::cleanPath(const QString &path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    // QDir::cleanPath keeps ".." above the root ("/../etc"), so the segments
    // are resolved here; ".." at the root stays at the root.
    QString prefix;
    if (isDriveLetter(p)) {
        prefix = p.left(2) + u'/';
        p.remove(0, 2);
    } else if (p.startsWith(u"//")) {
        prefix = QStringLiteral("//");
    } else if (p.startsWith(u'/')) {
        prefix = QStringLiteral("/");
    } else {
        return cleanPath(QDir::currentPath() + u'/' + p);
    }
    QStringList kept;
    for (const QString &segment : p.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == u".")
            continue;
        if (segment == u"..") {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(segment);
    }
    return prefix + kept.join(u'/');
}

QString clsServer::addressInWeb(const QString &root, const QString &path)
{
    if (root.trimmed().isEmpty() || path.isEmpty())
        return {};
    const QString r = cleanPath(root);
    const QString p = cleanPath(path);
    const Qt::CaseSensitivity cs = caseOfPath(r);
    // The root is "/a/b", or "/" or "C:/" when it is a whole disk.
    const qsizetype rootEnd = r.endsWith(u'/') ? r.size() - 1 : r.size();
    if (!p.startsWith(QStringView(r).left(rootEnd), cs))
        return {};
    QString address = p.mid(rootEnd);
    if (address.isEmpty() || address == u"/")
        return QStringLiteral("/");
    if (!address.startsWith(u'/'))
        return {}; // "/a/bc" is not in "/a/b"
    if (path.endsWith(u'/') || path.endsWith(u'\\'))
        address += u'/';
    return address;
}

QString clsServer::mapPath(const QString &address) const
{
    QString root = m_options.text(u"prjFilWebRoot");
    if (root.trimmed().isEmpty()) {
        m_prompt.message(
            QStringLiteral("Error: You must set your web root folder in options tab"), errorTitle());
        return {};
    }
    if (!address.startsWith(u'/')) {
        m_prompt.message(QStringLiteral("Error: You must use a relative path"), errorTitle());
        return {};
    }
    // A root typed on Windows keeps its backslashes; any other gets the
    // separator it already uses, or the native one.
    const bool back = root.contains(u'\\') && !root.contains(u'/');
    const QChar sep = back ? QChar(u'\\') : (root.contains(u'/') ? QChar(u'/') : QDir::separator());
    if (root.endsWith(u'\\') || root.endsWith(u'/'))
        root.chop(1);
    QString rest = address.mid(1);
    rest.replace(u'/', sep);
    return root + sep + rest;
}

} // namespace qwk
