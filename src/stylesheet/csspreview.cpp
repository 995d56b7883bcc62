#include "stylesheet/csspreview.h"

#include "core/htmltext.h"
#include "options/options.h"

#include <exception>
#include <stdexcept>

namespace qwk {

namespace {

// Author text written into the page goes in as text, never as markup: a
// class name, path or selector cannot open an element or an attribute of its
// own (a selector such as "img src=x onerror=..." would otherwise run script
// in the preview). Some of it stands in class='...', so the apostrophe too.
QString escaped(const QString &s)
{
    return htmlAttributeEscaped(s);
}

// A selector can name a sample element when it cannot close the tag, start an
// attribute value or an entity, and the element does not act on the page: the
// sample's text is the selector itself, so "script\r;var script;alert(1)"
// would run as a script and a "style" sample would add style rules.
bool safeAsElementName(const QString &s)
{
    for (const QChar c : s)
        if (c == u'<' || c == u'>' || c == u'"' || c == u'\'' || c == u'&' || c == u'=' || c == u'`'
            || c == u'/')
            return false;
    // The tag name, as a browser reads it: up to the first blank.
    qsizetype end = 0;
    while (end < s.size() && !QStringView(u" \t\n\r\f").contains(s[end]))
        ++end;
    const QStringView tag = QStringView(s).left(end);
    if (tag.compare(u"script", Qt::CaseInsensitive) == 0 || tag.compare(u"style", Qt::CaseInsensitive) == 0)
        return false;
    return !s.isEmpty();
}

} // namespace

QString previewErrorMessage(int step, const QString &description)
{
    return QString::number(step) + QStringLiteral(". Error previewing file") + u'\n' + description;
}

PreviewPage previewPage(
    const clsOptions &options, const QStringList &rules, const ClassNameFunction &className)
{
    PreviewPage result;
    int step = 0;
    QString failure;
    auto name = [&](const char16_t *key) -> QString {
        const QString k = QString::fromUtf16(key);
        if (className)
            return escaped(className(k));
        if (options.getControl(kClassNameOptionPrefix + k) < 0) {
            failure = QStringLiteral("cssClassName could not find ") + k;
            throw std::runtime_error("class key");
        }
        return escaped(options.projectClassName(k));
    };
    try {
        step = 1;
        QString mainIndent;
        QString subIndent;
        if (options.controlValue(u"prjChkTreeMenus").toInt() != 0) {
            auto indent = [&](QStringView key) {
                return QStringLiteral("style=\"margin-left:") + escaped(options.text(key).trimmed())
                    + QStringLiteral("px\" ");
            };
            mainIndent = indent(u"prjLeftIndentMainFolder");
            subIndent = indent(u"prjLeftIndentSubFolder");
        }

        step = 2;
        QString &h = result.html;
        h.reserve(2048 + rules.size() * 48);
        h += QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                            "\"http://www.w3.org/TR/html4/loose.dtd\">");
        h += QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html\">");
        h += QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"")
            + escaped(options.text(u"prjFilCSS")) + QStringLiteral("\">");
        h += QStringLiteral("</HEAD><BODY><TABLE border='0' cellspacing='0' cellpadding='0'><TR>");
        h += QStringLiteral("<TD class=\"") + name(u"MenuTreeBox")
            + QStringLiteral("\" width=\"120\" valign=\"top\">");

        auto line = [&](const QString &lineClass, const QString &text) {
            h += QStringLiteral("<span onMouseOver=this.className='") + lineClass
                + QStringLiteral("MouseOver' onMouseOut=this.className='") + lineClass
                + QStringLiteral("' class='") + lineClass + QStringLiteral("' href='javascript://'>") + text
                + QStringLiteral("</span>");
        };
        h += QStringLiteral("<div class='") + name(u"MainFolderBox") + QStringLiteral("' ") + mainIndent
            + u'>';
        h += QStringLiteral("&plusmn;");
        line(name(u"MainFolderLine"), QStringLiteral("Main folder"));

        h += QStringLiteral("<div class='") + name(u"MainFolderPage") + QStringLiteral("'><div class='")
            + name(u"SubFolderBox") + QStringLiteral("' ") + subIndent + u'>';
        h += QStringLiteral("&plusmn;");
        line(name(u"SubFolderLine"), QStringLiteral("Sub folder"));

        h += QStringLiteral("<div class='") + name(u"SubFolderPage") + QStringLiteral("'><div class='")
            + name(u"LinkBox") + QStringLiteral("' ") + subIndent + u'>';
        h += QStringLiteral("<table><tr><td class='") + name(u"LinkPage") + QStringLiteral("    '>&bull;");
        line(name(u"LinkLine"), QStringLiteral("Link"));
        h += QStringLiteral("</td></tr></table>");

        h += QStringLiteral("</div></div></div></div></div></TD></TR></TABLE><br>");

        step = 3;
        static const QStringList noSample { QStringLiteral("body"), QStringLiteral("a:visited"),
            QStringLiteral("a:hover") };
        step = 4;
        for (const QString &s : rules) {
            if (noSample.contains(s, Qt::CaseInsensitive))
                continue;
            if (s.startsWith(u'.')) {
                h += QStringLiteral("<p class='") + escaped(s.mid(1)) + QStringLiteral("'>") + escaped(s)
                    + QStringLiteral("</p>");
            } else if (safeAsElementName(s)) {
                h += u'<' + s + u'>' + s + QStringLiteral("</") + s + u'>';
            } else {
                h += QStringLiteral("<p>") + escaped(s) + QStringLiteral("</p>");
            }
        }
        h += QStringLiteral("</BODY></HTML>");
        // Steps 5 and 6, closing the browser's document and writing the page
        // into it, belong to whoever shows the page.
        result.ok = true;
    } catch (const std::exception &e) {
        if (failure.isEmpty())
            failure = QString::fromLocal8Bit(e.what());
        result.ok = false;
        result.html.clear();
        result.error = previewErrorMessage(step, failure);
    }
    return result;
}

} // namespace qwk
