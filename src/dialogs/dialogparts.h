#pragma once
// What every dialog of the designer shares: the row of buttons at the
// bottom, O.K. as the default button (Return accepts), Cancel and Escape and
// the window's close button rejecting.

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

namespace qwk {

inline QPushButton *dialogButton(const QString &text, const QString &name)
{
    auto *b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// Adds "O.K." (cmdExit), then "Cancel" (cmdCancel) when wanted, right aligned,
// with help (may be null) on the left. O.K. calls onOk, which accepts the
// dialog when the values pass their checks.
template <typename F>
QPushButton *addDialogButtons(QDialog *dialog, QBoxLayout *layout, F onOk, bool cancel = true, QPushButton *help = nullptr)
{
    auto *row = new QHBoxLayout;
    if (help)
        row->addWidget(help);
    row->addStretch(1);
    QPushButton *ok = dialogButton(QStringLiteral("O.K."), QStringLiteral("cmdExit"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, onOk);
    row->addWidget(ok);
    if (cancel) {
        QPushButton *c = dialogButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"));
        QObject::connect(c, &QPushButton::clicked, dialog, &QDialog::reject);
        row->addWidget(c);
    }
    layout->addLayout(row);
    return ok;
}

// A labelled box of a few lines (lists of one entry per line, short
// templates); Tab leaves it, as in the other fields.
inline QPlainTextEdit *labelledTextBox(QBoxLayout *layout, const QString &name, const QString &label)
{
    auto *l = new QLabel(label);
    l->setWordWrap(true);
    layout->addWidget(l);
    auto *e = new QPlainTextEdit;
    e->setObjectName(name);
    e->setTabChangesFocus(true);
    e->setFixedHeight(e->fontMetrics().lineSpacing() * 4 + 12);
    l->setBuddy(e);
    layout->addWidget(e);
    return e;
}

} // namespace qwk
