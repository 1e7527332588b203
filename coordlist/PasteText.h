#pragma once

#include "base/Error.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The text formats of the coordinate list's clipboard: parsing a pasted point list into
// rows, and the helpers the copy commands and the paste share.
namespace PasteText {

// The most lines one paste takes: the rows the list can hold.
constexpr int MaxLines = 32767;

struct Row
{
    QString entity;
    QString number;
    QString est;
    QString nord;
    // The numbers Est and Nord were read as (0 for blank fields).
    double estValue = 0;
    double nordValue = 0;
};

struct Result
{
    enum Outcome
    {
        Parsed,
        NoDelimiter,
        TooManyColumns,
        Failed
    };
    Outcome outcome = Parsed;
    Error error;           // for Failed: the failure of the line (number and description)
    int line = 0;          // 1-based line that stopped the parse (0 when parsed)
    std::vector<Row> rows; // only when Parsed
};

// Trims the spaces at both ends of the text and turns every run of spaces into one space.
// Tabs and other characters stay.
QString CollapseSpaces(const QString& text);

// The first delimiter, in list order, that occurs in the line (empty entries never match);
// -1 when none does.
int FindDelimiter(QStringView line, const QStringList& delimiters);

// Parses pasted text into rows, all lines or nothing. Lines end at CR LF, at a lone LF or at
// a lone CR; spaces are collapsed and each line is trimmed of spaces at its ends. A line has
// two (Est, Nord), three (number, Est, Nord) or four (entity, number, Est, Nord) fields.
// fixedEntity: the entity of lines without one; when absent, the first line gets "TEREN"
// and each later line the entity of the line before it. Coordinates go through
// FormatCoordinate with the given decimals and separator.
Result parse(const QString& text, const QStringList& delimiters, int decimals, const QString& decimalSeparator,
             const std::optional<QString>& fixedEntity);

// The error messages of a refused paste.
QString message(const Result& result);

} // namespace PasteText
