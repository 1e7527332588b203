#pragma once

#include "model/Polygon.h"

#include <QPoint>
#include <QPointF>
#include <QSize>

// World-to-canvas maths of the sketch, free of widgets.
//
// The visible world region is a square of side S + 2m around the land contour's bounding box
// (S the larger extent, m = W/9 from the X extent alone), X to the right and Y upwards. The
// canvas is a pixel rectangle mapped onto that square; the zoom percent is canvas pixels per
// 100 world units.
namespace SketchView {

// The land contour: the first polygon whose name, in upper case, is "TEREN"; null when none.
PolygonPtr landPolygon(const Polygons& polygons);
bool isLandName(const QString& name);

// Lowers/raises the running bounds so that they include (x, y).
void UpdateExtent(double x, double y, double& minX, double& minY, double& maxX, double& maxY);

// The world rectangle shown on the canvas: left and top edges, scale width (positive) and
// scale height (negative, because Y runs upwards).
struct Scale
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool isNull() const { return width == 0 || height == 0; }
    // The side of the visible square in world units.
    double side() const { return width; }
};

// Room the point labels need beyond the contour: the largest label (with its marker) in pixels
// and the side of the square canvas, in pixels, it is shown on at the fit zoom. An empty room
// (no canvas yet) asks for nothing.
struct LabelRoom
{
    QSizeF labelPixels;
    double canvasSide = 0;
};

// The scale computed from the land contour. Fails (error 5) when there is no land contour or
// it has no point. The margin is W/9, widened when a label printed at a vertex on the edge of
// the contour would not fit inside the canvas (a long narrow parcel has almost no margin).
Scale ComputeSketchScale(const Polygons& polygons, const LabelRoom& room = {});
Scale ComputeSketchScale(const Polygon& land, const LabelRoom& room = {});

// The world margin that keeps labels of room.labelPixels inside a canvas of room.canvasSide
// pixels mapped onto a square of side + 2 * margin; 0 when the room asks for nothing.
double labelMargin(double side, const LabelRoom& room);

// The fit zoom: the largest percent at which the square fits the free pixels of the viewport.
double ZoomToFit(double freeWidth, double freeHeight, const Scale& scale);

// Canvas pixel size for a zoom percent (both sides rounded to whole pixels).
QSize canvasSize(const Scale& scale, double zoomPercent);

// Marker radii in world units: they keep their size on screen at any zoom.
inline double markerRadius(double zoomPercent)
{
    return 200.0 / (zoomPercent / 1.5);
}
inline double hoverRadius(double zoomPercent)
{
    return 200.0 / (zoomPercent / 3.0);
}

// The wheel's zoom: one notch (120 eighths of a degree) multiplies the percent by WheelFactor
// (a notch back divides), never below minimum and never above maximum.
constexpr double WheelFactor = 1.25;
double wheelZoom(double zoomPercent, int angleDelta, double minimum, double maximum);

// Zoom buttons: in adds 100; out subtracts 100 only above 100 (otherwise returns the percent
// unchanged); overall view is the fit marker -1.
constexpr double FitZoom = -1.0;
inline double zoomIn(double zoomPercent)
{
    return zoomPercent + 100.0;
}
inline double zoomOut(double zoomPercent)
{
    return zoomPercent > 100.0 ? zoomPercent - 100.0 : zoomPercent;
}

// Maps between world units and the pixels of a canvas of the given size.
class CanvasMapping
{
public:
    CanvasMapping() = default;
    CanvasMapping(const Scale& scale, QSizeF canvasPixels);

    QPointF toPixel(double x, double y) const { return {(x - m_scale.left) * m_sx, (m_scale.top - y) * m_sy}; }
    QPointF toWorld(QPointF pixel) const { return {m_scale.left + pixel.x() / m_sx, m_scale.top - pixel.y() / m_sy}; }
    // Pixels per world unit across and down.
    double pixelsPerUnitX() const { return m_sx; }
    double pixelsPerUnitY() const { return m_sy; }
    const Scale& scale() const { return m_scale; }
    bool isValid() const { return m_sx > 0 && m_sy > 0; }

private:
    Scale m_scale;
    double m_sx = 0;
    double m_sy = 0;
};

// The scroll offsets (canvas pixels left of and above the viewport's corner) that keep the world
// point `anchor` under the viewport pixel `pointer` on a canvas mapped by `mapping`; the caller
// clamps them to what the scroll bars allow.
QPoint anchoredScroll(const CanvasMapping& mapping, QPointF anchor, QPointF pointer);

// Where the hover label goes, in world units: its top-left corner. labelWidth and labelHeight
// are the label's size in world units; edgeLabel with currentX (the X of the highlighted
// edge's end) moves the label left of the pointer when it would run over that end.
QPointF labelTopLeft(double pointerX, double pointerY, double zoomPercent, double labelWidth, double labelHeight,
                     bool edgeLabel, double currentX);

// A value rounded to two decimals through its text form, as the pointer coordinates and the
// measured distances are reported.
double roundTo2(double value);

} // namespace SketchView
