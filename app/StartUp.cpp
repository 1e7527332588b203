#include "app/StartUp.h"

#include "app/AppSettings.h"

namespace StartUp {

bool run(AppSettings& settings, const std::function<void(AppSettings&)>& showOptions)
{
    settings.load();
    while (settings.surveyorName.isEmpty() || settings.surveyorLicense.isEmpty()) {
        showOptions(settings);
        if (settings.cancelFlag)
            return false;
    }
    return true;
}

} // namespace StartUp
