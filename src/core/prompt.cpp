#include "core/prompt.h"

namespace qwk {

Prompt::~Prompt() = default;

Answer declineAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
    case Buttons::OkCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

NonInteractivePrompt::NonInteractivePrompt(std::function<void(const QString &)> sink)
    : m_sink(std::move(sink))
{
}

void NonInteractivePrompt::note(const QString &text)
{
    m_said.append(text);
    if (m_sink)
        m_sink(text);
}

void NonInteractivePrompt::message(const QString &text, const QString &)
{
    note(text);
}

Answer NonInteractivePrompt::question(const QString &text, Buttons buttons, const QString &)
{
    note(text);
    return declineAnswer(buttons);
}

std::optional<QString> NonInteractivePrompt::openFile(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QString> NonInteractivePrompt::saveFile(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QString> NonInteractivePrompt::pickFolder(const QString &, const QString &)
{
    return std::nullopt;
}

std::optional<QString> NonInteractivePrompt::inputBox(const QString &, const QString &, const QString &)
{
    return std::nullopt;
}

std::optional<QString> NonInteractivePrompt::pickColour(const QString &)
{
    return std::nullopt;
}

} // namespace qwk
