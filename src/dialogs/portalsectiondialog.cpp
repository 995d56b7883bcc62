#include "dialogs/portalsectiondialog.h"

#include "core/prompt.h"
#include "dialogs/dialogparts.h"
#include "options/sectionvalues.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qwk {

namespace {

QCheckBox *box(QVBoxLayout *layout, const char16_t *name, const QString &caption)
{
    auto *c = new QCheckBox(caption);
    c->setObjectName(QString::fromUtf16(name));
    layout->addWidget(c);
    return c;
}

} // namespace

PortalSectionDialog::PortalSectionDialog(Prompt &prompt, const QString &insertFileCaption, QWidget *parent)
    : QDialog(parent), m_prompt(prompt)
{
    setObjectName(QStringLiteral("frmDNNDirectory"));
    setWindowTitle(QStringLiteral("Add DotNetNuke Folder"));
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QGroupBox;
    auto *grid = new QGridLayout(tabs);
    m_scope = new QButtonGroup(this);
    const char16_t *captions[] = {u"Entire DNN directory", u"Siblings of the following tabID:",
                                  u"Siblings of the active tab"};
    for (int i = 0; i < 3; ++i) {
        auto *r = new QRadioButton(QString::fromUtf16(captions[i]));
        r->setObjectName(QStringLiteral("optDnnTab%1").arg(i));
        m_scope->addButton(r, i);
        grid->addWidget(r, i, 0);
        if (i == 1) {
            m_tabId = new QLineEdit;
            m_tabId->setObjectName(QStringLiteral("txtTabID"));
            grid->addWidget(m_tabId, i, 1);
        }
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(tabs);
    connect(m_tabId, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!text.isEmpty())
            m_scope->button(int(PortalScope::SiblingsOf))->setChecked(true);
    });

    m_external = box(layout, u"chkExternalWindow", QStringLiteral("Open pages in an external window"));
    m_str = box(layout, u"chkStr", QStringLiteral("Include sub-folder structure"));
    m_dash = box(layout, u"chkDash", QStringLiteral("Replace underscore in page names with a space"));
    m_skip = box(layout, u"chkSkipMainMenu",
                 QStringLiteral("Don't write menu if the active tab is the home page or in the main menu"));
    m_replace = box(layout, u"chkReplaceMainMenu",
                    QStringLiteral("Replace the main menu with the file of the option \"%1\"").arg(insertFileCaption));
    m_header = box(layout, u"chkInclueHeader",
                   QStringLiteral("Include header in menu with name of folder that contains sibblings.  Formatting:"));
    m_template = new QLineEdit;
    m_template->setObjectName(QStringLiteral("txtDnnHeaderTemplate"));
    m_template->setMinimumWidth(m_template->fontMetrics().averageCharWidth() * 50);
    layout->addWidget(m_template);
    layout->addStretch(1);
    addDialogButtons(this, layout, [this] { accept(); });
    setValue({});
}

void PortalSectionDialog::setValue(const PortalSection &value)
{
    const PortalTab tab = parsePortalTab(value.tabId);
    // The typed id is kept only for "siblings of": the other two store theirs.
    m_tabId->setText(tab.tabId);
    m_scope->button(int(tab.scope))->setChecked(true);
    const PortalSectionOptions o = PortalSectionOptions::parse(value.options);
    m_external->setChecked(o.target == SectionTarget::NewWindow);
    m_str->setChecked(o.structure);
    m_dash->setChecked(o.underscoreToSpace);
    m_skip->setChecked(o.skipOnMainMenuTab);
    m_replace->setChecked(o.replaceMainMenu);
    m_header->setChecked(o.header);
    m_template->setText(value.headerTemplate);
    m_value.reset();
}

void PortalSectionDialog::accept()
{
    const TabIdCheck tab = checkPortalTab(PortalScope(m_scope->checkedId()), m_tabId->text());
    if (!tab.error.isEmpty()) {
        m_prompt.message(tab.error);
        m_tabId->setFocus();
        return;
    }
    PortalSectionOptions o;
    o.target = m_external->isChecked() ? SectionTarget::NewWindow : SectionTarget::SameWindow;
    o.structure = m_str->isChecked();
    o.underscoreToSpace = m_dash->isChecked();
    o.skipOnMainMenuTab = m_skip->isChecked();
    o.replaceMainMenu = m_replace->isChecked();
    o.header = m_header->isChecked();
    if (headerTemplateHasDoubleQuote(m_template->text())) {
        if (m_prompt.question(headerTemplateQuoteQuestion(), Buttons::OkCancel) != Answer::Ok)
            return;
        m_template->setText(headerTemplateWithoutDoubleQuotes(m_template->text()));
    }
    m_value = PortalSection{tab.tabId, o.pack(), m_template->text()};
    QDialog::accept();
}

} // namespace qwk
