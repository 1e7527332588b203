#include "sketch/SketchView.h"

#include "model/Contours.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace SketchView {

bool isLandName(const QString& name)
{
    return Contours::isLand(name);
}

PolygonPtr landPolygon(const Polygons& polygons)
{
    for (const PolygonPtr& polygon : polygons) {
        if (polygon && isLandName(polygon->Name()))
            return polygon;
    }
    return nullptr;
}

void UpdateExtent(double x, double y, double& minX, double& minY, double& maxX, double& maxY)
{
    if (minX > x)
        minX = x;
    if (minY > y)
        minY = y;
    if (maxX < x)
        maxX = x;
    if (maxY < y)
        maxY = y;
}

double labelMargin(double side, const LabelRoom& room)
{
    const double label = std::max(room.labelPixels.width(), room.labelPixels.height());
    if (!(label > 0) || !(room.canvasSide > 0) || !(side > 0))
        return 0;
    // margin * pixelsPerUnit >= label with pixelsPerUnit = canvasSide / (side + 2 * margin).
    // A canvas narrower than two labels cannot hold them: give the contour a third of it.
    const double free = room.canvasSide - 2.0 * label;
    if (free <= label)
        return side;
    return label * side / free;
}

Scale ComputeSketchScale(const Polygon& land, const LabelRoom& room)
{
    if (!land.Points() || land.Points()->Count() == 0)
        throw Failure::invalidArgument();
    const Point& first = *land.Points()->Item(1);
    double minX = first.X(), minY = first.Y(), maxX = first.X(), maxY = first.Y();
    for (const PointPtr& point : *land.Points())
        UpdateExtent(point->X(), point->Y(), minX, minY, maxX, maxY);

    const double w = maxX - minX;
    const double h = maxY - minY;
    // The margin follows the X extent alone, also for a tall land.
    double m = w / 9.0;
    double side, dx, dy;
    if (h <= w) {
        side = w;
        dx = 0;
        dy = (w - h) / 2.0;
    } else {
        side = h;
        dx = (h - w) / 2.0;
        dy = 0;
    }
    Scale scale;
    if (side == 0) {
        // A land reduced to one spot has no extent to fit: show one world unit around it
        // rather than an empty scale, which no canvas can map.
        side = 1.0;
        dx = dy = 0.5;
    }
    m = std::max(m, labelMargin(side, room));
    scale.left = minX - m - dx;
    scale.top = minY + side + m - dy;
    scale.width = side + 2.0 * m;
    scale.height = -scale.width;
    return scale;
}

Scale ComputeSketchScale(const Polygons& polygons, const LabelRoom& room)
{
    const PolygonPtr land = landPolygon(polygons);
    if (!land)
        throw Failure::invalidArgument();
    return ComputeSketchScale(*land, room);
}

double wheelZoom(double zoomPercent, int angleDelta, double minimum, double maximum)
{
    const double zoomed = zoomPercent * std::pow(WheelFactor, angleDelta / 120.0);
    return std::clamp(zoomed, minimum, std::max(minimum, maximum));
}

QPoint anchoredScroll(const CanvasMapping& mapping, QPointF anchor, QPointF pointer)
{
    const QPointF onCanvas = mapping.toPixel(anchor.x(), anchor.y());
    return QPoint(int(std::lround(onCanvas.x() - pointer.x())), int(std::lround(onCanvas.y() - pointer.y())));
}

double ZoomToFit(double freeWidth, double freeHeight, const Scale& scale)
{
    if (scale.isNull())
        return 0;
    return std::min(std::fabs(100.0 * freeWidth / scale.width), std::fabs(100.0 * freeHeight / scale.height));
}

QSize canvasSize(const Scale& scale, double zoomPercent)
{
    const double w = std::fabs(scale.width * zoomPercent * 0.01);
    const double h = std::fabs(scale.height * zoomPercent * 0.01);
    // Beyond int range the caller refuses the size anyway; keep the arithmetic defined.
    constexpr double limit = 1e9;
    return QSize(int(std::lround(std::min(w, limit))), int(std::lround(std::min(h, limit))));
}

CanvasMapping::CanvasMapping(const Scale& scale, QSizeF canvasPixels) : m_scale(scale)
{
    if (!scale.isNull() && canvasPixels.width() > 0 && canvasPixels.height() > 0) {
        m_sx = canvasPixels.width() / std::fabs(scale.width);
        m_sy = canvasPixels.height() / std::fabs(scale.height);
    }
}

QPointF labelTopLeft(double pointerX, double pointerY, double zoomPercent, double labelWidth, double labelHeight,
                     bool edgeLabel, double currentX)
{
    const double top = pointerY + 800.0 / zoomPercent + labelHeight / 2.0;
    double left = pointerX + 200.0 / zoomPercent;
    if (edgeLabel && pointerX + 800.0 / zoomPercent >= currentX)
        left = pointerX - 200.0 / zoomPercent - labelWidth;
    return {left, top};
}

double roundTo2(double value)
{
    return QString::number(value, 'f', 2).toDouble();
}

} // namespace SketchView
