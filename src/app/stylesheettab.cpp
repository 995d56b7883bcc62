#include "app/stylesheettab.h"

#include "app/csshighlighter.h"
#include "app/externalcsseditor.h"
#include "app/optionbinding.h"
#include "app/projectdocument.h"
#include "stylesheet/clscss.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QTimer>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

namespace qwk {

namespace {

// The editor holds a CR LF as one line break, so offsets differ by the
// number of CR LF pairs before them.
qsizetype editorOffset(QStringView text, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, text.size());
    qsizetype pairs = 0;
    for (qsizetype i = 0; i < offset && i + 1 < text.size(); ++i) {
        if (text[i] == u'\r' && text[i + 1] == u'\n')
            ++pairs;
    }
    return offset - pairs;
}

qsizetype documentOffset(QStringView text, qsizetype offset)
{
    const qsizetype n = text.size();
    qsizetype d = 0;
    for (qsizetype e = 0; d < n && e < offset; ++e)
        d += (text[d] == u'\r' && d + 1 < n && text[d + 1] == u'\n') ? 2 : 1;
    return d;
}

// The document's text as the editor shows it: every CR LF, CR or LF one line break.
QString toEditorText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
            out += u'\n';
        } else {
            out += c;
        }
    }
    return out;
}

// Text typed in the editor, with its line breaks as the sheet writes them.
QString fromEditorText(QStringView raw, QStringView newline)
{
    QString out;
    out.reserve(raw.size());
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
            out += newline;
        else
            out += c;
    }
    return out;
}

// The lengths of the common start and the common end of two texts, the end
// not reaching into the start.
std::pair<qsizetype, qsizetype> commonEnds(QStringView a, QStringView b)
{
    const qsizetype m = std::min(a.size(), b.size());
    qsizetype p = 0;
    while (p < m && a[p] == b[p])
        ++p;
    qsizetype s = 0;
    while (s < m - p && a[a.size() - 1 - s] == b[b.size() - 1 - s])
        ++s;
    return {p, s};
}

QLabel *listLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

