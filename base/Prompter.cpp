#include "base/Prompter.h"

#include "base/Error.h"

void Prompter::error(const QString& text, Icon icon)
{
    message(text, CaptionError, icon);
}

Prompter::Answer Prompter::confirm(const QString& text, Buttons buttons, Icon icon)
{
    return ask(text, CaptionConfirm, buttons, icon);
}

void Prompter::info(const QString& text, Icon icon)
{
    message(text, CaptionInfo, icon);
}

void Prompter::showError(int number, const QString& description, Icon icon)
{
    showError(Error{number, description}, icon);
}

void Prompter::showError(const Error& failure, Icon icon)
{
    error(failure.text(), icon);
}

QString Prompter::folderName(const QString&, const QString&)
{
    return QString();
}

Prompter::Answer Prompter::askNamed(Question, const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    return ask(text, caption, buttons, icon);
}
