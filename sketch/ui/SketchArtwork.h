#pragma once

#include <QCursor>
#include <QIcon>

// The sketch's cursors and toolbar images, drawn in code so that they scale with the screen.
namespace SketchArtwork {

// "PAN": an open hand, shown in exploration mode while no button is held.
QCursor panCursor();
// "PANMOVE": a closed hand with four arrows, shown while dragging.
QCursor panMoveCursor();

enum class ToolImage
{
    Information,
    Explore,
    ZoomIn,
    ZoomOut,
    Overall,
    Measure
};
QIcon toolIcon(ToolImage image);

} // namespace SketchArtwork
