#pragma once
// "Page Link Options": the four rarely used boxes of a page. Each box tells
// what it does when it is ticked; the two "page name is script" boxes
// exclude each other.

#include <QDialog>
#include <QVariantMap>
#include <optional>

class QCheckBox;
class QPlainTextEdit;

namespace qwk {

class PageOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PageOptionsDialog(QWidget *parent = nullptr);

    // The option keys of the boxes, in the order shown.
    static const QStringList &keys();
    // Values by option key (0 or 1); keys not given show clear.
    void setValue(const QVariantMap &values);
    std::optional<QVariantMap> value() const { return m_value; }

private:
    void accept() override;
    void ticked(int index, bool on);

    QList<QCheckBox *> m_boxes;
    QPlainTextEdit *m_help;
    bool m_loading = false;
    std::optional<QVariantMap> m_value;
};

} // namespace qwk
