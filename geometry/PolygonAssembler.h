#pragma once

#include "model/Polygon.h"

// Turns consecutive point rows into named polygons: a new polygon starts where the entity
// name changes; a row with an empty cell adds no point; a final row that starts a new entity
// is dropped. Shared by the coordinate table conversion and the .CP reader, which feed it
// rows of different shapes.
//
// Rows must offer: int upperRow(); QString name(int row); bool complete(int row) (all four
// cells set); QString number(int row); bool coordinates(int row, double* x, double* y)
// (false for a coordinate that is not a number). Rows are 1..upperRow().
// Returns false at the first unreadable coordinate, keeping the polygons finished before it.
template <typename Rows> bool assemblePolygons(const Rows& rows, Polygons& polygons)
{
    const int upper = rows.upperRow();
    QString currentName = rows.name(1);
    auto points = std::make_shared<Points>();
    auto finishPolygon = [&]() {
        auto polygon = std::make_shared<Polygon>();
        polygon->setName(currentName);
        polygon->setPoints(points);
        polygons.Add(polygon);
        points = std::make_shared<Points>();
    };
    for (int i = 1;; ++i) {
        QString name = i <= upper ? rows.name(i) : QString();
        if (!(i <= upper && name == currentName)) {
            finishPolygon();
            if (i >= rows.upperRow())
                return true;
            currentName = name;
        }
        if (!rows.complete(i))
            continue;
        double x = 0, y = 0;
        if (!rows.coordinates(i, &x, &y))
            return false;
        auto point = std::make_shared<Point>();
        point->setNo(rows.number(i));
        point->setX(x);
        point->setY(y);
        points->Add(point);
    }
}
