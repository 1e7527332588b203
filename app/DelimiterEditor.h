#pragma once

#include <QStringList>

class Prompter;

// The delimiter list of the options dialog as the user edits it: each line is one delimiter
// between apostrophes, a tab shown as '{Tab}'.
class DelimiterEditor
{
public:
    // Lines for the given delimiters, as the dialog shows them on loading.
    explicit DelimiterEditor(const QStringList& delimiters = {});

    const QStringList& lines() const { return m_lines; }

    // Adds the typed text as a new line. Refuses ".", ",", "'" and "~" and a text already in
    // the list, with the dialog's messages. Returns true when a line was added (the caller then
    // empties the text box); an empty text does nothing.
    bool add(const QString& text, Prompter& prompter);

    // Removes the line at 0-based row; nothing happens for a row outside the list.
    void remove(int row);

    // The coded form written as "Delimitatori": each line's codes joined by "&", lines by ",".
    QString coded() const;

    static QString displayLine(const QString& delimiter);

private:
    QStringList m_lines;
};
