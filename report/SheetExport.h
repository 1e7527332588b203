#pragma once

#include "base/Error.h"
#include "model/Document.h"

#include <QString>
#include <optional>

// The property sheet of a saved document, without a window: the sketch is drawn at the fit zoom
// of a square picture and the sheet composed by Fisa.
namespace SheetExport {

struct Options
{
    // Unset: the address's SIRUTA code, the document's surveyor, today's short date.
    std::optional<QString> siruta;
    std::optional<QString> surveyorName;
    std::optional<QString> dateText;
    // Side of the drawn sketch in pixels; the sheet keeps at most 600.
    int sketchSide = 600;
};

// The code printed as "Cod SIRUTA": the address's, which is the chosen locality's inside the
// built-up area and the administrative territory's outside it (no locality chosen). The window
// and the command line both print this one.
QString sirutaText(const Land& land);

// Writes the sheet of `document` to fileName. A document without a land contour gets a sheet
// without a sketch, with the reason in *warning. False with the failure in *error.
bool exportDocument(const Document& document, const QString& fileName, const Options& options, Error* error,
                    QString* warning = nullptr);

} // namespace SheetExport
