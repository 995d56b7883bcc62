#include "generator/sitemap.h"

#include "core/emitter.h"
#include "core/htmltext.h"
#include "core/textbuild.h"
#include "core/textfile.h"
#include "generator/folderexpansion.h"
#include "generator/identifiers.h"
#include "generator/menuflags.h"
#include "generator/runservices.h"
#include "generator/serialiser.h"
#include "generator/servercall.h"
#include "generator/serverlibrary.h"
#include "generator/servertemplates.h"
#include "generator/widths.h"
#include "options/options.h"
#include "options/sectionvalues.h"
#include "tree/nodes.h"
#include "tree/treewalk.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace qwk {

namespace {

const QString kSee = QStringLiteral("\n  See ");

// The page around the lines: the menu's style sheet and one table cell in
// the menu's box class.
const QStringView kPageHead = uR"html(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">
<html xmlns="http://www.w3.org/1999/xhtml" >
<head>
   <title>$h:scriptAddress$</title>
   <link rel="stylesheet" type="text/css" href="$h:styleSheetAddress$">
</head>
<body>
  <table $fullWidth$ border='0' cellspacing='0' cellpadding='0'>
    <tr>
      <td class='$cellClass$' valign='top'$firstColumn$>
)html";
const QStringView kFirstColumn = uR"html( Width = '$width$')html";
const QStringView kPageTail = uR"html(      </TD>
    </TR>
  </TABLE>  <p>Total number of links: $links$.</p>
</BODY>
</HTML>)html";

// One line per folder and per link. The classes and images are the same for
// every line of a kind, so each kind is rendered once per job and only the
// slots ($indent$, $href$, $text$) are filled in per line.
const QStringView kFolderLine = uR"html(<p class='$boxClass$'>$indent$$image$<span class='$lineClass$'>$text$</span></p>
)html";
const QStringView kLinkLine = uR"html(<p class='$boxClass$'>$indent$$image$<a href="$href$"><span class='$lineClass$'>$text$</span></a></p>
)html";
const QStringView kLineImage = uR"html(<img src=$imageFile$>&nbsp;)html";

// The accessible markup's site map: an HTML5 page, written in UTF-8, whose
// main landmark holds the heading and the menu as nested lists.
const QStringView kAccessiblePageHead = uR"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Site map</title>
<link rel="stylesheet" href="$h:styleSheetAddress$">
</head>
<body>
<main>
<h1>Site map</h1>
<ul class="$listClass$">
)html";
const QStringView kAccessiblePageTail = uR"html(</ul>
<p>Total number of links: $links$.</p>
</main>
</body>
</html>
)html";

// A name without its class suffix ("News*03" is shown as News).
QString withoutSuffix(QString name)
{
    if (!RunServices::classSuffix(name).isEmpty())
        name.chop(3);
    return name;
}

// An attribute value typed by the author (an image address): bare as it
// always was when it is safe so, quoted and escaped when it holds a blank, a
// quote, "=", "<", ">", "`" or "&", which would end it early or change it.
QString attributeValue(const QString &value)
{
    static const QStringView unsafe = u" \t\n\f\r\"'=<>`&";
    for (const QChar c : value) {
        if (unsafe.contains(c))
            return u'"' + htmlEscaped(value) + u'"';
    }
    return value;
}

// An image beside a name says nothing the name does not: empty alternative text.
QString decorativeImage(const QString &attributeFile)
{
    return QStringLiteral("<img src=") + attributeFile + QStringLiteral(" alt=\"\">");
}

} // namespace

QString SiteMapWriter::lineImageHtml(const QString &file)
{
    QString out;
    TextEmitter e(out);
    e.emit({ { u"imageFile"_qs, attributeValue(file) } }, kLineImage);
    return out;
}

SiteMapWriter::SiteMapWriter(RunServices &run, clsFolder &root)
    : m_run(run)
    , m_root(root)
{
}

const QString &SiteMapWriter::lineClass(LineClass which)
{
    // Asked once per kind, so a class missing from the style sheet is
    // reported once and not for every line.
    static const char16_t *const keys[LineClasses] = { u"MainFolderBox", u"SubFolderBox", u"MainFolderLine",
        u"SubFolderLine", u"LinkBox", u"LinkLine", u"MenuTreeBox" };
    std::optional<QString> &name = m_lineClasses[which];
    if (!name)
        name = m_run.cssClassName(QString::fromUtf16(keys[which]));
    return *name;
}

