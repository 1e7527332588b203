#pragma once

#include "model/Collection.h"
#include "model/Property.h"

#include <QString>

// One surveyed point: planar coordinates in metres and the number shown to the user.
class Point
{
    LOTMARK_PROPERTY(double, X)
    LOTMARK_PROPERTY(double, Y)
    LOTMARK_PROPERTY(QString, No)
};
using PointPtr = std::shared_ptr<Point>;

class Points : public Collection<Point>
{
public:
    // Removes every point, last first (a list is at most 32,767 points long).
    void RemoveAll() { removeAllItems(); }
};
using PointsPtr = std::shared_ptr<Points>;
