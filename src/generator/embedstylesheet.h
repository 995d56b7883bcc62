#pragma once
// The style sheet written into the menu script, so that the script alone
// styles the menu: each line becomes a call that adds it to the page.

#include <QString>

namespace qwk {

class RunServices;

class StyleSheetEmbedder {
public:
    explicit StyleSheetEmbedder(RunServices &run) : m_run(run) {}

    // The general sheet and, for a multilingual project, each language's own
    // sheet inside a test of the page's language variable; "" unless the
    // project embeds its style sheet.
    QString zCSSclasses();
    // One style sheet file as script lines; "" (noted in the log) when the
    // file does not exist.
    QString zCssFileToString(const QString &fileName);

private:
    RunServices &m_run;
};

} // namespace qwk
