#include "dialogs/advancedlinkdialog.h"

#include "dialogs/dialogparts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qwk {

const QStringList &AdvancedLinkOptionsDialog::kinds()
{
    static const QStringList k = {QStringLiteral("lnkOptURLDNN"), QStringLiteral("lnkOptURLHarddisk"),
                                  QStringLiteral("lnkOptURLCSK")};
    return k;
}

AdvancedLinkOptionsDialog::AdvancedLinkOptionsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAdvancedLinkOptions"));
    setWindowTitle(QStringLiteral("Advanced options"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox;
    auto *groupLayout = new QVBoxLayout(group);
    m_kinds = new QButtonGroup(this);
    const char16_t *captions[] = {u"Insert Dotnetnuke menu", u"Insert links to all files in a folder at run time",
                                  u"Insert Commerce Starter Kit menu"};
    for (int i = 0; i < 3; ++i) {
        auto *r = new QRadioButton(QString::fromUtf16(captions[i]));
        r->setObjectName(kinds()[i]);
        m_kinds->addButton(r, i);
        groupLayout->addWidget(r);
    }
    layout->addWidget(group);
    addDialogButtons(this, layout, [this] { accept(); });
}

void AdvancedLinkOptionsDialog::setValue(const QString &kind)
{
    const int i = int(kinds().indexOf(kind));
    m_kinds->setExclusive(false); // so that no button can be chosen
    for (QAbstractButton *b : m_kinds->buttons())
        b->setChecked(m_kinds->id(b) == i);
    m_kinds->setExclusive(true);
    m_value.reset();
}

void AdvancedLinkOptionsDialog::accept()
{
    if (m_kinds->checkedId() >= 0)
        m_value = kinds()[m_kinds->checkedId()];
    QDialog::accept();
}

} // namespace qwk
