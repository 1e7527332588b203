#pragma once

#include <QString>
#include <QStringList>

// The code lists of the exchange file and how the document's own values map onto them.
// Every table is data (see CgxmlCodes.cpp); a value a table does not know maps to an empty text.
namespace CgxmlCodes {

// Street type written out in the document ("Strada", "Bulevardul") -> the file's code ("STR",
// "BDUL"). Case and the old cedilla letters are ignored.
QString streetTypeCode(const QString& name);
// The file's code -> the nomenclature's name ("BDUL" -> "Bulevardul"); empty when unknown.
QString streetTypeName(const QString& code);

// Land use categories and building destinations the file accepts.
const QStringList& useCategories();
const QStringList& buildingDestinations();
bool isUseCategory(const QString& code);
bool isBuildingDestination(const QString& code);

// The document's destination group of land (TDA, TDF, TDH, TDI, TDS), which the file does not
// carry: inside the built-up area everything is TDI, outside it follows the use category.
QString landDestination(const QString& useCategory, bool intravilan);

} // namespace CgxmlCodes
