#pragma once
// The menu data of a script: the table opening, one data call per node of
// the tree, and the closing that writes the collected HTML into the page.
// The calls run in the browser in document order and draw the menu.

#include "generator/menuflags.h"
#include "generator/widths.h"

#include <QString>
#include <functional>
#include <vector>

namespace qwk {

class clsNodes;
class clsOptions;
class clsPage;
class RunServices;

// Section ids: the menu letter, a block number and "d" + position per level.
QString nextSiblingId(const QString &id);
QString nextBlockId(const QString &id);
bool isMainLevel(const QString &id);
// The id with the number after its last "d" raised by step.
QString advanceLastNumber(const QString &id, int step);
// The same on id itself (every node of a run takes the next id).
void advanceLastNumberInPlace(QString &id, int step);

// A value the server control turns into the current language's entry of a
// ";;" list: the placeholder around the text.
QString multilingualPlaceholder(const QString &text);

// How the name argument of a data call is written: as it stands (already
// quoted, or a bare script expression), as a script string, or as a script
// string holding the server's language placeholder around the name.
enum class NameForm { AsWritten, Quoted, ServerList };

// One data call of the menu data: function("id","flags",name,"address","width");
// and CR LF. flags, address and width are escaped for the script string; a
// width placeholder gets the fill mark (markedWidth).
// With addressIsScript (the accessible markup's folder and link scripts) a
// non-empty address is written as the function literal function(){...}, so
// that the page never has to compile script text.
void appendDataCall(QString &out, QStringView function, QStringView id, QStringView flags, QStringView name,
                    NameForm form, QStringView address, QStringView width, bool addressIsScript = false);
inline void appendDataCall(QString &out, QStringView function, QStringView id, QStringView flags,
                           QStringView name, QStringView address, QStringView width)
{
    appendDataCall(out, function, id, flags, name, NameForm::AsWritten, address, width);
}

// Hears the data calls as the writers put them into the script, with their
// arguments before escaping: the static fragment of the accessible markup is
// built from the very calls the script holds. Installed for the current
// thread by a DataCallObserverScope.
class DataCallObserver {
public:
    virtual ~DataCallObserver() = default;
    virtual void call(QStringView function, QStringView id, QStringView flags, QStringView name, NameForm form,
                      QStringView address, QStringView width)
        = 0;
    virtual void column() = 0;
    virtual void end() = 0;
};
class DataCallObserverScope {
public:
    explicit DataCallObserverScope(DataCallObserver *observer);
    ~DataCallObserverScope();
    DataCallObserverScope(const DataCallObserverScope &) = delete;
    DataCallObserverScope &operator=(const DataCallObserverScope &) = delete;

private:
    DataCallObserver *m_was;
};
// Told by the writers of the end and column calls.
void noteDataEnd();
void noteDataColumn();

class MenuSerialiser {
public:
    // What one menu level of the walk carries: its current id, the width text
    // written into every call, what is replaced by the computed width at the
    // level's end (automatic widths), the running name lengths, and where the
    // level's text (or its current column block) starts in the output.
    struct LevelState {
        QString id;
        QString width;
        QString placeholder;
        QString lengths;
        qsizetype start = 0;
    };

    // Expands a hard-disk folder page at design time into out. The entries
    // join the level they stand in: the id advances, names widen the level,
    // and a new column may start.
    using FolderExpansion = std::function<void(QString &out, const clsPage &page, LevelState &level)>;

    explicit MenuSerialiser(RunServices &run);

    void setFolderExpansion(FolderExpansion expansion) { m_expandFolder = std::move(expansion); }

    QString writeTableStart();
    // Appends the data calls of nodes and everything below them to out; id
    // is the level's current section id and comes back advanced.
    void serialiseNodes(QString &out, const clsNodes &nodes, QString &id, const QString &width);
    QString writeTableEnd();

private:
    void writeEnd(QString &out);
    // Bare script of the author's in a server run: refused when it holds the server's marks.
    void checkBareScript(const QString &text, const MenuNode &node);
    void writeFolder(QString &out, LevelState &level, const class clsFolder &folder, QString *childWidth);
    void writeColumn(QString &out, LevelState &level, const class clsColumn &column);
    // A page is script between the calls, an entry with a link, or the
    // server's or a folder's links; each has its steps below.
    void writePage(QString &out, LevelState &level, const clsPage &page);
    void writeHiddenScript(QString &out, const clsPage &page);
    void writeLinkPage(QString &out, LevelState &level, const clsPage &page, PageLink link);
    // What the entry opens, checked to stand in the script string; an
    // inserted file's text replaces name.
    QString linkTarget(const clsPage &page, PageLink link, QString &name);
    void appendPageCall(QString &out, const LevelState &level, const clsPage &page, PageLink link,
                        QStringView suffix, const QString &name, const QString &address);
    void writeAdvancedPage(QString &out, LevelState &level, const clsPage &page);
    void writeShopLinks(QString &out, LevelState &level, const clsPage &page);
    void writePortalDirectory(QString &out, LevelState &level, const clsPage &page);
    // The portal call's options, with the header file and template added.
    QString portalOptions(const clsPage &page);
    void writeFolderLinks(QString &out, LevelState &level, const clsPage &page);
    void writeServerFolderCall(QString &out, LevelState &level, const clsPage &page, const QString &folder,
                               const QString &options);
    QString insertedFileText(const clsPage &page);
    NameForm nameForm(bool bare) const;
    QString levelWidthText(const QString &width) const;
    // Stops the run when the project's first-column width is not a width.
    void checkFirstColumnWidth() const;
    // Automatic widths: a level's width is known at its end, but its calls
    // were written long before. The value is noted here and every
    // placeholder is filled in one pass when the walk is done.
    void noteLevelWidth(QString &out, const LevelState &level);
    void fillLevelWidths(QString &out, qsizetype from);

    RunServices &m_run;
    const clsOptions &m_options;
    AutomaticWidths m_widths;
    FolderExpansion m_expandFolder;
    MenuFlags m_flags;
    bool m_auto;
    bool m_accessible;
    bool m_serverLanguages;
    // The identifiers of the data calls, asked for once per run.
    QString m_mf, m_sf, m_lk, m_de, m_col;
    LevelWidthFill m_levelWidths{m_options};
};

} // namespace qwk
