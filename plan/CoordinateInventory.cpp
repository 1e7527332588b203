#include "plan/CoordinateInventory.h"

#include "sketch/SketchRenderer.h"

#include <cmath>

CoordinateInventory CoordinateInventory::fromLand(const Land& land)
{
    return fromPolygons(SketchRenderer::documentPolygons(land));
}

CoordinateInventory CoordinateInventory::fromPolygons(const Polygons& polygons)
{
    CoordinateInventory inventory;
    for (const PolygonPtr& polygon : polygons) {
        if (polygon && polygon->Points() && polygon->Points()->Count() > 0)
            inventory.m_contours.push_back(measure(*polygon));
    }
    return inventory;
}

InventoryContour CoordinateInventory::measure(const Polygon& polygon)
{
    InventoryContour contour;
    contour.name = polygon.Name();
    const Points& points = *polygon.Points();
    contour.points.reserve(std::size_t(points.Count()));
    for (const PointPtr& point : points)
        contour.points.push_back({point->No(), point->X(), point->Y(), 0.0});

    // Shoelace on coordinates taken relative to the first point: national grid coordinates are
    // hundreds of kilometres, and their raw products would cost the area its last decimals.
    const double originX = contour.points.front().x;
    const double originY = contour.points.front().y;
    double twiceArea = 0;
    const std::size_t n = contour.points.size();
    for (std::size_t i = 0; i < n; ++i) {
        InventoryPoint& from = contour.points[i];
        const InventoryPoint& to = contour.points[(i + 1) % n];
        from.side = std::hypot(to.x - from.x, to.y - from.y);
        contour.perimeter += from.side;
        twiceArea += (from.x - originX) * (to.y - originY) - (to.x - originX) * (from.y - originY);
    }
    contour.area = std::fabs(twiceArea) / 2.0;
    return contour;
}

int CoordinateInventory::pointCount() const
{
    int count = 0;
    for (const InventoryContour& contour : m_contours)
        count += int(contour.points.size());
    return count;
}

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString CoordinateInventory::toCsv() const
{
    QString csv;
    csv.reserve(pointCount() * 40 + 64);
    csv += QLatin1String("Contur,Nr,X,Y,D\n");
    for (const InventoryContour& contour : m_contours) {
        const QString name = csvField(contour.name);
        for (const InventoryPoint& point : contour.points) {
            csv += name;
            csv += QLatin1Char(',');
            csv += csvField(point.no);
            csv += QLatin1Char(',');
            csv += coordinateText(point.x);
            csv += QLatin1Char(',');
            csv += coordinateText(point.y);
            csv += QLatin1Char(',');
            csv += lengthText(point.side);
            csv += QLatin1Char('\n');
        }
    }
    csv += QLatin1String("\nContur,S,P\n");
    for (const InventoryContour& contour : m_contours)
        csv += csvField(contour.name) + QLatin1Char(',') + lengthText(contour.area) + QLatin1Char(',') +
               lengthText(contour.perimeter) + QLatin1Char('\n');
    return csv;
}
