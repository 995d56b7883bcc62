#pragma once
// The tie between option fields and the option store. Each field carries
// its option key as the dynamic property "optionKey". The store's
// valueChanged sets the field, with its signals blocked and only when the
// field shows something else, so a field being typed into keeps its cursor.
// Only what the person does (typing, a click, a choice from a list) comes
// out as edited(), which the frames turn into undo steps: showing a node or
// reading a project never makes one.

#include <QHash>
#include <QObject>
#include <QVariant>

class QWidget;

namespace qwk {

class clsOptions;

class OptionBinder : public QObject {
    Q_OBJECT
public:
    explicit OptionBinder(clsOptions &options, QObject *parent = nullptr);

    // Line edits, check boxes, option buttons and editable lists; the field
    // shows the store's value at once.
    void bind(QWidget *field, const QString &key);
    static QString keyOf(const QObject *field);
    QWidget *field(const QString &key) const { return m_fields.value(key); }
    const QHash<QString, QWidget *> &fields() const { return m_fields; }

    // Store to field for one key.
    void refresh(const QString &key);

Q_SIGNALS:
    // A text (QString), a check box (int 0 or 1) or an option button (true).
    void edited(const QString &key, const QVariant &value);

private:
    clsOptions &m_options;
    QHash<QString, QWidget *> m_fields;
};

} // namespace qwk
