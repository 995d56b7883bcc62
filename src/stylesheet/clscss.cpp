#include "stylesheet/clscss.h"

#include "core/prompt.h"
#include "core/textfile.h"
#include "options/controls.h"
#include "options/options.h"
#include "stylesheet/accessiblesheet.h"
#include "stylesheet/csspreview.h"
#include "stylesheet/cssrules.h"

#include <QFileInfo>

namespace qwk {

namespace {

const QString kCssFilter = QStringLiteral("*.css|*.css|*.*|*.*");
const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// Sets a flag for a scope and puts the earlier value back.
class FlagGuard {
public:
    explicit FlagGuard(bool &flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = m_was; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

QString normalisedColour(const QString &colour)
{
    const QString c = colour.trimmed();
    if (c.size() != 7 || c[0] != u'#')
        return {};
    for (qsizetype i = 1; i < 7; ++i) {
        const char16_t u = c[i].unicode();
        const bool hex = (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!hex)
            return {};
    }
    return c.toUpper();
}

clsCSS::clsCSS(clsOptions *options, Prompt *prompt, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_prompt(prompt ? prompt : options->prompt())
{
    connect(&m_doc, &CssDocument::textChanged, this, [this] { setCssChanged(true); });
}

void clsCSS::setCssChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT cssChangedChanged(changed);
}

QString clsCSS::className(const QString &classKey) const
{
    return m_className ? m_className(classKey) : m_options->projectClassName(classKey);
}

QString clsCSS::defaultFile(const QString &current, const QString &defaultName) const
{
    if (m_defaultFile)
        return m_defaultFile(current, defaultName);
    return current.isEmpty() ? defaultName : current;
}

void clsCSS::setOption(QStringView key, const QString &value)
{
    // Only a real change marks the project changed.
    if (m_options->text(key) != value)
        m_options->setControlValue(key, value);
}

bool clsCSS::askToSave(const QString &promptText)
{
    if (!m_changed)
        return true;
    if (m_prompt->question(promptText, Buttons::YesNo) != Answer::Yes)
        return true;
    return SaveCssFile();
}

bool clsCSS::saveJsFileLocation()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save qMenu javascript file as:");
    request.filter = QStringLiteral("*.js|*.js");
    request.defaultExt = QStringLiteral("js");
    request.startName = defaultFile(m_options->text(u"prjFilJS"), QStringLiteral("qMenu.js"));
    request.askOverwrite = true;
    if (const auto chosen = m_prompt->saveFile(request))
        setOption(u"prjFilJS", *chosen);

    // Checked also after a cancel: the field may hold a name typed by hand.
    const QString js = m_options->text(u"prjFilJS");
    if (js.size() > 3 && js.right(3).toLower() != u".js") {
        m_prompt->message(js + u'\n' + QStringLiteral("Illegal menu file value"));
        setOption(u"prjFilJS", QString());
        return false;
    }
    return true;
}

bool clsCSS::newCSSFile(bool dropDown)
{
    if (!askToSave(QStringLiteral("Save current CSS file before loading a new one?")))
        return false;
    setOption(u"prjFilCSS", QString());
    const bool mouseOverHover = m_options->controlValue(u"prjChkMOMO").toInt() != 0;
    const ClassNameFunction names = [this](const QString &key) { return className(key); };
    // A project with the accessible markup gets the sheet written for it.
    const QString sheet = m_options->isChecked(u"prjChkAccessible")
        ? accessibleStyleSheet(dropDown, names)
        : defaultStyleSheet(dropDown, mouseOverHover, names);
    m_writeUtf8 = false;
    m_writeBom = false;
    m_doc.setText(sheet);
    loadCSSClassesListBox();
    setCssChanged(false);
    return true;
}

bool clsCSS::loadCSSFile()
{
    const QString path = m_options->text(u"prjFilCSS");
    if (!path.isEmpty()) {
        if (QFileInfo(path).isFile()) {
            QByteArray bytes;
            const FileResult r = readWholeFile(path, &bytes);
            if (!r.ok) {
                m_prompt->message(
                    path + u'\n' + QStringLiteral("Error reading or writing file") + u'\n' + r.error);
                return false;
            }
            TextEncoding encoding = TextEncoding::Windows1252;
            const QString text = decodeText(bytes, &encoding);
            m_writeUtf8 = encoding == TextEncoding::Utf8 && !isAscii(bytes);
            m_writeBom = bytes.startsWith(kUtf8Bom);
            m_doc.setText(text);
            loadCSSClassesListBox();
            setCssChanged(false);
            return true;
        }
        m_prompt->message(QStringLiteral("Style sheet file does not exist"));
    }
    newCSSFile(true);
    return true;
}

void clsCSS::openCSSFile()
{
    if (!askToSave(QStringLiteral("Save current CSS file before opening a new one?")))
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Opeing CSS file");
    request.filter = kCssFilter;
    request.defaultExt = QStringLiteral("css");
    request.startName = defaultFile(m_options->text(u"prjFilCSS"), QStringLiteral("qMenu.css"));
    request.mustExist = true;
    // The text stays until a file has been chosen and read: a cancelled
    // dialog or an unreadable file must not leave an empty sheet that a later
    // save would write over the old file.
    const auto chosen = m_prompt->openFile(request);
    if (!chosen)
        return;
    const QString old = m_options->text(u"prjFilCSS");
    setOption(u"prjFilCSS", *chosen);
    if (!chosen->isEmpty() && !loadCSSFile())
        setOption(u"prjFilCSS", old);
    loadCSSClassesListBox();
}

bool clsCSS::SaveCssFile()
{
    const QString path = m_options->text(u"prjFilCSS");
    if (path.isEmpty())
        return SaveCssFileAs();
    Q_EMIT statusMessage(QStringLiteral("Saving style sheet"));
    TextEncoding used = TextEncoding::Windows1252;
    QByteArray bytes = encodeText(m_doc.text(), m_writeUtf8, &used);
    if (m_writeBom && used == TextEncoding::Utf8)
        bytes.prepend(kUtf8Bom);
    const FileResult r = writeFileAtomic(path, bytes);
    if (!r.ok) {
        m_prompt->message(
            path + u'\n' + QStringLiteral("Error reading or writing the file") + u'\n' + r.error);
        return false;
    }
    // Once a character needed UTF-8 the file stays UTF-8.
    m_writeUtf8 = used == TextEncoding::Utf8;
    m_options->saveNewPrjRegisterDefaults();
    m_options->saveMenuArrays();
    setCssChanged(false);
    Q_EMIT statusMessage(QString());
    return true;
}

bool clsCSS::SaveCssFileAs()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save CSS style sheet as:");
    request.filter = kCssFilter;
    request.defaultExt = QStringLiteral("css");
    request.startName = defaultFile(m_options->text(u"prjFilCSS"), QStringLiteral("*.css"));
    request.askOverwrite = true;
    const auto chosen = m_prompt->saveFile(request);
    if (!chosen)
        return false;
    setOption(u"prjFilCSS", *chosen);
    if (chosen->isEmpty())
        return false;
    return SaveCssFile();
}

void clsCSS::newMouseOverSheetCommand()
{
    if (!newCSSFile(true))
        return;
    m_prompt->message(QStringLiteral("You must save your new .css file sheet."));
    SaveCssFileAs();
}

void clsCSS::newTreeSheetCommand()
{
    if (newCSSFile(false))
        SaveCssFileAs();
}

void clsCSS::styleSheetLocationClicked()
{
    const bool named = !m_options->text(u"prjFilCSS").isEmpty();
    const QString text
        = (named ? QStringLiteral("Select a different CSS file?") : QStringLiteral("Select a new CSS file?"))
        + u'\n' + QStringLiteral("(Note: to save current CSS file under a different name,") + u'\n'
        + QStringLiteral("use the \"Save As\" command on the \"Style Sheet\" menu.)");
    const QString title = named ? QStringLiteral("New Name for CSS file") : QStringLiteral("Save CSS file");
    if (m_prompt->question(text, Buttons::OkCancel, title) == Answer::Ok)
        openCSSFile();
}

void clsCSS::scriptLocationClicked()
{
    if (m_prompt->question(QStringLiteral("Select new location for js file?"), Buttons::OkCancel)
        == Answer::Ok)
        saveJsFileLocation();
}

QString clsCSS::externalEditorFile()
{
    const QString path = m_options->text(u"prjFilCSS");
    if (path.isEmpty())
        m_prompt->message(QStringLiteral("First save your CSS style sheet, and then retry this command"));
    return path;
}

bool clsCSS::resetClassNames()
{
    if (m_prompt->question(
            QStringLiteral("This will reset ALL the class names to the default names."), Buttons::OkCancel)
        != Answer::Ok)
        return false;
    for (const ControlDef &c : optionControls())
        if (c.tag.startsWith(kClassNameOptionPrefix))
            setOption(c.tag, c.tag.mid(kClassNameOptionPrefix.size()));
    return true;
}

bool clsCSS::checkIfClassInEditor(const QString &name) const
{
    return styleSheetHasClass(m_doc.text(), name);
}

bool clsCSS::selectClassInEditor(const QString &selector)
{
    const RuleCaret r = findRuleCaret(m_doc.text(), selector);
    if (selector.isEmpty())
        return true;
    m_doc.setCaret(r.caret);
    m_doc.requestFocus();
    return r.found;
}

void clsCSS::loadCSSClassesListBox()
{
    RuleList rules = listRules(m_doc.text(), m_doc.caret());
    // Items are replaced only where they differ, so an unchanged sheet leaves
    // the list (and the view's scroll position) as it was.
    bool changed = false;
    const qsizetype n = rules.selectors.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i < m_classList.size()) {
            if (trimBlanks(m_classList[i]) != rules.selectors[i]) {
                m_classList[i] = std::move(rules.selectors[i]);
                changed = true;
            }
        } else {
            m_classList << std::move(rules.selectors[i]);
            changed = true;
        }
    }
    if (m_classList.size() > n) {
        m_classList.resize(n);
        changed = true;
    }
    if (changed)
        Q_EMIT classListChanged();
    if (rules.selected != m_selectedClass) {
        m_selectedClass = rules.selected;
        Q_EMIT selectedClassChanged(m_selectedClass);
    }
}

