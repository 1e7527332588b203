#include "coordlist/PasteText.h"

#include "coordlist/CoordinateFormat.h"
#include "model/Contours.h"

#include <QVarLengthArray>

namespace PasteText {

namespace {
const QString& Teren = Contours::LandName;

// The pieces of a line split at the delimiter; at most five are kept, which is enough to
// tell a line with too many columns.
int splitFields(QStringView line, const QString& delimiter, QStringView* fields, int capacity)
{
    int count = 0;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = line.indexOf(delimiter, from);
        if (at < 0) {
            if (count < capacity)
                fields[count] = line.mid(from);
            return count + 1;
        }
        if (count < capacity)
            fields[count] = line.mid(from, at - from);
        ++count;
        from = at + delimiter.size();
    }
}

QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}
} // namespace

QString CollapseSpaces(const QString& text)
{
    const QStringView trimmed = trimSpaces(text);
    QString result(trimmed.size(), Qt::Uninitialized);
    QChar* out = result.data();
    qsizetype n = 0;
    bool inRun = false;
    for (QChar c : trimmed) {
        if (c == QLatin1Char(' ')) {
            if (inRun)
                continue;
            inRun = true;
        } else {
            inRun = false;
        }
        out[n++] = c;
    }
    result.truncate(n);
    return result;
}

int FindDelimiter(QStringView line, const QStringList& delimiters)
{
    for (int i = 0; i < delimiters.size(); ++i) {
        if (!delimiters[i].isEmpty() && line.contains(delimiters[i]))
            return i;
    }
    return -1;
}

Result parse(const QString& text, const QStringList& delimiters, int decimals, const QString& decimalSeparator,
             const std::optional<QString>& fixedEntity)
{
    Result result;
    const QString collapsed = CollapseSpaces(text);
    const QString fixedUpper = fixedEntity ? fixedEntity->toUpper() : QString();

    // The line breaks: CR LF as written by the platform the lists come from, and lone LF or
    // CR from other sources. The final break (added when missing) does not start a line.
    std::vector<QStringView> lines;
    {
        const QStringView all(collapsed);
        qsizetype from = 0;
        const qsizetype n = all.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = all[i];
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                lines.push_back(all.mid(from, i - from));
                if (c == QLatin1Char('\r') && i + 1 < n && all[i + 1] == QLatin1Char('\n'))
                    ++i;
                from = i + 1;
            }
        }
        if (from < n)
            lines.push_back(all.mid(from));
        if (lines.empty())
            lines.push_back(QStringView()); // an empty clipboard is one empty line
    }
    if (lines.size() > std::size_t(MaxLines)) {
        result.outcome = Result::Failed;
        result.error = Failure::overflow().error();
        result.line = MaxLines + 1;
        return result;
    }

    result.rows.reserve(lines.size());
    QString previousEntity = Teren;
    QStringView fields[5];
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const QStringView line = trimSpaces(lines[k]);
        const int lineNumber = int(k) + 1;
        const int delimiter = FindDelimiter(line, delimiters);
        if (delimiter < 0) {
            result.outcome = Result::NoDelimiter;
            result.line = lineNumber;
            result.rows.clear();
            return result;
        }
        const int count = splitFields(line, delimiters[delimiter], fields, 5);
        if (count > 4) {
            result.outcome = Result::TooManyColumns;
            result.line = lineNumber;
            result.rows.clear();
            return result;
        }
        Row row;
        try {
            const QString& defaultEntity = fixedEntity ? fixedUpper : previousEntity;
            switch (count) {
            case 2:
                row.entity = defaultEntity;
                row.number = QString::number(lineNumber);
                row.est = CoordinateFormat::FormatCoordinate(fields[0], decimals, decimalSeparator, &row.estValue);
                row.nord = CoordinateFormat::FormatCoordinate(fields[1], decimals, decimalSeparator, &row.nordValue);
                break;
            case 3:
                row.entity = defaultEntity;
                row.number = fields[0].toString();
                row.est = CoordinateFormat::FormatCoordinate(fields[1], decimals, decimalSeparator, &row.estValue);
                row.nord = CoordinateFormat::FormatCoordinate(fields[2], decimals, decimalSeparator, &row.nordValue);
                break;
            default:
                row.entity = fields[0].toString().toUpper();
                row.number = fields[1].toString();
                row.est = CoordinateFormat::FormatCoordinate(fields[2], decimals, decimalSeparator, &row.estValue);
                row.nord = CoordinateFormat::FormatCoordinate(fields[3], decimals, decimalSeparator, &row.nordValue);
                break;
            }
        } catch (const Failure& failure) {
            result.outcome = Result::Failed;
            result.error = failure.error();
            result.line = lineNumber;
            result.rows.clear();
            return result;
        }
        previousEntity = row.entity;
        result.rows.push_back(std::move(row));
    }
    return result;
}

namespace {
QString refusal(const Result& result)
{
    switch (result.outcome) {
    case Result::NoDelimiter:
        return QStringLiteral("A fost gasit un caracter incorect pentru delimitarea coloanelor.");
    case Result::TooManyColumns:
        return QStringLiteral("Se incearca inserarea unui numar prea mare de coloane.");
    case Result::Failed:
        return result.error.text();
    case Result::Parsed:
        break;
    }
    return QString();
}
} // namespace

QString message(const Result& result)
{
    const QString text = refusal(result);
    // The line that stopped the paste, so that a long list can be mended; a list with too many
    // lines is refused as a whole and names none.
    if (text.isEmpty() || result.line <= 0 || result.line > MaxLines)
        return text;
    return QStringLiteral("Linia %1: ").arg(result.line) + text;
}

} // namespace PasteText
