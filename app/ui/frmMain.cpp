#include "app/ui/frmMain.h"

#include "app/AppSettings.h"
#include "app/Version.h"

frmMain::frmMain(AppSettings& settings, QWidget* parent) : QMainWindow(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Lotmark ") + Version::text());
    resize(1024, 720);
}
