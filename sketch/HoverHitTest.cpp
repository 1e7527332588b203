#include "sketch/HoverHitTest.h"

#include "geometry/modVector.h"

#include <cmath>

QString edgeLabelText(const QString& first, const QString& second, double length, const QString& decimalSeparator)
{
    QString number = QString::number(length, 'f', 2);
    if (decimalSeparator != QLatin1String("."))
        number.replace(QLatin1Char('.'), decimalSeparator);
    return QStringLiteral("L (") + first + QLatin1Char('-') + second + QStringLiteral(") = ") + number +
           QStringLiteral(" m");
}

HoverHit hoverHitTest(const Polygons& polygons, double x, double y, double zoomPercent, const QString& decimalSeparator)
{
    HoverHit hit;
    const float px = float(x);
    const float py = float(y);
    bool vertexFound = false;
    for (const PolygonPtr& polygon : polygons) {
        if (!polygon || !polygon->Points() || polygon->Points()->Count() == 0)
            continue;
        const Points& points = *polygon->Points();
        const int n = points.Count();
        bool edgeHit = false;
        const Point* start = nullptr;
        const Point* end = nullptr;
        for (int j = 1; j <= n; ++j) {
            const Point& a = *points.Item(j);
            const Point& b = *points.Item(j == n ? 1 : j + 1);
            if (modVector::HitSegment(a.X(), a.Y(), b.X(), b.Y(), px, py, 0, 1)) {
                edgeHit = true;
                start = &a;
                end = &b;
                hit.overlay.lines.push_back({QPointF(a.X(), a.Y()), QPointF(b.X(), b.Y()), 2});
                hit.currentX = b.X();
                if (!vertexFound)
                    break;
            } else {
                edgeHit = false;
            }
        }
        if (edgeHit) {
            const double length = std::hypot(end->X() - start->X(), end->Y() - start->Y());
            double fx = 0, fy = 0;
            // Each end is named by the first vertex at its exact coordinates.
            const QString startNo = modVector::FindVertex(*polygon, start->X(), start->Y(), 0.0f, fx, fy);
            const QString endNo = modVector::FindVertex(*polygon, end->X(), end->Y(), 0.0f, fx, fy);
            const bool endFirst = end->X() > start->X();
            HoverHit::Event event;
            event.kind = HoverHit::Event::Line;
            event.first = endFirst ? endNo : startNo;
            event.second = endFirst ? startNo : endNo;
            event.length = length;
            hit.events.push_back(event);
            hit.labelText = edgeLabelText(event.first, event.second, length, decimalSeparator);
            hit.edgeLabel = true;
        }
        double vx = 0, vy = 0;
        const QString vertexNo = modVector::FindVertex(*polygon, x, y, 0.5f, vx, vy);
        if (!vertexNo.isEmpty()) {
            if (!edgeHit) {
                HoverHit::Event event;
                event.kind = HoverHit::Event::Vertex;
                event.first = vertexNo;
                hit.events.push_back(event);
                hit.overlay.circles.push_back({QPointF(vx, vy), SketchView::hoverRadius(zoomPercent), 2});
                hit.labelText = vertexNo;
                hit.edgeLabel = false;
                break;
            }
            vertexFound = true;
        }
    }
    return hit;
}
