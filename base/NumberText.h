#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// Numbers read from and written to text: the settings, the forms, the coordinate list and the
// coordinate table all read and write numbers through here, with the decimal separator given.
namespace NumberText {

// Reads a number written with the given decimal separator (blanks around it allowed). The other
// mark of the pair is digit grouping and is skipped ("1,234.5" under ".", "1.234,5" under ",").
// Returns false for text that is not wholly a number.
bool parse(QStringView text, const QString& decimalSeparator, double* value);

// The number with `decimals` digits after the separator (negative counts as 0), a leading "0"
// below 1, no digit grouping and never "-0".
QString fixedText(double value, int decimals, const QString& decimalSeparator);

// The text a variant double gets when it is turned into text in the user's locale:
// at most 15 significant digits, the given separator.
QString variantText(double value, const QString& decimalSeparator);

// A double after a trip through that text (15 significant digits), without building it.
double throughVariantText(double value);

// The value of the longest leading part of the text that reads as a decimal number with "."
// as the decimal point (sign and exponent allowed); blanks anywhere are ignored. 0 when
// there is none: "12abc" is 12, "12,5" is 12, "abc" is 0.
double leadingNumber(const QString& text);

// Rounds to the nearest integer, halves to the even one (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// A 16-bit signed value from a number: rounded half-to-even, clamped to -32768..32767.
std::int16_t toInt16(double value);

// The user's decimal separator, as the system locale gives it.
QString systemDecimalSeparator();

// The key filter of numeric cells: keeps Enter (13), "." (46), Backspace (8), "," (44) and
// digits; returns 0 for every other character code, which the caller swallows.
int numericKeyFilter(int characterCode);

} // namespace NumberText
