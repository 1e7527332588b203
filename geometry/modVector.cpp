#include "geometry/modVector.h"

#include "model/Polygon.h"

#include <cmath>

namespace modVector {

PointSingle MakePoint(float x, float y)
{
    return {x, y};
}

Vector2D VectorFromTo(PointSingle from, PointSingle to)
{
    return {double(to.X) - double(from.X), double(to.Y) - double(from.Y)};
}

double DotProduct(Vector2D a, Vector2D b)
{
    return a.X * b.X + a.Y * b.Y;
}

Vector2D VectorSubtract(Vector2D a, Vector2D b)
{
    return {a.X - b.X, a.Y - b.Y};
}

double VectorLengthSquared(Vector2D v)
{
    return std::pow(v.X, 2.0) + std::pow(v.Y, 2.0);
}

double VectorLength(Vector2D v)
{
    return std::sqrt(VectorLengthSquared(v));
}

double DistanceToLine(PointSingle lineStart, PointSingle point, PointSingle lineEnd)
{
    const Vector2D a = VectorFromTo(lineStart, point);
    const Vector2D b = VectorFromTo(lineStart, lineEnd);
    double n = DotProduct(b, b);
    if (n == 0.0)
        n = 1e-10;
    const double t = DotProduct(a, b) / n;
    return VectorLength(VectorSubtract(a, Vector2D{b.X * t, b.Y * t}));
}

namespace {

// One axis of the edge's box: each bound computed in 64 bits, rounded to 32 bits, inclusive.
bool insideWindow(double from, double to, float probe, short tolerance)
{
    if (from < to)
        return float(from - tolerance) <= probe && float(to + tolerance) >= probe;
    return float(from + tolerance) >= probe && float(to - tolerance) <= probe;
}

} // namespace

bool HitSegment(double x1, double y1, double x2, double y2, float px, float py, short tolerance, short width)
{
    if (!insideWindow(x1, x2, px, tolerance) || !insideWindow(y1, y2, py, tolerance))
        return false;
    const float d =
        float(DistanceToLine(MakePoint(float(x1), float(y1)), MakePoint(px, py), MakePoint(float(x2), float(y2))));
    const float half = float(width) / 2.0f;
    return -half - tolerance <= d && d <= tolerance + half;
}

QString FindVertex(const Polygon& polygon, double x, double y, float tolerance, double& foundX, double& foundY)
{
    if (!polygon.Points())
        return QString();
    for (const PointPtr& point : *polygon.Points()) {
        const double px = point->X();
        const double py = point->Y();
        if (px + tolerance >= x && px - tolerance <= x && py + tolerance >= y && py - tolerance <= y) {
            foundX = px;
            foundY = py;
            return point->No();
        }
    }
    return QString();
}

} // namespace modVector
