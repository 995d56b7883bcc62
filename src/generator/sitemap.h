#pragma once
// The "siteMap" job: the whole menu tree as a plain HTML page of indented
// paragraphs, one line per folder and one link per page, styled with the
// classes of the menu's style sheet. Sections that must be read on the web
// server leave server calls in the text; such a site map is written as an
// ASP.NET user control whose code-behind holds the server library, with a
// page that shows it. A project with the accessible menu markup gets an
// HTML5 page instead: a main landmark, one heading and nested lists.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace qwk {

class clsFolder;
class RunServices;
class HardDiskDirectory;
class clsPage;
struct SiteMapLines;

class SiteMapWriter {
public:
    SiteMapWriter(RunServices &run, clsFolder &root);

    // The job: walks the tree and writes the script's stem + ".sm.html".
    void writeSiteMap();

    // The lines for the whole tree (top id menu letter + "1d0", indent 0);
    // links() counts the links listed. Stores each listed page's id in it.
    QString walkTree();
    int links() const { return m_links; }

    // The page around the walk's lines.
    QString pageText(QString lines);
    // The HTML5 page around the walk's nested lists (accessible markup).
    QString accessiblePageText(QString lists);

    // Whether the walk writes nested lists (the accessible markup, for a
    // tree without parts read on the server). Set by writeSiteMap; a test
    // may set it before walkTree.
    void setNestedLists(bool on) { m_nested = on; }

    // The ASP.NET form, for a tree that needs the server: the walk's lines
    // with their server calls turned into server blocks, in the control.
    QString aspNetControl(const QString &lines);
    QString aspNetPage();
    QString aspNetCodeBehind();

    // The image in front of a line: "<img src=", the file, ">&nbsp;".
    static QString lineImageHtml(const QString &file);

    void folderLine(QString &out, const QString &text, int indent, bool mainFolder);
    void linkLine(QString &out, const QString &address, const QString &name, int indent, bool image);

private:
    void writeAspNetSiteMap(const QString &lines);
    // The class of a line kind (and of the table cell), asked for once.
    enum LineClass { MainFolderBox, SubFolderBox, MainFolderLine, SubFolderLine, LinkBox, LinkLine, MenuTreeBox,
        LineClasses };
    const QString &lineClass(LineClass which);
    QStringView indentText(int indent);
    // The line of one page, if it has one, or the server call or folder
    // listing in its place; secn is its level's current id and advances.
    void pageLine(QString &out, clsPage &page, QString &secn, int indent, HardDiskDirectory &folders,
        const SiteMapLines &lines);
    // The image of a line kind (none when its check box is off), read once per
    // job, as it goes after "src=".
    const std::optional<QString> &lineImage(LineClass which);
    // The fixed text of a line kind around its slots, rendered at its first line.
    enum LinePieces { MainFolder, SubFolder, LinkWithImage, LinkWithoutImage, LinePieceKinds };
    const QStringList &linePieces(LinePieces which);
    // Nested lists: closes the folders deeper than indent and opens the
    // list of the folder an entry at indent goes into.
    void enterListLevel(QString &out, int indent);
    void closeListsTo(QString &out, int indent);

    RunServices &m_run;
    clsFolder &m_root;
    std::array<std::optional<QString>, LineClasses> m_lineClasses;
    QString m_indent;
    bool m_haveLineImages = false;
    std::array<std::optional<QString>, 3> m_lineImages; // main folder, sub-folder, link
    std::array<QStringList, LinePieceKinds> m_linePieces;
    int m_links = 0;
    bool m_nested = false;
    // The folders open in the nested lists, outermost first: whether each
    // has opened the list of its entries yet (an empty folder gets none).
    std::vector<bool> m_openFolders;
};

} // namespace qwk