const std::optional<QString> &SiteMapWriter::lineImage(LineClass which)
{
    if (!m_haveLineImages) {
        const clsOptions &options = m_run.projectOptions();
        const auto image = [&](const char16_t *check, const char16_t *file) -> std::optional<QString> {
            if (!options.isChecked(QStringView(check)))
                return std::nullopt;
            return attributeValue(options.text(QStringView(file)));
        };
        m_lineImages = { image(u"prjChkMFI", u"prjFilMFOIMG"), image(u"prjChkSFI", u"prjFilSFOIMG"),
            image(u"prjChkPLI", u"prjFilPLIMG") };
        m_haveLineImages = true;
    }
    return m_lineImages[which == MainFolderBox ? 0 : which == SubFolderBox ? 1 : 2];
}

QStringView SiteMapWriter::indentText(int indent)
{
    static const QStringView step = u"&nbsp;&nbsp;&nbsp;";
    const qsizetype need = qsizetype(std::max(indent, 0)) * step.size();
    while (m_indent.size() < need)
        m_indent += step;
    return QStringView(m_indent).first(need);
}

const QStringList &SiteMapWriter::linePieces(LinePieces which)
{
    QStringList &pieces = m_linePieces[which];
    if (!pieces.isEmpty())
        return pieces;
    const bool link = which == LinkWithImage || which == LinkWithoutImage;
    const LineClass box = which == MainFolder ? MainFolderBox : which == SubFolder ? SubFolderBox : LinkBox;
    const std::optional<QString> &imageFile = lineImage(box);
    QString unused;
    TextEmitter e(unused);
    e.setLineEnd(kCRLF);
    e.set(u"boxClass"_qs, lineClass(box));
    const bool image = imageFile.has_value() && which != LinkWithoutImage;
    e.set(u"imageFile"_qs, image ? *imageFile : QString());
    e.set(u"image"_qs, image ? e.render(kLineImage) : QString());
    e.set(u"lineClass"_qs,
        lineClass(which == MainFolder ? MainFolderLine : which == SubFolder ? SubFolderLine : LinkLine));
    pieces = link ? e.renderPieces(kLinkLine, { u"indent"_qs, u"href"_qs, u"text"_qs })
                  : e.renderPieces(kFolderLine, { u"indent"_qs, u"text"_qs });
    return pieces;
}

void SiteMapWriter::closeListsTo(QString &out, int indent)
{
    while (qsizetype(m_openFolders.size()) > std::max(indent, 0)) {
        if (m_openFolders.back())
            out += QStringLiteral("</ul>\r\n");
        out += QStringLiteral("</li>\r\n");
        m_openFolders.pop_back();
    }
}

void SiteMapWriter::enterListLevel(QString &out, int indent)
{
    closeListsTo(out, indent);
    // An entry deeper than the innermost open folder (which a well-formed
    // walk never gives) goes into that folder.
    if (!m_openFolders.empty() && !m_openFolders.back()) {
        out += QStringLiteral("<ul>\r\n");
        m_openFolders.back() = true;
    }
}

void SiteMapWriter::folderLine(QString &out, const QString &text, int indent, bool mainFolder)
{
    if (m_nested) {
        enterListLevel(out, indent);
        const LineClass box = mainFolder ? MainFolderBox : SubFolderBox;
        const std::optional<QString> &file = lineImage(box);
        const QString image = file ? decorativeImage(*file) : QString();
        appendPieces(out, { u"<li class=\"", lineClass(box), u"\"><span class=\"",
                              lineClass(mainFolder ? MainFolderLine : SubFolderLine), u"\">",
                              image, text, u"</span>\r\n" });
        m_openFolders.push_back(false);
        return;
    }
    const QStringList &p = linePieces(mainFolder ? MainFolder : SubFolder);
    appendPieces(out, { p[0], indentText(indent), p[1], text, p[2] });
}

void SiteMapWriter::linkLine(
    QString &out, const QString &address, const QString &name, int indent, bool image)
{
    // A double quote would end the attribute early.
    QString href = serverHtmlText(address);
    if (href.contains(u'"'))
        href.replace(u'"', QStringLiteral("&quot;"));
    const bool missing = name.isEmpty() || name.trimmed().isEmpty();
    if (m_nested) {
        enterListLevel(out, indent);
        const std::optional<QString> &file = lineImage(LinkBox);
        const QString imageHtml = image && file ? decorativeImage(*file) : QString();
        appendPieces(out, { u"<li class=\"", lineClass(LinkBox), u"\"><a class=\"", lineClass(LinkLine),
                              u"\" href=\"", href, u"\">",
                              imageHtml,
                              missing ? QStringView(u"(Missing name)") : QStringView(name), u"</a></li>\r\n" });
        return;
    }
    const QStringList &p = linePieces(image ? LinkWithImage : LinkWithoutImage);
    appendPieces(out, { p[0], indentText(indent), p[1], href, p[2],
                          missing ? QStringView(u"(Missing name)") : QStringView(name), p[3] });
}

