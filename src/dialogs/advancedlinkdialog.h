#pragma once
// "Advanced options" of a page's link: which kind of section the link
// becomes (portal, folder or shop). The section's own dialog follows.

#include <QDialog>
#include <optional>

class QButtonGroup;

namespace qwk {

class AdvancedLinkOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit AdvancedLinkOptionsDialog(QWidget *parent = nullptr);

    // "lnkOptURLDNN", "lnkOptURLHarddisk" or "lnkOptURLCSK".
    static const QStringList &kinds();
    // The kind the page has (empty or unknown: none chosen).
    void setValue(const QString &kind);
    // The chosen kind after O.K.; nothing after Cancel or with none chosen.
    std::optional<QString> value() const { return m_value; }

private:
    void accept() override;

    QButtonGroup *m_kinds;
    std::optional<QString> m_value;
};

} // namespace qwk
