#pragma once

#include <QString>

// Reading and writing numbers by the user's locale rules, with the decimal separator given.
namespace LocaleNumber {

// Reads a number written with the given decimal separator (blanks around it allowed).
// Returns false for text that is not a number.
bool parse(const QString& text, const QString& decimalSeparator, double* value);

// The text a variant double gets when it is turned into text in the user's locale:
// at most 15 significant digits, the given separator.
QString variantText(double value, const QString& decimalSeparator);

// A double after a trip through that text (15 significant digits), without building it.
double throughVariantText(double value);

} // namespace LocaleNumber