StyleSheetTab::StyleSheetTab(ProjectDocument &doc, OptionBinder &binder, SettingsStore &settings, QWidget *parent)
    : QWidget(parent)
    , m_css(doc.css())
    , m_doc(doc.css().document())
{
    setObjectName(QStringLiteral("tabStyleSheet"));
    m_editor = new QPlainTextEdit;
    m_editor->setObjectName(QStringLiteral("txtCSSEditor"));
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_editor->setFont(fixed);
    m_editor->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(u' ') * 4);
    m_highlighter = new CssHighlighter(m_editor->document());

    m_rules = new QListWidget;
    m_rules->setObjectName(QStringLiteral("lstCSSClasses"));
    m_rules->setUniformItemSizes(true);
    m_properties = new QListWidget;
    m_properties->setObjectName(QStringLiteral("lstCSSLeft"));
    m_properties->addItems(clsCSS::cssProperties());
    m_values = new QListWidget;
    m_values->setObjectName(QStringLiteral("lstCSSRight"));

    m_lastColour = new QPushButton(QStringLiteral("Last Color"));
    m_lastColour->setObjectName(QStringLiteral("cmdColor_2"));
    m_lastColourField = new QLineEdit;
    m_lastColourField->setReadOnly(true);
    m_lastColourField->setAlignment(Qt::AlignCenter);
    m_lastColourField->setMaximumWidth(m_lastColourField->fontMetrics().horizontalAdvance(QStringLiteral("#WWWWWWW")));
    binder.bind(m_lastColourField, QStringLiteral("tmpColLast"));
    m_preview = new QPushButton(QStringLiteral("Save CSS and Preview"));
    m_preview->setObjectName(QStringLiteral("cmdPreviewCSS"));

    // Left: the preview (once there is one) above the editor. Right: the
    // rules above the property and value lists, then the buttons.
    m_previewArea = new QWidget;
    m_previewArea->setObjectName(QStringLiteral("previewArea"));
    auto *previewLayout = new QVBoxLayout(m_previewArea);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_previewArea->hide();
    m_editorSplitter = new QSplitter(Qt::Vertical);
    m_editorSplitter->setChildrenCollapsible(false);
    m_editorSplitter->addWidget(m_previewArea);
    m_editorSplitter->addWidget(m_editor);

    auto *side = new QWidget;
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(listLabel(QStringLiteral("Rules:"), m_rules));
    sideLayout->addWidget(m_rules, 2);
    auto *lists = new QHBoxLayout;
    auto *propertyColumn = new QVBoxLayout;
    propertyColumn->addWidget(listLabel(QStringLiteral("Properties:"), m_properties));
    propertyColumn->addWidget(m_properties, 1);
    auto *valueColumn = new QVBoxLayout;
    valueColumn->addWidget(listLabel(QStringLiteral("Values:"), m_values));
    valueColumn->addWidget(m_values, 1);
    lists->addLayout(propertyColumn);
    lists->addLayout(valueColumn);
    sideLayout->addLayout(lists, 3);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(m_lastColour);
    colourRow->addWidget(m_lastColourField);
    colourRow->addStretch(1);
    sideLayout->addLayout(colourRow);
    sideLayout->addWidget(m_preview);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("styleSheetSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_editorSplitter);
    m_splitter->addWidget(side);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    // The editor takes the larger part; the lists need little more than
    // their longest selector or value.
    m_splitter->setSizes({600, 380});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_splitter);

    // Reading order: editor, rules, properties, values, the colour, the preview.
    setTabOrder(m_editor, m_rules);
    setTabOrder(m_rules, m_properties);
    setTabOrder(m_properties, m_values);
    setTabOrder(m_values, m_lastColour);
    setTabOrder(m_lastColour, m_lastColourField);
    setTabOrder(m_lastColourField, m_preview);

    // The document and the editor.
    connect(&m_doc, &CssDocument::textChanged, this, &StyleSheetTab::documentTextChanged);
    connect(&m_doc, &CssDocument::caretChanged, this, &StyleSheetTab::documentCaretChanged);
    connect(&m_doc, &CssDocument::selectionChanged, this, &StyleSheetTab::documentCaretChanged);
    connect(&m_doc, &CssDocument::focusRequested, this, [this] {
        if (!m_keepFocus)
            m_editor->setFocus();
    });
    connect(m_editor->document(), &QTextDocument::contentsChanged, this, &StyleSheetTab::editorTextChanged);
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, &StyleSheetTab::editorCaretMoved);
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
    m_values->installEventFilter(this);

    // The lists of the style sheet object.
    connect(&m_css, &clsCSS::classListChanged, this, &StyleSheetTab::showRuleList);
    connect(&m_css, &clsCSS::selectedClassChanged, this, [this](int i) {
        const QScopedValueRollback guard(m_listSyncing, true);
        m_rules->setCurrentRow(i);
    });
    connect(&m_css, &clsCSS::selectedPropertyChanged, this, [this](int i) {
        const QScopedValueRollback guard(m_listSyncing, true);
        m_properties->setCurrentRow(i);
    });
    connect(&m_css, &clsCSS::valueListChanged, this, &StyleSheetTab::showValueList);
    connect(&m_css, &clsCSS::selectedValueChanged, this, [this](int i) {
        const QScopedValueRollback guard(m_listSyncing, true);
        m_values->setCurrentRow(i);
    });
    connect(&m_css, &clsCSS::lastColourChanged, this, &StyleSheetTab::showLastColour);

    // What the author does. A click acts and hands the editor the focus; a
    // choice by keyboard follows the list and leaves the focus there.
    const auto keyboardChoice = [this](const std::function<void()> &act) {
        if (m_listSyncing)
            return;
        const QScopedValueRollback keep(m_keepFocus, true);
        act();
    };
    connect(m_rules, &QListWidget::currentRowChanged, this,
            [this, keyboardChoice](int row) { keyboardChoice([this, row] { m_css.chooseClass(row); }); });
    connect(m_rules, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_css.chooseClass(m_rules->row(item)); });
    connect(m_properties, &QListWidget::currentRowChanged, this,
            [this, keyboardChoice](int row) { keyboardChoice([this, row] { m_css.chooseProperty(row); }); });
    connect(m_properties, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_css.chooseProperty(m_properties->row(item)); });
    connect(m_values, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_css.chooseValue(m_values->row(item)); });
    connect(m_lastColour, &QPushButton::clicked, &m_css, &clsCSS::chooseOtherColour);
    connect(m_preview, &QPushButton::clicked, &m_css, &clsCSS::previewCSS);

    m_external = new ExternalCssEditor(doc, settings, this);

    // Whatever the object holds now.
    {
        const QScopedValueRollback guard(m_syncing, true);
        m_editor->setPlainText(toEditorText(m_doc.text()));
        m_docShadow = m_doc.text();
        m_editorShadow = editorRawText();
    }
    documentCaretChanged();
    showRuleList();
    if (m_css.selectedProperty() < 0) {
        const QScopedValueRollback keep(m_keepFocus, true);
        m_css.loadCSSLeftListBox();
    } else {
        m_properties->setCurrentRow(m_css.selectedProperty());
        showValueList();
    }
    if (!m_css.lastColour().isEmpty())
        showLastColour(m_css.lastColour());
}

