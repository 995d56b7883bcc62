#pragma once
// Synthetic projects for measuring the project file: a menu tree of a given
// number of nodes that looks like a large real site (nested folders, columns
// in the main menu, names of every length, addresses, the less common link
// kinds), the same tree for the same variant on every run.

#include <QtGlobal>

namespace qwk {

class clsOptions;
class clsFolder;

struct SyntheticStats {
    int folders = 0;
    int pages = 0;
    int columns = 0;
    int maxDepth = 0; // level of the deepest folder; the main menu is 1
    int nodes() const { return folders + pages + columns; }
};

// The deepest level at which the maker puts folders; the main menu is level 1.
inline constexpr int kSyntheticMaxDepth = 6;

// Which link kinds the maker may use.
enum class SyntheticKinds {
    // Every kind, including those that need the web server or files on disk
    // (portal tabs, server-side and disk folders, inserted files).
    All,
    // Only kinds a "run" can write as a plain script without those files: a
    // page that stands for a portal tab, a folder on disk or a file to insert
    // becomes an ordinary link instead.
    Runnable,
};

// Fills options (with the new-project defaults already loaded) and root (an
// empty root folder) with a project of exactly nodeCount folders, pages and
// columns (end-of-folder markers not counted). The same variant gives the same
// tree for both kinds apart from the replaced pages.
SyntheticStats buildSyntheticProject(int nodeCount, quint64 variant, clsOptions &options, clsFolder &root,
                                     SyntheticKinds kinds = SyntheticKinds::All);

} // namespace qwk
