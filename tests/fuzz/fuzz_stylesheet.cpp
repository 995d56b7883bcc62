// libFuzzer target for the style sheet's text engine: the rule list, finding
// a rule again, writing or removing a declaration, the clicked word, the
// preview page, and the style sheet object that drives them as the designer's
// "Style Sheet" tab does.
//
// The input is a style sheet, decoded as a sheet file is. Its last bytes
// choose a caret, a rule, a property and a value (libFuzzer's data provider
// takes numbers from the end), so any sheet is an input as it stands.
//
// Besides never crashing or hanging, these must hold; a break aborts with the
// sheet:
// - every listed selector is trimmed and is found again, its body just after a "{";
// - a class rule (".name") makes the sheet have that class;
// - writing or removing a declaration leaves the rule list as it was, and
//   the same edit made again changes nothing;
// - the style sheet object lists the rules the text has, and a value chosen
//   in its lists leaves the rule list alone;
// - the preview page writes no script element, whatever the selectors.

#include "core/textfile.h"
#include "stylesheet/clscss.h"
#include "stylesheet/cssrules.h"
#include "stylesheet/csspreview.h"
#include "stylesheet/cssvocabulary.h"
#include "tree/memoryproject.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace qwk;

namespace {

// Whole-text look-ups per input; each is linear in the text.
constexpr qsizetype kMaxLookups = 24;

const QString *g_sheet = nullptr;

[[noreturn]] void broken(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "style sheet invariant broken: %s\n%s\n--- sheet\n%s\n", what,
                 detail.toUtf8().constData(), g_sheet ? g_sheet->toUtf8().constData() : "");
    std::abort();
}

void require(bool ok, const char *what, const QString &detail = {})
{
    if (!ok)
        broken(what, detail);
}

// An element whose tag name is "script", as an HTML parser reads tag names:
// up to a blank, "/" or ">", ASCII case ignored.
bool writesScriptElement(const QString &html)
{
    for (qsizetype i = html.indexOf(u'<'); i >= 0; i = html.indexOf(u'<', i + 1)) {
        qsizetype j = i + 1;
        while (j < html.size() && !QStringView(u" \t\n\r\f/>").contains(html[j]))
            ++j;
        if (QStringView(html).mid(i + 1, j - i - 1).compare(u"script", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void applyEdit(QString &text, const TextEdit &e)
{
    require(e.start >= 0 && e.length >= 0 && e.start + e.length <= text.size(), "edit outside the text",
            QStringLiteral("%1+%2 of %3").arg(e.start).arg(e.length).arg(text.size()));
    text.replace(e.start, e.length, e.replacement);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto caretPick = in.ConsumeIntegral<uint16_t>();
    const auto rulePick = in.ConsumeIntegral<uint8_t>();
    const auto propertyPick = in.ConsumeIntegral<uint8_t>();
    const auto valuePick = in.ConsumeIntegral<uint8_t>();
    const std::vector<char> rest = in.ConsumeRemainingBytes<char>();
    const QString text = decodeText(QByteArrayView(rest.data(), qsizetype(rest.size())));
    g_sheet = &text;

    const qsizetype caret = caretPick % (text.size() + 1);
    const RuleList rules = listRules(text, caret);
    const QStringList &selectors = rules.selectors;
    require(rules.selected >= -1 && rules.selected < selectors.size(), "selected rule out of range");
    for (qsizetype i = 0; i < selectors.size() && i < kMaxLookups; ++i) {
        const QString &s = selectors[i];
        require(!s.isEmpty() && trimBlanks(s) == s, "listed selector empty or untrimmed", s);
        const RuleCaret found = findRuleCaret(text, s);
        require(found.found, "listed selector not found again", s);
        require(found.caret >= 1 && found.caret <= text.size() && text[found.caret - 1] == u'{',
                "rule body does not start after a {", s);
        if (s.startsWith(u'.'))
            require(styleSheetHasClass(text, QStringView(s).mid(1)), "class rule not found as a class", s);
    }
    wordAtCaret(text, caret);

    // One declaration written into (or removed from) one rule, and again.
    const QStringList &properties = cssPropertyNames();
    const QString &property = properties[propertyPick % properties.size()];
    const QStringList &values = cssPropertyValueLists()[propertyPick % properties.size()];
    const QString value = values.isEmpty() ? kCssDeleteValue : values[valuePick % values.size()];
    if (!selectors.isEmpty()) {
        const QString &selector = selectors[rulePick % selectors.size()];
        QString once = text;
        applyEdit(once, declarationEdit(text, findRuleCaret(text, selector).caret, property, value));
        require(listRules(once, 0).selectors == selectors, "a declaration edit changed the rule list",
                selector + u' ' + property + u':' + value + QStringLiteral("\n--- after\n") + once);
        const RuleCaret again = findRuleCaret(once, selector);
        require(again.found, "edited rule not found again", selector);
        QString twice = once;
        applyEdit(twice, declarationEdit(once, again.caret, property, value));
        require(twice == once, "the same declaration edit changed the text again",
                selector + u' ' + property + u':' + value + QStringLiteral("\n--- once\n") + once
                    + QStringLiteral("\n--- twice\n") + twice);
    }

    // The same through the style sheet object, as clicks in its lists.
    MemoryProject project;
    clsCSS css(&project.options, &project.prompt);
    css.document().setText(text);
    css.document().setCaret(caret);
    css.editorClicked();
    require(css.classList() == selectors, "the object's rule list is not the text's");
    if (!selectors.isEmpty()) {
        css.chooseClass(int(rulePick % selectors.size()));
        css.chooseProperty(int(propertyPick % properties.size()));
        if (!css.valueList().isEmpty())
            css.chooseValue(int(valuePick % css.valueList().size()));
        css.editorKeyReleased();
        require(css.classList() == selectors, "a chosen value changed the rule list", css.text());
    }

    const PreviewPage page = previewPage(project.options, selectors);
    require(page.ok, "no preview page", page.error);
    require(!writesScriptElement(page.html), "the preview page writes a script element", page.html);
    g_sheet = nullptr;
    return 0;
}
