#pragma once
// The values that the section, position and language dialogs edit, packed
// the way the project file and the generator keep them, and the checks of
// what the author typed. The dialogs only show these; the generator reads
// the same values through the same functions, so both agree on every key.

#include <QString>
#include <optional>

namespace qwk {

// A list kept as items that each end in "||" (".htm||.html||"), edited as
// one item a line. Packing an empty text gives "||": one empty item.
QString packList(const QString &lines);
// The list as lines again; a stored value that does not end in "||" (or is
// shorter than three characters) is shown as it stands.
QString unpackList(const QString &stored);

// Where a listed link opens: the first letter of an option string. The
// default string's "r" means neither.
enum class SectionTarget { Neither, SameWindow, NewWindow };

// The option string of a folder listed at run time, keys in this fixed
// order: target, "str", "sub", "date", "size", "time", "ext", "dash", "asp".
struct FolderSectionOptions {
    SectionTarget target = SectionTarget::Neither;
    bool structure = false; // sub-menus for sub-folders
    bool subFiles = false;  // the files of sub-folders
    bool date = false;
    bool size = false;
    bool time = false;
    bool extension = false;
    bool underscoreToSpace = false;
    bool asp = false; // written by a server page instead of into the script

    static FolderSectionOptions parse(const QString &options);
    // A box left clear packs as "i", so a packed string always names a target.
    QString pack() const;
    bool operator==(const FolderSectionOptions &) const = default;
};

// The option string of a portal section: target, "str", "dash", "nmf",
// "rmf", "ih", in this order.
struct PortalSectionOptions {
    SectionTarget target = SectionTarget::Neither;
    bool structure = false;
    bool underscoreToSpace = false;
    bool skipOnMainMenuTab = false;    // "nmf": nothing when the tab is home or in the main menu
    bool replaceMainMenu = false;      // "rmf": the inserted file instead of the main menu
    bool header = false;               // "ih": a header line naming the folder

    static PortalSectionOptions parse(const QString &options);
    QString pack() const;
    bool operator==(const PortalSectionOptions &) const = default;
};

// Which tabs a portal section lists, from its stored tab id: "0" the whole
// portal, "-1" the siblings of the active tab, any other the siblings of
// that tab (an empty id too: there is nothing else it could mean).
enum class PortalScope { EntirePortal, SiblingsOf, ActiveTab };
struct PortalTab {
    PortalScope scope = PortalScope::EntirePortal;
    QString tabId; // for SiblingsOf: the tab id as stored
};
PortalTab parsePortalTab(const QString &stored);

// The tab id to store for a choice and the text typed for it, or the
// message that keeps the dialog open.
struct TabIdCheck {
    QString tabId;
    QString error; // empty when tabId is good
};
TabIdCheck checkPortalTab(PortalScope scope, const QString &typed);

// The header template of a portal section is written inside a double-quoted
// string, so a double quote in it is turned into a single one after asking.
bool headerTemplateHasDoubleQuote(const QString &text);
QString headerTemplateWithoutDoubleQuotes(const QString &text);
QString headerTemplateQuoteQuestion();

// Where a drop-down folder's sub-menu opens: "to" (towards the top), "le"
// (shifted to the left), then "." and the shift in percent as two digits
// when it is below 100. Empty: downward, shifted right by 100 percent.
struct MenuPosition {
    bool top = false;
    bool left = false;
    QString shift = QStringLiteral("100"); // as shown: the two characters after "." or "100"

    static MenuPosition parse(QStringView position);
    // A shift that is not a whole number counts as 0, a negative one as 0;
    // 100 or more, or an empty shift, writes no shift part.
    QString pack() const;
};
// The position dialog reports a cancel with this text instead of a position.
QString menuPositionCancelled();
// Empty or a whole number (any size): what the shift box accepts while typing.
bool isShiftTextAccepted(const QString &text);
QString shiftTextMessage();

// A project stays multilingual only with a language variable and a list of
// languages; otherwise the "Multi-lingual project" box is unticked.
bool multilingualComplete(const QString &variable, const QString &languages);

} // namespace qwk
