#pragma once

#include <QString>
#include <cstdint>

// Number helpers shared by the settings, the forms and the coordinate list.
namespace NumberText {

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
