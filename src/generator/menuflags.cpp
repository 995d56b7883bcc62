#include "generator/menuflags.h"

#include "options/options.h"
#include "options/sectionvalues.h"
#include "tree/treewalk.h"

namespace qwk {

MenuFlags::MenuFlags(const clsOptions &options)
    : m_tree(options.isChecked(u"prjChkTreeMenus"))
    , m_downward(options.isChecked(u"prjChkMainMenusDownward"))
    , m_allOpen(options.isChecked(u"prjChkAllMenusOpen"))
    , m_mainOpen(options.isChecked(u"prjChkMainMenusOpen"))
{
}

QString MenuFlags::dropDownMenuCode(QStringView position, bool mainLevel) const
{
    QString code = QStringLiteral("dd");
    if (mainLevel && m_downward)
        return code + QStringLiteral(".00");
    if (position.isEmpty())
        return code; // every page, and most folders
    const MenuPosition p = MenuPosition::parse(position);
    if (position.contains(u'.'))
        code += QLatin1Char('.') + p.shift;
    if (p.top)
        code += QStringLiteral("to");
    if (p.left)
        code += QStringLiteral("le");
    return code;
}

QStringView MenuFlags::openMark(bool mainLevel) const
{
    if (mainLevel && (m_allOpen || m_mainOpen))
        return u"mfo";
    if (!mainLevel && m_allOpen)
        return u"sfo";
    return {};
}

bool treeHasServerSections(const clsFolder &root)
{
    bool found = false;
    forEachNode(root, [&found](const MenuNode &node, int, int) {
        const clsPage *page = node.asPage();
        if (found || !page || pageLink(*page) != PageLink::ServerOrFolder)
            return;
        if (page->selectedOption(NodeOption::OptURLCSK) || page->selectedOption(NodeOption::OptURLDNN)) {
            found = true;
        } else if (page->selectedOption(NodeOption::OptURLHarddisk)) {
            // A folder section without a folder is left out of the menu.
            found = !page->value(u"lnkHarddiskDirPage").toString().trimmed().isEmpty()
                && FolderSectionOptions::parse(page->value(u"lnkHarddiskOptionsPage").toString()).asp;
        }
    });
    return found;
}

} // namespace qwk
