#include "generator/serverlibrary.h"

#include "core/emitter.h"
#include "core/textbuild.h"
#include "generator/runservices.h"
#include "generator/servertemplates.h"
#include "generator/sitemap.h"
#include "options/options.h"

namespace qwk {

using namespace server;

QString vbStringText(const QString &value)
{
    QString text = value;
    text.replace(u'"', QStringLiteral("\"\""));
    return text;
}

ServerLibrary::ServerLibrary(RunServices &run)
    : m_run(run)
{
}

QString ServerLibrary::text()
{
    const clsOptions &options = m_run.projectOptions();
    const bool portal = m_run.portalDirectory();
    const bool folder = m_run.serverDirectory();
    const bool shop = m_run.shopLinks();
    const bool languages = m_run.languagesOnServer();
    const bool dropDown = !options.isChecked(u"prjChkTreeMenus");
    const bool downward = options.isChecked(u"prjChkMainMenusDownward");
    const bool allOpen = options.isChecked(u"prjChkAllMenusOpen");
    const bool autoWidth = options.isChecked(u"prjAutomaticWidth");

    QString out;
    TextEmitter e(out);
    e.setLineEnd(kCRLF);
    const auto piece = [&e](bool on, QStringView tmpl, TextEmitter::Vars vars = {}) -> QString {
        if (!on)
            return {};
        TextEmitter::Scope scope(e, vars);
        return e.render(tmpl);
    };
    const auto localised
        = [&](const QString &name) { return piece(languages, kLocalised, { { u"name"_qs, name } }); };
    const auto foldWidth = [&](const QString &text, const QString &lengths, const QString &widths) {
        return piece(autoWidth, kFoldWidth,
            { { u"text"_qs, text }, { u"lengths"_qs, lengths }, { u"widths"_qs, widths } });
    };
    const auto childWidth = [&](const QString &secn) {
        return autoWidth ? piece(true, kChildWidthPlaceholder, { { u"secn"_qs, secn } }) : u"\"\""_qs;
    };
    const auto image = [&](const char16_t *check, const char16_t *file) {
        if (!options.isChecked(QStringView(check)))
            return QString();
        return vbStringText(SiteMapWriter::lineImageHtml(options.text(QStringView(file))));
    };

    e.set(u"letter"_qs, m_run.menuLetter());
    e.set(u"number"_qs, m_run.menuNumber());
    e.set(u"localisedName"_qs, localised(u"name"_qs));
    e.set(u"localisedParentName"_qs, localised(u"parentName"_qs));
    e.set(u"foldWidth"_qs, foldWidth(u"w"_qs, u"nameLengthList"_qs, u"colWidthList"_qs));
    e.set(u"foldInnerWidth"_qs, foldWidth(u"inner"_qs, u"innerLengths"_qs, u"innerWidths"_qs));
    e.set(u"childWidth"_qs, childWidth(u"folderSecn"_qs));
    e.set(u"innerWidth"_qs, childWidth(u"secn"_qs));

    if (portal) {
        e.emit(kRegionPortal);
        e.emit(u"\n");
    }
    if (folder) {
        e.emit(kRegionFolder);
        e.emit(u"\n");
    }
    if (shop) {
        e.emit(kRegionShop);
        e.emit(u"\n");
    }
    if (portal || folder || shop) {
        // The column moves of main menus that open downward, and the widths
        // that are only written under automatic widths.
        const QString autoFolderColumn = piece(autoWidth, kAutoWidthFolderColumn);
        const QString autoLinkColumn = piece(autoWidth, kAutoWidthLinkColumn);
        QStringView folderFlags;
        if (dropDown)
            folderFlags = downward ? kFolderFlagsDropDownDownward : kFolderFlagsDropDown;
        else if (allOpen)
            folderFlags = kFolderFlagsAllOpen;
        e.emit(
            {
                { u"downwardFolderColumn"_qs,
                    piece(downward, kDownwardFolderColumn, { { u"autoWidthColumn"_qs, autoFolderColumn } }) },
                { u"downwardFolderColumnCall"_qs, piece(downward, kDownwardFolderColumnCall) },
                { u"countNameLength"_qs, piece(autoWidth, kCountNameLength) },
                { u"folderFlags"_qs, piece(!folderFlags.isEmpty(), folderFlags) },
                { u"linkFlags"_qs, piece(dropDown, kLinkFlagsDropDown) },
                { u"downwardLinkColumn"_qs,
                    piece(dropDown && downward, kDownwardLinkColumn, { { u"autoWidthColumn"_qs, autoLinkColumn } }) },
                { u"siteMapLocalValue"_qs, piece(languages, kSiteMapLocalValue) },
                { u"mainImage"_qs, image(u"prjChkMFI", u"prjFilMFOIMG") },
                { u"subImage"_qs, image(u"prjChkSFI", u"prjFilSFOIMG") },
                { u"linkImage"_qs, image(u"prjChkPLI", u"prjFilPLIMG") },
            },
            kRegionBatch);
        e.emit(u"\n");
    }
    if (languages) {
        e.emit({ { u"portalResource"_qs, piece(portal, kPortalResource) },
                   { u"resourceFile"_qs, vbStringText(options.text(u"prjResourceFile")) } },
            kRegionLanguages);
        e.emit(u"\n");
    }

    static const char16_t *const classKeys[] = { u"LinkPage", u"MainFolderPage", u"MainFolderBox", u"MainFolderLine",
        u"SubFolderPage", u"SubFolderBox", u"SubFolderLine", u"LinkBox", u"LinkLine", u"MenuTreeBox" };
    QString classCases;
    for (const char16_t *key : classKeys) {
        const QString name = QString::fromUtf16(key);
        if (!classCases.isEmpty())
            classCases += kCRLF;
        classCases += piece(true, kClassNameCase,
            { { u"classKey"_qs, name }, { u"className"_qs, vbStringText(m_run.cssClassName(name)) } });
    }
    e.emit({ { u"classCases"_qs, classCases } }, kRegionCommon);
    e.emit(u"\n");

    e.emit({ { u"languages"_qs,
                 vbStringText(options.isChecked(u"prjChkMultiLingual") ? options.text(u"prjLanguages") : QString()) },
               { u"pixelBase"_qs, vbStringText(options.text(u"prjPixelBase")) },
               { u"perCharacter"_qs, vbStringText(options.text(u"prjPixelsPerCharacter")) } },
        kRegionLists);
    e.emit(kLibraryEnd);
    return out;
}

} // namespace qwk
