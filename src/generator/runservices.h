#pragma once
// The run services: the context of every generator job and the small
// services every writer of generated files uses - the run log and the abort,
// disk paths turned into site addresses, style sheet class names, node names
// and page files checked, file text read and made safe for a script string,
// and the flags through which the tree walkers say that server code is
// needed. The designer's run window only shows the log of this object.

#include "generator/identifiers.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

namespace qwk {

class clsCSS;
class clsOptions;
class MenuNode;
class OptionNode;
class Prompt;

// Ends the current job. The job's handler logs "Error: ", a line break and
// the description; files already written stay written.
class RunAborted : public std::runtime_error {
public:
    explicit RunAborted(const QString &description)
        : std::runtime_error(description.toStdString())
        , m_description(description)
    {
    }
    const QString &description() const { return m_description; }

private:
    QString m_description;
};

class RunServices : public QObject, public ScriptIdentifiers {
    Q_OBJECT
public:
    // Installs the checked class-name lookup into the option store, which
    // uses it for the initial portal header template; the destructor takes it
    // out again.
    RunServices(clsOptions &options, Prompt &prompt, ScriptNameTables &tables, QObject *parent = nullptr);
    ~RunServices() override;

    clsOptions &projectOptions() const { return m_opts; }
    Prompt &prompt() const { return m_prompt; }

    // --- collaborators --------------------------------------------------
    // Whether the style sheet holds a class (the style sheet's
    // checkIfClassInEditor). Without one no class is reported missing.
    using ClassCheck = std::function<bool(const QString &className)>;
    void setClassCheck(ClassCheck check) { m_classCheck = std::move(check); }
    // The style sheet's save-as dialog; it stores the chosen path in "prjFilCSS".
    void setSaveStyleSheetAs(std::function<void()> saveAs) { m_saveStyleSheetAs = std::move(saveAs); }
    // Both of the above from the project's style sheet.
    void useStyleSheet(clsCSS &css);
    // The open project's file; its base name names the script's cookies.
    void setProjectFile(const QString &path) { m_projectFile = path; }
    const QString &projectFile() const { return m_projectFile; }

    // --- the log ----------------------------------------------------------
    // Appends one entry; every entry starts on a new line.
    void logLine(const QString &message);
    const QStringList &logEntries() const { return m_log; }
    // The entries, each on its own line.
    QString logText() const { return m_log.join(u'\n'); }
    void clearLog() { m_log.clear(); }
    [[noreturn]] void abortRun(const QString &message) const;
    // Runs a job: an abort or any other failure inside it is logged as
    // "Error: ", a line break and the description. False when the job failed.
    bool runGuarded(const std::function<void()> &job);

    // --- paths and addresses ---------------------------------------------
    QString webRootFolder() const;
    QString appRootFolder() const;
    // A disk path under the web root as a site address ("/menu/qmenu.js"),
    // or "" (logged) when it is not under the root.
    QString ra(const QString &path);
    QString raAPP(const QString &path);
    QString raFolder(const QString &folder);
    // A page name as a disk path: a site address ("/a/b.htm") is taken under
    // the web root; any other name is used as it stands.
    QString defaultFile(const QString &name) const;
    QString projectBaseName() const { return baseName(m_projectFile); }
    static QString baseName(const QString &path);
    static QString stripExtension(const QString &path);

    // --- names, classes and files --------------------------------------------
    QString cssClassName(const QString &classKey);
    QString safeNodeName(const MenuNode &node, const QString &property);
    // The same for the node's own name option, read without a key lookup.
    QString safeNodeName(const OptionNode &node);
    void checkPageFile(const MenuNode &node, const QString &fileProperty, const QString &description);
    static QString classSuffix(const QString &name);
    static QString nodeDescription(const MenuNode &node);
    QString readFileSection(const QString &fileName, const QString &tagName);
    QString jsStringText(const QString &text);
    // Before a job whose page links the style sheet, on the thread that may
    // ask: when the sheet's file is missing, asks whether to save it now and
    // on OK opens the save-as dialog (which stores the path in "prjFilCSS").
    void offerToSaveStyleSheet();
    // The style sheet's file for a page to link; asks nothing, so a file
    // still missing ends the job.
    QString styleSheetPath();
    // Writes a generated file whole (UTF-8 when "prjChkUtf8" is 1, otherwise
    // the single-byte code page when every character fits); a failure aborts.
    void writeTextFile(const QString &path, const QString &text);

    // --- the six flags ------------------------------------------------------
    bool forceServer() const { return m_forceServer; }
    bool languagesOnServer() const { return m_languagesOnServer; }
    bool noScriptFile() const { return m_noScriptFile; }
    bool shopLinks() const { return m_shopLinks; }
    bool serverDirectory() const { return m_serverDirectory; }
    bool portalDirectory() const { return m_portalDirectory; }
    void setShopLinks(bool on) { m_shopLinks = on; }
    void setServerDirectory(bool on) { m_serverDirectory = on; }
    void setPortalDirectory(bool on) { m_portalDirectory = on; }
    // The three option flags, read at the start of every job.
    void readOptionFlags();
    // The three tree flags, cleared before every walk of the tree.
    void clearTreeFlags();
    bool needsServerControl() const;

Q_SIGNALS:
    void logged(const QString &entry);

private:
    QString siteAddress(
        const QString &rootOption, const QString &root, const QString &path, const QString &complaint);

    clsOptions &m_opts;
    Prompt &m_prompt;
    ClassCheck m_classCheck;
    std::function<void()> m_saveStyleSheetAs;
    QString m_projectFile;
    QStringList m_log;
    bool m_forceServer = false;
    bool m_languagesOnServer = false;
    bool m_noScriptFile = false;
    bool m_shopLinks = false;
    bool m_serverDirectory = false;
    bool m_portalDirectory = false;
};

} // namespace qwk
