#include "plan/PlanDrawing.h"

#include "plan/PlanScale.h"
#include "plan/TextBatch.h"
#include "sketch/SketchRenderer.h"
#include "sketch/SketchView.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace PlanDrawing {

namespace {

constexpr double TickMm = 2.0;
constexpr double CrossMm = 1.5;

// The sketch's world-to-canvas mapping, with the frame as the canvas (device pixels).
SketchView::CanvasMapping frameMapping(const PlanCanvas& canvas, const QRectF& frame, const QRectF& world)
{
    SketchView::Scale scale;
    scale.left = world.left();
    scale.top = world.bottom();
    scale.width = world.width();
    scale.height = -world.height();
    return SketchView::CanvasMapping(scale, canvas.rect(frame).size());
}

void paintGrid(PlanCanvas& canvas, const QRectF& frame, const QRectF& world, int scale)
{
    const double step = PlanScale::gridStep(scale);
    canvas.painter.setFont(PlanCanvas::font(6));
    canvas.setPen(0.15);
    for (double x = std::ceil(world.left() / step) * step; x <= world.right(); x += step) {
        const double px = toPage(x, world.top(), world, frame).x();
        canvas.line(px, frame.bottom(), px, frame.bottom() - TickMm);
        canvas.line(px, frame.top(), px, frame.top() + TickMm);
        canvas.text(QRectF(px - 10, frame.bottom() + 0.5, 20, 3), Qt::AlignHCenter | Qt::AlignTop,
                    QString::number(x, 'f', 0));
    }
    for (double y = std::ceil(world.top() / step) * step; y <= world.bottom(); y += step) {
        const double py = toPage(world.left(), y, world, frame).y();
        canvas.line(frame.left(), py, frame.left() + TickMm, py);
        canvas.line(frame.right(), py, frame.right() - TickMm, py);
        canvas.text(QRectF(frame.left() - 20.5, py - 1.5, 20, 3), Qt::AlignRight | Qt::AlignVCenter,
                    QString::number(y, 'f', 0));
    }
    // Crosses where the grid lines meet inside the frame.
    canvas.setPen(0.1, QColor(110, 110, 110));
    for (double x = std::ceil(world.left() / step) * step; x <= world.right(); x += step) {
        for (double y = std::ceil(world.top() / step) * step; y <= world.bottom(); y += step) {
            const QPointF at = toPage(x, y, world, frame);
            canvas.line(at.x() - CrossMm, at.y(), at.x() + CrossMm, at.y());
            canvas.line(at.x(), at.y() - CrossMm, at.x(), at.y() + CrossMm);
        }
    }
}

void paintNorthArrow(PlanCanvas& canvas, const QRectF& frame)
{
    const QPointF tip(frame.right() - 9, frame.top() + 7);
    const double length = 11;
    QPolygonF left, right;
    left << canvas.at(tip) << canvas.at(tip.x() - 2.5, tip.y() + length) << canvas.at(tip.x(), tip.y() + length - 3);
    right << canvas.at(tip) << canvas.at(tip.x() + 2.5, tip.y() + length) << canvas.at(tip.x(), tip.y() + length - 3);
    canvas.setPen(0.2);
    canvas.painter.setBrush(Qt::black);
    canvas.painter.drawPolygon(left);
    canvas.painter.setBrush(Qt::white);
    canvas.painter.drawPolygon(right);
    canvas.painter.setBrush(Qt::NoBrush);
    canvas.painter.setFont(PlanCanvas::font(9, true));
    canvas.text(QRectF(tip.x() - 4, tip.y() - 5.5, 8, 5), Qt::AlignCenter, QStringLiteral("N"));
}

// Text centred on a page point (mm), turned by `degrees`.
void textAt(PlanCanvas& canvas, QPointF centre, double degrees, const QString& text, double widthMm)
{
    canvas.painter.save();
    canvas.painter.translate(canvas.at(centre));
    canvas.painter.rotate(degrees);
    const double height = 3.0 * canvas.dotsPerMm;
    const double width = widthMm * canvas.dotsPerMm;
    canvas.painter.drawText(QRectF(-width / 2, -height / 2, width, height), Qt::AlignCenter, text);
    canvas.painter.restore();
}

QPointF unit(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF(0, -1);
}

// A vertex marker: a circle around (0, 0) whose control points, like the centres it is moved
// to, are whole device dots (the finest the device shows). A PDF then writes each of a dense
// contour's thousands of markers with short integers instead of ten-digit decimals.
QPainterPath markerRing(double radius)
{
    const double r = std::max(1.0, radius);
    const double k = std::round(r * 0.5523); // the usual cubic approximation of a quarter circle
    QPainterPath ring(QPointF(r, 0));
    ring.cubicTo(r, k, k, r, 0, r);
    ring.cubicTo(-k, r, -r, k, -r, 0);
    ring.cubicTo(-r, -k, -k, -r, 0, -r);
    ring.cubicTo(k, -r, r, -k, r, 0);
    ring.closeSubpath();
    return ring;
}

} // namespace

QPointF toPage(double x, double y, const QRectF& world, const QRectF& frame)
{
    return {frame.left() + (x - world.left()) / world.width() * frame.width(),
            frame.top() + (world.bottom() - y) / world.height() * frame.height()};
}