void clsCSS::chooseClass(int index)
{
    const int i = index >= 0 && index < m_classList.size() ? index : -1;
    if (i != m_selectedClass) {
        m_selectedClass = i;
        Q_EMIT selectedClassChanged(i);
    }
    if (i >= 0 && !m_loadingClassList)
        selectClassInEditor(m_classList[i]);
}

void clsCSS::refreshRuleList()
{
    FlagGuard guard(m_loadingClassList);
    loadCSSClassesListBox();
}

void clsCSS::loadCSSLeftListBox()
{
    chooseProperty(0);
}

void clsCSS::loadCSSRightListBox(int propertyIndex)
{
    const auto &values = cssPropertyValues();
    m_valueList = propertyIndex >= 0 && propertyIndex < values.size() ? values[propertyIndex] : QStringList();
    m_selectedValue = -1;
    Q_EMIT valueListChanged();
    Q_EMIT selectedValueChanged(-1);
}

void clsCSS::chooseProperty(int index)
{
    const int i = index >= 0 && index < cssProperties().size() ? index : -1;
    if (i != m_selectedProperty) {
        m_selectedProperty = i;
        Q_EMIT selectedPropertyChanged(i);
    }
    loadCSSRightListBox(i);
    m_doc.requestFocus();
}

void clsCSS::chooseValue(int index)
{
    m_selectedValue = index >= 0 && index < m_valueList.size() ? index : -1;
    Q_EMIT selectedValueChanged(m_selectedValue);
    cssRightClicked();
}

