#include "cli/commands.h"

#include "tree/projectfile.h"

#include <vector>

namespace qwk::cli {

namespace {

int writeProject(CliApp &app, const QString &path)
{
    const TransferResult r = ProjectFile::save(path, app.options(), app.root());
    if (!r.ok) {
        app.fail(QStringLiteral("%1: %2: %3").arg(kProjectTransferError, path, r.reason));
        return JobFailed;
    }
    return Success;
}

} // namespace

int showCommand(CliApp &app, const Arguments &args)
{
    if (!app.openProject(args.project))
        return BadArguments;
    assignTreeKeys(app.root());

    struct Frame {
        const clsNodes *nodes;
        int next;
    };
    std::vector<Frame> stack{{&app.root().nodes(), 1}};
    QTextStream &out = app.out();
    while (!stack.empty()) {
        Frame &f = stack.back();
        if (f.next > f.nodes->count()) {
            stack.pop_back();
            continue;
        }
        const MenuNode *n = f.nodes->item(f.next++);
        if (n->classType() == u"EOF")
            continue;
        const QString indent(int(stack.size() - 1) * 2, u' ');
        QString label;
        if (const auto *col = dynamic_cast<const clsColumn *>(n))
            label = col->width();
        else if (const auto *on = dynamic_cast<const OptionNode *>(n))
            label = on->name();
        out << indent << n->key() << ' ' << n->classType() << ' ' << label << '\n';
        if (const clsFolder *folder = n->asFolder())
            stack.push_back({&folder->nodes(), 1});
    }

    clsOptions defaults(nullptr, nullptr);
    defaults.loadNewPrjDefaults();
    for (int i = 0; i < app.options().controlCount(); ++i) {
        const QString &tag = app.options().control(i).tag;
        if (!tag.startsWith(u"prj") || app.options().getControl(tag) != i)
            continue;
        const QVariant v = app.options().controlValue(tag);
        if (v != defaults.controlValue(tag))
            out << tag << ':' << v.toString() << '\n';
    }
    out.flush();
    return Success;
}

int saveCommand(CliApp &app, const Arguments &args)
{
    if (!app.openProject(args.project))
        return BadArguments;
    if (!app.applySettings(args))
        return BadArguments;
    return writeProject(app, args.out);
}

int newCommand(CliApp &app, const Arguments &args)
{
    app.newProject();
    if (!app.applySettings(args))
        return BadArguments;
    return writeProject(app, args.out);
}

} // namespace qwk::cli
