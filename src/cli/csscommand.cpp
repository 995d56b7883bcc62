#include "cli/csscommand.h"

#include "core/textfile.h"
#include "stylesheet/accessiblesheet.h"
#include "stylesheet/cssvocabulary.h"

namespace qwk::cli {

int cssCommand(CliApp &app, const Arguments &args)
{
    if (!app.openProject(args.project))
        return BadArguments;
    const clsOptions &options = app.options();
    const bool mouseOverHover = options.controlValue(u"prjChkMOMO").toInt() != 0;
    const ClassNameFunction names = [&options](const QString &key) { return options.projectClassName(key); };
    const QString sheet = options.isChecked(u"prjChkAccessible")
        ? accessibleStyleSheet(!args.tree, names)
        : defaultStyleSheet(!args.tree, mouseOverHover, names);
    if (args.out.isEmpty()) {
        app.out() << sheet;
        app.out().flush();
        return Success;
    }
    const FileResult r = writeFileAtomic(args.out, encodeText(sheet));
    if (!r.ok) {
        app.fail(QStringLiteral("cannot write %1: %2").arg(args.out, r.error));
        return JobFailed;
    }
    return Success;
}

} // namespace qwk::cli
