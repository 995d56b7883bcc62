#include "dialogs/multilingualdialog.h"

#include "core/prompt.h"
#include "dialogs/dialogparts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qwk {

const QStringList &MultiLingualDialog::keys()
{
    static const QStringList k = {QStringLiteral("prjJavascriptLanguageVariable"), QStringLiteral("prjLanguages"),
                                  QStringLiteral("prjAspMultiLingual"), QStringLiteral("prjResourceFile")};
    return k;
}

MultiLingualDialog::MultiLingualDialog(Prompt &prompt, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMultiLingual"));
    setWindowTitle(QStringLiteral("Multi-lingual project"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_variable = new QLineEdit;
    m_variable->setObjectName(QStringLiteral("txtLanguageVariable"));
    form->addRow(QStringLiteral("Javascript language variable:"), m_variable);
    m_languages = new QLineEdit;
    m_languages->setObjectName(QStringLiteral("txtLanguages"));
    m_languages->setMinimumWidth(m_languages->fontMetrics().averageCharWidth() * 30);
    form->addRow(QStringLiteral("Language names (separate with \" ;; \")"), m_languages);
    m_resources = new QCheckBox(QStringLiteral("Use ASP.NET resources"));
    m_resources->setObjectName(QStringLiteral("chkGlobalResource"));
    form->addRow(m_resources);
    m_resourceFile = new QLineEdit;
    m_resourceFile->setObjectName(QStringLiteral("txtResourceFile"));
    m_resourceLabel = new QLabel(QStringLiteral("Global Resource file base name (non-DNN):"));
    m_resourceLabel->setObjectName(QStringLiteral("lblResourceFile"));
    form->addRow(m_resourceLabel, m_resourceFile);
    layout->addLayout(form);
    connect(m_resources, &QCheckBox::toggled, this, [this](bool on) {
        m_resourceFile->setVisible(on);
        m_resourceLabel->setVisible(on);
    });
    QPushButton *help = dialogButton(QStringLiteral("Help"), QStringLiteral("cmdHelp"));
    connect(help, &QPushButton::clicked, this, [&prompt] {
        prompt.message(QStringLiteral(
            "Your web page must contain a javascript variable that contains the name of the language.  Put this "
            "variable in the top box.\r\n"
            "List your languages in bottom box, separated by a double semi-colon.  Don't use extra spaces.\r\n"
            "In menutree, page names are separated by a double colon.  Use the same order as language list.\r\n"
            "Example: \r\n"
            "In the top box put \"lang\" and in the second box put \"en-US;;fr\".\r\n"
            "In your tree menu, give a page link the name \"hello;;bonjour\".\r\n"
            "In your web page before the menu tree add: <script>var lang; lang = \"french\"</script>.\r\n"
            "---------------\r\n"
            "If you use ASP.NET, Quenwick will insert your javascript variable into the web page.\r\n"
            "The language names must be UICultures.  Use your page names as resources strings with spaces "
            "replaced by underscores.\r\n"
            "DotNetNuke menus use the sharedResources file in App_GlobalResources folder.  Use 'New_Folder.text' "
            "as resource string for 'New Folder', etc. "));
    });
    // No Cancel: closing the window is the way out without changes.
    addDialogButtons(this, layout, [this] { accept(); }, false, help);
    setValue({});
}

void MultiLingualDialog::setValue(const QVariantMap &values)
{
    m_variable->setText(values.value(keys()[0]).toString());
    m_languages->setText(values.value(keys()[1]).toString());
    const bool resources = values.value(keys()[2]).toInt() == 1;
    m_resources->setChecked(resources);
    m_resourceFile->setText(values.value(keys()[3]).toString());
    m_resourceFile->setVisible(resources);
    m_resourceLabel->setVisible(resources);
    m_value.reset();
}

void MultiLingualDialog::accept()
{
    m_value = QVariantMap{{keys()[0], m_variable->text()}, {keys()[1], m_languages->text()},
                          {keys()[2], m_resources->isChecked() ? 1 : 0}, {keys()[3], m_resourceFile->text()}};
    QDialog::accept();
}

} // namespace qwk
