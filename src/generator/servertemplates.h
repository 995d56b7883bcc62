#pragma once
// The fixed text of the ASP.NET files a run writes when its menu needs the
// web server: the user control of the menu (code-behind, control file and the
// page that makes the server write the script), the site map's control and
// page, and the VB.NET library of server functions appended to every
// code-behind file. Templates for TextEmitter: "$$" is the dollar the server
// code itself uses in its width placeholders; the other placeholders are the
// option-dependent pieces the writers compute once per file.

#include <QStringView>

namespace qwk::server {

// --- the menu's user control ----------------------------------------------------
extern const QStringView kCodeBehindHead; // imports, class, load handler, menu()
extern const QStringView kPortalImports;
extern const QStringView kShopImports;
extern const QStringView kInheritsPortal;
extern const QStringView kInheritsControlWithScript;
extern const QStringView kInheritsControl;
// The six bodies of the load handler.
extern const QStringView kLoadPortalLanguages;
extern const QStringView kLoadPortal;
extern const QStringView kLoadNoFileLanguages;
extern const QStringView kLoadNoFile;
extern const QStringView kLoadFileLanguages;
extern const QStringView kLoadFile;
// Their statements.
extern const QStringView kPlainScriptLine;
extern const QStringView kLanguageScriptLine;
extern const QStringView kBilingualLine;
extern const QStringView kPathLine;
extern const QStringView kWriteLineUtf8;
extern const QStringView kWriteLineDefault;

extern const QStringView kControlHead;
extern const QStringView kControlWithScript; // portal or no script file
extern const QStringView kControlWithFile;
extern const QStringView kWriterPage;

// --- the site map's user control ------------------------------------------------
extern const QStringView kSiteMapCodeBehindHead;
extern const QStringView kSiteMapControl;
extern const QStringView kSiteMapPage;
// Shared by the pages.
extern const QStringView kPageDirectiveUtf8;
extern const QStringView kPageDirective;
extern const QStringView kLanguageVariable;
extern const QStringView kSampleHtml;

// --- the server function library, one template per region ----------------------
extern const QStringView kRegionPortal;
extern const QStringView kRegionFolder;
extern const QStringView kRegionShop;
extern const QStringView kRegionBatch;
extern const QStringView kRegionLanguages;
extern const QStringView kRegionCommon;
extern const QStringView kRegionLists;
extern const QStringView kLibraryEnd;
// Pieces of the regions that depend on the project's options.
extern const QStringView kClassNameCase;
extern const QStringView kLocalised; // a name becomes its list of translations
extern const QStringView kPortalResource;
extern const QStringView kFoldWidth; // the finished level's width into its entries
extern const QStringView kDownwardFolderColumn;
extern const QStringView kDownwardFolderColumnCall;
extern const QStringView kDownwardLinkColumn;
extern const QStringView kAutoWidthFolderColumn;
extern const QStringView kAutoWidthLinkColumn;
extern const QStringView kFolderFlagsDropDown;
extern const QStringView kFolderFlagsDropDownDownward;
extern const QStringView kFolderFlagsAllOpen;
extern const QStringView kLinkFlagsDropDown;
extern const QStringView kCountNameLength;
extern const QStringView kSiteMapLocalValue;
extern const QStringView kChildWidthPlaceholder;

} // namespace qwk::server
