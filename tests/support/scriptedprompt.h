#pragma once
// A prompt for tests: answers come from a queue the test fills, and every
// message and question is recorded so the test can assert the exact texts.

#include "core/prompt.h"

#include <QList>
#include <QStringList>
#include <QVariant>

namespace qwk::test {

class ScriptedPrompt : public Prompt {
public:
    struct Asked {
        QString kind; // "message", "question", "openFile", "saveFile", "pickFolder", "inputBox", "pickColour"
        QString text; // the message, question, dialog title or input text
        Buttons buttons = Buttons::Ok;
        FileDialogRequest file;
    };

    // Queues the next answers. A question with no queued answer is declined.
    QList<Answer> answers;
    QList<std::optional<QString>> replies; // for file, folder, input and colour requests

    QList<Asked> asked;
    QStringList messages() const;  // texts of the messages, in order
    QStringList questions() const; // texts of the questions, in order

    void message(const QString &text, const QString &title = {}) override;
    Answer question(const QString &text, Buttons buttons, const QString &title = {}) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> pickFolder(const QString &title, const QString &start) override;
    std::optional<QString> inputBox(const QString &text, const QString &title,
                                    const QString &defaultText) override;
    std::optional<QString> pickColour(const QString &initial) override;

private:
    std::optional<QString> nextReply();
};

} // namespace qwk::test
