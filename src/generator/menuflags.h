#pragma once
// The rules the menu data and the site map share about a node: what a page
// links to, and the drop-down and open-folder marks of the flag string.

#include "tree/nodes.h"

#include <QString>
#include <QStringView>

namespace qwk {

class clsOptions;

// What a page stands for in the menu and the site map. A project file may
// set two choices of one group (a hand-edited file); the first that applies
// in this order wins: hidden script, a normal page with a server or folder
// link, a script page, then the address choices in the order listed here.
enum class PageLink {
    HiddenScript, // script written between the data calls; no entry
    ServerOrFolder, // shop, portal or hard-disk folder links
    Script, // the script runs on a click
    Address, // an address typed in
    SitePage, // a page file of the web
    NoLink, // a heading without address
    InsertedFile, // the text of a file, no address
    Unset, // no address choice at all: an entry without address
};
PageLink pageLink(const clsPage &page);

// Whether any page of the tree is a shop, portal or server folder section:
// the run then writes server files (as the menu and the site map find out
// only as they write them).
bool treeHasServerSections(const clsFolder &root);

// The link kind of a data call's flags: "i", or "e" for a new window, with
// "w" after it for an address; "j" for a script; "nl" without an address.
QStringView linkKindFlag(PageLink link, bool newWindow);

// The drop-down and open-folder marks, from the project's options.
class MenuFlags {
public:
    explicit MenuFlags(const clsOptions &options);

    bool tree() const { return m_tree; }

    // "" for tree menus; else "dd", then ".00" at the main level when the
    // main menus open downward, or else the placing taken from the position
    // text (".NN" from its first ".", "to", "le").
    QString dropDownCode(QStringView position, bool mainLevel) const
    {
        // Asked for every node of the menu: nothing to build for a tree.
        return m_tree ? QString() : dropDownMenuCode(position, mainLevel);
    }

    // "mfo" for a main folder when all menus or the main menus open on the
    // first visit, "sfo" for a sub-folder when all menus do, else "".
    QStringView openMark(bool mainLevel) const;

private:
    QString dropDownMenuCode(QStringView position, bool mainLevel) const;
    bool m_tree;
    bool m_downward;
    bool m_allOpen;
    bool m_mainOpen;
};

// Asked for every page of a menu, so defined here.
inline PageLink pageLink(const clsPage &page)
{
    if (page.selectedOption(NodeOption::ChkPageNameIsHiddenJavascript))
        return PageLink::HiddenScript;
    if (page.selectedOption(NodeOption::OptTypePageNormal) && page.selectedOption(NodeOption::OptAdvanced))
        return PageLink::ServerOrFolder;
    if (page.selectedOption(NodeOption::OptTypePageJS))
        return PageLink::Script;
    if (page.selectedOption(NodeOption::OptURLPageURLNormal))
        return PageLink::Address;
    if (page.selectedOption(NodeOption::OptURLPageMyWeb))
        return PageLink::SitePage;
    if (page.selectedOption(NodeOption::OptURLNone))
        return PageLink::NoLink;
    if (page.selectedOption(NodeOption::OptURLNoneInsertFile))
        return PageLink::InsertedFile;
    return PageLink::Unset;
}

inline QStringView linkKindFlag(PageLink link, bool newWindow)
{
    switch (link) {
    case PageLink::Script:
        return u"j";
    case PageLink::Address:
        if (newWindow)
            return u"ew";
        return u"iw";
    case PageLink::NoLink:
    case PageLink::InsertedFile:
        return u"nl";
    default:
        if (newWindow)
            return u"e";
        return u"i";
    }
}

} // namespace qwk
