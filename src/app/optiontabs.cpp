#include "app/optiontabs.h"

#include "app/optioncommands.h"
#include "app/projectdocument.h"
#include "app/propertyeditor.h"
#include "core/prompt.h"
#include "options/controls.h"
#include "stylesheet/cssvocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace qwk {

namespace {

QString caption(const QString &key)
{
    for (const ControlDef &c : optionControls()) {
        if (c.tag == key)
            return c.caption;
    }
    return {};
}

QCheckBox *check(NodePropertyEditor &ed, const char16_t *key)
{
    const QString k = QString::fromUtf16(key);
    auto *c = new QCheckBox(caption(k));
    ed.bindField(c, k);
    return c;
}

QLineEdit *field(NodePropertyEditor &ed, const char16_t *key)
{
    auto *e = new QLineEdit;
    ed.bindField(e, QString::fromUtf16(key));
    return e;
}

QGroupBox *checks(NodePropertyEditor &ed, const QString &title, std::initializer_list<const char16_t *> keys)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    for (const char16_t *k : keys)
        layout->addWidget(check(ed, k));
    layout->addStretch(1);
    return box;
}

// A tab whose contents scroll when the window is small or the scaling large.
QWidget *scrolled(QWidget *contents)
{
    auto *area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(contents);
    return area;
}

} // namespace

QWidget *buildOptionsTab(NodePropertyEditor &ed)
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);

    auto *files = new QGroupBox(QStringLiteral("File Locations"));
    auto *filesForm = new QFormLayout(files);
    for (const char16_t *k : {u"prjFilWebRoot", u"prjFilAppRoot", u"prjFilJS", u"prjFilCSS"}) {
        QLineEdit *e = field(ed, k);
        // The locations are chosen by their pickers, not typed.
        e->setReadOnly(true);
        e->setMinimumWidth(320);
        filesForm->addRow(caption(QString::fromUtf16(k)), e);
    }
    grid->addWidget(files, 0, 0, 1, 2);

    grid->addWidget(checks(ed, QStringLiteral("Menu"),
                           {u"prjChkTreeMenus", u"prjChkMainMenusDownward", u"prjWidthTo100", u"prjCenterTable",
                            u"prjChkAllowLineBreaks", u"prjChkMOMO", u"prjChkTopLinkCSS", u"prjChkAccessible"}),
                    1, 0);
    grid->addWidget(checks(ed, QStringLiteral("Folders when a page opens"),
                           {u"prjChkAllMenusClosed", u"prjChkMainMenusOpen", u"prjChkAllMenusOpen"}),
                    2, 0);

    auto *sizes = new QGroupBox(QStringLiteral("Widths and indents"));
    auto *sizesForm = new QFormLayout(sizes);
    sizesForm->addRow(check(ed, u"prjAutomaticWidth"));
    sizesForm->addRow(check(ed, u"prjChkFirstColValue"), field(ed, u"prjFirstColWid"));
    for (const char16_t *k : {u"prjLeftIndentMainFolder", u"prjLeftIndentSubFolder"}) {
        const QString key = QString::fromUtf16(k);
        auto *list = new QComboBox;
        list->setEditable(true);
        list->addItems(clsOptions::pixelItems());
        ed.bindField(list, key);
        sizesForm->addRow(caption(key), list);
    }
    sizesForm->addRow(check(ed, u"prjMultipleMenu"), field(ed, u"prjMultipleMenuNumber"));
    grid->addWidget(sizes, 1, 1);

    grid->addWidget(checks(ed, QStringLiteral("ASP.NET and DotNetNuke"),
                           {u"prjForceASP", u"prjASPandNoWriteToDisk", u"prjCSSinJS", u"prjChkUtf8",
                            u"prjChkMultiLingual", u"prjAspMultiLingual"}),
                    2, 1);

    auto *prefs = new QGroupBox(QStringLiteral("Program preferences (for every project)"));
    auto *prefsLayout = new QHBoxLayout(prefs);
    for (const char16_t *k : {u"pgmChkLoadLastFile", u"pgmChkSaveBeforeRun", u"pgmChkScrambled"})
        prefsLayout->addWidget(check(ed, k));
    prefsLayout->addStretch(1);
    grid->addWidget(prefs, 3, 0, 1, 2);

    auto *advanced = new QPushButton(QStringLiteral("Advanced options"));
    advanced->setObjectName(QStringLiteral("cmdAdvancedOptions"));
    QObject::connect(advanced, &QPushButton::clicked, &ed, &NodePropertyEditor::openAdvancedProjectOptions);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(advanced);
    grid->addLayout(row, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return scrolled(page);
}

