#include "app/OptionsValues.h"

#include "app/AppSettings.h"
#include "app/DelimiterEditor.h"
#include "app/DelimiterList.h"
#include "app/NumberText.h"
#include "app/Prompter.h"

bool OptionsValues::confirm(const DelimiterEditor& delimiters, AppSettings& settings, Prompter& prompter) const
{
    if (delimiters.lines().isEmpty()) {
        prompter.message(QStringLiteral("Lista delimitatorilor trebuie sa contina cel putin un element."),
                         QStringLiteral("Eroare"), Prompter::Icon::Exclamation);
        return false;
    }
    settings.write(AppSettings::KeySurveyorName, surveyorName);
    settings.write(AppSettings::KeySurveyorLicense, surveyorLicense);
    settings.write(AppSettings::KeyWorkNumber, workNumber);
    settings.surveyorName = surveyorName;
    settings.surveyorLicense = surveyorLicense;
    settings.workNumber = NumberText::toInt16(NumberText::leadingNumber(workNumber));
    const QString coded = delimiters.coded();
    settings.write(AppSettings::KeyDelimiters, coded);
    settings.delimiters = DelimiterList::parse(coded);
    return true;
}
