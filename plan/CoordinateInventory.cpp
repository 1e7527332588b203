#include "plan/CoordinateInventory.h"

#include "sketch/SketchRenderer.h"

#include <algorithm>
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

namespace {

// Writes `value` with `decimals` (0..6) decimals ending just before `end`; returns where the
// text starts, or null when the value needs Qt's exact formatting (not finite, or beyond 2^53
// units).
char* writeFixed(char* end, double value, int decimals)
{
    static const double powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const double power = powers[decimals];
    if (!std::isfinite(value) || std::fabs(value) * power > 9.0e15)
        return nullptr;
    // The fraction is split off exactly, so that only it is scaled: 2.675 (2.67499...) must not
    // become 267.5 and round up.
    const double whole = std::trunc(value);
    long long units = static_cast<long long>(whole) * static_cast<long long>(power) +
                      static_cast<long long>(std::round((value - whole) * power));
    const bool negative = units < 0;
    if (negative)
        units = -units;
    char* at = end;
    for (int digit = 0; digit <= decimals || units > 0; ++digit) {
        if (digit == decimals && decimals > 0)
            *--at = '.';
        *--at = char('0' + units % 10);
        units /= 10;
    }
    if (negative)
        *--at = '-';
    return at;
}

// Appends the number without a temporary string (a long inventory formats 100,000 of them).
void appendFixed(QString& text, double value, int decimals)
{
    char buffer[40];
    const char* start = writeFixed(buffer + sizeof(buffer), value, decimals);
    if (start)
        text += QLatin1String(start, buffer + sizeof(buffer));
    else
        text += QString::number(value, 'f', decimals);
}

} // namespace

QString CoordinateInventory::fixedText(double value, int decimals)
{
    QString text;
    appendFixed(text, value, std::clamp(decimals, 0, 6));
    return text;
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

QByteArray CoordinateInventory::csvBytes() const
{
    // Bytes rather than a QString: half the memory, so that 32,767 rows still fit the cache
    // (past it the text took several times longer per row).
    QByteArray csv;
    csv.reserve(pointCount() * 48 + 64 * int(m_contours.size()) + 64);
    char buffer[40];
    char* const end = buffer + sizeof(buffer);
    const auto number = [&](double value, int decimals) {
        if (const char* start = writeFixed(end, value, decimals))
            csv.append(start, end - start);
        else
            csv += QByteArray::number(value, 'f', decimals);
    };
    csv += "Contur,Nr,X,Y,D\n";
    for (const InventoryContour& contour : m_contours) {
        const QByteArray name = csvField(contour.name).toUtf8();
        for (const InventoryPoint& point : contour.points) {
            csv += name;
            csv += ',';
            csv += csvField(point.no).toUtf8();
            csv += ',';
            number(point.x, 3);
            csv += ',';
            number(point.y, 3);
            csv += ',';
            number(point.side, 2);
            csv += '\n';
        }
    }
    csv += "\nContur,S,P\n";
    for (const InventoryContour& contour : m_contours) {
        csv += csvField(contour.name).toUtf8();
        csv += ',';
        number(contour.area, 2);
        csv += ',';
        number(contour.perimeter, 2);
        csv += '\n';
    }
    return csv;
}

QString CoordinateInventory::toCsv() const
{
    return QString::fromUtf8(csvBytes());
}
