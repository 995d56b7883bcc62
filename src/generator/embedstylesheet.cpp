#include "generator/embedstylesheet.h"

#include "core/textbuild.h"
#include "core/textfile.h"
#include "generator/runservices.h"
#include "generator/widths.h"
#include "options/options.h"

#include <QFileInfo>

#include <vector>

namespace qwk {

namespace {


// A language code inside a single-quoted script string.
QString singleQuoted(const QString &text)
{
    QString out = scriptStringValue(text);
    out.replace(u'\'', QStringLiteral("\\'"));
    return out;
}

} // namespace

QString StyleSheetEmbedder::zCssFileToString(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.isFile()) {
        m_run.logLine(QStringLiteral("Note: ") + fileName + QStringLiteral(" does not exist."));
        return {};
    }
    QByteArray bytes;
    const FileResult r = readWholeFile(fileName, &bytes);
    if (!r.ok)
        m_run.abortRun(r.error);
    const QString text = decodeText(bytes);

    std::vector<QStringView> lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = QStringView(text).mid(pos, end - pos);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        pos = end + 1;
        if (line.isEmpty())
            continue;
        if (line.contains(u'"'))
            m_run.abortRun(QStringLiteral("There is a double quote in your CSS style sheet: \n") + line.toString());
        lines.push_back(line);
    }

    // The lines reach the page one after another, without line breaks, inside
    // a style element: "</style" anywhere in them, also split over two lines,
    // would end the element and let the rest be read as markup. Its "/" is
    // written as the CSS escape "\2f ", which means "/" in a string and changes
    // nothing in a comment.
    QString joined;
    for (const QStringView line : lines)
        joined += line;
    std::vector<qsizetype> slashes; // positions in joined, ascending
    for (qsizetype at = joined.indexOf(u"</style", 0, Qt::CaseInsensitive); at >= 0;
         at = joined.indexOf(u"</style", at + 2, Qt::CaseInsensitive))
        slashes.push_back(at + 1);

    const QString dw = m_run.scriptFunction(QStringLiteral("dw"));
    QString out = m_run.commentLine(QStringLiteral("//Style Sheet"));
    out += dw + QStringLiteral("(\"<style>\");") + kCRLF;
    qsizetype lineStart = 0;
    size_t next = 0; // the first slash not written yet
    for (const QStringView line : lines) {
        const qsizetype lineEnd = lineStart + line.size();
        QString value;
        qsizetype from = lineStart;
        for (; next < slashes.size() && slashes[next] < lineEnd; ++next) {
            value += QStringView(joined).sliced(from, slashes[next] - from);
            value += QStringLiteral("\\2f ");
            from = slashes[next] + 1;
        }
        value += QStringView(joined).sliced(from, lineEnd - from);
        lineStart = lineEnd;
        out += dw;
        out += QStringLiteral("(\"");
        out += scriptStringValue(value);
        out += QStringLiteral("\");");
        out += kCRLF;
    }
    out += dw + QStringLiteral("(\"</style>\");") + kCRLF;
    return out;
}

QString StyleSheetEmbedder::zCSSclasses()
{
    const clsOptions &options = m_run.projectOptions();
    if (!options.isChecked(u"prjCSSinJS"))
        return {};
    const QString css = options.text(u"prjFilCSS");
    QString out = zCssFileToString(css) + kCRLF;
    if (options.isChecked(u"prjChkMultiLingual")) {
        const QString languages = options.text(u"prjLanguages");
        const QString variable = options.text(u"prjJavascriptLanguageVariable");
        const qsizetype dot = css.lastIndexOf(u'.');
        const QString stem = dot < 0 ? css : css.left(dot);
        int pos = 1;
        while (pos <= languages.size()) {
            const QString code = nextListItem(languages, pos);
            out += QStringLiteral("if(") + variable + QStringLiteral("=='") + singleQuoted(code)
                   + QStringLiteral("'){") + kCRLF;
            out += zCssFileToString(stem + u'.' + code + QStringLiteral(".css")) + kCRLF;
            out += QStringLiteral("}") + kCRLF;
        }
    }
    return out;
}

} // namespace qwk
