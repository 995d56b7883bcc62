#include "generator/runservices.h"

#include "core/prompt.h"
#include "core/textfile.h"
#include "generator/serverpath.h"
#include "options/options.h"
#include "stylesheet/clscss.h"
#include "tree/nodes.h"

#include <QDir>
#include <QFileInfo>

namespace qwk {

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

// The separator a folder path already uses, so that a Windows path read from
// a project keeps its backslashes and a local path gets the native one.
QChar separatorOf(const QString &path)
{
    const bool back = path.contains(u'\\');
    const bool forward = path.contains(u'/');
    if (back && !forward)
        return u'\\';
    if (forward && !back)
        return u'/';
    return QDir::separator();
}

QString withSeparator(const QString &folder)
{
    if (!folder.isEmpty() && isSeparator(folder.back()))
        return folder;
    return folder + separatorOf(folder);
}

QString forwardSlashes(QString path)
{
    return path.replace(u'\\', u'/');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

RunServices::RunServices(clsOptions &options, Prompt &prompt, ScriptNameTables &tables, QObject *parent)
    : QObject(parent)
    , ScriptIdentifiers(options, tables)
    , m_opts(options)
    , m_prompt(prompt)
{
    m_opts.setClassNameLookup([this](const QString &classKey) {
        try {
            return cssClassName(classKey);
        } catch (const RunAborted &) {
            // Outside a run there is nobody to abort; the plain lookup serves.
            return m_opts.projectClassName(classKey);
        }
    });
}

RunServices::~RunServices()
{
    m_opts.setClassNameLookup({});
}

void RunServices::useStyleSheet(clsCSS &css)
{
    clsCSS *sheet = &css;
    m_classCheck = [sheet](const QString &name) { return sheet->checkIfClassInEditor(name); };
    m_saveStyleSheetAs = [sheet] { sheet->SaveCssFileAs(); };
}

// --- the log ---------------------------------------------------------------

void RunServices::logLine(const QString &message)
{
    m_log.append(message);
    Q_EMIT logged(message);
}

void RunServices::abortRun(const QString &message) const
{
    throw RunAborted(message);
}

bool RunServices::runGuarded(const std::function<void()> &job)
{
    QString description;
    try {
        job();
        return true;
    } catch (const RunAborted &e) {
        description = e.description();
    } catch (const std::exception &e) {
        description = QString::fromStdString(e.what());
    }
    logLine(u"Error: \n"_qs + description);
    return false;
}

// --- paths and addresses ------------------------------------------------------

QString RunServices::webRootFolder() const
{
    return withSeparator(m_opts.text(u"prjFilWebRoot"));
}

QString RunServices::appRootFolder() const
{
    const QString app = m_opts.text(u"prjFilAppRoot");
    return app.isEmpty() ? webRootFolder() : withSeparator(app);
}

QString RunServices::siteAddress(
    const QString &rootOption, const QString &root, const QString &path, const QString &complaint)
{
    if (rootOption.trimmed().isEmpty() || path.isEmpty())
        return {};
    // Both separators count, so a project made on Windows still maps its
    // paths on any system; the address keeps the path's own case.
    const QString address = clsServer::addressInWeb(root, path);
    if (!address.isEmpty())
        return address;
    logLine(complaint + u"\n"_qs + path);
    return {};
}

QString RunServices::ra(const QString &path)
{
    return siteAddress(
        m_opts.text(u"prjFilWebRoot"), webRootFolder(), path, u"File not under web folder: "_qs);
}

QString RunServices::raAPP(const QString &path)
{
    QString rootOption = m_opts.text(u"prjFilAppRoot");
    if (rootOption.isEmpty())
        rootOption = m_opts.text(u"prjFilWebRoot");
    return siteAddress(rootOption, appRootFolder(), path, u"File not under dnn folder: "_qs);
}

QString RunServices::raFolder(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    return ra(withSeparator(folder));
}

QString RunServices::defaultFile(const QString &name) const
{
    if (!name.startsWith(u'/'))
        return name;
    const QString root = webRootFolder();
    // On systems whose absolute paths begin with "/" the name may already be
    // a disk path: one under the web root is taken as it stands, any other
    // only when the site reading finds no file and the disk path does.
    if (forwardSlashes(name).startsWith(forwardSlashes(root), Qt::CaseInsensitive))
        return name;
    QString rest = name.mid(1);
    rest.replace(u'/', separatorOf(root));
    const QString underRoot = root + rest;
    if (!QFileInfo::exists(underRoot) && QFileInfo::exists(name))
        return name;
    return underRoot;
}

QString RunServices::baseName(const QString &path)
{
    QString name = path.mid(lastSeparator(path) + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    const qsizetype first = name.indexOf(u'.', 1);
    if (first > 0)
        name.truncate(first);
    return name;
}

QString RunServices::stripExtension(const QString &path)
{
    // Only a dot of the file name starts an extension, not one in a folder name.
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot < lastSeparator(path))
        return path;
    return path.left(dot);
}

// --- names, classes and files ---------------------------------------------------

QString RunServices::cssClassName(const QString &classKey)
{
    const QString key = u"prjCN"_qs + classKey;
    if (m_opts.getControl(key) < 0)
        abortRun(u"cssClassName could not find "_qs + classKey);
    QString name = m_opts.text(key);
    if (name.isEmpty())
        name = classKey;
    if (!isCssClassName(name))
        abortRun(u"The class name \""_qs + name + u"\" ("_qs + key
            + u") is not a CSS class name: letters, digits, \"-\" and \"_\", not starting with a digit."_qs);
    if (m_classCheck && !m_classCheck(name))
        logLine(u"Warning! Class not found in style sheet: "_qs + name);
    return name;
}

QString RunServices::safeNodeName(const MenuNode &node, const QString &property)
{
    const QString value = node.value(property).toString();
    if (value.contains(u'"'))
        abortRun(value + u"\nName contains a double quote. See: "_qs + nodeDescription(node));
    return value;
}

QString RunServices::safeNodeName(const OptionNode &node)
{
    QString value = node.name();
    if (value.contains(u'"'))
        abortRun(value + u"\nName contains a double quote. See: "_qs + nodeDescription(node));
    return value;
}

void RunServices::checkPageFile(const MenuNode &node, const QString &fileProperty, const QString &description)
{
    const QString name = node.value(fileProperty).toString();
    if (name.trimmed().isEmpty()) {
        logLine(u"Missing file name\nSee: "_qs + description);
        return;
    }
    if (!QFileInfo::exists(defaultFile(name)))
        logLine(u"File: "_qs + name + u"\nFile does not exist\nSee: "_qs + description);
}

QString RunServices::classSuffix(const QString &name)
{
    const qsizetype n = name.size();
    if (n < 3 || name[n - 3] != u'*' || !isAsciiDigit(name[n - 2]) || !isAsciiDigit(name[n - 1]))
        return {};
    return u"cn"_qs + name.right(2);
}

QString RunServices::nodeDescription(const MenuNode &node)
{
    const auto *named = dynamic_cast<const OptionNode *>(&node);
    const QString type = node.classType();
    if (named && type == u"page")
        return u"page: \""_qs + named->name() + u'"';
    if (named && type == u"folder")
        return u"folder : \""_qs + named->name() + u'"';
    return u"column in main tree"_qs;
}

QString RunServices::readFileSection(const QString &fileName, const QString &tagName)
{
    logLine(u"Opening file: "_qs + fileName);
    // A name of blanks names no file either.
    if (fileName.trimmed().isEmpty()) {
        logLine(u"Error: Missing file name."_qs);
        return {};
    }
    const QString path = defaultFile(fileName);
    if (!QFileInfo(path).isFile()) {
        logLine(u"Error: File does not exist\n"_qs + path);
        return {};
    }
    QByteArray bytes;
    const FileResult read = readWholeFile(path, &bytes);
    if (!read.ok)
        abortRun(read.error);
    const QString text = decodeText(bytes);
    if (tagName.isEmpty())
        return text;

    // The search ignores case; the section keeps it.
    qsizetype start = 0;
    const qsizetype tag = text.indexOf(u'<' + tagName, 0, Qt::CaseInsensitive);
    if (tag >= 0) {
        const qsizetype close = text.indexOf(u'>', tag);
        start = close >= 0 ? close + 1 : text.size();
    }
    qsizetype end = text.indexOf(u"</"_qs + tagName, start, Qt::CaseInsensitive);
    if (end < 0)
        end = text.size();
    return text.mid(start, end - start);
}

QString RunServices::jsStringText(const QString &text)
{
    QString t = text;
    t.replace(u"\r\n"_qs, u" "_qs);
    t.remove(u'\r');
    t.remove(u'\n');
    t.replace(u'"', u'\'');
    static const QStringList sequences
        = { u"\\n"_qs, u"\\b"_qs, u"\\t"_qs, u"\\r"_qs, u"\\f"_qs, u"\\'"_qs, u"\\\\"_qs };
    for (const QString &s : sequences) {
        if (t.contains(s))
            logLine(u"File contains: "_qs + s);
    }
    return t;
}

namespace {
bool styleSheetPresent(const clsOptions &options)
{
    const QString path = options.text(u"prjFilCSS");
    return !path.isEmpty() && QFileInfo(path).isFile();
}
} // namespace

void RunServices::offerToSaveStyleSheet()
{
    if (styleSheetPresent(m_opts))
        return;
    const Answer a = m_prompt.question(u"Style sheet does not exist"_qs, Buttons::OkCancel, u"Warning"_qs);
    if (a == Answer::Ok && m_saveStyleSheetAs)
        m_saveStyleSheetAs();
}

QString RunServices::styleSheetPath()
{
    if (!styleSheetPresent(m_opts))
        abortRun(u"Style sheet does not exist"_qs);
    return m_opts.text(u"prjFilCSS");
}

void RunServices::writeTextFile(const QString &path, const QString &text)
{
    const QByteArray bytes = encodeText(text, m_opts.isChecked(u"prjChkUtf8"));
    const FileResult written = writeFileAtomic(path, bytes);
    if (!written.ok)
        abortRun(written.error);
}

// --- the six flags ------------------------------------------------------------------

void RunServices::readOptionFlags()
{
    m_languagesOnServer = m_opts.isChecked(u"prjChkMultiLingual") && m_opts.isChecked(u"prjAspMultiLingual");
    m_noScriptFile = m_opts.isChecked(u"prjASPandNoWriteToDisk");
    m_forceServer = m_opts.isChecked(u"prjForceASP");
}

void RunServices::clearTreeFlags()
{
    m_shopLinks = false;
    m_serverDirectory = false;
    m_portalDirectory = false;
}

bool RunServices::needsServerControl() const
{
    return m_forceServer || m_languagesOnServer || m_noScriptFile || m_shopLinks || m_serverDirectory
        || m_portalDirectory;
}

} // namespace qwk
