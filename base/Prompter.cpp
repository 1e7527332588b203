#include "base/Prompter.h"

#include "base/Error.h"

void Prompter::showError(int number, const QString& description, Icon icon)
{
    message(Error{number, description}.text(), QStringLiteral("Eroare"), icon);
}

QString Prompter::folderName(const QString&, const QString&)
{
    return QString();
}

Prompter::Answer Prompter::askNamed(Question, const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    return ask(text, caption, buttons, icon);
}
