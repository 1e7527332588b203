#pragma once

#include <QString>
#include <QStringView>

// Coordinate texts of the coordinate list: the user's decimal separator, a fixed number of
// decimals, a leading "0" below 1, no digit grouping.
namespace CoordinateFormat {

// Any input text into the coordinate format: blank gives "", every "," (or else every ".")
// becomes the separator, then the number is written again. Throws Failure (13 Type
// mismatch) for text that is not a number.
QString FormatCoordinate(QStringView text, int decimals, const QString& decimalSeparator);
// The value the text was read as, for callers that check it against a bound.
QString FormatCoordinate(QStringView text, int decimals, const QString& decimalSeparator, double* value);

// The magnitude a coordinate text is checked against the 1,000,000 bound with: its leading
// numeric value, with the user's separator taken as the decimal point (so that "1000000,5"
// is over the bound whichever separator the user has).
double boundValue(const QString& text, const QString& decimalSeparator);

// The largest coordinate the list accepts.
constexpr double MaximumCoordinate = 1000000.0;

} // namespace CoordinateFormat
