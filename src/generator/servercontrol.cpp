#include "generator/servercontrol.h"

#include "core/emitter.h"
#include "core/textbuild.h"
#include "generator/runservices.h"
#include "generator/serverlibrary.h"
#include "generator/servertemplates.h"
#include "options/options.h"

namespace qwk {

using namespace server;

QString serverStatements(const QString &script)
{
    static const QString open = QStringLiteral("        wv = wv & \"");
    static const QString lineEnd = QStringLiteral("\" & vbnewline ");
    QString out;
    out.reserve(script.size() + script.size() / 2 + 64);
    out += open;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        if (c == u'"') {
            out += QStringLiteral("\"\"");
        } else if (c == u'\r' || c == u'\n') {
            // CR LF, CR or LF: one line of the script, one statement.
            if (c == u'\r' && i + 1 < n && script[i + 1] == u'\n')
                ++i;
            out += lineEnd;
            out += kCRLF;
            out += open;
        } else {
            out += c;
        }
    }
    out += lineEnd;
    out += kCRLF;
    // The server calls open up into calls joined into their line; "%%" is
    // the double quote of their string arguments.
    out.replace(QStringLiteral("[%"), QStringLiteral("\" & "));
    out.replace(QStringLiteral("%]"), QStringLiteral(" & \""));
    out.replace(QStringLiteral("%%"), QStringLiteral("\""));
    out.replace(QStringLiteral("& \"\" &"), QStringLiteral("&"));
    return out;
}

ServerControlWriter::ServerControlWriter(RunServices &run)
    : m_run(run)
{
}

QString ServerControlWriter::baseName() const
{
    return RunServices::baseName(m_run.projectOptions().text(u"prjFilJS"));
}

ServerControlWriter::LoadForm ServerControlWriter::loadForm() const
{
    const bool languages = m_run.languagesOnServer();
    if (m_run.portalDirectory())
        return languages ? LoadForm::PortalLanguages : LoadForm::Portal;
    if (m_run.noScriptFile())
        return languages ? LoadForm::NoFileLanguages : LoadForm::NoFile;
    return languages ? LoadForm::FileLanguages : LoadForm::File;
}

QString ServerControlWriter::codeBehind(const QString &script)
{
    const clsOptions &options = m_run.projectOptions();
    const bool portal = m_run.portalDirectory();
    QString out;
    TextEmitter e(out);
    e.setLineEnd(kCRLF);
    e.set(u"baseName"_qs, baseName());
    e.set(u"languageVariable"_qs, vbStringText(options.text(u"prjJavascriptLanguageVariable")));
    e.set(u"scriptAddress"_qs, vbStringText(m_run.ra(options.text(u"prjFilJS"))));
    e.set(u"portalImports"_qs, portal ? e.render(kPortalImports) : QString());
    e.set(u"shopImports"_qs, m_run.shopLinks() ? e.render(kShopImports) : QString());
    if (portal)
        e.set(u"inherits"_qs, e.render(kInheritsPortal));
    else if (m_run.noScriptFile())
        e.set(u"inherits"_qs, e.render(kInheritsControlWithScript));
    else
        e.set(u"inherits"_qs, kInheritsControl.toString());

    static const QStringView bodies[] = { kLoadPortalLanguages, kLoadPortal, kLoadNoFileLanguages, kLoadNoFile,
        kLoadFileLanguages, kLoadFile };
    e.set(u"languageScriptLine"_qs, e.render(kLanguageScriptLine));
    e.set(u"plainScriptLine"_qs, kPlainScriptLine.toString());
    e.set(u"bilingualLine"_qs, m_run.shopLinks() ? kBilingualLine.toString() : QString());
    e.set(u"pathLine"_qs, e.render(kPathLine));
    e.set(u"writeLine"_qs,
        (options.isChecked(u"prjChkUtf8") ? kWriteLineUtf8 : kWriteLineDefault).toString());
    e.set(u"loadBody"_qs, e.render(bodies[int(loadForm())]));
    e.set(u"statements"_qs, serverStatements(script));
    e.emit(kCodeBehindHead);
    out += kCRLF;
    out += ServerLibrary(m_run).text();
    out += kCRLF;
    return out;
}

QString ServerControlWriter::controlFile() const
{
    const clsOptions &options = m_run.projectOptions();
    QString out;
    TextEmitter e(out);
    e.setLineEnd(kCRLF);
    e.set(u"baseName"_qs, baseName());
    e.emit(kControlHead);
    if (m_run.portalDirectory() || m_run.noScriptFile()) {
        e.emit(kControlWithScript);
    } else {
        e.set(u"scriptAddress"_qs, m_run.ra(options.text(u"prjFilJS")));
        e.emit(kControlWithFile);
    }
    return out;
}

QString ServerControlWriter::writerPage()
{
    const clsOptions &options = m_run.projectOptions();
    const QString script = options.text(u"prjFilJS");
    QString out;
    TextEmitter e(out);
    e.setLineEnd(kCRLF);
    e.set(u"baseName"_qs, baseName());
    e.set(u"pageDirective"_qs, (options.isChecked(u"prjChkUtf8") ? kPageDirectiveUtf8 : kPageDirective).toString());
    e.set(u"appStem"_qs, m_run.raAPP(RunServices::stripExtension(script)));
    e.set(u"scriptPath"_qs, script);
    e.set(u"styleSheetAddress"_qs, m_run.ra(m_run.styleSheetPath()));
    e.set(u"languageVariable"_qs, options.text(u"prjJavascriptLanguageVariable"));
    e.set(u"languageDeclaration"_qs,
        options.isChecked(u"prjChkMultiLingual") ? e.render(kLanguageVariable) : QString());
    e.set(u"sampleText"_qs, options.text(u"prjSampleHTML"));
    e.set(u"sampleHtml"_qs, options.text(u"prjSampleHTML").isEmpty() ? QString() : e.render(kSampleHtml));
    e.emit(kWriterPage);
    return out;
}

void ServerControlWriter::write(const QString &script)
{
    const QString scriptPath = m_run.projectOptions().text(u"prjFilJS");
    const QString stem = RunServices::stripExtension(scriptPath);
    m_run.logLine(QStringLiteral("Writing file: ") + stem + QStringLiteral(".ascx.vb"));
    m_run.writeTextFile(stem + QStringLiteral(".ascx.vb"), codeBehind(script));
    m_run.logLine(QStringLiteral("Writing file: ") + stem + QStringLiteral(".ascx"));
    m_run.writeTextFile(stem + QStringLiteral(".ascx"), controlFile());
    if (m_run.portalDirectory()) {
        m_run.logLine(QStringLiteral("No js-writer file written when you are using DNN.\nView control in your DNN skin."));
        return;
    }
    if (m_run.noScriptFile()) {
        m_run.logLine(QStringLiteral("No js-writer file written.\nView control in ASP.NET project."));
        return;
    }
    const QString page = m_run.appRootFolder() + baseName() + QStringLiteral(".aspx");
    const QString text = writerPage();
    m_run.logLine(QStringLiteral("Writing js-writer file: ") + page);
    m_run.writeTextFile(page, text);
    m_run.logLine(QStringLiteral("Above asp.net files will write your new ") + scriptPath);
    m_run.logLine(QStringLiteral(
        "(To do this, view the .aspx file in a server.  The server must have write permission to the hard disk.)"));
}

} // namespace qwk
