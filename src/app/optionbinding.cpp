#include "app/optionbinding.h"

#include "options/options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace qwk {

namespace {
const char *const kKeyProperty = "optionKey";
}

OptionBinder::OptionBinder(clsOptions &options, QObject *parent) : QObject(parent), m_options(options)
{
    connect(&options, &clsOptions::valueChanged, this, &OptionBinder::refresh);
}

QString OptionBinder::keyOf(const QObject *field)
{
    return field ? field->property(kKeyProperty).toString() : QString();
}

void OptionBinder::bind(QWidget *field, const QString &key)
{
    field->setProperty(kKeyProperty, key);
    m_fields.insert(key, field);
    if (auto *e = qobject_cast<QLineEdit *>(field)) {
        connect(e, &QLineEdit::textEdited, this, [this, key](const QString &t) { Q_EMIT edited(key, t); });
    } else if (auto *r = qobject_cast<QRadioButton *>(field)) {
        connect(r, &QRadioButton::clicked, this, [this, key] { Q_EMIT edited(key, true); });
    } else if (auto *c = qobject_cast<QCheckBox *>(field)) {
        connect(c, &QCheckBox::clicked, this, [this, key](bool on) { Q_EMIT edited(key, on ? 1 : 0); });
    } else if (auto *b = qobject_cast<QComboBox *>(field)) {
        connect(b, &QComboBox::activated, this, [this, key, b] { Q_EMIT edited(key, b->currentText()); });
        if (b->lineEdit()) {
            connect(b->lineEdit(), &QLineEdit::textEdited, this,
                    [this, key](const QString &t) { Q_EMIT edited(key, t); });
        }
    }
    refresh(key);
}

void OptionBinder::refresh(const QString &key)
{
    QWidget *field = m_fields.value(key);
    if (!field)
        return;
    const QVariant v = m_options.controlValue(key);
    const QSignalBlocker block(field);
    if (auto *e = qobject_cast<QLineEdit *>(field)) {
        const QString t = v.toString();
        if (e->text() != t)
            e->setText(t);
        // A long path can be read whole in the tooltip.
        e->setToolTip(t);
    } else if (auto *r = qobject_cast<QRadioButton *>(field)) {
        const bool on = v.toBool();
        if (r->isChecked() != on) {
            // An exclusive button cannot be cleared by itself; a group may
            // legitimately have no choice on (a hidden link kind is chosen).
            r->setAutoExclusive(false);
            r->setChecked(on);
            r->setAutoExclusive(true);
        }
    } else if (auto *c = qobject_cast<QCheckBox *>(field)) {
        const bool on = v.toInt() == 1;
        if (c->isChecked() != on)
            c->setChecked(on);
    } else if (auto *b = qobject_cast<QComboBox *>(field)) {
        const QString t = v.toString();
        if (b->currentText() != t) {
            const QSignalBlocker blockEdit(b->lineEdit());
            b->setCurrentText(t);
        }
    }
}

} // namespace qwk
