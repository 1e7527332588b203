#pragma once

#include <QString>

// Display form of the names of the official nomenclatures, which come in capitals and with the
// old cedilla letters.
namespace NameCase {

// Ş ş Ţ ţ (cedilla) become Ș ș Ț ț (comma below); nothing else changes.
QString commaBelow(const QString& text);

// "VLADNICU DE SUS" -> "Vladnicu de Sus": every word capitalised after a blank, a hyphen, a point,
// an apostrophe or a parenthesis; the small linking words (de, din, lui, cel, cu, pe, sub, la, ...)
// lower case except at the start; Roman numerals (II, VII) in capitals; runs of blanks made one;
// cedillas as in commaBelow.
QString display(const QString& text);

// Orders street names as the street lists show them: letters of the Romanian alphabet first, in
// its order and without regard to case (ă after a, î after i, ș after s), then every other
// character by its code (the blank before the digits). Negative, 0 or positive as for strcmp.
int compareStreetNames(const QString& a, const QString& b);

} // namespace NameCase
