#pragma once
// The style sheet's text is the only model of its rules: these functions read
// rules, selectors and declarations straight from it. Positions are 1-based
// character positions; caret offsets count the characters before the caret.
// Every function is linear in the text it looks at, so the rule list can be
// rebuilt on every key stroke even for very large sheets.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qwk {

// Position of the first "}" at or after position (at or after 1 when position
// is below 2); the text length plus 1 when there is none.
qsizetype ruleEnd(QStringView text, qsizetype position);
// Position of the last "}" at or before position; 1 when there is none.
qsizetype ruleStart(QStringView text, qsizetype position);
// The selector of the last rule that opens in the text from position from up
// to but not including position to; empty when no rule opens there.
QString ruleSelector(QStringView text, qsizetype from, qsizetype to);

// The selectors of the rules in text order (rules with an empty selector have
// none) and the index of the one holding the caret, or -1.
struct RuleList {
    QStringList selectors;
    int selected = -1;
};
RuleList listRules(QStringView text, qsizetype caret);

// Position of the first case-insensitive occurrence of needle whose rule has
// exactly the selector wanted (case counts); 0 when there is none.
qsizetype findRuleOccurrence(QStringView text, QStringView needle, QStringView wanted);

// True when a rule with the selector "." + name exists, or the name is empty.
bool styleSheetHasClass(QStringView text, QStringView name);

// Where selecting the rule with this selector puts the caret: just after the
// rule's "{" when found; offset 1 when not found. An empty selector is found
// and leaves the caret where it is (caret -1).
struct RuleCaret {
    bool found = false;
    qsizetype caret = -1;
};
RuleCaret findRuleCaret(QStringView text, QStringView selector);

// The replacement that writes "property : value;" into the rule whose body
// starts at caret offset bodyStart (just after its "{"), or removes every
// declaration of property when value is "delete". The body runs to the rule's
// "}" (or the end of the text); replace length characters from start with
// replacement.
struct TextEdit {
    qsizetype start = 0;
    qsizetype length = 0;
    QString replacement;
};
TextEdit declarationEdit(
    QStringView text, qsizetype bodyStart, const QString &property, const QString &value);

// The word a click at the caret points at, as the property list matches it:
// from after the last blank, line feed or tab up to the next ":" or blank.
QString wordAtCaret(QStringView text, qsizetype caret);

// Removes leading and trailing blanks (spaces only, as selectors are compared).
QStringView trimBlanks(QStringView s);

} // namespace qwk