QString SiteMapWriter::walkTree()
{
    m_links = 0;
    m_openFolders.clear();
    m_run.clearTreeFlags();
    // The server form reads "[%" and "%]" in the lines as its calls.
    ServerTextScope serverText(m_run.needsServerControl() || treeHasServerSections(m_root));
    HardDiskDirectory folders(m_run);
    SiteMapLines lines;
    lines.folder = [this](QString &out, const QString &text, int indent, bool mainFolder) {
        folderLine(out, text, indent, mainFolder);
    };
    lines.link = [this](QString &out, const QString &address, const QString &text, int indent) {
        linkLine(out, address, text, indent, true);
    };

    // The walk needs no recursion, so any nesting a project file holds is safe.
    struct Walk {
        SiteMapWriter &w;
        HardDiskDirectory &folders;
        const SiteMapLines &lines;
        QString out;
        std::vector<QString> secns; // the current id of each open level, innermost last

        void enterFolder(clsFolder &, int depth)
        {
            secns.push_back(depth == 0 ? w.m_run.menuLetter() + QStringLiteral("1d0")
                                       : secns.back() + QStringLiteral("d0"));
        }
        void leaveFolder(clsFolder &, int) { secns.pop_back(); }
        void node(MenuNode &node, int depth, int)
        {
            if (clsFolder *folder = node.asFolder()) {
                advanceLastNumberInPlace(secns.back(), 1);
                w.folderLine(out, serverHtmlText(withoutSuffix(folder->name())), depth - 1, isMainLevel(secns.back()));
            } else if (clsPage *page = node.asPage()) {
                w.pageLine(out, *page, secns.back(), depth - 1, folders, lines);
            } // columns and end-of-folder markers leave no trace
        }
    };
    Walk walk { *this, folders, lines, {}, {} };
    // The markers are let through: one kind test fewer per node than skipping them.
    qwk::walkTree<EndMarkers::Visit>(m_root, walk);
    if (m_nested)
        closeListsTo(walk.out, 0);
    return std::move(walk.out);
}

