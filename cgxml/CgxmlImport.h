#pragma once

#include "cgxml/CgxmlReader.h"
#include "model/Document.h"

class CgxmlNomenclature;

// Turns the rows of an exchange file into a property document: one land with its address,
// owners, parcels, buildings and contours. What the document cannot hold is listed, never
// dropped silently.
class CgxmlImport
{
public:
    struct Result
    {
        DocumentPtr document;
        // One line per kind of row or value left behind, in Romanian.
        QStringList leftBehind;
        // Remarks on matching the address to the nomenclature.
        QStringList remarks;
    };

    // Takes the first land, or the one whose cadastral number (CADGENNO, E2IDENTIFIER or
    // PAPERCADNO) is `cadastralNumber`. `nomenclature` may be null or closed. False with a
    // Romanian message naming the line when a required row or field is missing or unreadable.
    static bool toDocument(const CgxmlReader& rows, const QString& cadastralNumber, CgxmlNomenclature* nomenclature,
                           Result* result, QString* error);

    // The single message a user sees about what was left behind (empty when nothing was).
    static QString report(const Result& result);
};
