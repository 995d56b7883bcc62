#include "generator/accessiblescript.h"

#include "core/emitter.h"
#include "core/textbuild.h"
#include "generator/accessibletemplates.h"
#include "generator/runservices.h"
#include "generator/runtimetemplates.h"
#include "generator/runtimewriter.h"
#include "options/options.h"

#include <QRegularExpression>

namespace qwk {

namespace {

const char16_t *const kClassKeys[]
    = { u"MainFolderBox", u"MainFolderPage", u"MainFolderLine", u"SubFolderBox", u"SubFolderPage",
          u"SubFolderLine", u"LinkBox", u"LinkPage", u"LinkLine", u"MenuTreeBox" };

void configure(TextEmitter &e, RunServices &run)
{
    e.setLineEnd(kCRLF);
    e.setStripIndent(run.compact());
    e.setCommentFilter([&run](const QString &line) { return run.commentLine(line); });
    e.addResolver(u"v"_qs, [&run](const QString &name) { return run.scriptVariable(name); });
    e.addResolver(u"f"_qs, [&run](const QString &name) { return run.scriptFunction(name); });
}

// An indent in pixels; anything but a whole number counts as 0.
QString pixels(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return QString::number(ok ? std::clamp(n, -10000, 10000) : 0);
}

QString truth(bool on)
{
    return on ? u"true"_qs : u"false"_qs;
}

} // namespace

bool accessibleMarkup(const RunServices &run)
{
    return run.projectOptions().isChecked(u"prjChkAccessible");
}

QString accessibleMenuId(const RunServices &run)
{
    const QString n = run.menuNumber();
    return n.isEmpty() ? u"quenwick-menu"_qs : u"quenwick-menu-"_qs + n;
}

QString accessibleMenuLabel(const RunServices &run)
{
    const QString n = run.menuNumber();
    return n.isEmpty() ? u"Site menu"_qs : u"Site menu "_qs + n;
}

void AccessibleScriptWriter::writeRuntime(QString &out)
{
    const clsOptions &opt = m_run.projectOptions();
    auto on = [&](const char16_t *key) { return opt.isChecked(QStringView(key)); };

    const QString languageVariable = ScriptRuntimeWriter::checkedLanguageVariable(m_run);
    const QString transform = opt.text(u"prjTransformURL").trimmed();
    const bool multilingual = on(u"prjChkMultiLingual");

    TextEmitter e(out);
    configure(e, m_run);
    for (const char16_t *key : kClassKeys) {
        const QString k = QString::fromUtf16(key);
        e.set(u"class"_qs + k, scriptStringValue(m_run.cssClassName(k)));
    }
    e.set(u"menuId"_qs, accessibleMenuId(m_run));
    e.set(u"menuLabel"_qs, accessibleMenuLabel(m_run));
    e.set(u"cookie"_qs, scriptStringValue(m_run.projectBaseName()));
    e.set(u"useCookies"_qs, truth(!on(u"prjChkAllMenusClosed")));
    e.set(u"mainImages"_qs, truth(on(u"prjChkMFI")));
    e.set(u"subImages"_qs, truth(on(u"prjChkSFI")));
    e.set(u"linkImage"_qs, truth(on(u"prjChkPLI")));
    e.set(u"topLinkCss"_qs, truth(on(u"prjChkTopLinkCSS")));
    e.set(u"momo"_qs, truth(on(u"prjChkMOMO")));
    e.set(u"noWrap"_qs, truth(!on(u"prjChkAllowLineBreaks")));
    e.set(u"centered"_qs, truth(on(u"prjCenterTable")));
    e.set(u"fullWidth"_qs, truth(on(u"prjWidthTo100")));
    e.set(u"mainIndent"_qs, pixels(opt.text(u"prjLeftIndentMainFolder")));
    e.set(u"subIndent"_qs, pixels(opt.text(u"prjLeftIndentSubFolder")));
    auto image = [&](const char16_t *key) { return scriptStringValue(opt.text(QStringView(key))); };
    e.set(u"mainOpenImage"_qs, image(u"prjFilMFOIMG"));
    e.set(u"mainClosedImage"_qs, image(u"prjFilMFCIMG"));
    e.set(u"subOpenImage"_qs, image(u"prjFilSFOIMG"));
    e.set(u"subClosedImage"_qs, image(u"prjFilSFCIMG"));
    e.set(u"linkImageAddress"_qs, image(u"prjFilPLIMG"));
    e.set(u"nameTranslation"_qs,
        multilingual ? e.render(u"name=$f:multilingual$(name);width=$f:multilingual$(width);") : QString());

    e.raw(ScriptRuntimeWriter::notice());
    e.raw(kCRLF);
    e.emit(runtime::kAccessibleRuntime);
    if (multilingual) {
        QString languages = scriptStringValue(opt.text(u"prjLanguages"));
        languages.replace(u'\'', u"\\'"_qs);
        TextEmitter::Scope scope(e, { { u"languages"_qs, languages }, { u"languageVariable"_qs, languageVariable } });
        e.emit(runtime::kLanguages);
    }
    TextEmitter::Scope scope(e, { { u"transformBody"_qs, transform.isEmpty() ? u"return url"_qs : transform } });
    e.emit(runtime::kTransform);
}

QString AccessibleScriptWriter::startCall() const
{
    return m_run.commentLine(u"//the menu's data"_qs) + m_run.scriptFunction(u"start"_qs) + u"();"_qs + kCRLF;
}

QString AccessibleScriptWriter::drawCall() const
{
    return m_run.commentLine(u"//draw the menu"_qs) + m_run.scriptFunction(u"draw"_qs) + u"();"_qs + kCRLF;
}

} // namespace qwk
