#include "cli/commands.h"

#include "tree/projectfile.h"
#include "tree/treewalk.h"

#include <utility>
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
    // Keys are built as the walk goes: stored in every node they would cost
    // memory with the square of the depth.
    struct Lister {
        QTextStream &out;
        QString key;
        QString blanks;
        std::vector<qsizetype> keyLengths; // of each open folder's key within key
        void enterFolder(const clsFolder &, int) { keyLengths.push_back(key.size()); }
        void leaveFolder(const clsFolder &, int) { keyLengths.pop_back(); }
        void node(const MenuNode &n, int depth, int position)
        {
            key.truncate(keyLengths.back());
            key += u'n';
            key += QString::number(position);
            const qsizetype indent = qsizetype(depth - 1) * 2;
            if (blanks.size() < indent)
                blanks.resize(indent * 2, u' ');
            out << QStringView(blanks).left(indent) << key << ' ' << n.classType() << ' ';
            if (const auto *col = n.asColumn())
                out << col->width();
            else if (const auto *on = dynamic_cast<const OptionNode *>(&n))
                out << on->name();
            out << '\n';
        }
    };
    QTextStream &out = app.out();
    walkTree(std::as_const(app.root()), Lister{out, {}, {}, {}});

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
