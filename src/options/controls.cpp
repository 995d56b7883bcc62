#include "options/controls.h"

#include "options/nodeoptions.h"

#include <vector>

namespace qwk {

namespace {

struct RawControl {
    const char16_t *name;
    const char16_t *tag;
    const char16_t *caption;
};

constexpr RawControl kProjectControls[] = {
    {u"chkWidthTo100", u"prjWidthTo100", u"Set tree menu width to 100%"},
    {u"chkForceASP", u"prjForceASP", u"Use ASP.NET to write js menu file"},
    {u"chkASPandNoWriteToDisk", u"prjASPandNoWriteToDisk", u"Use ASP.NET, no menu to disk (DNN)"},
    {u"txtPixelsHeight", u"prjPixelsHeight", u""},
    {u"txtColumnWidth", u"prjFirstColWid", u""},
    {u"chkMultiLingual", u"prjChkMultiLingual", u"Multi-lingual project"},
    {u"chkAllMenusClosed", u"prjChkAllMenusClosed", u"Begin each page with all folders closed"},
    {u"chkMainMenusOpen", u"prjChkMainMenusOpen", u"Begin first page with all main folders open"},
    {u"chkMOMO", u"prjChkMOMO", u"Use mouse-over CSS class in menu"},
    {u"txtClassName", u"prjCNLinkPage", u""},
    {u"txtClassName", u"prjCNMainFolderPage", u""},
    {u"txtClassName", u"prjCNMainFolderBox", u""},
    {u"txtClassName", u"prjCNMainFolderLine", u""},
    {u"txtClassName", u"prjCNSubFolderPage", u""},
    {u"txtClassName", u"prjCNSubFolderBox", u""},
    {u"txtClassName", u"prjCNSubFolderLine", u""},
    {u"txtClassName", u"prjCNLinkBox", u""},
    {u"txtClassName", u"prjCNLinkLine", u""},
    {u"txtClassName", u"prjCNMenuTreeBox", u""},
    {u"txtMultipleMenuNumber", u"prjMultipleMenuNumber", u""},
    {u"chkMultipleMenu", u"prjMultipleMenu", u"Menu number (more than one menu on page):"},
    {u"chkCSSinJS", u"prjCSSinJS", u"Include CSS styles in .js file (DNN)"},
    {u"chkUtf8", u"prjChkUtf8", u"Use utf-8 encoding for all files (DNN)"},
    {u"chkFirstColValue", u"prjChkFirstColValue", u"Column width: (ml)"},
    {u"chkMainMenusDownward", u"prjChkMainMenusDownward", u"Vertical menu (main menus open straight down)"},
    {u"chkTreeMenus", u"prjChkTreeMenus", u"Use tree (click-to-open) menus"},
    {u"cmbPixels", u"prjLeftIndentMainFolder", u"Indent main folders in pixels"},
    {u"cmbPixels", u"prjLeftIndentSubFolder", u"Indent sub-folders in pixels"},
    {u"chkSFI", u"prjChkSFI", u"Use subfolder images"},
    {u"chkPLI", u"prjChkPLI", u"Use page link images"},
    {u"chkMFI", u"prjChkMFI", u"Use mainfolder images"},
    {u"txtFilImage", u"prjFilPLIMG", u"Page link image:"},
    {u"txtFilImage", u"prjFilSFCIMG", u"Closed subfolder image:"},
    {u"txtFilImage", u"prjFilSFOIMG", u"Open subfolder image:"},
    {u"txtFilImage", u"prjFilMFCIMG", u"Closed mainfolder image:"},
    {u"txtFilImage", u"prjFilMFOIMG", u"Open mainfolder image:"},
    {u"txtFilAppRoot", u"prjFilAppRoot", u"Asp.net application directory (optional)"},
    {u"txtFilWebRoot", u"prjFilWebRoot", u"Root directory of web on local machine:"},
    {u"txtFilJS", u"prjFilJS", u"Location of the menu .js javascript file:"},
    {u"txtFilCSS", u"prjFilCSS", u"Location of your CSS style sheet:"},
    {u"chkAllMenusOpen", u"prjChkAllMenusOpen", u"Begin first page with all folders open"},
    {u"chkCenterTable", u"prjCenterTable", u"Center the tree menu"},
    {u"chkTopLinkCSS", u"prjChkTopLinkCSS", u"Top level links use .MainFolderLine CSS class"},
    {u"txtSampleHTML", u"prjSampleHTML", u""},
    {u"txtTransformURL", u"prjTransformURL", u""},
    {u"txtPixelBase", u"prjPixelBase", u""},
    {u"txtPixelsPerCharacter", u"prjPixelsPerCharacter", u""},
    {u"chkAutomaticWidth", u"prjAutomaticWidth", u"Automatically calculate"},
    {u"chkAllowLineBreaks", u"prjChkAllowLineBreaks", u"Allow line breaks in menu"},
    {u"chkAspMultiLingual", u"prjAspMultiLingual", u"ASP Multi-lingual project"},
    {u"txtResourceFile", u"prjResourceFile", u""},
    {u"txtJavascriptLanguageVariable", u"prjJavascriptLanguageVariable", u""},
    {u"txtLanguages", u"prjLanguages", u""},
    {u"txtLocalURL", u"prjLocalURL", u""},
    {u"txtFilSample", u"prjFilSample", u""},
    {u"txtFilProjectDelete", u"prjFilProjectDelete", u""},
    {u"chkAccessible", u"prjChkAccessible", u"Accessible menu markup (lists and buttons; keyboard, touch, screen readers)"},
    {u"chkProjectOption", u"pgmChkScrambled", u"Compact the js file (save 5 KB)"},
    {u"chkProjectOption", u"pgmChkSaveBeforeRun", u"Save project before running"},
    {u"chkProjectOption", u"pgmChkLoadLastFile", u"On startup, load last project"},
};
static_assert(std::size(kProjectControls) == kProjectOptionCount + kPreferenceCount);

std::vector<ControlDef> buildControls()
{
    std::vector<ControlDef> all;
    for (const RawControl &c : kProjectControls) {
        all.push_back({QString::fromUtf16(c.name), QString::fromUtf16(c.tag),
                       QString::fromUtf16(c.caption)});
    }
    // The property frames of the selected node, in catalogue order, then the
    // column frame (whose flag shares its tag with the page's, so the first
    // control answers for it).
    for (const NodeOptionDef &d : nodeOptionCatalogue())
        all.push_back({d.control, d.key, {}});
    all.push_back({QStringLiteral("txtColumnWidth"), QStringLiteral("lnkColWidth"), {}});
    all.push_back({QStringLiteral("chkColValue"), QStringLiteral("lnkChkColValue"), {}});
    return all;
}

const ScriptSample kSamples[] = {
    {QStringLiteral("A message box"), QStringLiteral("alert('Put the text of your message here')"),
     QStringLiteral("Your message should not have any quotes (double or single) in it.")},
    {QStringLiteral("A message window"),
     QStringLiteral("var msg;msg=window.open('Put file name here','windowName','toolbar=no,width=190,"
                    "height=190,left=500,top=200, status=no,scrollbars=no,resize=no');return false;"),
     QStringLiteral("The message file must exist.  For a folder link, you must delete the final "
                    "'return false;'.")},
    {QStringLiteral("If internet explorer ..."), QStringLiteral("if(qIE){alert('This is internet explorer.')}"),
     QStringLiteral("You may use the boolean variables qIE (internet explorer), qW3C (all modern browsers).")},
    {QStringLiteral("Open a folder"), QStringLiteral("qOPEN('FOLDER NAME')"),
     QStringLiteral("Open the folder with name FOLDER NAME.  The Folder name must be exactly right")},
    {QStringLiteral("Close a folder"), QStringLiteral("qCLOSE('FOLDER NAME')"),
     QStringLiteral("Close the folder with name FOLDER NAME.  The Folder name must be exactly right")},
    {QStringLiteral("Change a \"Box\" attribute value"),
     QStringLiteral("qSWAPBOX('NAME','style.backgroundColor','navy')"),
     QStringLiteral("Change attribute of box around the Link or folder with name NAME.  The name must be "
                    "exactly right")},
    {QStringLiteral("Change a \"Line\" attribute value"), QStringLiteral("qSWAPLINE('NAME','style.color','navy')"),
     QStringLiteral("Change attribute of the Link or folder with name NAME.  The name must be exactly right")},
    {QStringLiteral("Change a \"Image\" attribute value"), QStringLiteral("qSWAPIMAGE('NAME','src','image.gif')"),
     QStringLiteral("Change src attribute of image of the Link or folder with name NAME to image.gif.")},
};

} // namespace

std::span<const ControlDef> optionControls()
{
    static const std::vector<ControlDef> all = buildControls();
    return all;
}

std::span<const ScriptSample> javaScriptSamples()
{
    return kSamples;
}

} // namespace qwk
