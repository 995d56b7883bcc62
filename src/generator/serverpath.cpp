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
