#include "dialogs/advancedprojectdialog.h"

#include "dialogs/dialogparts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace qwk {

const QStringList &AdvancedProjectOptionsDialog::keys()
{
    static const QStringList k = {QStringLiteral("prjTransformURL"),   QStringLiteral("prjSampleHTML"),
                                  QStringLiteral("prjAutomaticWidth"), QStringLiteral("prjPixelBase"),
                                  QStringLiteral("prjPixelsPerCharacter"), QStringLiteral("prjChkAllowLineBreaks")};
    return k;
}

AdvancedProjectOptionsDialog::AdvancedProjectOptionsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAdvancedStandardOptions"));
    setWindowTitle(QStringLiteral("Advanced Options"));
    auto *layout = new QVBoxLayout(this);
    m_transform = labelledTextBox(layout, QStringLiteral("TextTransformURL"),
                          QStringLiteral("Transform the url of all links using the following function:  "
                                         "function cnv(url,k,name){"));
    auto *example = new QLabel(QStringLiteral("}    Example body:  return url.replace(\"http:\", \"https:\");"));
    example->setEnabled(false);
    layout->addWidget(example);
    m_sampleHtml = labelledTextBox(layout, QStringLiteral("TextSampleHTML"),
                           QStringLiteral("Script to add to sample html and aspx files. (This is useful for "
                                          "testing or if the above function requires it.)"));
    auto *widths = new QFormLayout;
    m_automatic = new QCheckBox(QStringLiteral("Automatically calculate folder widths:"));
    m_automatic->setObjectName(QStringLiteral("chkAutomaticWidth"));
    widths->addRow(m_automatic);
    m_base = new QLineEdit;
    m_base->setObjectName(QStringLiteral("TextPixelBase"));
    widths->addRow(QStringLiteral("Base number of pixels: (ml)"), m_base);
    m_perChar = new QLineEdit;
    m_perChar->setObjectName(QStringLiteral("TextPixelsPerCharacter"));
    widths->addRow(QStringLiteral("plus pixels / character: (ml)"), m_perChar);
    layout->addLayout(widths);
    m_lineBreaks = new QCheckBox(QStringLiteral("Allow line breaks in page and folder names"));
    m_lineBreaks->setObjectName(QStringLiteral("chkAllowLineBreaks"));
    layout->addWidget(m_lineBreaks);
    addDialogButtons(this, layout, [this] { accept(); });
}

void AdvancedProjectOptionsDialog::setValue(const QVariantMap &values)
{
    m_transform->setPlainText(values.value(keys()[0]).toString());
    m_sampleHtml->setPlainText(values.value(keys()[1]).toString());
    m_automatic->setChecked(values.value(keys()[2]).toInt() == 1);
    m_base->setText(values.value(keys()[3]).toString());
    m_perChar->setText(values.value(keys()[4]).toString());
    m_lineBreaks->setChecked(values.value(keys()[5]).toInt() == 1);
    m_value.reset();
}

void AdvancedProjectOptionsDialog::accept()
{
    m_value = QVariantMap{{keys()[0], m_transform->toPlainText()}, {keys()[1], m_sampleHtml->toPlainText()},
                          {keys()[2], m_automatic->isChecked() ? 1 : 0}, {keys()[3], m_base->text()},
                          {keys()[4], m_perChar->text()},          {keys()[5], m_lineBreaks->isChecked() ? 1 : 0}};
    QDialog::accept();
}

} // namespace qwk
