// The property sheet export of the main window.
#include "app/ui/frmMain.h"

#include "app/AppSettings.h"
#include "entry/ui/CreateFBI.h"
#include "report/Fisa.h"
#include "report/SheetExport.h"
#include "sketch/ui/DrawSketch.h"

bool frmMain::generateSheet(const QString& fileName, Error* error)
{
    Fisa sheet;
    sheet.setFileName(fileName);
    // After ValidateData the land holds the address just read from the form.
    sheet.setSIRUTA(SheetExport::sirutaText(*m_form->Document()->Land()));
    sheet.setSurveyorName(m_settings.surveyorName);
    sheet.setLand(m_form->Document()->Land());
    sheet.setControlPicture(m_sketch->ControlPicture());
    sheet.setDateText(Fisa::shortDate(m_today()));
    return sheet.GenerateFile(error);
}
