#pragma once
// Hard disk directory expansion: a link of the menu that stands for a folder
// of the web site is replaced, when the project is run, by one entry per web
// page in the folder and, on request, one sub-menu per sub-folder. The same
// walk gives the site map's lines for such a folder.
//
// Folders and files are listed by name (case ignored first, then case), so
// the same project gives the same menu on every machine. The walk keeps its
// own stack, so any depth of folders is safe. It goes by disk paths; only the
// addresses it writes are escaped. Each real folder is listed once, however
// many symbolic links lead to it, and nothing whose real path lies outside the
// web root is listed; each link skipped is logged. A sub-folder that cannot be
// read is skipped with a warning; the listed folder itself ends the run.

#include "generator/serialiser.h"
#include "generator/serverpath.h"

#include <QFileInfo>
#include <QString>
#include <functional>

namespace qwk {

class clsPage;
class RunServices;

// The site map's two kinds of line, written by the site map writer.
struct SiteMapLines {
    std::function<void(QString &out, const QString &text, int indent, bool mainFolder)> folder;
    std::function<void(QString &out, const QString &address, const QString &text, int indent)> link;
};

class HardDiskDirectory {
public:
    explicit HardDiskDirectory(RunServices &run);

    // The tree serialiser's hook for a hard-disk page without "asp||": logs
    // the folder, expands it into the level and logs how many links it added.
    void expandIntoMenu(QString &out, const clsPage &page, MenuSerialiser::LevelState &level);

    // The site address ("/docs/") of a hard-disk page's folder; aborts the
    // run when no folder is given or the folder is outside the web root.
    QString folderAddress(const clsPage &page);

    // Appends the data calls for the folder at the site address relDirectory
    // to out. The entries continue level (id, name lengths, width text); each
    // listed file adds one to mLinks.
    void hardDiskDirectory(QString &out, const QString &relDirectory, const QString &txtOptions,
        const QString &txtInclude, const QString &txtExclude, MenuSerialiser::LevelState &level, int &mLinks);

    // Appends the site map lines for the folder, indented by indent levels;
    // secn is the section id of the site map level the folder stands in.
    void harddiskDirectorySitemap(QString &out, const QString &relDirectory, const QString &txtOptions,
        const QString &txtInclude, const QString &txtExclude, const QString &secn, int indent,
        const SiteMapLines &lines, int &mLinks);

    // The link text's size part: "0" for an empty file, otherwise the byte
    // count divided by 1000, rounded half to even, plus one.
    static QString sizeText(qint64 bytes);
    // A file or folder name made safe to stand in an address.
    static QString addressPart(const QString &name);

    // What listing a folder gave: its entries, or why it could not be read.
    struct FolderListing {
        QFileInfoList entries;
        QString error; // empty when the folder was read
    };
    using FolderLister = std::function<FolderListing(const QString &path)>;
    // Lists a folder on disk (sub-folders and files, hidden ones left out).
    static FolderListing listFolder(const QString &path);
    // Replaces listFolder, so a test can make a folder fail to read even
    // where permissions do not stop the user (root).
    void setFolderLister(FolderLister lister) { m_lister = std::move(lister); }

private:
    RunServices &m_run;
    clsServer m_server;
    FolderLister m_lister;
};

} // namespace qwk
