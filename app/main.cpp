#include "app/AppSettings.h"
#include "app/QtTranslation.h"
#include "app/StartUp.h"
#include "app/ui/QtPrompter.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmOptions.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtTranslation::install(QCoreApplication::applicationDirPath());
    AppSettings settings(QCoreApplication::applicationDirPath());
    QtPrompter prompter;
    const bool proceed = StartUp::run(settings, [&](AppSettings& current) {
        frmOptions options(current, prompter);
        options.exec();
    });
    if (!proceed)
        return 0;
    frmMain window(settings, prompter);
    prompter.setParent(&window);
    window.show();
    if (app.arguments().size() > 1)
        window.openCommandLine(app.arguments().mid(1).join(QLatin1Char(' ')));
    return app.exec();
}
