#include "app/propertyeditor.h"

#include "app/optionbinding.h"
#include "app/optioncommands.h"
#include "app/projectdocument.h"
#include "core/prompt.h"
#include "options/controls.h"
#include "tree/menutree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace qwk {

namespace {

const QString kSampleTitle = QStringLiteral("Sample JavaScript");
// The page options that are set in the page options dialog and shown only while on.
const QStringList kPageChecks = {QStringLiteral("lnkChkNoPageImage"), QStringLiteral("lnkChkPageNameIsFunction"),
                                 QStringLiteral("lnkChkPageNameIsHiddenJavascript"),
                                 QStringLiteral("lnkChkNewWindow")};

bool isWidthKey(const QString &key)
{
    return key == u"prjFirstColWid" || key == u"lnkColWidth" || key == u"lnkSubColWidth";
}

// The check box a width field ticks when it holds a width.
QString widthFlag(const QString &key)
{
    if (key == u"prjFirstColWid")
        return QStringLiteral("prjChkFirstColValue");
    if (key == u"lnkSubColWidth")
        return QStringLiteral("lnkChkSubColValue");
    return QStringLiteral("lnkChkColValue");
}

// A stack as tall as its page on top, not as its tallest page, so the link
// options sit right below the page frame.
void fitToCurrent(QStackedWidget *stack)
{
    QObject::connect(stack, &QStackedWidget::currentChanged, stack, [stack](int current) {
        for (int i = 0; i < stack->count(); ++i) {
            stack->widget(i)->setSizePolicy(QSizePolicy::Preferred,
                                            i == current ? QSizePolicy::Maximum : QSizePolicy::Ignored);
        }
        stack->updateGeometry();
    });
}

QFrame *frame(const QString &name)
{
    auto *f = new QFrame;
    f->setObjectName(name);
    return f;
}

} // namespace

