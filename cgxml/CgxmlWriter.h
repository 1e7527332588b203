#pragma once

#include "base/Error.h"
#include "model/Document.h"

#include <QDateTime>
#include <functional>

class QIODevice;

// Writes a property document as a national exchange file (.cgxml): a flat UTF-8 XML file of
// rows tied by ID fields, Stereo 70 metres with the file's X the northing (the document's Y,
// "Nord") and its Y the easting (the document's X, "Est").
class CgxmlWriter
{
public:
    struct Options
    {
        QString fileName;        // FILENAME, the name without folders
        QDateTime exportDate;    // EXPORTDATE (now when invalid)
        QString surveyorName;    // LICENSEDNAME (the document's when empty)
        QString surveyorLicense; // LICENSENUMBER (the document's when empty)
        // The territory (SIRSUP) of a locality's SIRUTA code, 0 when unknown. Unset: unknown.
        std::function<int(int)> territoryOf;
    };

    // Writes the file; false with the failure in *error (the device's own error text).
    static bool write(const Document& document, const Options& options, QIODevice* device, Error* error = nullptr);
    // Writes `path` through a temporary file renamed at the end: a failure leaves an existing
    // file as it was.
    static bool writeFile(const Document& document, const Options& options, const QString& path,
                          Error* error = nullptr);

    // The file's BUILDNO of a building number: "C12" and "12" give 12; 0 when it has no digits
    // after an optional leading C.
    static int buildingNumber(const QString& no);
    // A number as the file writes it: the shortest text that reads back the same double.
    static QString number(double value);
};
