#include "support/scriptedprompt.h"

namespace qwk::test {

QStringList ScriptedPrompt::messages() const
{
    QStringList out;
    for (const Asked &a : asked)
        if (a.kind == u"message")
            out << a.text;
    return out;
}

QStringList ScriptedPrompt::questions() const
{
    QStringList out;
    for (const Asked &a : asked)
        if (a.kind == u"question")
            out << a.text;
    return out;
}

std::optional<QString> ScriptedPrompt::nextReply()
{
    if (replies.isEmpty())
        return std::nullopt;
    return replies.takeFirst();
}

void ScriptedPrompt::message(const QString &text, const QString &)
{
    asked.append({QStringLiteral("message"), text, Buttons::Ok, {}});
}

Answer ScriptedPrompt::question(const QString &text, Buttons buttons, const QString &)
{
    asked.append({QStringLiteral("question"), text, buttons, {}});
    return answers.isEmpty() ? declineAnswer(buttons) : answers.takeFirst();
}

std::optional<QString> ScriptedPrompt::openFile(const FileDialogRequest &request)
{
    asked.append({QStringLiteral("openFile"), request.title, Buttons::Ok, request});
    return nextReply();
}

std::optional<QString> ScriptedPrompt::saveFile(const FileDialogRequest &request)
{
    asked.append({QStringLiteral("saveFile"), request.title, Buttons::Ok, request});
    return nextReply();
}

std::optional<QString> ScriptedPrompt::pickFolder(const QString &title, const QString &)
{
    asked.append({QStringLiteral("pickFolder"), title, Buttons::Ok, {}});
    return nextReply();
}

std::optional<QString> ScriptedPrompt::inputBox(const QString &text, const QString &, const QString &)
{
    asked.append({QStringLiteral("inputBox"), text, Buttons::Ok, {}});
    return nextReply();
}

std::optional<QString> ScriptedPrompt::pickColour(const QString &initial)
{
    asked.append({QStringLiteral("pickColour"), initial, Buttons::Ok, {}});
    return nextReply();
}

} // namespace qwk::test
