#pragma once

class QWidget;

// Places a window above all normal windows (onTop true) or back among them, without moving,
// resizing or activating it.
void keepOnTop(QWidget* window, bool onTop);
