#pragma once
// The prompt on the desktop's own dialogs: message boxes, file and folder
// dialogs, the input box and the colour dialog. The texts are passed on as
// the callers wrote them.

#include "core/prompt.h"

class QWidget;

namespace qwk {

class WidgetPrompt : public Prompt {
public:
    // Dialogs are centred over the parent; without one, over the active window.
    explicit WidgetPrompt(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParentWidget(QWidget *parent) { m_parent = parent; }

    void message(const QString &text, const QString &title = {}) override;
    Answer question(const QString &text, Buttons buttons, const QString &title = {}) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> pickFolder(const QString &title, const QString &start) override;
    std::optional<QString> inputBox(const QString &text, const QString &title,
                                    const QString &defaultText) override;
    std::optional<QString> pickColour(const QString &initial) override;

    // "desc|pattern|desc|pattern" as the callers write filters, in Qt's form
    // ("desc (pattern);;..."); "*.*" means every file, "*.exe" the
    // programs of the platform.
    static QString qtFilter(const QString &filter);

private:
    QWidget *parent() const;
    QWidget *m_parent;
};

} // namespace qwk
