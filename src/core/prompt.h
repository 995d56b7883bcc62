#pragma once
// Everything the core would ask a person goes through this one interface, so
// the same logic runs behind the designer's dialogs, the command line's fixed
// answers and the tests' scripted answers.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace qwk {

enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString title;
    QString filter;      // "Style sheets (*.css)|*.css" style, as the caller wrote it
    QString defaultExt;  // without the dot
    QString startName;   // file name or path proposed to the user
    bool mustExist = false;
    bool askOverwrite = false;
};

class Prompt {
public:
    virtual ~Prompt();

    // An OK-only message box.
    virtual void message(const QString &text, const QString &title = {}) = 0;
    virtual Answer question(const QString &text, Buttons buttons, const QString &title = {}) = 0;
    virtual std::optional<QString> openFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> pickFolder(const QString &title, const QString &start) = 0;
    virtual std::optional<QString> inputBox(const QString &text, const QString &title,
                                            const QString &defaultText) = 0;
    // Returns "#RRGGBB" or nothing (cancelled).
    virtual std::optional<QString> pickColour(const QString &initial) = 0;
};

// The command line's answers: nobody is there to ask, so every question gets
// its No or Cancel choice and every dialog is cancelled. Messages go to the
// sink (standard error in quenwick-cli).
class NonInteractivePrompt : public Prompt {
public:
    explicit NonInteractivePrompt(std::function<void(const QString &)> sink = {});

    void message(const QString &text, const QString &title = {}) override;
    Answer question(const QString &text, Buttons buttons, const QString &title = {}) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> pickFolder(const QString &title, const QString &start) override;
    std::optional<QString> inputBox(const QString &text, const QString &title,
                                    const QString &defaultText) override;
    std::optional<QString> pickColour(const QString &initial) override;

    // What was said, in order, for callers that report it later.
    const QStringList &said() const { return m_said; }

private:
    void note(const QString &text);
    std::function<void(const QString &)> m_sink;
    QStringList m_said;
};

// The answer a person who declines everything gives to a question.
Answer declineAnswer(Buttons buttons);

} // namespace qwk
