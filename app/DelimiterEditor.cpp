#include "app/DelimiterEditor.h"

#include "base/AnsiText.h"
#include "base/Prompter.h"

namespace {
const QChar Apostrophe(QLatin1Char('\''));

QString quoted(const QString& text)
{
    return Apostrophe + text + Apostrophe;
}
} // namespace

DelimiterEditor::DelimiterEditor(const QStringList& delimiters)
{
    for (const QString& delimiter : delimiters)
        m_lines.append(displayLine(delimiter));
}

QString DelimiterEditor::displayLine(const QString& delimiter)
{
    if (delimiter.startsWith(QLatin1Char('\t')))
        return quoted(QStringLiteral("{Tab}"));
    return quoted(delimiter);
}

bool DelimiterEditor::add(const QString& text, Prompter& prompter)
{
    if (text.isEmpty())
        return false;
    if (text == QLatin1String(".") || text == QLatin1String(",") || text == QLatin1String("'") ||
        text == QLatin1String("~")) {
        prompter.error(QStringLiteral("Caracterul despartitor ") + quoted(text) + QStringLiteral(" este incorect."));
        return false;
    }
    if (m_lines.contains(quoted(text))) {
        prompter.error(QStringLiteral("Caracterul despartitor ") + quoted(text) + QStringLiteral(" exista in lista."));
        return false;
    }
    m_lines.append(quoted(text));
    return true;
}

void DelimiterEditor::remove(int row)
{
    if (row >= 0 && row < m_lines.size())
        m_lines.removeAt(row);
}

QString DelimiterEditor::coded() const
{
    QStringList entries;
    for (const QString& line : m_lines) {
        const QString text = line.mid(1, line.size() - 2);
        if (text.toUpper() == QLatin1String("{TAB}")) {
            entries.append(QStringLiteral("9"));
            continue;
        }
        QStringList codes;
        for (unsigned char byte : AnsiText::encode(text))
            codes.append(QString::number(byte));
        entries.append(codes.join(QLatin1Char('&')));
    }
    return entries.join(QLatin1Char(','));
}
