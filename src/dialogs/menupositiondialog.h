#pragma once
// "Position drop down folder": where a drop-down folder's sub-menu opens
// (towards the top, shifted to the left, by how many percent), in and out
// as the position text. Cancel gives menuPositionCancelled().

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace qwk {

class Prompt;

class MenuPositionDialog : public QDialog {
    Q_OBJECT
public:
    explicit MenuPositionDialog(Prompt &prompt, QWidget *parent = nullptr);

    void setPosition(const QString &position);
    // The new position text after O.K., "CANCEL" otherwise.
    QString position() const { return m_position; }

private:
    void accept() override;
    void reject() override;
    void shiftTyped(const QString &text);

    Prompt &m_prompt;
    QCheckBox *m_top;
    QCheckBox *m_left;
    QComboBox *m_shift;
    QString m_position;
};

} // namespace qwk
