#include "report/SheetExport.h"

#include "report/Fisa.h"
#include "sketch/SketchRenderer.h"

namespace SheetExport {

QString sirutaText(const Land& land)
{
    return QString::number(land.Address() ? land.Address()->SIRUTA() : 0);
}

bool exportDocument(const Document& document, const QString& fileName, const Options& options, Error* error,
                    QString* warning)
{
    const LandPtr land = document.Land() ? document.Land() : std::make_shared<Land>();
    Fisa sheet;
    sheet.setFileName(fileName);
    sheet.setSIRUTA(options.siruta ? *options.siruta : sirutaText(*land));
    sheet.setSurveyorName(options.surveyorName ? *options.surveyorName : document.SurveyorName());
    if (options.dateText)
        sheet.setDateText(*options.dateText);
    sheet.setLand(land);

    Error sketchError;
    const QImage picture =
        SketchRenderer::renderSketchImage(SketchRenderer::documentPolygons(*land), options.sketchSide, &sketchError);
    if (picture.isNull() && warning)
        *warning = QStringLiteral("no sketch: ") + sketchError.text();
    sheet.setControlPicture(picture);
    return sheet.GenerateFile(error);
}

} // namespace SheetExport
