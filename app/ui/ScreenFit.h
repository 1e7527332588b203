#pragma once

#include <QObject>

class QWidget;

// Keeps every window the program opens inside the free area of its screen: a window (a dialog,
// the help window, the main window) larger than the screen is shrunk to it and one that would
// reach past an edge is moved in. A dialog is also widened, where the screen allows, until its
// title is not cut off.
class ScreenFit : public QObject
{
public:
    // Watches the windows of the running application from now on.
    static ScreenFit* install();

    // Fits one window now (what happens to every window as it is shown).
    static void fit(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
