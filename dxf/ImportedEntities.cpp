#include "dxf/ImportedEntities.h"

#include "geometry/Transform.h"

bool importedEntitiesToTable(const DXFEntitiesPtr& entities, CoordinateTable* table, Error* error)
{
    if (!entities || entities->Count() == 0)
        return false;
    auto polygons = std::make_shared<Polygons>();
    for (const DXFEntityPtr& entity : *entities) {
        if (entity && entity->Polygon())
            polygons->Add(PolygonPtr(entity->Polygon()));
    }
    if (polygons->Count() == 0)
        return false;
    Transform transform;
    transform.setPolygonCollection(polygons);
    if (!transform.PolygonCollectionToArray()) {
        if (error)
            *error = transform.lastError();
        return false;
    }
    *table = transform.TransformArray();
    return true;
}