void SiteMapWriter::pageLine(QString &out, clsPage &page, QString &secn, int indent, HardDiskDirectory &folders,
    const SiteMapLines &lines)
{
    const PageLink link = pageLink(page);
    if (link == PageLink::HiddenScript)
        return;
    // Only messages need the description; most pages never build it.
    const auto description = [&page] { return RunServices::nodeDescription(page); };
    const auto text = [&page](const char16_t *key) { return page.value(key).toString(); };

    QString address;
    if (link == PageLink::Script) {
        advanceLastNumberInPlace(secn, 1);
        page.setSecn(secn);
        address = QStringLiteral("javascript:{") + page.textValue(NodeOption::JS) + u'}';
    } else if (link == PageLink::ServerOrFolder) {
        page.setSecn(secn);
        const QString depth = QString::number(indent);
        if (page.selectedOption(u"lnkOptURLCSK")) {
            m_run.setShopLinks(true);
            if (text(u"lnkCSKOptionChoice") == u"optCSKProductStatus") {
                m_run.logLine(QStringLiteral("  Adding CSK status link to tree.") + kSee + description());
                secn = nextSiblingId(secn);
                const QString name
                    = withoutSuffix(m_run.safeNodeName(page, QStringLiteral("lnkNamePage")));
                out += ServerCall(u"StatusLink").userText(name).text(secn).bare(depth).bare(u"True")
                           .text(u"siteMap").done()
                    + kCRLF;
            } else {
                m_run.logLine(QStringLiteral("  Adding CSK links to tree.") + kSee + description());
                out += ServerCall(u"CSKDirectory").userText(text(u"lnkCSKSku")).userText(text(u"lnkCSKOptionChoice"))
                           .text(secn).bare(depth).bare(u"True").text(u"siteMap").done()
                    + kCRLF;
            }
        } else if (page.selectedOption(u"lnkOptURLDNN")) {
            m_run.logLine(QStringLiteral("  Adding DNN directory to tree.") + kSee + description());
            m_run.setPortalDirectory(true);
            out += ServerCall(u"DnnDirectory").userText(text(u"lnkDNNTabID")).userText(text(u"lnkHarddiskOptionsPage"))
                       .text(secn).bare(depth).text({}).text({}).bare(u"True").text(u"siteMap").done()
                + kCRLF;
            // Room for the ids the server gives the portal's entries, as in the menu.
            secn = advanceLastNumber(secn, 100);
        } else if (page.selectedOption(u"lnkOptURLHarddisk")
            && !text(u"lnkHarddiskDirPage").trimmed().isEmpty()) {
            const QString options = text(u"lnkHarddiskOptionsPage");
            if (FolderSectionOptions::parse(options).asp) {
                const QString folder = m_run.raFolder(text(u"lnkHarddiskDirPage"));
                m_run.logLine(QStringLiteral("  Adding ASP directory to tree.") + kSee + description());
                m_run.setServerDirectory(true);
                out += ServerCall(u"harddiskDirectorySiteMap").userText(folder).userText(options)
                           .userText(text(u"lnkHarddiskIncludePage")).userText(text(u"lnkHarddiskExcludePage"))
                           .text(secn).bare(depth).text({}).text({}).done()
                    + kCRLF;
                secn = advanceLastNumber(secn, 500);
            } else {
                folders.harddiskDirectorySitemap(out, folders.folderAddress(page), options,
                    text(u"lnkHarddiskIncludePage"), text(u"lnkHarddiskExcludePage"), secn,
                    indent, lines, m_links);
            }
        }
        return;
    } else {
        advanceLastNumberInPlace(secn, 1);
        if (link == PageLink::Address) {
            address = page.textValue(NodeOption::URL);
        } else if (link == PageLink::SitePage) {
            m_run.checkPageFile(page, QStringLiteral("lnkFilMyWebPage"), description());
            address = page.textValue(NodeOption::FilMyWebPage);
        }
    }
    if (address.isEmpty())
        return;
    ++m_links;
    linkLine(out, address, serverHtmlText(withoutSuffix(page.name())), indent,
        !page.selectedOption(NodeOption::ChkNoPageImage));
}

QString SiteMapWriter::pageText(QString lines)
{
    const clsOptions &options = m_run.projectOptions();
    const QString script = options.text(u"prjFilJS");
    const QString styleSheet = m_run.styleSheetPath();
    TextEmitter e(lines);
    e.setLineEnd(kCRLF);
    e.set(u"scriptAddress"_qs, m_run.ra(script));
    e.set(u"styleSheetAddress"_qs, m_run.ra(styleSheet));
    e.set(u"fullWidth"_qs, options.isChecked(u"prjWidthTo100") ? u" width='100%' " : u"");
    QString firstColumn;
    if (options.isChecked(u"prjChkFirstColValue")) {
        const QString width = options.text(u"prjFirstColWid").trimmed();
        if (!isWidthValue(width))
            m_run.abortRun(badWidthMessage(u"prjFirstColWid", width));
        TextEmitter::Scope column(e, { { u"width"_qs, width } });
        firstColumn = e.render(kFirstColumn);
    }
    e.set(u"firstColumn"_qs, firstColumn);
    e.set(u"cellClass"_qs, lineClass(MenuTreeBox));
    e.set(u"links"_qs, QString::number(m_links));
    // The lines are most of the page: the head goes in front of them, so the
    // largest text of the job is not copied (a site map can be 20 MB).
    lines.prepend(e.render(kPageHead));
    e.emit(kPageTail);
    return lines;
}

QString SiteMapWriter::accessiblePageText(QString lists)
{
    TextEmitter e(lists);
    e.setLineEnd(kCRLF);
    e.set(u"styleSheetAddress"_qs, m_run.ra(m_run.styleSheetPath()));
    e.set(u"listClass"_qs, lineClass(MenuTreeBox));
    e.set(u"links"_qs, QString::number(m_links));
    lists.prepend(e.render(kAccessiblePageHead));
    e.emit(kAccessiblePageTail);
    return lists;
}

