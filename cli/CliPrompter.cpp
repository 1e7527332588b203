#include "cli/CliPrompter.h"

void CliPrompter::message(const QString& text, const QString&, Icon)
{
    m_errors << text;
}

Prompter::Answer CliPrompter::ask(const QString&, const QString&, Buttons, Icon)
{
    return Answer::Yes;
}

Prompter::Answer CliPrompter::askNamed(Question question, const QString& text, const QString& caption, Buttons buttons,
                                       Icon icon)
{
    const auto set = m_answers.find(question);
    return set != m_answers.end() ? set->second : ask(text, caption, buttons, icon);
}

QString CliPrompter::openFileName(const QString&, const QString&, const QString&)
{
    return QString();
}

QString CliPrompter::saveFileName(const QString&, const QString&, const QString&)
{
    return QString();
}

std::optional<QString> CliPrompter::inputText(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}
