#pragma once

#include <QString>

class Polygon;

// Planar vector routines for hit-testing the pointer against contour vertices and edges.
// Pointer positions and edge end points are handled as 32-bit floats; every difference,
// projection and length in 64 bits.
namespace modVector {

struct PointSingle
{
    float X = 0;
    float Y = 0;
};

struct Vector2D
{
    double X = 0;
    double Y = 0;
};

PointSingle MakePoint(float x, float y);
Vector2D VectorFromTo(PointSingle from, PointSingle to);
double DotProduct(Vector2D a, Vector2D b);
Vector2D VectorSubtract(Vector2D a, Vector2D b);
double VectorLengthSquared(Vector2D v);
double VectorLength(Vector2D v);

// Distance of point from the infinite line through lineStart and lineEnd (from lineStart
// when the two ends coincide).
double DistanceToLine(PointSingle lineStart, PointSingle point, PointSingle lineEnd);

// True when the probe (px, py) lies on the edge (x1, y1)-(x2, y2): inside the edge's box
// widened by tolerance, and within tolerance + width/2 of its line.
bool HitSegment(double x1, double y1, double x2, double y2, float px, float py, short tolerance, short width);

// The No of the first vertex (in stored order) within the square window of half-side
// tolerance around (x, y), with its coordinates in foundX/foundY; the empty text and untouched
// outputs when none is.
QString FindVertex(const Polygon& polygon, double x, double y, float tolerance, double& foundX, double& foundY);

} // namespace modVector
