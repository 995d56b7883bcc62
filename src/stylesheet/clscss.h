#pragma once
// The style sheet object: the project's style sheet text (held in a
// CssDocument that the designer's editor mirrors), its file, whether it has
// changed, and the point-and-click editing of the "Style Sheet" tab: the rule
// list, the property list and the value list with their selections. Every
// question goes through the Prompt, so all of this runs without widgets.

#include "stylesheet/cssdocument.h"
#include "stylesheet/cssvocabulary.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace qwk {

class clsOptions;
class Prompt;

class clsCSS : public QObject {
    Q_OBJECT
public:
    // prompt may be null: the option store's prompt is used.
    explicit clsCSS(clsOptions *options, Prompt *prompt = nullptr, QObject *parent = nullptr);

    CssDocument &document() { return m_doc; }
    const CssDocument &document() const { return m_doc; }
    const QString &text() const { return m_doc.text(); }

    // True when the text changed since the sheet was last created, loaded or saved.
    bool cssChanged() const { return m_changed; }
    void setCssChanged(bool changed);

    // The vocabulary of the property and value lists.
    static const QStringList &cssProperties() { return cssPropertyNames(); }
    static const QList<QStringList> &cssPropertyValues() { return cssPropertyValueLists(); }

    // The start name of a file dialog for the current value and a default
    // name; the designer supplies its own rule. Without one: the current
    // value, or the default name when the value is empty.
    using DefaultFileFunction = std::function<QString(const QString &current, const QString &defaultName)>;
    void setDefaultFileFunction(DefaultFileFunction f) { m_defaultFile = std::move(f); }
    // The effective class names; without one, the project's names.
    void setClassNameFunction(ClassNameFunction f) { m_className = std::move(f); }
    QString className(const QString &classKey) const;

    // --- the file -------------------------------------------------------
    // When the sheet has changed, asks promptText with Yes and No; Yes saves.
    // False only when the author wanted the sheet saved and it was not (the
    // save was cancelled or failed): the caller should not throw the text away.
    bool askToSave(const QString &promptText);
    // Lets the author choose where the menu's script goes ("prjFilJS"). False
    // when the name was rejected.
    bool saveJsFileLocation();
    // Replaces the text with the default drop-down (true) or tree menu sheet,
    // which has no file yet. False when the old text was to be saved and was not.
    bool newCSSFile(bool dropDown);
    void openCSSFile();
    // Reads "prjFilCSS" into the document, or writes the default drop-down
    // sheet when there is no such file. False when the file could not be read
    // (the text is then left as it was).
    bool loadCSSFile();
    bool SaveCssFile();
    bool SaveCssFileAs();
    // The "Style sheet" menu's new sheet commands: the new sheet is saved
    // under a name the author chooses at once (the mouse-over one says so first).
    void newMouseOverSheetCommand();
    void newTreeSheetCommand();
    // A click on the field of the style sheet's location: asks whether to
    // pick another sheet, and opens one on OK.
    void styleSheetLocationClicked();
    // A click on the field of the script's location: asks, then lets the
    // author choose.
    void scriptLocationClicked();
    // The file the external editor should open: the saved sheet, or empty
    // after telling the author to save it first.
    QString externalEditorFile();
    // The "Reset Defaults" button of the class names: every class name
    // becomes its key, after the author agreed.
    bool resetClassNames();

    // --- rules ----------------------------------------------------------
    bool checkIfClassInEditor(const QString &name) const;
    // Puts the caret at the start of the body of the rule with this selector.
    bool selectClassInEditor(const QString &selector);

    // The rule list (lstCSSClasses), rebuilt from the text in place.
    const QStringList &classList() const { return m_classList; }
    int selectedClass() const { return m_selectedClass; }
    void loadCSSClassesListBox();
    // A click on a rule of the list: selects it, and its rule in the text
    // unless the list is being refreshed from an editor event.
    void chooseClass(int index);
    bool loadingClassList() const { return m_loadingClassList; }

    // The property list (lstCSSLeft) and the value list (lstCSSRight).
    int selectedProperty() const { return m_selectedProperty; }
    const QStringList &valueList() const { return m_valueList; }
    int selectedValue() const { return m_selectedValue; }
    void loadCSSLeftListBox();
    void loadCSSRightListBox(int propertyIndex);
    // A click on a property: shows its values; the editor gets the focus back.
    void chooseProperty(int index);
    // A click on a value: applies it (cssRightClicked).
    void chooseValue(int index);
    // Writes the chosen value of the chosen property into the chosen rule.
    void cssRightClicked();

    // The "Last Color" button: asks for a colour; when the value list shows
    // colours, the colour joins it and is applied.
    void chooseOtherColour();
    QString lastColour() const { return m_lastColour; }

    // Editor events: both refresh the rule list; a click also selects the
    // property whose name is the word at the caret.
    void editorKeyReleased();
    void editorClicked();

    // --- preview --------------------------------------------------------
    // Builds the preview page (announced by previewReady); a failure is
    // reported through the prompt.
    bool LoadHTMLtoWebBrowser();
    // "Save CSS and Preview": saves, then previews the saved file.
    void previewCSS();

Q_SIGNALS:
    void cssChangedChanged(bool changed);
    void statusMessage(const QString &text);
    void classListChanged();
    void selectedClassChanged(int index);
    void selectedPropertyChanged(int index);
    void valueListChanged();
    void selectedValueChanged(int index);
    void lastColourChanged(const QString &colour);
    void previewReady(const QString &html);

private:
    QString defaultFile(const QString &current, const QString &defaultName) const;
    void setOption(QStringView key, const QString &value);
    void refreshRuleList();

    clsOptions *m_options;
    Prompt *m_prompt;
    CssDocument m_doc;
    bool m_changed = false;
    // How the sheet's file was encoded, so a save keeps a UTF-8 sheet UTF-8.
    bool m_writeUtf8 = false;
    bool m_writeBom = false;
    DefaultFileFunction m_defaultFile;
    ClassNameFunction m_className;

    QStringList m_classList;
    int m_selectedClass = -1;
    bool m_loadingClassList = false;
    int m_selectedProperty = -1;
    QStringList m_valueList;
    int m_selectedValue = -1;
    QString m_lastColour;
};

// "#RRGGBB" in upper case for a colour given as "#rrggbb"; empty otherwise.
QString normalisedColour(const QString &colour);

} // namespace qwk
