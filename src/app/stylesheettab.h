#pragma once
// The "Style Sheet" tab: the style sheet editor with its colours, the rule
// list, the property and value lists, the "Last Color" button with its
// colour field and "Save CSS and Preview". The style sheet object keeps the
// text (CssDocument) and the lists; this tab only shows them and passes on
// what the author does. The editor and the document mirror each other: an
// edit on either side is carried over as the smallest replacement, so the
// other side keeps its caret, its scroll position and (in the editor) its
// undo history.

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSplitter;

namespace qwk {

class CssDocument;
class CssHighlighter;
class ExternalCssEditor;
class OptionBinder;
class ProjectDocument;
class SettingsStore;
class clsCSS;

class StyleSheetTab : public QWidget {
    Q_OBJECT
public:
    StyleSheetTab(ProjectDocument &doc, OptionBinder &binder, SettingsStore &settings, QWidget *parent = nullptr);
    ~StyleSheetTab() override;

    // Puts w (the style preview) above the editor; until then the editor has
    // the whole height.
    void setPreviewWidget(QWidget *w);

    QPlainTextEdit *editor() const { return m_editor; }
    QListWidget *ruleList() const { return m_rules; }
    QListWidget *propertyList() const { return m_properties; }
    QListWidget *valueList() const { return m_values; }
    QPushButton *lastColourButton() const { return m_lastColour; }
    QLineEdit *lastColourField() const { return m_lastColourField; }
    QPushButton *previewButton() const { return m_preview; }
    QSplitter *splitter() const { return m_splitter; }
    ExternalCssEditor &externalEditor() { return *m_external; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void documentTextChanged();
    void documentCaretChanged();
    void editorTextChanged();
    void editorCaretMoved();
    void showRuleList();
    void showValueList();
    void showLastColour(const QString &colour);
    QString editorRawText() const;

    clsCSS &m_css;
    CssDocument &m_doc;
    QPlainTextEdit *m_editor = nullptr;
    CssHighlighter *m_highlighter = nullptr;
    QListWidget *m_rules = nullptr;
    QListWidget *m_properties = nullptr;
    QListWidget *m_values = nullptr;
    QPushButton *m_lastColour = nullptr;
    QLineEdit *m_lastColourField = nullptr;
    QPushButton *m_preview = nullptr;
    QSplitter *m_splitter = nullptr;
    QSplitter *m_editorSplitter = nullptr;
    QWidget *m_previewArea = nullptr;
    ExternalCssEditor *m_external = nullptr;

    // The texts of both sides as they were when they last agreed; the
    // editor's in its raw form (paragraph separators for line breaks).
    QString m_docShadow;
    QString m_editorShadow;
    // True while one side is being set from the other.
    bool m_syncing = false;
    // True while a list is being set from the style sheet object.
    bool m_listSyncing = false;
    // True while a list chosen by keyboard is being followed: the focus
    // stays in the list instead of going to the editor.
    bool m_keepFocus = false;
};

} // namespace qwk
