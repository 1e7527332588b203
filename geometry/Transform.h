#pragma once

#include "geometry/CoordinateTable.h"
#include "model/Polygon.h"

// Converts contours between the flat coordinate table and a collection of named polygons.
// One object serves one conversion.
class Transform
{
public:
    // decimalSeparator: the user's, read once (coordinate texts are converted by it).
    explicit Transform(QString decimalSeparator = QString());

    const CoordinateTable& TransformArray() const { return m_table; }
    void setTransformArray(const CoordinateTable& table) { m_table = table; }
    void setTransformArray(CoordinateTable&& table) { m_table = std::move(table); }

    const PolygonsPtr& PolygonCollection() const { return m_polygons; }
    void setPolygonCollection(PolygonsPtr polygons) { m_polygons = std::move(polygons); }

    // Table to polygons. A table with no point rows leaves PolygonCollection as it was.
    // Stops at the first coordinate that is not a number: returns false with "13 Type
    // mismatch" in lastError() (for the caller to show), keeping the polygons finished before
    // that row.
    bool ArrayToPolygonCollection();

    // Polygons to table: one row per point, coordinates as doubles.
    bool PolygonCollectionToArray();

    // The failure of the last operation that returned false.
    const Error& lastError() const { return m_lastError; }

private:
    bool fail(const Error& error);
    bool readCoordinate(const QVariant& cell, double* value) const;

    QString m_decimalSeparator;
    CoordinateTable m_table;
    PolygonsPtr m_polygons;
    Error m_lastError;
};
