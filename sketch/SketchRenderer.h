#pragma once

#include "base/Error.h"
#include "model/Land.h"
#include "sketch/SketchView.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

class QPainter;

// Temporary marks drawn over the sketch while hovering or measuring (never part of the
// persistent picture). Positions in world units.
struct SketchOverlay
{
    struct Line
    {
        QPointF from;
        QPointF to;
        int width = 1;
    };
    struct Circle
    {
        QPointF centre;
        double radius = 0; // world units
        int width = 1;
    };
    std::vector<Line> lines;
    std::vector<Circle> circles;

    bool isEmpty() const { return lines.empty() && circles.empty(); }
    void clear()
    {
        lines.clear();
        circles.clear();
    }
};

// Draws the sketch on any QPainter (a widget's persistent image, an off-screen picture).
namespace SketchRenderer {

// Colours and fonts of the drawing.
inline QColor landColour()
{
    return QColor(0, 0, 0);
}
inline QColor buildingColour()
{
    return QColor(0, 128, 0);
}
inline QColor labelColour()
{
    return QColor(0, 0, 128);
}
inline QColor markerColour()
{
    return QColor(255, 0, 255);
}
inline QColor hoverColour()
{
    return QColor(255, 0, 0);
}
inline QColor backgroundColour()
{
    return QColor(255, 255, 255);
}
// "Arial", bold, at the given point size (11 for the land, 10 for buildings and names).
QFont labelFont(int pointSize);

// Draws every polygon in collection order: the contour (land 2 px black, buildings 1 px dark
// green), each point's number with its top-left corner at the point and a magenta marker of
// radius markerRadius(zoomPercent) world units, and each building's name at its vertex mean.
// The painter paints on a canvas that `mapping` maps onto; empty polygons are skipped.
void drawGeometry(QPainter& painter, const Polygons& polygons, const SketchView::CanvasMapping& mapping,
                  double zoomPercent);

// Draws the hover and measuring marks in red.
void drawOverlay(QPainter& painter, const SketchOverlay& overlay, const SketchView::CanvasMapping& mapping);

// The size in pixels of the largest point label as drawGeometry prints it on `device`, with the
// marker's radius at the fit zoom added on both axes: what the margin must leave room for.
QSizeF labelPixels(const Polygons& polygons, const QPaintDevice* device);

// The largest canvas side, in device pixels, that a zoom may ask for. Beyond it the image would
// take hundreds of megabytes and seconds to clear and draw.
constexpr int MaxCanvasSide = 8192;
// The message shown when a zoom asks for a larger canvas than the drawing surface allows.
QString zoomLimitMessage();

// A canvas image of logicalSize at devicePixelRatio, filled with the background; a null image
// when the size is beyond MaxCanvasSide or the memory cannot be had.
QImage createCanvasImage(QSize logicalSize, qreal devicePixelRatio = 1.0);

// The sketch of `polygons` at the fit zoom of a square viewport of side pixels, drawn into a new
// square image (what the property sheet embeds). Without a land contour, or when the image
// cannot be made, returns a null image with the reason in *error.
QImage renderSketchImage(const Polygons& polygons, int side, Error* error = nullptr);

// The contours of a loaded document as the sketch takes them: the land's, then each
// building's in order (shared, not copied); contours that are not set are left out.
Polygons documentPolygons(const Land& land);

} // namespace SketchRenderer
