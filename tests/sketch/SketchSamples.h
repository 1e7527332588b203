#pragma once

#include "model/Polygon.h"

#include <initializer_list>
#include <tuple>

// Small contours for the sketch tests.
namespace SketchSamples {

using Corner = std::tuple<const char*, double, double>;

inline PolygonPtr polygon(const QString& name, std::initializer_list<Corner> corners)
{
    auto points = std::make_shared<Points>();
    for (const Corner& corner : corners) {
        auto point = std::make_shared<Point>();
        point->setNo(QString::fromLatin1(std::get<0>(corner)));
        point->setX(std::get<1>(corner));
        point->setY(std::get<2>(corner));
        points->Add(point);
    }
    auto result = std::make_shared<Polygon>();
    result->setName(name);
    result->setPoints(points);
    return result;
}

inline PolygonsPtr collection(std::initializer_list<PolygonPtr> polygons)
{
    auto result = std::make_shared<Polygons>();
    for (PolygonPtr polygon : polygons)
        result->Add(polygon);
    return result;
}

// The 10 x 10 square 1 (0,0), 2 (10,0), 3 (10,10), 4 (0,10).
inline PolygonPtr square(const QString& name = QStringLiteral("TEREN"))
{
    return polygon(name, {{"1", 0, 0}, {"2", 10, 0}, {"3", 10, 10}, {"4", 0, 10}});
}

// A diamond of slanted edges: 1 (10,0), 2 (20,10), 3 (10,20), 4 (0,10).
inline PolygonPtr diamond(const QString& name = QStringLiteral("TEREN"))
{
    return polygon(name, {{"1", 10, 0}, {"2", 20, 10}, {"3", 10, 20}, {"4", 0, 10}});
}

} // namespace SketchSamples
