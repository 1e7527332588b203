// Transform in both directions and Area must grow linearly with the point count.
#include "BenchTimer.h"
#include "geometry/Transform.h"
#include "support/DocumentFactory.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
struct Times
{
    double toArray, toPolygons, area;
};

Times measure(int points)
{
    auto polygons = std::make_shared<Polygons>();
    polygons->Add(DocumentFactory::polygon("TEREN", points));
    Times times{};
    CoordinateTable table;
    times.toArray = bestOf(5, [&] {
        Transform transform(".");
        transform.setPolygonCollection(polygons);
        transform.PolygonCollectionToArray();
        table = transform.TransformArray();
    });
    // The coordinate list hands texts, not doubles: convert what the user would see.
    for (int row = 1; row <= table.upperRow(); ++row) {
        table.setCell(row, 3, QString::number(table.cell(row, 3).toDouble(), 'f', 3));
        table.setCell(row, 4, QString::number(table.cell(row, 4).toDouble(), 'f', 3));
    }
    times.toPolygons = bestOf(5, [&] {
        Transform transform(".");
        transform.setTransformArray(table);
        transform.ArrayToPolygonCollection();
    });
    volatile double sink = 0;
    times.area = bestOf(5, [&] { sink = sink + polygons->Item(1)->Area(); });
    return times;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const Times small = measure(4096);
    const Times large = measure(32767);
    std::printf("growth from 4096 to 32767 points (8x the points; goal <= 10):\n");
    std::printf("  polygons->table %.3f ms -> %.3f ms, ratio %.2f\n", small.toArray, large.toArray,
                large.toArray / small.toArray);
    std::printf("  table->polygons %.3f ms -> %.3f ms, ratio %.2f\n", small.toPolygons, large.toPolygons,
                large.toPolygons / small.toPolygons);
    std::printf("  Area            %.3f ms -> %.3f ms, ratio %.2f\n", small.area, large.area, large.area / small.area);
    return 0;
}
