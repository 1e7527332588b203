#pragma once

#include "base/Prompter.h"

#include <QStringList>
#include <map>

// The prompter of lotmark-cli, where nobody reads the questions: a named question gets the
// answer the command set for it from its options, any other question Yes (the answer of a user
// who goes on through the dialogs), file dialogs and text prompts are cancelled. Messages are
// kept, in order, for the command to report as its errors.
class CliPrompter : public Prompter
{
public:
    void setAnswer(Question question, Answer answer) { m_answers[question] = answer; }
    const QStringList& errors() const { return m_errors; }

    void message(const QString& text, const QString& caption, Icon icon) override;
    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;
    Answer askNamed(Question question, const QString& text, const QString& caption, Buttons buttons,
                    Icon icon) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& directory) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& suggestedPath) override;
    std::optional<QString> inputText(const QString& prompt, const QString& caption,
                                     const QString& defaultText) override;

private:
    std::map<Question, Answer> m_answers;
    QStringList m_errors;
};
