#pragma once
// The catalogue of node options: every property a folder or a page can carry,
// keyed by the tag of the main-window control that edits it. The order is the
// order of the controls, which is also the order a node writes its options.

#include <QString>
#include <QStringView>
#include <QVariant>
#include <array>
#include <optional>
#include <span>

namespace qwk {

enum class OptionKind { Text, Choice, Check, Unknown };

// The kind of an option follows from the name of its control.
OptionKind kindOfControl(QStringView controlName);

struct NodeOptionDef {
    QString key;
    QString control; // for choice options also the choice group
    OptionKind kind;
    bool folder;     // applicability, from the key
    bool page;
    // Defaults worked out once, since every node of a large tree needs them.
    QString initialText;     // text value of a new node (the portal template aside)
    QString saveDefaultText; // a text value equal to this is not written
    bool choiceDefault;      // initial and save default of a choice
    bool isHeaderTemplate;   // the portal header template, built from a class name
};

inline constexpr int kNodeOptionCount = 35;

// The catalogue's options by position, for code that reads many nodes: a
// lookup by position costs nothing, a lookup by key hashes the key. The
// names are the keys without "lnk".
enum class NodeOption : int {
    SubColWidth,
    ChkFolderNameIsFunction,
    ChkSubColValue,
    NameFolder,
    OptTypeFolderJS,
    OptTypeFolderNormal,
    OptTypePageJS,
    OptTypePageNormal,
    NamePage,
    OptAdvanced,
    OptURLPageURLNormal,
    URL,
    OptURLPageMyWeb,
    FilMyWebPage,
    OptURLNone,
    FilPageName,
    OptURLNoneInsertFile,
    ChkColValue,
    JS,
    CSKSku,
    CSKOptionChoice,
    DNNTabID,
    ChkPageDnnHeaderTemplate,
    OptURLDNN,
    OptURLCSK,
    OptURLHarddisk,
    ChkNoPageImage,
    ChkPageNameIsFunction,
    ChkPageNameIsHiddenJavascript,
    ChkNewWindow,
    MenuPosition,
    HarddiskDirPage,
    HarddiskExcludePage,
    HarddiskOptionsPage,
    HarddiskIncludePage,
};


// The 35 node options in catalogue order.
std::span<const NodeOptionDef> nodeOptionCatalogue();

// Catalogue index of key, or -1.
int nodeOptionIndex(QStringView key);
inline const NodeOptionDef *findNodeOption(QStringView key)
{
    const int i = nodeOptionIndex(key);
    return i < 0 ? nullptr : &nodeOptionCatalogue()[i];
}

// The applicability rule: which node kinds a key belongs to.
bool isFolderOptionKey(QStringView key);
bool isPageOptionKey(QStringView key);

// The option default rule for a control name (or a kind prefix such as
// "Text", "chk", "opt") and a key. mainFolderLineClass is the project's class
// name for "MainFolderLine". An invalid QVariant means the control name has no
// known kind.
QVariant optionDefault(QStringView controlName, QStringView key, const QString &mainFolderLineClass);

QString dnnHeaderTemplate(const QString &mainFolderLineClass);
// The template for the class name a new project starts with, made once.
const QString &defaultDnnHeaderTemplate();

// Conversions shared by the readers: "True"/"False" (any case) or a number
// for booleans, a trimmed 16-bit decimal for checks.
std::optional<bool> toChoice(QStringView text);
std::optional<qint16> toCheck(QStringView text);

} // namespace qwk
