#pragma once

// The main window the window tests drive, on a throw-away program folder with the usual
// settings, answering through a ScriptedPrompter. The including test defines
// LOTMARK_BUILD_DATA and links lotmark_widgets.
#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"

#include <memory>

inline void createMainWindow(std::unique_ptr<ProgramFolder>& folder, std::unique_ptr<AppSettings>& settings,
                             std::unique_ptr<ScriptedPrompter>& prompter, std::unique_ptr<frmMain>& window)
{
    folder = std::make_unique<ProgramFolder>();
    folder->writeUsualSettings();
    settings = std::make_unique<AppSettings>(folder->dir.path());
    settings->load();
    prompter = std::make_unique<ScriptedPrompter>();
    window = std::make_unique<frmMain>(*settings, *prompter);
}
