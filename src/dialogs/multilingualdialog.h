#pragma once
// "Multi-lingual project": the script variable that names the page's
// language, the list of languages and the server resources.

#include <QDialog>
#include <QVariantMap>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace qwk {

class Prompt;

class MultiLingualDialog : public QDialog {
    Q_OBJECT
public:
    explicit MultiLingualDialog(Prompt &prompt, QWidget *parent = nullptr);

    static const QStringList &keys();
    // Values by project option key.
    void setValue(const QVariantMap &values);
    std::optional<QVariantMap> value() const { return m_value; }

private:
    void accept() override;

    QLineEdit *m_variable, *m_languages, *m_resourceFile;
    QCheckBox *m_resources;
    QLabel *m_resourceLabel;
    std::optional<QVariantMap> m_value;
};

} // namespace qwk
