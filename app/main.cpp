#include "app/AppSettings.h"
#include "app/ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    AppSettings settings(QCoreApplication::applicationDirPath());
    settings.load();
    frmMain window(settings);
    window.show();
    return app.exec();
}
