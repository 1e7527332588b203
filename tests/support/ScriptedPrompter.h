#pragma once

#include "base/Prompter.h"

#include <QList>
#include <QStringList>
#include <deque>

// A Prompter for tests: answers come from queues filled by the test, every prompt is logged,
// and a prompt without a scripted answer fails the running test (never a modal box).
class ScriptedPrompter : public Prompter
{
public:
    struct Entry
    {
        enum Kind
        {
            Message,
            Question,
            OpenFile,
            SaveFile,
            Folder,
            Input
        } kind;
        QString text;
        QString caption;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        // The name the caller gave the question (Unnamed for a plain ask).
        Prompter::Question question = Prompter::Question::Unnamed;
    };

    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    // Answers for the file and the folder dialogs alike, in the order they are asked.
    void queueFileName(const QString& path) { m_fileNames.push_back(path); }
    void queueInput(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }

    void message(const QString& text, const QString& caption, Icon icon) override;
    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;
    // Answered from the same queue as ask(); the log keeps the name.
    Answer askNamed(Question question, const QString& text, const QString& caption, Buttons buttons,
                    Icon icon) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& directory) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& suggestedPath) override;
    QString folderName(const QString& caption, const QString& directory) override;
    std::optional<QString> inputText(const QString& prompt, const QString& caption,
                                     const QString& defaultText) override;

    const QList<Entry>& log() const { return m_log; }
    QStringList texts() const;
    const Entry& last() const { return m_log.last(); }
    void clear();
    // True when every scripted answer was used.
    bool allUsed() const { return m_answers.empty() && m_fileNames.empty() && m_inputs.empty(); }

private:
    QString takeFileName(Entry::Kind kind, const QString& text, const QString& caption, const QString& what);

    QList<Entry> m_log;
    std::deque<Answer> m_answers;
    std::deque<QString> m_fileNames;
    std::deque<std::optional<QString>> m_inputs;
};
