#pragma once

#include "model/Polygon.h"
#include "plan/PlanCanvas.h"

// The drawing of the site plan inside its frame: grid with labelled ticks on the frame, the
// contours at a true scale with every vertex numbered and every side's length, the building
// numbers, the north arrow and the scale. Page positions in millimetres, world in metres.
namespace PlanDrawing {

// The page position (mm) of world point (x, y) when `world` (Y up) fills `frame`.
QPointF toPage(double x, double y, const QRectF& world, const QRectF& frame);

void paint(PlanCanvas& canvas, const QRectF& frame, const QRectF& world, int scale, const Polygons& polygons);
// The empty frame with a note where the drawing would be.
void paintNote(PlanCanvas& canvas, const QRectF& frame, const QString& note);

} // namespace PlanDrawing