NodePropertyEditor::NodePropertyEditor(ProjectDocument &doc, OptionBinder &binder,
                                       std::function<QString(const QString &)> ra, QWidget *parent)
    : QWidget(parent), m_doc(doc), m_binder(binder), m_ra(std::move(ra))
{
    setObjectName(QStringLiteral("nodeProperties"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_frames = new QStackedWidget;
    m_frames->addWidget(buildFolderFrame());
    m_frames->addWidget(buildPageFrame());
    m_frames->addWidget(buildColumnFrame());
    m_frames->addWidget(buildEndFrame());
    m_frames->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    fitToCurrent(m_frames);
    layout->addWidget(m_frames);
    m_subFrames = new QStackedWidget;
    m_subFrames->addWidget(frame(QString())); // neither: both behind the main frame
    m_subFrames->addWidget(buildUrlFrame());
    m_subFrames->addWidget(buildJsFrame());
    m_subFrames->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    fitToCurrent(m_subFrames);
    layout->addWidget(m_subFrames);
    layout->addStretch(1);

    connect(&binder, &OptionBinder::edited, this, &NodePropertyEditor::onEdited);
    connect(&doc.tree(), &MenuTree::nodeChanged, this, &NodePropertyEditor::onNodeChanged);
    connect(&doc.tree(), &MenuTree::rootAboutToBeReplaced, this, [this] { m_node = nullptr; });
    connect(&doc.options(), &clsOptions::valueChanged, this, [this](const QString &key) {
        // With automatic widths the width boxes are worked out by the run.
        if (key != u"prjAutomaticWidth")
            return;
        const bool automatic = m_doc.options().isChecked(key);
        for (const char16_t *k : {u"prjChkFirstColValue", u"lnkChkSubColValue", u"lnkChkColValue"}) {
            if (QWidget *w = m_binder.field(QString::fromUtf16(k)))
                w->setEnabled(!automatic);
        }
    });
    showNode(nullptr, {});
}

void NodePropertyEditor::bindField(QWidget *field, const QString &key)
{
    field->setObjectName(key);
    m_binder.bind(field, key);
    if (qobject_cast<QLineEdit *>(field))
        field->installEventFilter(this);
}

QLineEdit *NodePropertyEditor::lineEdit(const QString &key)
{
    auto *e = new QLineEdit;
    bindField(e, key);
    return e;
}

QWidget *NodePropertyEditor::buildFolderFrame()
{
    QFrame *f = frame(QStringLiteral("frameFolderMain"));
    auto *form = new QFormLayout(f);
    form->addRow(QStringLiteral("Folder name: (ml)"), lineEdit(QStringLiteral("lnkNameFolder")));
    auto *type = new QGroupBox(QStringLiteral("Folder type"));
    auto *typeLayout = new QVBoxLayout(type);
    for (const auto &[key, caption] : {std::pair{u"lnkOptTypeFolderNormal", u"Normal folder"},
                                       std::pair{u"lnkOptTypeFolderJS", u"Normal folder plus Javascript"}}) {
        auto *r = new QRadioButton(QString::fromUtf16(caption));
        bindField(r, QString::fromUtf16(key));
        typeLayout->addWidget(r);
    }
    form->addRow(type);
    auto *isJs = new QCheckBox(QStringLiteral("Folder Name is a Javascript function"));
    bindField(isJs, QStringLiteral("lnkChkFolderNameIsFunction"));
    form->addRow(isJs);
    auto *width = new QCheckBox(QStringLiteral("Fold-out page width:"));
    bindField(width, QStringLiteral("lnkChkSubColValue"));
    form->addRow(width, lineEdit(QStringLiteral("lnkSubColWidth")));
    auto *position = new QPushButton(QStringLiteral("Position menu"));
    position->setObjectName(QStringLiteral("cmdMenuPosition"));
    connect(position, &QPushButton::clicked, this, &NodePropertyEditor::positionMenu);
    QLineEdit *hidden = lineEdit(QStringLiteral("lnkMenuPosition"));
    hidden->hide();
    auto *row = new QHBoxLayout;
    row->addWidget(position);
    row->addWidget(hidden);
    row->addStretch(1);
    form->addRow(row);
    return f;
}

QWidget *NodePropertyEditor::buildPageFrame()
{
    QFrame *f = frame(QStringLiteral("FramePageMain"));
    auto *form = new QFormLayout(f);
    form->addRow(QStringLiteral("Page name: (ml)"), lineEdit(QStringLiteral("lnkNamePage")));
    auto *type = new QGroupBox(QStringLiteral("Link type"));
    auto *typeLayout = new QGridLayout(type);
    int row = 0;
    for (const auto &[key, caption] : {std::pair{u"lnkOptTypePageNormal", u"Normal link (select option below)"},
                                       std::pair{u"lnkOptTypePageJS", u"Javascript link (insert js below)"}}) {
        auto *r = new QRadioButton(QString::fromUtf16(caption));
        bindField(r, QString::fromUtf16(key));
        typeLayout->addWidget(r, row++, 0);
    }
    auto *options = new QPushButton(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("cmdOptions"));
    connect(options, &QPushButton::clicked, this, &NodePropertyEditor::openPageOptions);
    typeLayout->addWidget(options, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(type);
    const QStringList captions = {QStringLiteral("Hide the link image"),
                                  QStringLiteral("Page Name is a javascript function"),
                                  QStringLiteral("Page name is (hidden) Javascript"),
                                  QStringLiteral("Page opens in new window")};
    for (int i = 0; i < kPageChecks.size(); ++i) {
        auto *c = new QCheckBox(captions[i]);
        bindField(c, kPageChecks[i]);
        form->addRow(c);
    }
    // The link kinds and values that the directory dialogs fill: kept on the
    // frame, out of sight, so they travel with the page like the others.
    auto *hidden = new QWidget;
    hidden->setObjectName(QStringLiteral("hiddenPageFields"));
    auto *hiddenLayout = new QVBoxLayout(hidden);
    for (const auto &[key, caption] :
         {std::pair{u"lnkOptURLDNN", u"Insert Dotnetnuke menu"}, std::pair{u"lnkOptURLCSK", u"Insert shop categories"},
          std::pair{u"lnkOptURLHarddisk", u"Insert links to all files in a folder at run time"}}) {
        auto *r = new QRadioButton(QString::fromUtf16(caption));
        bindField(r, QString::fromUtf16(key));
        hiddenLayout->addWidget(r);
    }
    for (const char16_t *key : {u"lnkCSKSku", u"lnkCSKOptionChoice", u"lnkDNNTabID", u"lnkChkPageDnnHeaderTemplate",
                                u"lnkHarddiskDirPage", u"lnkHarddiskExcludePage", u"lnkHarddiskOptionsPage",
                                u"lnkHarddiskIncludePage"})
        hiddenLayout->addWidget(lineEdit(QString::fromUtf16(key)));
    hidden->hide();
    form->addRow(hidden);
    return f;
}

QWidget *NodePropertyEditor::buildColumnFrame()
{
    QFrame *f = frame(QStringLiteral("frameColumn"));
    auto *form = new QFormLayout(f);
    auto *flag = new QCheckBox(QStringLiteral("Set column width to: (ml)"));
    bindField(flag, QStringLiteral("lnkChkColValue"));
    form->addRow(flag, lineEdit(QStringLiteral("lnkColWidth")));
    return f;
}

QWidget *NodePropertyEditor::buildEndFrame()
{
    QFrame *f = frame(QStringLiteral("frameEOF"));
    auto *layout = new QVBoxLayout(f);
    layout->addWidget(new QLabel(QStringLiteral("(End of folder)")));
    return f;
}

QWidget *NodePropertyEditor::buildUrlFrame()
{
    QFrame *f = frame(QStringLiteral("frameURLOptions"));
    auto *outer = new QVBoxLayout(f);
    auto *box = new QGroupBox(QStringLiteral("Link"));
    outer->addWidget(box);
    auto *grid = new QGridLayout(box);
    struct Row {
        const char16_t *option;
        const char16_t *caption;
        const char16_t *field;
    };
    const Row rows[] = {{u"lnkOptURLPageURLNormal", u"Link to a URL on the www:", u"lnkURL"},
                        {u"lnkOptURLPageMyWeb", u"Link to a file in my web:", u"lnkFilMyWebPage"},
                        {u"lnkOptURLNone", u"No link ", nullptr},
                        {u"lnkOptURLNoneInsertFile", u"No link -- insert HTML code file:", u"lnkFilPageName"},
                        {u"lnkOptAdvanced", u"Advanced Options", nullptr}};
    int row = 0;
    for (const Row &r : rows) {
        auto *b = new QRadioButton(QString::fromUtf16(r.caption));
        bindField(b, QString::fromUtf16(r.option));
        grid->addWidget(b, row, 0);
        if (r.field) {
            const QString key = QString::fromUtf16(r.field);
            grid->addWidget(lineEdit(key), row, 1);
            if (key.mid(3, 3) == u"Fil") {
                auto *cut = new QToolButton;
                cut->setText(QStringLiteral("Clear"));
                cut->setObjectName(QStringLiteral("cut") + key);
                cut->setToolTip(QStringLiteral("Clear the file name"));
                connect(cut, &QToolButton::clicked, this, [this, key] { clearField(key); });
                grid->addWidget(cut, row, 2);
            }
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return f;
}

QWidget *NodePropertyEditor::buildJsFrame()
{
    QFrame *f = frame(QStringLiteral("frameJSDesign"));
    auto *outer = new QVBoxLayout(f);
    auto *box = new QGroupBox(QStringLiteral("Javascript"));
    outer->addWidget(box);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(new QLabel(QStringLiteral("Enter the JavaScript (do not use double quotes):")));
    layout->addWidget(lineEdit(QStringLiteral("lnkJS")));
    m_samples = new QComboBox;
    m_samples->setObjectName(QStringLiteral("cmbJS"));
    m_samples->setPlaceholderText(kSampleTitle);
    for (const ScriptSample &s : javaScriptSamples())
        m_samples->addItem(s.title);
    m_samples->setCurrentIndex(-1);
    connect(m_samples, &QComboBox::activated, this, &NodePropertyEditor::chooseSample);
    layout->addWidget(m_samples);
    m_jsNote = new QLabel;
    m_jsNote->setObjectName(QStringLiteral("JavaScriptNotes"));
    m_jsNote->setWordWrap(true);
    layout->addWidget(m_jsNote);
    return f;
}

void NodePropertyEditor::showNode(MenuNode *node, const QString &key)
{
    m_node = node;
    m_key = key;
    if (!node) {
        m_frames->setCurrentIndex(3);
        m_frames->setVisible(false);
        m_subFrames->setVisible(false);
        return;
    }
    m_frames->setVisible(true);
    const PropertyFrame f = node->loadoptions(m_doc.options());
    const QString name = node->isEndMarker() ? QStringLiteral("frameEOF") : f.frame;
    for (int i = 0; i < m_frames->count(); ++i) {
        if (m_frames->widget(i)->objectName() == name)
            m_frames->setCurrentIndex(i);
    }
    const bool optionNode = node->asFolder() || node->asPage();
    m_subFrames->setVisible(optionNode);
    m_subFrames->setCurrentIndex(0);
    if (!f.subFrameKey.isEmpty())
        showSubFrame(f.subFrameKey);
    for (const QString &k : kPageChecks) {
        if (QWidget *w = m_binder.field(k))
            w->setVisible(f.shownChecks.contains(k));
    }
    m_samples->setCurrentIndex(-1);
    m_jsNote->clear();
}

QString NodePropertyEditor::currentFrame() const
{
    return m_frames->isVisible() || m_node ? m_frames->currentWidget()->objectName() : QString();
}

QString NodePropertyEditor::currentSubFrame() const
{
    return m_subFrames->isVisibleTo(this) ? m_subFrames->currentWidget()->objectName() : QString();
}

void NodePropertyEditor::showSubFrame(const QString &key)
{
    if (key.contains(u"JS"))
        m_subFrames->setCurrentIndex(2);
    else if (key.contains(u"Normal"))
        m_subFrames->setCurrentIndex(key.contains(u"Page") ? 1 : 0);
}

void NodePropertyEditor::onEdited(const QString &key, const QVariant &value)
{
    clsOptions &options = m_doc.options();
    if (options.loadingOptions())
        return;
    if (key.startsWith(u"lnk")) {
        pushNodeEdit(key, value);
        if (key == u"lnkOptAdvanced")
            openAdvancedLinkOptions();
        return;
    }
    if (key == u"prjChkMultiLingual" && value.toInt() == 1) {
        openMultiLingual();
        return;
    }
    if (key.startsWith(u"pgm")) {
        // A preference belongs to the program, not to the project.
        const LoadingOptionsGuard notAnEdit(&options);
        options.setControlValue(key, value);
        return;
    }
    std::vector<std::pair<QString, QVariant>> changes{{key, value}};
    if (key.startsWith(u"prjLeftIndent")) {
        const QString t = value.toString().trimmed();
        bool ok = true;
        if (!t.isEmpty())
            t.toShort(&ok);
        if (!ok) {
            options.prompt()->message(QStringLiteral("Illegal pixel value"));
            if (auto *b = qobject_cast<QComboBox *>(m_binder.field(key)); b && b->lineEdit())
                b->lineEdit()->selectAll();
            return;
        }
    } else if (key == u"prjFirstColWid") {
        changes.push_back({widthFlag(key), value.toString().isEmpty() ? 0 : 1});
    } else if (key == u"prjMultipleMenu") {
        const QString number = options.text(u"prjMultipleMenuNumber");
        if (value.toInt() == 1 && number.isEmpty())
            changes.push_back({QStringLiteral("prjMultipleMenuNumber"), QStringLiteral("02")});
        else if (value.toInt() == 0)
            changes.push_back({QStringLiteral("prjMultipleMenuNumber"), QString()});
    }
    pushOptionStep(m_doc.undoStack(), new SetProjectOptionCommand(m_doc, changes));
}

void NodePropertyEditor::pushNodeEdit(const QString &key, const QVariant &value)
{
    if (!m_node || !m_node->value(key).isValid())
        return;
    auto changes = nodeChanges(key, value);
    if (isWidthKey(key)) {
        changes.push_back({widthFlag(key), value.toString().isEmpty() ? 0 : 1});
    }
    pushNodeChanges(changes);
}

std::vector<std::pair<QString, QVariant>> NodePropertyEditor::nodeChanges(const QString &key,
                                                                          const QVariant &value) const
{
    std::vector<std::pair<QString, QVariant>> changes;
    const NodeOptionDef *d = findNodeOption(key);
    if (d && d->kind == OptionKind::Choice) {
        // The whole group in one order, so that choices made one after the
        // other fold into one step, and the rest of the group comes back on undo.
        for (const NodeOptionDef &o : nodeOptionCatalogue()) {
            if (o.control == d->control && m_node->value(o.key).isValid())
                changes.push_back({o.key, o.key == key});
        }
    } else {
        changes.push_back({key, value});
    }
    return changes;
}

void NodePropertyEditor::pushNodeChanges(const std::vector<std::pair<QString, QVariant>> &changes)
{
    if (m_node && !changes.empty())
        pushOptionStep(m_doc.undoStack(), new SetNodeOptionCommand(m_doc, *m_node, changes));
}

void NodePropertyEditor::clearField(const QString &key)
{
    if (key.startsWith(u"lnk"))
        pushNodeEdit(key, QString());
    else
        pushOptionStep(m_doc.undoStack(), new SetProjectOptionCommand(m_doc, {{key, QString()}}));
}

void NodePropertyEditor::onNodeChanged(MenuNode *node, const QString &key)
{
    if (node != m_node || !node)
        return;
    clsOptions &options = m_doc.options();
    const LoadingOptionsGuard notAnEdit(&options);
    const NodeOptionDef *d = findNodeOption(key);
    if (d && d->kind == OptionKind::Choice) {
        for (const NodeOptionDef &o : nodeOptionCatalogue()) {
            const QVariant v = node->value(o.key);
            if (o.control == d->control && v.isValid()) {
                options.setControlValue(o.key, v);
                if (v.toBool() && o.control.startsWith(u"optType"))
                    showSubFrame(o.key);
            }
        }
        return;
    }
    options.setControlValue(key, node->value(key));
}

void NodePropertyEditor::chooseSample(int row)
{
    const auto samples = javaScriptSamples();
    if (row < 0 || row >= int(samples.size()))
        return;
    Prompt *prompt = m_doc.options().prompt();
    if (!m_doc.options().text(u"lnkJS").isEmpty()
        && prompt->question(QStringLiteral("Replace javascript?"), Buttons::YesNo) != Answer::Yes) {
        m_samples->setCurrentIndex(-1);
        return;
    }
    pushNodeEdit(QStringLiteral("lnkJS"), samples[size_t(row)].code);
    m_jsNote->setText(samples[size_t(row)].note);
}

void NodePropertyEditor::positionMenu()
{
    // A main menu that opens straight down cannot be placed elsewhere.
    if (!m_key.mid(1).contains(u'n') && m_doc.options().isChecked(u"prjChkMainMenusDownward")) {
        m_doc.options().prompt()->message(
            QStringLiteral("To use this option for a main menu item, you must first go to the Settings tab,\r\n"
                           "and uncheck the \"Main menus open downward\" option."));
        return;
    }
    Q_EMIT positionMenuWanted();
    openMenuPosition();
}

void NodePropertyEditor::fieldClicked(QLineEdit *field)
{
    const QString key = OptionBinder::keyOf(field);
    clsOptions &options = m_doc.options();
    if (isWidthKey(key) && options.isChecked(u"prjAutomaticWidth")) {
        options.prompt()->message(QStringLiteral("You must first go to the option tab and uncheck the option "
                                                 "\"Automatically calculate folder widths\""));
        return;
    }
    // A link field chooses its own link kind.
    static const QHash<QString, QString> linkKinds = {
        {QStringLiteral("lnkURL"), QStringLiteral("lnkOptURLPageURLNormal")},
        {QStringLiteral("lnkFilMyWebPage"), QStringLiteral("lnkOptURLPageMyWeb")},
        {QStringLiteral("lnkFilPageName"), QStringLiteral("lnkOptURLNoneInsertFile")}};
    if (const QString kind = linkKinds.value(key); !kind.isEmpty() && !options.controlValue(kind).toBool())
        pushNodeEdit(kind, true);
    if (key == u"prjFilCSS" || key == u"prjFilJS" || key == u"prjFilWebRoot" || key == u"prjFilAppRoot") {
        Q_EMIT fileLocationClicked(key);
        return;
    }
    if (key.mid(3, 3) != u"Fil")
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Select a file");
    request.filter = QStringLiteral("*.*|*.*|*.txt|*.txt|*.htm|*.htm|*.html|*.html|*.qwk|*.qwk|*.gif|*.gif|*.css|*.css");
    request.startName = m_doc.defaultFile(field->text(), QStringLiteral("*.*"));
    request.mustExist = true;
    const std::optional<QString> chosen = options.prompt()->openFile(request);
    if (!chosen)
        return;
    const QString value = m_ra ? m_ra(*chosen) : *chosen;
    if (key.startsWith(u"lnk"))
        pushNodeEdit(key, value);
    else
        pushOptionStep(m_doc.undoStack(), new SetProjectOptionCommand(m_doc, {{key, value}}));
    if (key.contains(u"CSS") || key.contains(u"IMG") || key.contains(u"MyWebPage")) {
        // Only the file's own name matters; spaces in its folders are fine.
        const QString name = value.mid(qMax(value.lastIndexOf(u'/'), value.lastIndexOf(u'\\')) + 1);
        if (name.contains(u' ')) {
            options.prompt()->message(*chosen + QStringLiteral("\r\nFile name contains space\r\n"
                                                               "Some older browsers may have problems with this."),
                                      QStringLiteral("Warning"));
        }
    }
}

bool NodePropertyEditor::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        fieldClicked(field);
        break;
    case QEvent::FocusIn:
        Q_EMIT statusText(field->text());
        if (OptionBinder::keyOf(field) == u"prjMultipleMenuNumber" && !m_doc.options().loadingOptions()) {
            // Each visit steps the menu number on: "02" ... "20", then "02" again.
            const QString t = field->text();
            const int n = (t.isEmpty() || t.toInt() >= 20) ? 2 : t.toInt() + 1;
            pushOptionStep(m_doc.undoStack(), new SetProjectOptionCommand(
                m_doc, {{QStringLiteral("prjMultipleMenuNumber"), QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'))}}));
        }
        break;
    case QEvent::FocusOut:
        Q_EMIT statusText(QString());
        break;
    default:
        break;
    }
    return false;
}

} // namespace qwk
