#pragma once

#include <QString>
#include <QStringList>

// The coded form of the coordinate delimiters kept under "Delimitatori": entries separated by
// ",", each entry the decimal ANSI codes of its characters joined by "&" ("9,32,13&10").
namespace DelimiterList {

// Decodes the setting. A piece that is not a code of 0..255 is skipped.
QStringList parse(const QString& coded);

// Encodes a list the way the options dialog writes it.
QString encode(const QStringList& delimiters);

} // namespace DelimiterList
