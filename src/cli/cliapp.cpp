#include "cli/cliapp.h"

#include "tree/projectfile.h"

#include <QFileInfo>

namespace qwk::cli {

CliApp::CliApp(QTextStream &out, QTextStream &err)
    : m_out(out), m_err(err), m_prompt([this](const QString &text) {
          m_err << text << Qt::endl;
      })
{
    newProject();
}

void CliApp::newProject()
{
    m_tree.reset();
    m_options = std::make_unique<clsOptions>(&m_prompt, &m_settings);
    m_options->loadNewPrjDefaults();
    m_tree = std::make_unique<MenuTree>();
    connectToProject(*m_tree, *m_options);
    m_options->setPrjChanged(false);
}

void CliApp::fail(const QString &text)
{
    m_err << "quenwick-cli: " << text << Qt::endl;
}

void CliApp::keepTreeUntilExit()
{
    // The command is done and the process is about to end, which hands all
    // its memory back at once; freeing a large tree node by node first would
    // take a good part of the command's time (a hundred thousand nodes, each
    // with its strings). The tree stays reachable from this pointer, so a
    // leak checker counts it as memory in use at exit, not as a leak.
    // (volatile, so that the compiler keeps a pointer it sees never read.)
    [[maybe_unused]] static MenuTree *volatile kept = nullptr;
    kept = m_tree.release();
}

bool CliApp::openProject(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        fail(QStringLiteral("cannot open %1: it is a folder").arg(path));
        return false;
    }
    newProject();
    const TransferResult r = ProjectFile::read(path, *m_options, m_tree->root());
    if (!r.ok) {
        fail(QStringLiteral("%1: %2: %3").arg(kProjectTransferError, path, r.reason));
        return false;
    }
    m_options->setPrjChanged(false);
    return true;
}

bool CliApp::applySettings(const Arguments &args)
{
    QStringList sets = args.sets;
    if (args.compact)
        sets << QStringLiteral("pgmChkScrambled=1");
    for (const QString &s : sets) {
        const qsizetype eq = s.indexOf(u'=');
        const QString key = eq < 0 ? s : s.left(eq);
        if (eq < 0) {
            fail(QStringLiteral("--set needs KEY=VALUE: %1").arg(s));
            return false;
        }
        const QString value = s.mid(eq + 1);
        const int ci = (key.startsWith(u"prj") || key.startsWith(u"pgm")) ? m_options->getControl(key) : -1;
        if (ci < 0) {
            fail(QStringLiteral("--set: no project option or preference is called %1").arg(key));
            return false;
        }
        QVariant v = value;
        switch (kindOfControl(m_options->control(ci).name)) {
        case OptionKind::Check: {
            const auto c = toCheck(value);
            if (!c) {
                fail(QStringLiteral("--set: %1 takes a whole number (0 or 1), not \"%2\"").arg(key, value));
                return false;
            }
            v = int(*c);
            break;
        }
        case OptionKind::Choice: {
            const auto b = toChoice(value);
            if (!b) {
                fail(QStringLiteral("--set: %1 takes True or False, not \"%2\"").arg(key, value));
                return false;
            }
            v = *b;
            break;
        }
        default:
            break;
        }
        m_options->setControlValue(key, v);
    }
    return true;
}

} // namespace qwk::cli
