#include "app/AppSettings.h"
#include "app/QtTranslation.h"
#include "app/StartUp.h"
#include "app/ui/ScreenFit.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmOptions.h"
#include "base/ui/QtPrompter.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtTranslation::install(QCoreApplication::applicationDirPath());
    ScreenFit::install();
    AppSettings settings(QCoreApplication::applicationDirPath());
    QtPrompter prompter;
    const bool proceed = StartUp::run(settings, [&](AppSettings& current) {
        frmOptions options(current, prompter);
        options.exec();
    });
    if (!proceed)
        return 0;
    // The window's place is the user's own, kept apart from the program's Lotmark.INI.
    QSettings windowState(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Lotmark"),
                          QStringLiteral("lotmark"));
    frmMain window(settings, prompter);
    prompter.setParent(&window);
    window.setUserState(&windowState);
    window.restoreWindowState(windowState);
    window.show();
    if (app.arguments().size() > 1)
        window.openCommandLine(app.arguments().mid(1).join(QLatin1Char(' ')));
    // The interval can be shortened for the test that kills the program mid-edit.
    bool shortened = false;
    const int interval = qEnvironmentVariableIntValue("LOTMARK_RECOVERY_INTERVAL_MS", &shortened);
    window.setRecovery(settings.paths().recoveryFolder(), shortened && interval > 0 ? interval : 2 * 60 * 1000);
    // After the command line's file: a restored copy replaces it, never the other way round.
    window.offerRecovery();
    const int result = app.exec();
    window.saveWindowState(windowState);
    return result;
}
