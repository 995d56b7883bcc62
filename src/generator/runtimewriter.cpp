#include "generator/runtimewriter.h"

#include "core/textbuild.h"
#include "core/emitter.h"
#include "generator/identifiers.h"
#include "generator/runservices.h"
#include "generator/runtimetemplates.h"
#include "options/options.h"

#include <QRegularExpression>
#include <algorithm>

namespace qwk {

namespace {


// Small option-dependent pieces; rendered once per run.
const QStringView kNameTranslation
    = u"$v:name$=$f:multilingual$($v:name$);$v:width$=$f:multilingual$($v:width$);";
const QStringView kMainFolderImage = u"+$f:wi$($v:secn12$,$f:gif$($v:secn12$,true))";
const QStringView kSubFolderImage = u"+$f:wi$($v:secn13$,$f:gif$($v:secn13$,false))";
const QStringView kNoImage = u"+\"\"";
const QStringView kPageImage
    = u"if(!$f:ii$($v:k$,\"nm\")){$f:dw$($f:wi$($v:secn8$,\"$linkImageAddress$\"))};";
const QStringView kImageSwap = u"if(document.images$swapTest$){t=$f:go$(\"i\"+$v:secn8$);if(t){t.src=$f:gif$("
                               u"$v:secn8$,$f:ismf$($v:secn8$))}};";
const QStringView kOnlyMainSwap = u"&&$f:ismf$($v:secn8$)";
const QStringView kOnlySubSwap = u"&&!$f:ismf$($v:secn8$)";
const QStringView kTopLinkClass
    = u"if($f:ii$($v:k$,\"nf\")){$v:cn$=\"$classMainFolderLine$\"}else{$v:cn$=\"$classLinkLine$\"};";
const QStringView kPlainLinkClass = u"$v:cn$=\"$classLinkLine$\";";
const QStringView kMouseOverScript = u"\"if($v:w3c$){this.className='\"+cn+\"MouseOver'}\"";
const QStringView kMouseOutScript = u"\"if($v:w3c$){this.className='\"+cn+\"'}\"";
const QStringView kMainImages = u"var $v:omfi$=new Image();$v:omfi$.src=\"$mainOpenImage$\";"
                                u"var $v:cmfi$=new Image();$v:cmfi$.src=\"$mainClosedImage$\";";
const QStringView kSubImages = u"var $v:osfi$=new Image();$v:osfi$.src=\"$subOpenImage$\";"
                               u"var $v:csfi$=new Image();$v:csfi$.src=\"$subClosedImage$\";";
const QStringView kLinkImage = u"var $v:pli$=new Image();$v:pli$.src=\"$linkImageAddress$\";";

// The written no-wrap style; the braced form browsers ignore is not used.
const QString kNoWrap = QStringLiteral(" style='white-space:nowrap;'");

const char16_t *const kClassKeys[]
    = { u"MainFolderBox", u"MainFolderPage", u"MainFolderLine", u"SubFolderBox", u"SubFolderPage",
          u"SubFolderLine", u"LinkBox", u"LinkPage", u"LinkLine", u"MenuTreeBox" };

// An indent as a pixel number; text that is no whole number counts as 0 so
// that the script stays valid. Indents are kept within what a page can show,
// so the sum of two cannot overflow.
int pixels(const QString &text, bool *ok = nullptr)
{
    constexpr int kLimit = 10000;
    bool good = false;
    const int n = text.trimmed().toInt(&good);
    if (ok)
        *ok = good;
    return good ? std::clamp(n, -kLimit, kLimit) : 0;
}

// A value inside a single-quoted script string.
QString singleQuotedValue(const QString &text)
{
    QString v = scriptStringValue(text);
    v.replace(u'\'', u"\\'"_qs);
    return v;
}

} // namespace

QString ScriptRuntimeWriter::checkedLanguageVariable(RunServices &run)
{
    // Checked first, so that nothing is written for a hook that cannot work.
    const clsOptions &opt = run.projectOptions();
    if (opt.text(u"prjTransformURL").trimmed().contains(u'"'))
        run.abortRun(u"Function cnv(url,k) javascript contains quote"_qs);
    QString languageVariable = opt.text(u"prjJavascriptLanguageVariable").trimmed();
    if (languageVariable.isEmpty())
        languageVariable = u"qwkLang"_qs;
    if (opt.isChecked(u"prjChkMultiLingual") && !isScriptVariableName(languageVariable))
        run.abortRun(u"Javascript language variable is not a script name: "_qs + languageVariable);
    return languageVariable;
}

QString ScriptRuntimeWriter::notice()
{
    return QStringLiteral(
        "// Menu script written by Quenwick. It is written anew on every run: change the project, "
        "not this file.");
}

void ScriptRuntimeWriter::configure(TextEmitter &e) const
{
    e.setLineEnd(kCRLF);
    e.setStripIndent(m_run.compact());
    e.setCommentFilter([this](const QString &line) { return m_run.commentLine(line); });
    RunServices *run = &m_run;
    e.addResolver(u"v"_qs, [run](const QString &name) { return run->scriptVariable(name); });
    e.addResolver(u"f"_qs, [run](const QString &name) { return run->scriptFunction(name); });
}

void ScriptRuntimeWriter::setOptionPieces(TextEmitter &e)
{
    const clsOptions &opt = m_run.projectOptions();
    auto on = [&](const char16_t *key) { return opt.isChecked(QStringView(key)); };

    const QString languageVariable = checkedLanguageVariable(m_run);
    const QString transform = opt.text(u"prjTransformURL").trimmed();
    const bool multilingual = on(u"prjChkMultiLingual");

    for (const char16_t *key : kClassKeys) {
        const QString k = QString::fromUtf16(key);
        e.set(u"class"_qs + k, scriptStringValue(m_run.cssClassName(k)));
    }
    e.set(u"cookie"_qs, scriptStringValue(m_run.projectBaseName()));
    e.set(u"useCookies"_qs, on(u"prjChkAllMenusClosed") ? u"false"_qs : u"true"_qs);

    e.set(u"nameTranslation"_qs, multilingual ? e.render(kNameTranslation) : QString());
    e.set(u"noWrap"_qs, on(u"prjChkAllowLineBreaks") ? QString() : kNoWrap);

    bool mainOk = false;
    bool subOk = false;
    const int mainIndent = pixels(opt.text(u"prjLeftIndentMainFolder"), &mainOk);
    const int subIndent = pixels(opt.text(u"prjLeftIndentSubFolder"), &subOk);
    e.set(u"mainIndent"_qs, QString::number(mainIndent));
    e.set(u"subIndent"_qs, QString::number(subIndent));
    e.set(u"indentSum"_qs, QString::number(mainOk && subOk ? mainIndent + subIndent : 0));

    QString height = opt.text(u"prjPixelsHeight");
    height.remove(u'"');
    height.remove(u'\'');
    e.set(u"cellHeight"_qs,
        height.isEmpty() ? QString() : u" height = '"_qs + scriptStringValue(height) + u"'"_qs);

    // An image address goes both into an image's .src and into a
    // single-quoted src attribute; an apostrophe would end the attribute, so
    // it is written as the %27 that means the same in an address.
    auto image = [&](const char16_t *key) {
        QString address = opt.text(QStringView(key));
        address.replace(u'\'', u"%27"_qs);
        return scriptStringValue(address);
    };
    e.set(u"mainOpenImage"_qs, image(u"prjFilMFOIMG"));
    e.set(u"mainClosedImage"_qs, image(u"prjFilMFCIMG"));
    e.set(u"subOpenImage"_qs, image(u"prjFilSFOIMG"));
    e.set(u"subClosedImage"_qs, image(u"prjFilSFCIMG"));
    e.set(u"linkImageAddress"_qs, image(u"prjFilPLIMG"));

    const bool mainImages = on(u"prjChkMFI");
    const bool subImages = on(u"prjChkSFI");
    const bool linkImage = on(u"prjChkPLI");
    e.set(u"mainFolderImage"_qs, e.render(mainImages ? kMainFolderImage : kNoImage));
    e.set(u"subFolderImage"_qs, e.render(subImages ? kSubFolderImage : kNoImage));
    e.set(u"pageImage"_qs, linkImage ? e.render(kPageImage) : QString());

    const bool mainSwap = mainImages && opt.text(u"prjFilMFOIMG") != opt.text(u"prjFilMFCIMG");
    const bool subSwap = subImages && opt.text(u"prjFilSFOIMG") != opt.text(u"prjFilSFCIMG");
    QString swap;
    if (mainSwap || subSwap) {
        const QString test
            = mainSwap && subSwap ? QString() : e.render(mainSwap ? kOnlyMainSwap : kOnlySubSwap);
        TextEmitter::Scope scope(e, { { u"swapTest"_qs, test } });
        swap = e.render(kImageSwap);
    }
    e.set(u"imageSwap"_qs, swap);

    e.set(u"mainImages"_qs, mainImages ? e.render(kMainImages) : QString());
    e.set(u"subImages"_qs, subImages ? e.render(kSubImages) : QString());
    e.set(u"linkImage"_qs, linkImage ? e.render(kLinkImage) : QString());
    e.set(u"imagePreload"_qs,
        mainImages || subImages || linkImage ? e.render(runtime::kImagePreload) : QString());

    e.set(u"linkClass"_qs, e.render(on(u"prjChkTopLinkCSS") ? kTopLinkClass : kPlainLinkClass));
    const bool momo = on(u"prjChkMOMO");
    e.set(u"mouseOverScript"_qs, momo ? e.render(kMouseOverScript) : u"\"\""_qs);
    e.set(u"mouseOutScript"_qs, momo ? e.render(kMouseOutScript) : u"\"\""_qs);

    e.set(u"languages"_qs, singleQuotedValue(opt.text(u"prjLanguages")));
    e.set(u"languageVariable"_qs, languageVariable);
    e.set(u"transformBody"_qs, transform.isEmpty() ? u"return url"_qs : transform);
}

void ScriptRuntimeWriter::writeRuntime(QString &out)
{
    TextEmitter e(out);
    configure(e);
    setOptionPieces(e);
    e.raw(notice());
    e.raw(kCRLF);
    e.emit(runtime::kGlobals);
    e.emit(runtime::kDrawing);
    e.emit(runtime::kAnchors);
    e.emit(runtime::kClicks);
    e.emit(runtime::kCookies);
    e.emit(runtime::kScripting);
    e.emit(runtime::kMouseOver);
    if (m_run.projectOptions().isChecked(u"prjChkMultiLingual"))
        e.emit(runtime::kLanguages);
    e.emit(runtime::kTransform);
}

void ScriptRuntimeWriter::writePageLoadCode(QString &out)
{
    TextEmitter e(out);
    configure(e);
    e.set(u"cookie"_qs, scriptStringValue(m_run.projectBaseName()));
    e.emit(runtime::kPageLoad);
}

QString ScriptRuntimeWriter::writeRuntime()
{
    QString out;
    writeRuntime(out);
    return out;
}

QString ScriptRuntimeWriter::writePageLoadCode()
{
    QString out;
    writePageLoadCode(out);
    return out;
}

} // namespace qwk
