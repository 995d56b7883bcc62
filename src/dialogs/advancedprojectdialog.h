#pragma once
// "Advanced Options" of the project: the address transform function, the
// script of the sample pages, automatic widths and line breaks in names.

#include <QDialog>
#include <QVariantMap>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace qwk {

class AdvancedProjectOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit AdvancedProjectOptionsDialog(QWidget *parent = nullptr);

    static const QStringList &keys();
    // Values by project option key: texts, and 0 or 1 for the boxes.
    void setValue(const QVariantMap &values);
    std::optional<QVariantMap> value() const { return m_value; }

private:
    void accept() override;

    QPlainTextEdit *m_transform, *m_sampleHtml;
    QCheckBox *m_automatic, *m_lineBreaks;
    QLineEdit *m_base, *m_perChar;
    std::optional<QVariantMap> m_value;
};

} // namespace qwk
