// The property sheet export of the main window.
#include "app/ui/frmMain.h"

bool frmMain::generateSheet(const QString&, Error* error)
{
    *error = {ErrorNumber::PathFileAccess, QStringLiteral("Exportul fisei nu este inca disponibil")};
    return false;
}
