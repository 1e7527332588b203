#pragma once

#include "model/Polygon.h"

// One closed polyline read from a DXF drawing, with its layer.
class DXFEntity
{
    LOTMARK_PROPERTY(QString, LayerName)
    LOTMARK_PROPERTY(PolygonPtr, Polygon)
};
using DXFEntityPtr = std::shared_ptr<DXFEntity>;

class DXFEntities : public Collection<DXFEntity>
{
public:
    void RemoveAll() { removeAllItems(); }
};
using DXFEntitiesPtr = std::shared_ptr<DXFEntities>;
