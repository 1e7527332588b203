#pragma once

#include <QString>

// Areas the user types (measured areas, shares, the totals of the data form): one rule for
// reading them wherever they are read (the form's checks and totals, the contour checks before
// a save), so that "54,5" counts as 54.5 everywhere when "," is the user's decimal separator.
// "." is a decimal point too; blanks anywhere in the text are ignored.
namespace AreaText {

// The value of the longest leading part of the text that reads as a number; 0 when there is
// none ("52O" gives 52, "abc" 0). For a text that isNumber() accepts, its whole value.
double value(const QString& text, const QString& decimalSeparator);

// True when the whole text is a number: an optional sign, digits with at most one decimal
// point, an optional exponent. "52O", "4O2", "12+5", "1/2" and "" are not.
bool isNumber(const QString& text, const QString& decimalSeparator);

} // namespace AreaText
