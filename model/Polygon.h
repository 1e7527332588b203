#pragma once

#include "model/Point.h"

// A named, ordered point list: the contour of the land ("TEREN") or of a building (named
// with the building's No). The ring is implicitly closed.
class Polygon
{
    LOTMARK_PROPERTY(PointsPtr, Points)
    LOTMARK_PROPERTY(QString, Name)

public:
    // Shoelace area in square metres, never negative. A polygon without points, or one whose
    // sum overflows or meets a coordinate that is not a number, yields 0 with the failure in
    // *error when given (the window shows it with the critical icon); *error is untouched
    // on success.
    double Area(Error* error = nullptr) const;

    // The arithmetic mean of the vertices (not the area centroid), as a new Point named after
    // the polygon. A polygon without points fails with error 11.
    PointPtr GravityPoint() const;

    // Exchanges X and Y of every point, in place (the Points collection stays the same object).
    void XYToYX();
};
using PolygonPtr = std::shared_ptr<Polygon>;

class Polygons : public Collection<Polygon>
{
public:
    // The polygon's Name followed by ":".
    static QString Key(const Polygon& polygon) { return polygon.Name() + QLatin1Char(':'); }
};
using PolygonsPtr = std::shared_ptr<Polygons>;
