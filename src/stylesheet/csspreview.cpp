#include "stylesheet/csspreview.h"

#include "core/emitter.h"
#include "options/options.h"

#include <QHash>

#include <exception>
#include <stdexcept>

namespace qwk {

namespace {

// The page is one line: the template's line breaks and indents are only for
// reading. Author text goes in as text, never as markup ($a: escapes it for
// double and single quotes alike): a class name, path or selector cannot
// open an element or an attribute of its own (a selector such as
// "img src=x onerror=..." would otherwise run script in the preview).
const QStringView kPreviewPage = uR"html(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">
<html><head><meta http-equiv="Content-Type" content="text/html">
<link rel="stylesheet" type="text/css" href="$a:styleSheet$">
</HEAD><BODY><TABLE border='0' cellspacing='0' cellpadding='0'><TR>
<TD class="$a:MenuTreeBox$" width="120" valign="top">
  <div class='$a:MainFolderBox$' $mainIndent$>&plusmn;$mainFolderLine$
    <div class='$a:MainFolderPage$'><div class='$a:SubFolderBox$' $subIndent$>&plusmn;$subFolderLine$
      <div class='$a:SubFolderPage$'><div class='$a:LinkBox$' $subIndent$>
        <table><tr><td class='$a:LinkPage$    '>&bull;$linkLine$</td></tr></table>
      </div></div></div></div></div>
</TD></TR></TABLE><br>
$samples$</BODY></HTML>)html";

// A tree menu's folders are indented by the project's pixels.
const QStringView kIndent = uR"html(style="margin-left:$a:pixels$px" )html";

// The line of a mock entry, lit under the mouse as the menu's own lines are.
const QStringView kMockLine = uR"html(<span onMouseOver=this.className='$a:lineClass$MouseOver' onMouseOut=this.className='$a:lineClass$' class='$a:lineClass$' href='javascript://'>$label$</span>)html";

// The sample of one rule: a class names a paragraph, an element that is safe
// to write shows itself, anything else is shown as text.
const QStringView kClassSample = uR"html(<p class='$a:ruleClass$'>$a:rule$</p>)html";
const QStringView kElementSample = uR"html(<$rule$>$rule$</$rule$>)html";
const QStringView kTextSample = uR"html(<p>$a:rule$</p>)html";

// The class names of the mock menu, in the order they are looked up.
const char16_t *const kMockClasses[] = { u"MenuTreeBox", u"MainFolderBox", u"MainFolderLine", u"MainFolderPage",
    u"SubFolderBox", u"SubFolderLine", u"SubFolderPage", u"LinkBox", u"LinkPage", u"LinkLine" };

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
    auto name = [&](const QString &key) -> QString {
        if (className)
            return className(key);
        if (options.getControl(kClassNameOptionPrefix + key) < 0) {
            failure = QStringLiteral("cssClassName could not find ") + key;
            throw std::runtime_error("class key");
        }
        return options.projectClassName(key);
    };
    try {
        QString &h = result.html;
        h.reserve(2048 + rules.size() * 48);
        TextEmitter e(h);
        e.setLineEnd(QString());
        e.setStripIndent(true);

        step = 1;
        QString mainIndent;
        QString subIndent;
        if (options.controlValue(u"prjChkTreeMenus").toInt() != 0) {
            auto indent = [&](QStringView key) {
                TextEmitter::Scope pixels(e, { { u"pixels"_qs, options.text(key).trimmed() } });
                return e.render(kIndent);
            };
            mainIndent = indent(u"prjLeftIndentMainFolder");
            subIndent = indent(u"prjLeftIndentSubFolder");
        }
        e.set(u"mainIndent"_qs, mainIndent);
        e.set(u"subIndent"_qs, subIndent);

        step = 2;
        e.set(u"styleSheet"_qs, options.text(u"prjFilCSS"));
        QHash<QString, QString> classes;
        for (const char16_t *key : kMockClasses) {
            const QString k = QString::fromUtf16(key);
            classes.insert(k, name(k));
            e.set(k, classes.value(k));
        }
        const auto mockLine = [&](const QString &key, const char16_t *label) {
            TextEmitter::Scope line(e, { { u"lineClass"_qs, classes.value(key) }, { u"label"_qs, label } });
            return e.render(kMockLine);
        };
        e.set(u"mainFolderLine"_qs, mockLine(u"MainFolderLine"_qs, u"Main folder"));
        e.set(u"subFolderLine"_qs, mockLine(u"SubFolderLine"_qs, u"Sub folder"));
        e.set(u"linkLine"_qs, mockLine(u"LinkLine"_qs, u"Link"));

        step = 3;
        static const QStringList noSample { QStringLiteral("body"), QStringLiteral("a:visited"),
            QStringLiteral("a:hover") };
        step = 4;
        QString samples;
        for (const QString &s : rules) {
            if (noSample.contains(s, Qt::CaseInsensitive))
                continue;
            TextEmitter::Scope rule(e, { { u"rule"_qs, s }, { u"ruleClass"_qs, s.mid(1) } });
            samples += e.render(s.startsWith(u'.') ? kClassSample
                    : safeAsElementName(s)         ? kElementSample
                                                   : kTextSample);
        }
        e.set(u"samples"_qs, samples);
        e.emit(kPreviewPage);
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