QWidget *buildImagesTab(NodePropertyEditor &ed)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    struct Group {
        const char16_t *use;
        const char16_t *files[2];
    };
    const Group groups[] = {{u"prjChkPLI", {u"prjFilPLIMG", nullptr}},
                            {u"prjChkMFI", {u"prjFilMFCIMG", u"prjFilMFOIMG"}},
                            {u"prjChkSFI", {u"prjFilSFCIMG", u"prjFilSFOIMG"}}};
    for (const Group &g : groups) {
        auto *box = new QGroupBox;
        auto *form = new QFormLayout(box);
        form->addRow(check(ed, g.use));
        for (const char16_t *k : g.files) {
            if (!k)
                continue;
            const QString key = QString::fromUtf16(k);
            auto *row = new QHBoxLayout;
            QLineEdit *e = field(ed, k);
            e->setReadOnly(true); // chosen with the file dialog by a click
            e->setMinimumWidth(280);
            row->addWidget(e, 1);
            auto *cut = new QToolButton;
            cut->setText(QStringLiteral("Clear"));
            cut->setObjectName(QStringLiteral("cut") + key);
            QObject::connect(cut, &QToolButton::clicked, e, [&ed, key] { ed.clearField(key); });
            row->addWidget(cut);
            form->addRow(caption(key), row);
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
    return scrolled(page);
}

namespace {

// Every class name back to its key, after the author agreed. All ten names
// change in one undo step, so one undo gives back every name the author had.
void resetClassNames(ProjectDocument &doc)
{
    if (doc.prompt().question(QStringLiteral("This will reset ALL the class names to the default names."),
                              Buttons::OkCancel)
        != Answer::Ok)
        return;
    std::vector<std::pair<QString, QVariant>> changes;
    for (const ControlDef &c : optionControls())
        if (c.tag.startsWith(kClassNameOptionPrefix))
            changes.emplace_back(c.tag, c.tag.mid(kClassNameOptionPrefix.size()));
    auto *step = new SetProjectOptionCommand(doc, changes);
    step->setText(QStringLiteral("Reset Defaults"));
    pushOptionStep(doc.undoStack(), step);
}

} // namespace

QWidget *buildClassNamesTab(NodePropertyEditor &ed, ProjectDocument &doc)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *intro = new QLabel(QStringLiteral("These are the CSS classes which you use to format your menu.  "
                                            "You may change the names if you like."));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *box = new QGroupBox(QStringLiteral("Class names"));
    auto *form = new QFormLayout(box);
    struct Row {
        const char16_t *key;
        const char16_t *label;
        const char16_t *mouseOver;
    };
    const Row rows[] = {{u"MainFolderBox", u"Main Folder Box:", nullptr},
                        {u"MainFolderLine", u"Main Folder Line:", u"Main folder Line Mouse Over:"},
                        {u"MainFolderPage", u"Main Folder Page:", nullptr},
                        {u"SubFolderBox", u"Subfolder Box:", nullptr},
                        {u"SubFolderLine", u"Subfolder Line:", u"Subfolder Line Mouse Over:"},
                        {u"SubFolderPage", u"Subfolder Page:", nullptr},
                        {u"LinkBox", u"Link Box:", nullptr},
                        {u"LinkLine", u"Link Line:", u"Link Line Mouse Over:"},
                        {u"LinkPage", u"Link Page:", nullptr},
                        {u"MenuTreeBox", u"Menutree Box:", nullptr}};
    for (const Row &r : rows) {
        auto *e = new QLineEdit;
        // An empty field means the class is called by its key.
        e->setPlaceholderText(QString::fromUtf16(r.key));
        ed.bindField(e, QStringLiteral("prjCN") + QString::fromUtf16(r.key));
        form->addRow(QString::fromUtf16(r.label), e);
        if (r.mouseOver) {
            auto *note = new QLabel(QStringLiteral("Use the above name with \"MouseOver\" added at end."));
            note->setEnabled(false);
            form->addRow(QString::fromUtf16(r.mouseOver), note);
        }
    }
    layout->addWidget(box);
    auto *must = new QLabel(QStringLiteral("These classes must be defined in your style sheet "
                                           "(the name must be exactly the same both places)."));
    must->setWordWrap(true);
    layout->addWidget(must);
    auto *reset = new QPushButton(QStringLiteral("Reset Defaults"));
    reset->setObjectName(QStringLiteral("cmdSetCNDefaults"));
    QObject::connect(reset, &QPushButton::clicked, page, [&doc] { resetClassNames(doc); });
    auto *row = new QHBoxLayout;
    row->addWidget(reset);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);
    return scrolled(page);
}

} // namespace qwk
