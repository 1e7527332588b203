// DXF reader and cleaning: any bytes are read or refused with a message; what is read cleans
// into polylines of three points or more with consecutive numbers, and becomes model objects.
#include "FuzzInput.h"
#include "dxf/DxfPolylineReader.h"
#include "dxf/DxfPolylines.h"
#include "model/DXFEntity.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    DxfPolylines store;
    DxfPolylineReader reader;
    int kept = 0;
    reader.onPolyline = [&kept] { ++kept; };
    const DxfReadResult result = reader.read(device, store);
    if (result.status == DxfReadResult::Failed) {
        FUZZ_CHECK(!result.message.isEmpty());
        return 0;
    }
    if (result.status != DxfReadResult::Published)
        return 0;
    FUZZ_CHECK(result.polylines == store.count());
    store.clean();
    for (int position = 1; position <= store.count(); ++position) {
        FUZZ_CHECK(store.pointCount(position) >= 3);
        for (std::uint32_t v = store.begin(position); v < store.end(position); ++v)
            FUZZ_CHECK(store.number(v) == std::int32_t(v - store.begin(position) + 1));
        double minX, maxX, minY, maxY;
        FUZZ_CHECK(store.extent(position, &minX, &maxX, &minY, &maxY));
        (void)store.layerName(position);
    }
    DXFEntities entities;
    store.appendEntities(entities);
    FUZZ_CHECK(entities.Count() == store.count());
    return 0;
}
