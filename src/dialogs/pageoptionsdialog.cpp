#include "dialogs/pageoptionsdialog.h"

#include "dialogs/dialogparts.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace qwk {

namespace {

struct Box {
    const char16_t *name;
    const char16_t *caption;
    const char16_t *help;
};

const Box kBoxes[] = {
    {u"chkPageNameIsJavascriptFunction", u"Page Name is a javascript function",
     u"The page name box contains a javascript function call that will write the page name.  For example, the "
     u"page name might be a drop down box written by javascript."},
    {u"chkPageNameIsHiddenJavascript", u"Page Name is javascript to insert into js file",
     u"This is just a quick way to insert javascript into your page.  No link will be written.  The javascript "
     u"will simply be inserted into the page."},
    {u"chkNewWindow", u"Page opens in new window (not recommended)",
     u"The page will open in a new window.  This works fine, but is not recommended by the WWW powers that be."},
    {u"chkNoPageImage", u"Hide the link image",
     u"This will hide the page image link for this page only.  (If you have not selected to show page link "
     u"images, this does nothing)."},
};

} // namespace

const QStringList &PageOptionsDialog::keys()
{
    static const QStringList k = {QStringLiteral("lnkChkPageNameIsFunction"),
                                  QStringLiteral("lnkChkPageNameIsHiddenJavascript"),
                                  QStringLiteral("lnkChkNewWindow"), QStringLiteral("lnkChkNoPageImage")};
    return k;
}

PageOptionsDialog::PageOptionsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPageOptions"));
    setWindowTitle(QStringLiteral("Page Link Options"));
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < 4; ++i) {
        auto *c = new QCheckBox(QString::fromUtf16(kBoxes[i].caption));
        c->setObjectName(QString::fromUtf16(kBoxes[i].name));
        connect(c, &QCheckBox::toggled, this, [this, i](bool on) { ticked(i, on); });
        m_boxes.append(c);
        layout->addWidget(c);
    }
    m_help = new QPlainTextEdit;
    m_help->setObjectName(QStringLiteral("txtHelp"));
    m_help->setReadOnly(true);
    m_help->setTabChangesFocus(true);
    m_help->setFixedHeight(m_help->fontMetrics().lineSpacing() * 5 + 12);
    layout->addWidget(m_help);
    // Only O.K.: closing the window is the way out without changes.
    addDialogButtons(this, layout, [this] { accept(); }, false);
}

void PageOptionsDialog::ticked(int index, bool on)
{
    if (m_loading || !on)
        return;
    m_help->setPlainText(QString::fromUtf16(kBoxes[index].help));
    // A page name is either written by a function or hidden script, not both.
    if (index < 2)
        m_boxes[1 - index]->setChecked(false);
}

void PageOptionsDialog::setValue(const QVariantMap &values)
{
    m_loading = true;
    for (int i = 0; i < 4; ++i)
        m_boxes[i]->setChecked(values.value(keys()[i]).toInt() == 1);
    m_help->clear();
    m_loading = false;
    m_value.reset();
}

void PageOptionsDialog::accept()
{
    QVariantMap v;
    for (int i = 0; i < 4; ++i)
        v.insert(keys()[i], m_boxes[i]->isChecked() ? 1 : 0);
    m_value = v;
    QDialog::accept();
}

} // namespace qwk