StyleSheetTab::~StyleSheetTab() = default;

void StyleSheetTab::setPreviewWidget(QWidget *w)
{
    m_previewArea->layout()->addWidget(w);
    m_previewArea->show();
    // Half and half once the splitter has taken the shown area into account;
    // sizes set before that are lost and the preview opens as a thin strip.
    QTimer::singleShot(0, this, [this] {
        const int h = m_editorSplitter->height();
        m_editorSplitter->setSizes({h / 2, h - h / 2});
    });
    setTabOrder(w, m_editor);
}

QString StyleSheetTab::editorRawText() const
{
    return m_editor->document()->toRawText();
}

void StyleSheetTab::documentTextChanged()
{
    if (m_syncing)
        return;
    const QScopedValueRollback guard(m_syncing, true);
    const QString &now = m_doc.text();
    if (m_doc.caret() == 0 && m_doc.selectionLength() == 0) {
        // A new, opened or reloaded sheet: a fresh start, without the old
        // sheet's history.
        m_editor->setPlainText(toEditorText(now));
    } else {
        const QString &old = m_docShadow;
        auto [p, s] = commonEnds(old, now);
        // A CR LF is one character in the editor: it is never cut in two.
        if (p > 0 && old[p - 1] == u'\r')
            --p;
        if (s > 0 && old[old.size() - s] == u'\n')
            --s;
        QTextCursor c(m_editor->document());
        c.setPosition(int(editorOffset(old, p)));
        c.setPosition(int(editorOffset(old, old.size() - s)), QTextCursor::KeepAnchor);
        c.insertText(toEditorText(QStringView(now).mid(p, now.size() - s - p)));
    }
    m_docShadow = now;
    m_editorShadow = editorRawText();
}

void StyleSheetTab::editorTextChanged()
{
    if (m_syncing)
        return;
    const QString now = editorRawText();
    const auto [p, s] = commonEnds(m_editorShadow, now);
    {
        const QScopedValueRollback guard(m_syncing, true);
        const QString &text = m_doc.text();
        const qsizetype from = documentOffset(text, p);
        const qsizetype to = documentOffset(text, m_editorShadow.size() - s);
        // New lines follow the sheet's own line breaks.
        const QStringView newline = text.isEmpty() || text.contains(u"\r\n") ? u"\r\n" : u"\n";
        const QString inserted = fromEditorText(QStringView(now).mid(p, now.size() - s - p), newline);
        m_doc.select(from, to - from);
        m_doc.replaceSelection(inserted);
        m_docShadow = m_doc.text();
        m_editorShadow = now;
    }
    editorCaretMoved();
}

