#include "generator/servercall.h"

#include "core/textbuild.h"

namespace qwk {

ServerCall::ServerCall(QStringView function)
{
    appendPieces(m_call, { u"[%", function, u"(" });
}

void ServerCall::separate()
{
    if (!m_first)
        m_call += u',';
    m_first = false;
}

ServerCall &ServerCall::text(QStringView value)
{
    separate();
    appendPieces(m_call, { u"%%", value, u"%%" });
    return *this;
}

ServerCall &ServerCall::userText(QStringView value)
{
    // Brackets only matter beside a "%" or beside the argument's own "%%".
    if (!value.contains(u'%') && !value.startsWith(u']') && !value.endsWith(u'['))
        return text(value);
    QString safe;
    safe.reserve(value.size() + 16);
    for (const QChar c : value) {
        if (c == u'%')
            safe += u"%%&ChrW(37)&%%";
        else if (c == u'[')
            safe += u"%%&ChrW(91)&%%";
        else if (c == u']')
            safe += u"%%&ChrW(93)&%%";
        else
            safe += c;
    }
    return text(safe);
}

ServerCall &ServerCall::bare(QStringView value)
{
    separate();
    m_call += value;
    return *this;
}

QString ServerCall::done() const
{
    QString call = m_call;
    call += u")%]";
    return call;
}

} // namespace qwk
