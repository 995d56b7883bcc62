#pragma once
// "Add DotNetNuke Folder": a link that lists page tabs of a portal at run
// time. The tab id is checked before the dialog closes; a double quote in the
// header template is replaced after asking.

#include <QDialog>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace qwk {

class Prompt;

struct PortalSection {
    QString tabId;          // "lnkDNNTabID"
    QString options;        // portal option string ("lnkHarddiskOptionsPage")
    QString headerTemplate; // "lnkChkPageDnnHeaderTemplate"
};

class PortalSectionDialog : public QDialog {
    Q_OBJECT
public:
    // insertFileCaption: the page's caption of the inserted file link, which
    // the "replace main menu" box offers.
    PortalSectionDialog(Prompt &prompt, const QString &insertFileCaption, QWidget *parent = nullptr);

    void setValue(const PortalSection &value);
    std::optional<PortalSection> value() const { return m_value; }

private:
    void accept() override;

    Prompt &m_prompt;
    QButtonGroup *m_scope;
    QLineEdit *m_tabId;
    QLineEdit *m_template;
    QCheckBox *m_external, *m_str, *m_dash, *m_skip, *m_replace, *m_header;
    std::optional<PortalSection> m_value;
};

} // namespace qwk
