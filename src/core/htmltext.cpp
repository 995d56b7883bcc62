#include "core/htmltext.h"

namespace qwk {

namespace {

void appendEscaped(QString &out, QStringView text, bool apostrophe)
{
    out.reserve(out.size() + text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        case u'\'':
            if (apostrophe) {
                out += u"&#39;";
                break;
            }
            out += c;
            break;
        default:
            out += c;
        }
    }
}

} // namespace

void appendHtmlEscaped(QString &out, QStringView text)
{
    appendEscaped(out, text, false);
}

QString htmlEscaped(QStringView text)
{
    QString out;
    appendEscaped(out, text, false);
    return out;
}

QString htmlAttributeEscaped(QStringView text)
{
    QString out;
    appendEscaped(out, text, true);
    return out;
}

} // namespace qwk
