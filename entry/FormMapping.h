#pragma once

#include "entry/FormData.h"
#include "model/Document.h"

#include <QString>
#include <cstdint>

// The correspondence between the data form and the model, both ways, and the measured totals
// the form computes. Pure functions over FormData: the widget only copies its controls.
namespace FormMapping {

// The text with every "," replaced by ".".
QString CommaToPoint(const QString& text);

// A number as the totals write it: "." as decimal point, the shortest form with up to 15
// significant digits, no trailing zeros.
QString decimalText(double value);

// The measured total of the parcels' fourth column: plain areas are added; shares "a/b" add
// their numerators and the last share's denominator is kept ("1/4" + "2/8" is "3/8"). Every
// row counts, numbered or not. Areas are read by AreaText::value with the user's separator.
QString parcelsTotal(const GridRows& parcels, const QString& decimalSeparator = QStringLiteral("."));
// The measured total of the buildings' third column: "a+b" counts a and b, further parts are
// ignored.
QString buildingsTotal(const GridRows& buildings, const QString& decimalSeparator = QStringLiteral("."));

// Recompute one kept total from its grid (the widget then shows it).
void UpdateParcelsTotal(FormData& form, const QString& decimalSeparator);
void UpdateBuildingsTotal(FormData& form, const QString& decimalSeparator);

// What a measured-total label shows for a kept total: nothing for "0".
QString totalLabelText(const QString& keptTotal);

// True when the text reads as a number (AreaText::isNumber): blanks anywhere, an optional
// sign, digits with "." or the given decimal separator as the decimal point, an optional
// exponent.
bool readsAsNumber(const QString& text, const QString& decimalSeparator);

// The parcel number of a grid cell: a whole number in -32768..32767. Throws Failure
// (13 type mismatch, 6 overflow) otherwise.
std::int16_t parcelNumber(const QString& text);

// The numbers the add-row commands give a new row; empty when the last row's number is too
// long to continue (more than 15 digits, or an exponent such as C1e300).
QString nextParcelNumber(const GridRows& parcels);
QString nextBuildingNumber(const GridRows& buildings, bool isAp);

// Form -> model. Texts are taken as they stand except where noted: owners, parcel comments,
// building descriptions and comments in upper case; an apartment's share and useful area
// with "," made ".". parcelFromRow throws Failure for a number that is not a whole number.
AddressPtr addressFromForm(const FormData& form);
OwnerPtr ownerFromRow(const GridRows& owners, int row);
ParcelPtr parcelFromRow(const GridRows& parcels, int row, bool isAp);
BuildPtr buildFromRow(const GridRows& buildings, int row, bool isAp);

// The whole form as a document, without any check and without a message: what a recovery copy
// keeps of a form that may not validate yet. Rows left entirely empty are dropped; a parcel
// whose number is no whole number keeps its other cells under number 0. Totals are the kept
// ones.
DocumentPtr draftDocument(const FormData& form);

// Model -> form: the grids, the totals, the apartment flag and every address text (the street
// name goes to both the list text and the free field; the widget keeps the one its
// locality uses). The lists' selections and identifiers are the widget's, made through the
// lookup tables. Empty references in the document read as empty collections.
FormData formFromDocument(const Document& document);
QStringList ownerRow(const Owner& owner);
QStringList parcelRow(const Parcel& parcel);
QStringList buildRow(const Build& build);

} // namespace FormMapping