void SiteMapWriter::writeSiteMap()
{
    const bool accessible = m_run.projectOptions().isChecked(u"prjChkAccessible");
    // Parts read on the server are written by the server library in the
    // older markup, into the ASP.NET form; such a site map keeps that form.
    const bool server = m_run.needsServerControl() || treeHasServerSections(m_root);
    if (accessible && server)
        m_run.logLine(QStringLiteral(
            "Note: the menu has parts read on the web server; the site map keeps the ASP.NET form and its markup."));
    m_nested = accessible && !server;
    QString lines = walkTree();
    if (m_run.needsServerControl()) {
        writeAspNetSiteMap(lines);
        return;
    }
    const QString page = m_nested ? accessiblePageText(std::move(lines)) : pageText(std::move(lines));
    const QString path
        = RunServices::stripExtension(m_run.projectOptions().text(u"prjFilJS")) + QStringLiteral(".sm.html");
    m_run.logLine(QStringLiteral("Writing file: ") + path);
    if (m_nested) {
        // The page says it is UTF-8, so it is written so whatever the project's encoding.
        const FileResult written = writeFileAtomic(path, encodeText(page, true));
        if (!written.ok)
            m_run.abortRun(written.error);
    } else {
        m_run.writeTextFile(path, page);
    }
    m_run.logLine(QStringLiteral("Total number of links: ") + QString::number(m_links) + u'.');
}

QString SiteMapWriter::aspNetControl(const QString &lines)
{
    // Each server call becomes a server block that writes the function's result.
    QString converted = lines;
    converted.replace(QStringLiteral("[%"), QStringLiteral("<%response.write("));
    converted.replace(QStringLiteral("%]"), QStringLiteral(")%>"));
    converted.replace(QStringLiteral("%%"), QStringLiteral("\""));
    converted.replace(QStringLiteral("& \"\" &"), QStringLiteral("&"));
    const clsOptions &options = m_run.projectOptions();
    QString out;
    TextEmitter e(out);
    e.setLineEnd(kCRLF);
    e.set(u"baseName"_qs, RunServices::baseName(options.text(u"prjFilJS")));
    e.set(u"fullWidth"_qs, options.isChecked(u"prjWidthTo100") ? u" width='100%' " : u"");
    e.set(u"cellClass"_qs, lineClass(MenuTreeBox));
    e.set(u"lines"_qs, converted);
    e.emit(server::kSiteMapControl);
    return out;
}

QString SiteMapWriter::aspNetPage()
{
    const clsOptions &options = m_run.projectOptions();
    const QString script = options.text(u"prjFilJS");
    QString out;
    TextEmitter e(out);
    e.setLineEnd(kCRLF);
    e.set(u"baseName"_qs, RunServices::baseName(script));
    e.set(u"appStem"_qs, m_run.raAPP(RunServices::stripExtension(script)));
    e.set(u"scriptAddress"_qs, m_run.ra(script));
    e.set(u"styleSheetAddress"_qs, m_run.ra(m_run.styleSheetPath()));
    e.set(u"sampleText"_qs, options.text(u"prjSampleHTML"));
    e.set(u"sampleHtml"_qs, options.text(u"prjSampleHTML").isEmpty() ? QString() : e.render(server::kSampleHtml));
    e.emit(server::kSiteMapPage);
    return out;
}

QString SiteMapWriter::aspNetCodeBehind()
{
    QString out;
    TextEmitter e(out);
    e.setLineEnd(kCRLF);
    e.set(u"baseName"_qs, RunServices::baseName(m_run.projectOptions().text(u"prjFilJS")));
    e.emit(server::kSiteMapCodeBehindHead);
    out += ServerLibrary(m_run).text();
    out += kCRLF;
    return out;
}

void SiteMapWriter::writeAspNetSiteMap(const QString &lines)
{
    const QString stem = RunServices::stripExtension(m_run.projectOptions().text(u"prjFilJS"));
    m_run.logLine(QStringLiteral("Writing file: ") + stem + QStringLiteral("_sm.ascx.vb"));
    m_run.writeTextFile(stem + QStringLiteral("_sm.ascx.vb"), aspNetCodeBehind());
    m_run.logLine(QStringLiteral("Writing file: ") + stem + QStringLiteral("_sm.ascx."));
    m_run.writeTextFile(stem + QStringLiteral("_sm.ascx"), aspNetControl(lines));
    const QString page = aspNetPage();
    m_run.logLine(QStringLiteral("Writing file: ") + stem + QStringLiteral("_sm.aspx."));
    m_run.writeTextFile(stem + QStringLiteral("_sm.aspx"), page);
    m_run.logLine(QStringLiteral("Above .aspx file is your sitemap file."));
}

} // namespace qwk
