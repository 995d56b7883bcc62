#include "dialogs/menupositiondialog.h"

#include "core/prompt.h"
#include "dialogs/dialogparts.h"
#include "options/sectionvalues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qwk {

MenuPositionDialog::MenuPositionDialog(Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_prompt(prompt), m_position(menuPositionCancelled())
{
    setObjectName(QStringLiteral("frmMenuPosition"));
    setWindowTitle(QStringLiteral("Position drop down folder"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Position drop down folder"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto *intro = new QLabel(QStringLiteral("By default sub-menus open towards bottom  and are shifted to the right.  "
                                            "To change these defaults check:"));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_top = new QCheckBox(QStringLiteral("Open sub-menu towards the top"));
    m_top->setObjectName(QStringLiteral("chkOpenTop"));
    layout->addWidget(m_top);
    m_left = new QCheckBox(QStringLiteral("Shift sub-menu towards the left"));
    m_left->setObjectName(QStringLiteral("chkShiftLeft"));
    layout->addWidget(m_left);
    auto *form = new QFormLayout;
    m_shift = new QComboBox;
    m_shift->setObjectName(QStringLiteral("cmbShiftDropDown"));
    m_shift->setEditable(true);
    m_shift->setInsertPolicy(QComboBox::NoInsert);
    for (int v = 0; v <= 100; v += 10)
        m_shift->addItem(QString::number(v));
    form->addRow(QStringLiteral("Shift sub-menu left or right by (pecent):"), m_shift);
    layout->addLayout(form);
    connect(m_shift->lineEdit(), &QLineEdit::textEdited, this, &MenuPositionDialog::shiftTyped);
    connect(m_shift, &QComboBox::textActivated, this, &MenuPositionDialog::shiftTyped);
    auto *warning = new QLabel(QStringLiteral(
        " Warning: If you open a folder to the left or top, don't open sub-folders to left or top.  (Quenwick can "
        "do this, but you should check results in both major browsers.)"));
    warning->setWordWrap(true);
    layout->addWidget(warning);
    QPushButton *help = dialogButton(QStringLiteral("Help"), QStringLiteral("cmdHelp"));
    connect(help, &QPushButton::clicked, this, [this] {
        m_prompt.message(QStringLiteral(
            "To open straight downward: don't check either box and set shift menu value to 0\r\n"
            "To open out to right: don't check either box and set the shift menu value to 100.\r\n"
            "To open straight  upward: check \"towards top\" box and set shift menu vaule to 0.\r\n"
            "To open out to left: check \"towards left\" box and set shift menu value to 100.\r\n"
            "Shift menu values are by percent and must be between 0 and 100."));
    });
    addDialogButtons(this, layout, [this] { accept(); }, true, help);
    // The wrapped texts need a width to wrap at, or the dialog grows tall.
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

void MenuPositionDialog::setPosition(const QString &position)
{
    const MenuPosition p = MenuPosition::parse(position);
    m_top->setChecked(p.top);
    m_left->setChecked(p.left);
    m_shift->setEditText(p.shift);
    m_position = menuPositionCancelled();
}

void MenuPositionDialog::shiftTyped(const QString &text)
{
    if (isShiftTextAccepted(text))
        return;
    m_prompt.message(shiftTextMessage());
    m_shift->lineEdit()->selectAll();
}

void MenuPositionDialog::accept()
{
    MenuPosition p;
    p.top = m_top->isChecked();
    p.left = m_left->isChecked();
    p.shift = m_shift->currentText();
    m_position = p.pack();
    QDialog::accept();
}

void MenuPositionDialog::reject()
{
    m_position = menuPositionCancelled();
    QDialog::reject();
}

} // namespace qwk
