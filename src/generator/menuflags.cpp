#include "generator/menuflags.h"

#include "options/options.h"
#include "options/sectionvalues.h"

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

} // namespace qwk
