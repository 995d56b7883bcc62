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