void paint(PlanCanvas& canvas, const QRectF& frame, const QRectF& world, int scale, const Polygons& polygons)
{
    canvas.painter.save();
    canvas.setPen(0.35);
    canvas.box(frame);
    paintGrid(canvas, frame, world, scale);
    paintNorthArrow(canvas, frame);
    canvas.painter.setClipRect(canvas.rect(frame));

    const SketchView::CanvasMapping mapping = frameMapping(canvas, frame, world);
    const QPointF origin = canvas.at(frame.topLeft());
    std::vector<QPolygonF> rings;
    for (const PolygonPtr& polygon : polygons) {
        QPolygonF ring;
        if (polygon && polygon->Points()) {
            ring.reserve(polygon->Points()->Count());
            for (const PointPtr& point : *polygon->Points())
                ring.append(origin + mapping.toPixel(point->X(), point->Y()));
        }
        rings.push_back(ring);
    }
    // Buildings under the land's line, so that a shared side shows the land's weight.
    for (int pass = 0; pass < 2; ++pass) {
        int i = 0;
        for (const PolygonPtr& polygon : polygons) {
            const QPolygonF& ring = rings[std::size_t(i++)];
            if (ring.isEmpty() || SketchView::isLandName(polygon->Name()) != (pass == 1))
                continue;
            if (pass == 0) {
                canvas.setPen(0.3, SketchRenderer::buildingColour());
                canvas.painter.setBrush(QColor(225, 240, 225));
            } else {
                canvas.setPen(0.5, SketchRenderer::landColour());
                canvas.painter.setBrush(Qt::NoBrush);
            }
            canvas.painter.drawPolygon(ring);
        }
    }
    canvas.painter.setBrush(Qt::NoBrush);

    const QFont numberFont = PlanCanvas::font(6);
    const QFont sideFont = PlanCanvas::font(5.5);
    const QFont buildingFont = PlanCanvas::font(8, true);
    const double mmPerMetre = PlanScale::paperMillimetres(1.0, scale);
    const QPainterPath marker = markerRing(std::round(0.5 * canvas.dotsPerMm));
    int index = 0;
    for (const PolygonPtr& polygon : polygons) {
        const QPolygonF& ring = rings[std::size_t(index++)];
        if (ring.isEmpty())
            continue;
        const bool land = SketchView::isLandName(polygon->Name());
        const PointPtr mean = polygon->GravityPoint();
        const QPointF centre = toPage(mean->X(), mean->Y(), world, frame);
        const Points& points = *polygon->Points();
        const int n = points.Count();
        // Side lengths along the sides, outside the contour, where the side is long enough.
        canvas.painter.setFont(sideFont);
        canvas.painter.setPen(land ? QColor(Qt::black) : SketchRenderer::buildingColour());
        for (int i = 0; i < n; ++i) {
            const Point& a = *points.Item(i + 1);
            const Point& b = *points.Item(i + 1 == n ? 1 : i + 2);
            const double metres = std::hypot(b.X() - a.X(), b.Y() - a.Y());
            const QString text = QString::number(metres, 'f', 2);
            const double sideMm = metres * mmPerMetre;
            if (sideMm < text.size() * 1.3 + 1)
                continue;
            const QPointF pa = toPage(a.X(), a.Y(), world, frame);
            const QPointF pb = toPage(b.X(), b.Y(), world, frame);
            const QPointF middle = (pa + pb) / 2;
            QPointF normal = unit(QPointF(-(pb.y() - pa.y()), pb.x() - pa.x()));
            if (QPointF::dotProduct(normal, middle - centre) < 0)
                normal = -normal;
            double degrees = std::atan2(pb.y() - pa.y(), pb.x() - pa.x()) * 180.0 / M_PI;
            // Readable from the bottom or the right of the sheet: a side near the vertical
            // (within 5 degrees) reads upwards whichever way it leans.
            if (degrees > 85)
                degrees -= 180;
            else if (degrees <= -95)
                degrees += 180;
            textAt(canvas, middle + normal * 1.6, degrees, text, sideMm);
        }
        // Vertex markers, then their numbers pushed away from the contour's middle: one pen each,
        // the markers as one path and the numbers as one text, which keeps a dense contour's page
        // small.
        QPainterPath markers;
        for (const PointPtr& point : points) {
            const QPointF at = canvas.at(toPage(point->X(), point->Y(), world, frame));
            markers.addPath(marker.translated(std::round(at.x()), std::round(at.y())));
        }
        canvas.setPen(0.15, SketchRenderer::markerColour());
        canvas.painter.drawPath(markers);
        canvas.painter.setPen(SketchRenderer::labelColour());
        TextBatch numbers(canvas, numberFont);
        for (const PointPtr& point : points) {
            const QPointF at = toPage(point->X(), point->Y(), world, frame);
            const QPointF label = at + unit(at - centre) * 2.2;
            numbers.add(label.x(), label.y() - 1.5, 3.0, Qt::AlignHCenter, point->No());
        }
        numbers.flush();
        if (!land) {
            canvas.painter.setFont(buildingFont);
            canvas.painter.setPen(SketchRenderer::buildingColour());
            textAt(canvas, centre, 0, polygon->Name(), 20);
        }
    }
    canvas.painter.restore();
}

void paintNote(PlanCanvas& canvas, const QRectF& frame, const QString& note)
{
    canvas.setPen(0.35);
    canvas.box(frame);
    canvas.painter.setFont(PlanCanvas::font(10));
    canvas.text(frame.adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap, note);
}

} // namespace PlanDrawing
