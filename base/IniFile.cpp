#include "base/IniFile.h"

#include "base/AnsiText.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr int MaxValueLength = 254;

QList<QByteArray> readLines(const QString& filePath, bool* endsWithNewline = nullptr)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = file.readAll();
    if (endsWithNewline)
        *endsWithNewline = content.endsWith('\n');
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for other lines.
bool sectionOf(const QByteArray& line, QString* name)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return false;
    const int close = trimmed.indexOf(']');
    *name = AnsiText::decode(trimmed.mid(1, close < 0 ? -1 : close - 1)).trimmed();
    return true;
}

bool keyOf(const QByteArray& line, QString* key, QString* value)
{
    const int equals = line.indexOf('=');
    if (equals < 0)
        return false;
    *key = AnsiText::decode(line.left(equals)).trimmed();
    if (value)
        *value = AnsiText::decode(line.mid(equals + 1)).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

namespace IniFile {

QString read(const QString& section, const QString& key, const QString& filePath)
{
    bool inSection = false;
    for (const QByteArray& line : readLines(filePath)) {
        QString name;
        if (sectionOf(line, &name)) {
            inSection = sameName(name, section);
            continue;
        }
        QString lineKey, value;
        if (inSection && keyOf(line, &lineKey, &value) && sameName(lineKey, key))
            return value.left(MaxValueLength);
    }
    return {};
}

bool write(const QString& section, const QString& key, const QString& value, const QString& filePath)
{
    QList<QByteArray> lines = readLines(filePath);
    const QByteArray newLine = AnsiText::encode(key) + '=' + AnsiText::encode(value);

    int sectionStart = -1; // index of the section's header line
    int insertAt = -1;     // after the section's last non-blank line
    bool replaced = false;
    for (int i = 0; i < lines.size() && !replaced; ++i) {
        QString name;
        if (sectionOf(lines[i], &name)) {
            if (sectionStart >= 0)
                break;
            if (sameName(name, section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        QString lineKey;
        if (keyOf(lines[i], &lineKey, nullptr) && sameName(lineKey, key)) {
            lines[i] = newLine;
            replaced = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!replaced) {
        if (sectionStart < 0) {
            lines.append('[' + AnsiText::encode(section) + ']');
            lines.append(newLine);
        } else {
            lines.insert(insertAt, newLine);
        }
    }

    QByteArray content;
    for (const QByteArray& line : lines)
        content += line + "\r\n";
    QSaveFile file(filePath);
    // Unbuffered: a buffered QSaveFile meets a full disk only in commit(), which then still
    // replaces the old file with the cut-short one; written directly, the short write shows here.
    // In a folder the user may not write, a file the user may write is rewritten in place: no
    // temporary file can be made beside it, and refusing would lose the save altogether.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace IniFile
