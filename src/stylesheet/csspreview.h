#pragma once
// The style preview: a small HTML page that links the saved style sheet and
// shows a mock menu (main folder, sub-folder, link) under the project's class
// names, then one sample for every rule of the sheet. The designer writes the
// page into its embedded browser.

#include "stylesheet/cssvocabulary.h"

#include <QString>
#include <QStringList>

namespace qwk {

class clsOptions;

struct PreviewPage {
    bool ok = false;
    QString html; // the page, one line
    QString error; // when not ok: the step reached, ". Error previewing file", a line break, why
};

// Builds the page from the options ("prjFilCSS", "prjChkTreeMenus" and the
// two indents), the class names and the rule list. Without className the
// project's own names are used; a class key the options do not know fails the
// build.
PreviewPage previewPage(
    const clsOptions &options, const QStringList &rules, const ClassNameFunction &className = {});

// The error message of a build that stopped at step (1 to 6).
QString previewErrorMessage(int step, const QString &description);

} // namespace qwk
