#include "dialogs/shopsectiondialog.h"

#include "core/prompt.h"
#include "dialogs/dialogparts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qwk {

const QStringList &ShopSectionDialog::choices()
{
    static const QStringList tags = {
        QStringLiteral("optCSKCategories"),         QStringLiteral("optCSKProductStatus"),
        QStringLiteral("optCSKAuthorType"),         QStringLiteral("optCSKAudienceType"),
        QStringLiteral("optCSKEnglishReformedPublishers"), QStringLiteral("optCSKChinesePublishers"),
        QStringLiteral("optCSKChineseReformedPublishers")};
    return tags;
}

ShopSectionDialog::ShopSectionDialog(Prompt &prompt, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCSKDirectory"));
    setWindowTitle(QStringLiteral("Add Commerce Starter Kit categories"));
    auto *layout = new QVBoxLayout(this);
    auto *trees = new QGroupBox;
    auto *treesLayout = new QVBoxLayout(trees);
    m_trees = new QButtonGroup(this);
    const char16_t *captions[] = {u"CSK Category tree",
                                  u"CSK StatusID (use ID # as name of link)",
                                  u"CSK Author Categories",
                                  u"CSK Audience Types",
                                  u"CSK English Reformed Publishers",
                                  u"CSK Chinese Publishers",
                                  u"CSK Chinese Reformed Publishers"};
    for (int i = 0; i < 7; ++i) {
        auto *r = new QRadioButton(QString::fromUtf16(captions[i]));
        r->setObjectName(choices()[i]);
        m_trees->addButton(r, i);
        treesLayout->addWidget(r);
    }
    layout->addWidget(trees);
    auto *skuRow = new QHBoxLayout;
    m_useSku = new QCheckBox(QStringLiteral("Add children of category with SKU:"));
    m_useSku->setObjectName(QStringLiteral("chkSku"));
    m_sku = new QLineEdit;
    m_sku->setObjectName(QStringLiteral("txtSKU"));
    skuRow->addWidget(m_useSku);
    skuRow->addWidget(m_sku, 1);
    layout->addLayout(skuRow);
    QPushButton *help = dialogButton(QStringLiteral("Help"), QStringLiteral("cmdHelp"));
    connect(help, &QPushButton::clicked, this, [&prompt] {
        prompt.message(QStringLiteral(
            "This dialog is made for a specially modified Commerce Starter Kit database; it does not work "
            "with the standard database.\r\nThe project must be multi-lingual, with the language string "
            "\"zh-TW;;zh-CH;;en-US\"."));
    });
    addDialogButtons(this, layout, [this] { accept(); }, true, help);
    setValue({});
}

void ShopSectionDialog::setValue(const ShopSection &value)
{
    m_sku->setText(value.sku);
    m_useSku->setChecked(!value.sku.isEmpty());
    // A stored tag that names no tree leaves the category tree chosen.
    m_trees->button(qMax(0, int(choices().indexOf(value.choice))))->setChecked(true);
    m_value.reset();
}

void ShopSectionDialog::accept()
{
    m_value = ShopSection{m_useSku->isChecked() ? m_sku->text() : QString(), choices()[m_trees->checkedId()]};
    QDialog::accept();
}

} // namespace qwk
