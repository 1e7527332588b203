#include "base/ui/KeepOnTop.h"

#include <QWidget>

void keepOnTop(QWidget* window, bool onTop)
{
    if (!window)
        return;
    const bool wasVisible = window->isVisible();
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window flag hides a shown window; show it again where it was.
    if (wasVisible)
        window->show();
    window->setAttribute(Qt::WA_ShowWithoutActivating, false);
}