void clsCSS::cssRightClicked()
{
    const QString v = m_selectedValue >= 0 ? m_valueList[m_selectedValue] : QString();
    if (!m_valueList.isEmpty() && m_valueList.first() == kCssFirstColour && v == kCssOtherColourValue) {
        chooseOtherColour();
        return;
    }
    const QString s = m_selectedClass >= 0 ? m_classList[m_selectedClass] : QString();
    const QString p = m_selectedProperty >= 0 ? cssProperties()[m_selectedProperty] : QString();
    if (s.isEmpty() || p.isEmpty() || v.isEmpty())
        return;
    if (!selectClassInEditor(s))
        return;
    const qsizetype o = m_doc.caret();
    if (o == 0)
        return;
    const TextEdit edit = declarationEdit(m_doc.text(), o, p, v);
    m_doc.select(edit.start, edit.length);
    m_doc.replaceSelection(edit.replacement);
    m_doc.requestFocus();
    selectClassInEditor(s);
}

void clsCSS::chooseOtherColour()
{
    const auto reply = m_prompt->pickColour(m_lastColour);
    if (!reply)
        return;
    const QString colour = normalisedColour(*reply);
    if (colour.isEmpty())
        return;
    m_lastColour = colour;
    Q_EMIT lastColourChanged(colour);
    if (!m_valueList.isEmpty() && m_valueList.first() == kCssFirstColour) {
        m_valueList << colour;
        Q_EMIT valueListChanged();
        chooseValue(int(m_valueList.size() - 1));
    }
}

void clsCSS::editorKeyReleased()
{
    refreshRuleList();
}

void clsCSS::editorClicked()
{
    refreshRuleList();
    const QString word = wordAtCaret(m_doc.text(), m_doc.caret());
    if (word.isEmpty())
        return;
    const QStringList &names = cssProperties();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(word, Qt::CaseInsensitive) == 0)
            chooseProperty(i);
}

bool clsCSS::LoadHTMLtoWebBrowser()
{
    const PreviewPage page
        = previewPage(*m_options, m_classList, m_className ? m_className : ClassNameFunction {});
    if (!page.ok) {
        m_prompt->message(page.error);
        return false;
    }
    Q_EMIT previewReady(page.html);
    return true;
}

void clsCSS::previewCSS()
{
    // A failed save reports itself; the preview shows the file on disk all the same.
    SaveCssFile();
    LoadHTMLtoWebBrowser();
}

} // namespace qwk