void StyleSheetTab::editorCaretMoved()
{
    // While a typed change has not reached the document yet, the caret
    // follows with it.
    if (m_syncing || m_editor->document()->characterCount() - 1 != m_editorShadow.size())
        return;
    const QScopedValueRollback guard(m_syncing, true);
    const QTextCursor c = m_editor->textCursor();
    const QString &text = m_doc.text();
    if (c.hasSelection()) {
        const qsizetype from = documentOffset(text, c.selectionStart());
        m_doc.select(from, documentOffset(text, c.selectionEnd()) - from);
    } else {
        m_doc.setCaret(documentOffset(text, c.position()));
    }
}

void StyleSheetTab::documentCaretChanged()
{
    if (m_syncing)
        return;
    const QScopedValueRollback guard(m_syncing, true);
    const QString &text = m_doc.text();
    QTextCursor c = m_editor->textCursor();
    if (m_doc.selectionLength() > 0) {
        c.setPosition(int(editorOffset(text, m_doc.selectionStart())));
        c.setPosition(int(editorOffset(text, m_doc.selectionStart() + m_doc.selectionLength())),
                      QTextCursor::KeepAnchor);
    } else {
        // The end of the rule first, then the caret: a rule chosen in the
        // list comes into view whole when it fits.
        const qsizetype close = text.indexOf(u'}', m_doc.caret());
        if (close >= 0) {
            c.setPosition(int(editorOffset(text, close)));
            m_editor->setTextCursor(c);
        }
        c.setPosition(int(editorOffset(text, m_doc.caret())));
    }
    m_editor->setTextCursor(c);
}

void StyleSheetTab::showRuleList()
{
    // Items are set only where they differ, so the list keeps its scroll
    // position while the author types.
    const QScopedValueRollback guard(m_listSyncing, true);
    const QStringList &rules = m_css.classList();
    const int shown = m_rules->count();
    const int common = int(std::min<qsizetype>(shown, rules.size()));
    for (int i = 0; i < common; ++i) {
        QListWidgetItem *item = m_rules->item(i);
        if (item->text() != rules[i])
            item->setText(rules[i]);
    }
    if (rules.size() > shown)
        m_rules->addItems(rules.mid(shown));
    else if (rules.size() < shown)
        m_rules->model()->removeRows(int(rules.size()), shown - int(rules.size()));
    m_rules->setCurrentRow(m_css.selectedClass());
}

void StyleSheetTab::showValueList()
{
    const QScopedValueRollback guard(m_listSyncing, true);
    m_values->clear();
    m_values->addItems(m_css.valueList());
    m_values->setCurrentRow(m_css.selectedValue());
}

void StyleSheetTab::showLastColour(const QString &colour)
{
    m_lastColourField->setText(colour);
    const QColor c(colour);
    QPalette palette = m_lastColourField->palette();
    palette.setColor(QPalette::Base, c);
    palette.setColor(QPalette::Text, c.lightness() < 128 ? Qt::white : Qt::black);
    m_lastColourField->setPalette(palette);
}

bool StyleSheetTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        // Tab is a character in a style sheet; Ctrl+Tab leaves the editor.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & Qt::ControlModifier) {
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
                focusNextPrevChild(!back);
                return true;
            }
        }
    } else if (watched == m_editor && event->type() == QEvent::KeyRelease) {
        m_css.editorKeyReleased();
    } else if (watched == m_editor->viewport() && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_css.editorClicked();
    } else if (watched == m_values && event->type() == QEvent::KeyPress) {
        // A value is applied by Return or Space, not by moving through the list.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && m_values->currentRow() >= 0) {
            m_css.chooseValue(m_values->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qwk
