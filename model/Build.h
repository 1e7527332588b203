#pragma once

#include "model/Polygon.h"

// One building on the land. Its contour polygon bears the building's No as its name.
class Build
{
    LOTMARK_PROPERTY(QString, No)
    LOTMARK_PROPERTY(QString, Description)
    LOTMARK_PROPERTY(QString, MeasuredArea)
    LOTMARK_PROPERTY(QString, BuildDestination)
    LOTMARK_PROPERTY(QString, Comments)
    LOTMARK_PROPERTY(PolygonPtr, Geometry)
};
using BuildPtr = std::shared_ptr<Build>;

class Buildings : public Collection<Build>
{
    LOTMARK_PROPERTY(QString, TotalMeasuredArea)
    LOTMARK_PROPERTY(QString, TotalLegalArea)
};
using BuildingsPtr = std::shared_ptr<Buildings>;
