#include "app/OptionsValues.h"

#include "app/AppSettings.h"
#include "app/DelimiterEditor.h"
#include "app/DelimiterList.h"
#include "base/FileSystem.h"
#include "base/NumberText.h"
#include "base/Prompter.h"

bool OptionsValues::confirm(const DelimiterEditor& delimiters, AppSettings& settings, Prompter& prompter) const
{
    if (delimiters.lines().isEmpty()) {
        prompter.error(QStringLiteral("Lista delimitatorilor trebuie sa contina cel putin un element."));
        return false;
    }
    const QString coded = delimiters.coded();
    bool written = settings.write(AppSettings::KeySurveyorName, surveyorName);
    written = settings.write(AppSettings::KeySurveyorLicense, surveyorLicense) && written;
    written = settings.write(AppSettings::KeyWorkNumber, workNumber) && written;
    written = settings.write(AppSettings::KeyDelimiters, coded) && written;
    settings.surveyorName = surveyorName;
    settings.surveyorLicense = surveyorLicense;
    settings.workNumber = NumberText::toInt16(NumberText::leadingNumber(workNumber));
    settings.delimiters = DelimiterList::parse(coded);
    // The values hold for this session either way; the user learns that the next will not
    // see them.
    if (!written)
        prompter.error(FileSystem::notWrittenMessage(settings.settingsFilePath()));
    return true;
}
