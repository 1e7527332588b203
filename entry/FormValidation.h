#pragma once

#include "entry/FormData.h"

#include <QString>

class Document;
class Prompter;

namespace FormValidation {

// Checks the form in the fixed order (address, apartment number, owners, parcels, buildings)
// and, only when every check passed, gives the document's Land a new Address, Parcels,
// Buildings and Owners built from the form. The first failed check shows its message
// (caption "Eroare", exclamation icon) and returns false with the document untouched; the
// three street questions of an intravilan address go on on Yes. Whatever the run got to,
// the form keeps the in-place changes: "," made "." in an apartment's share and area cells
// and legal totals, "0" in empty legal totals, recomputed and marked measured totals.
// decimalSeparator is the user's, accepted beside "." where an area must read as a number.
bool ValidateData(FormData& form, Document& document, Prompter& prompter, const QString& decimalSeparator);

} // namespace FormValidation
