#include "plan/DxfExport.h"

#include "sketch/SketchRenderer.h"
#include "sketch/SketchView.h"

#include <QLocale>
#include <QSaveFile>
#include <cmath>

namespace DxfExport {

namespace {

const char* const Layers[] = {"TEREN", "CLADIRI", "PUNCTE", "COTE"};
// AutoCAD colour numbers: white/black, green, magenta, blue.
const int LayerColours[] = {7, 3, 6, 5};

// Group code and value, one line each. Numbers in the shortest text that reads back exactly,
// with "." and never an exponent.
class Writer
{
public:
    QByteArray bytes;

    void group(int code, const QByteArray& value)
    {
        bytes += QByteArray::number(code).rightJustified(3, ' ');
        bytes += '\n';
        bytes += value;
        bytes += '\n';
    }
    void group(int code, const char* value) { group(code, QByteArray(value)); }
    void number(int code, double value)
    {
        group(code, QString::number(value, 'f', QLocale::FloatingPointShortest).toLatin1());
    }
    void integer(int code, int value) { group(code, QByteArray::number(value)); }
    // Texts in UTF-8 with non-ASCII letters as \U+XXXX, which R12 readers decode.
    void text(int code, const QString& value)
    {
        QByteArray encoded;
        for (const QChar c : value) {
            if (c.unicode() < 0x80)
                encoded += char(c.unicode());
            else
                encoded += "\\U+" + QByteArray::number(c.unicode(), 16).toUpper().rightJustified(4, '0');
        }
        group(code, encoded);
    }
    void point(double x, double y, int firstCode = 10)
    {
        number(firstCode, x);
        number(firstCode + 10, y);
        number(firstCode + 20, 0.0);
    }
};

void header(Writer& w)
{
    w.group(0, "SECTION");
    w.group(2, "HEADER");
    w.group(9, "$ACADVER");
    w.group(1, "AC1009");
    w.group(9, "$INSUNITS");
    w.integer(70, 6); // metres
    w.group(0, "ENDSEC");
    w.group(0, "SECTION");
    w.group(2, "TABLES");
    w.group(0, "TABLE");
    w.group(2, "LAYER");
    w.integer(70, 4);
    for (int i = 0; i < 4; ++i) {
        w.group(0, "LAYER");
        w.group(2, Layers[i]);
        w.integer(70, 0);
        w.integer(62, LayerColours[i]);
        w.group(6, "CONTINUOUS");
    }
    w.group(0, "ENDTAB");
    w.group(0, "ENDSEC");
}

void textEntity(Writer& w, const char* layer, double x, double y, double height, double degrees, const QString& value)
{
    w.group(0, "TEXT");
    w.group(8, layer);
    w.point(x, y);
    w.number(40, height);
    w.text(1, value);
    if (degrees != 0)
        w.number(50, degrees);
    // Centred on the point: horizontal centre (72 = 1), vertical middle (73 = 2), with the
    // alignment point repeated in 11/21/31.
    w.integer(72, 1);
    w.point(x, y, 11);
    w.integer(73, 2);
}

void polyline(Writer& w, const char* layer, const Points& points)
{
    w.group(0, "POLYLINE");
    w.group(8, layer);
    w.integer(66, 1);
    w.point(0, 0);
    w.integer(70, 1); // closed
    for (const PointPtr& point : points) {
        w.group(0, "VERTEX");
        w.group(8, layer);
        w.point(point->X(), point->Y());
    }
    w.group(0, "SEQEND");
    w.group(8, layer);
}

// Sides read upright: the angle along the side folded into (-90, 90].
double uprightDegrees(double dx, double dy)
{
    double degrees = std::atan2(dy, dx) * 180.0 / M_PI;
    if (degrees > 90)
        degrees -= 180;
    else if (degrees <= -90)
        degrees += 180;
    return std::round(degrees * 1000.0) / 1000.0;
}

void contour(Writer& w, const Polygon& polygon)
{
    const Points& points = *polygon.Points();
    const bool land = SketchView::isLandName(polygon.Name());
    polyline(w, land ? "TEREN" : "CLADIRI", points);
    const int n = points.Count();
    for (int i = 1; i <= n; ++i) {
        const Point& point = *points.Item(i);
        w.group(0, "POINT");
        w.group(8, "PUNCTE");
        w.point(point.X(), point.Y());
        textEntity(w, "PUNCTE", point.X() + NumberHeight, point.Y() + NumberHeight, NumberHeight, 0, point.No());
        const Point& next = *points.Item(i == n ? 1 : i + 1);
        const double dx = next.X() - point.X();
        const double dy = next.Y() - point.Y();
        textEntity(w, "COTE", (point.X() + next.X()) / 2, (point.Y() + next.Y()) / 2, SideHeight,
                   uprightDegrees(dx, dy), QString::number(std::hypot(dx, dy), 'f', 2));
    }
    if (!land) {
        const PointPtr centre = polygon.GravityPoint();
        textEntity(w, "CLADIRI", centre->X(), centre->Y(), BuildingHeight, 0, polygon.Name());
    }
}

} // namespace

QByteArray compose(const Land& land)
{
    return compose(SketchRenderer::documentPolygons(land));
}

QByteArray compose(const Polygons& contours)
{
    Writer w;
    header(w);
    w.group(0, "SECTION");
    w.group(2, "ENTITIES");
    for (const PolygonPtr& polygon : contours) {
        if (polygon && polygon->Points() && polygon->Points()->Count() > 0)
            contour(w, *polygon);
    }
    w.group(0, "ENDSEC");
    w.group(0, "EOF");
    return w.bytes;
}

bool write(const QByteArray& bytes, const QString& fileName, Error* error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        if (error)
            *error = {ErrorNumber::PathFileAccess, file.errorString()};
        return false;
    }
    return true;
}

} // namespace DxfExport
