#include "support/ScriptedPrompter.h"

#include <QTest>

namespace {
void unscripted(const QString& what, const QString& text)
{
    const QByteArray description = ("Unscripted " + what + ": " + text).toUtf8();
    QTest::qFail(description.constData(), __FILE__, __LINE__);
}
} // namespace

void ScriptedPrompter::message(const QString& text, const QString& caption, Icon icon)
{
    m_log.append({Entry::Message, text, caption, icon, Buttons::Ok});
}

Prompter::Answer ScriptedPrompter::ask(const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    m_log.append({Entry::Question, text, caption, icon, buttons});
    if (m_answers.empty()) {
        unscripted(QStringLiteral("question"), text);
        return Answer::Cancel;
    }
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

Prompter::Answer ScriptedPrompter::askNamed(Question question, const QString& text, const QString& caption,
                                            Buttons buttons, Icon icon)
{
    const Answer answer = ask(text, caption, buttons, icon);
    m_log.last().question = question;
    return answer;
}

QString ScriptedPrompter::takeFileName(Entry::Kind kind, const QString& text, const QString& caption,
                                       const QString& what)
{
    m_log.append({kind, text, caption, Icon::None, Buttons::Ok});
    if (m_fileNames.empty()) {
        unscripted(what, caption);
        return QString();
    }
    const QString path = m_fileNames.front();
    m_fileNames.pop_front();
    return path;
}

QString ScriptedPrompter::openFileName(const QString& caption, const QString&, const QString&)
{
    return takeFileName(Entry::OpenFile, QString(), caption, QStringLiteral("open dialog"));
}

QString ScriptedPrompter::saveFileName(const QString& caption, const QString&, const QString& suggestedPath)
{
    return takeFileName(Entry::SaveFile, suggestedPath, caption, QStringLiteral("save dialog"));
}

QString ScriptedPrompter::folderName(const QString& caption, const QString& directory)
{
    return takeFileName(Entry::Folder, directory, caption, QStringLiteral("folder dialog"));
}

std::optional<QString> ScriptedPrompter::inputText(const QString& prompt, const QString& caption, const QString&)
{
    m_log.append({Entry::Input, prompt, caption, Icon::None, Buttons::OkCancel});
    if (m_inputs.empty()) {
        unscripted(QStringLiteral("text prompt"), prompt);
        return std::nullopt;
    }
    const bool answered = m_inputs.front().has_value();
    const QString text = m_inputs.front().value_or(QString());
    m_inputs.pop_front();
    if (!answered)
        return std::nullopt;
    return text;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList result;
    for (const Entry& entry : m_log)
        result.append(entry.text);
    return result;
}

void ScriptedPrompter::clear()
{
    m_log.clear();
    m_answers.clear();
    m_fileNames.clear();
    m_inputs.clear();
}
