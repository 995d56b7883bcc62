#pragma once
// "Add Commerce Starter Kit categories": a link that lists a catalogue tree
// of a shop at run time, optionally only below one product number.

#include <QDialog>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace qwk {

class Prompt;

struct ShopSection {
    QString sku;    // "lnkCSKSku", empty for the whole tree
    QString choice; // "lnkCSKOptionChoice": the tag of the catalogue tree
};

class ShopSectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ShopSectionDialog(Prompt &prompt, QWidget *parent = nullptr);

    void setValue(const ShopSection &value);
    std::optional<ShopSection> value() const { return m_value; }

    // The catalogue trees' tags, in the order of the buttons.
    static const QStringList &choices();

private:
    void accept() override;

    QButtonGroup *m_trees;
    QCheckBox *m_useSku;
    QLineEdit *m_sku;
    std::optional<ShopSection> m_value;
};

} // namespace qwk
