// .CP loader: any bytes load or fail with a message; whatever loads saves again, and the saved
// form is a fixed point (load + save of it gives the same bytes) but for one rule of the
// contour assembly.
#include "FuzzInput.h"
#include "base/Error.h"
#include "format/CPFile.h"

#include <QBuffer>

#include <algorithm>
#include <vector>

namespace {
int pointCount(const PolygonPtr& contour)
{
    return contour && contour->Points() ? contour->Points()->Count() : 0;
}

// Points of the last contour the file stores rows for: the land's, then each building's in
// building order, a contour shared by several buildings counted at its first place only, and a
// contour without points left out (it writes no row).
int lastContourPoints(const Land& land)
{
    PolygonPtr last = land.Geometry();
    if (!last)
        return -1;
    std::vector<PolygonPtr> stored{last};
    if (land.Buildings()) {
        for (const BuildPtr& build : *land.Buildings()) {
            const PolygonPtr contour = build->Geometry();
            if (pointCount(contour) > 0 && std::find(stored.begin(), stored.end(), contour) == stored.end())
                stored.push_back(contour);
        }
    }
    return pointCount(stored.back());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    CPFile file(QStringLiteral(","));
    Error error;
    if (!file.load(&device, &error)) {
        FUZZ_CHECK(error.number != 0 && !error.description.isEmpty());
        return 0;
    }
    FUZZ_CHECK(file.Document() != nullptr);
    QByteArray saved;
    try {
        saved = file.compose();
    } catch (const Failure&) {
        fuzzFail("a loaded document does not save");
    }
    QBuffer again(const_cast<QByteArray*>(&saved));
    again.open(QIODevice::ReadOnly);
    CPFile reloaded(QStringLiteral(","));
    FUZZ_CHECK(reloaded.load(&again, &error));
    QByteArray second;
    try {
        second = reloaded.compose();
    } catch (const Failure&) {
        fuzzFail("a saved document does not save again");
    }
    // The changes a reload may make: a last contour of a single point is dropped (its row is a
    // final row that starts a new entity); and a land contour without points stores no row, so
    // the reloaded land has no contour, and a land without one stores no building contours.
    if (second != saved) {
        const Land& land = *file.Document()->Land();
        const bool emptyLand = land.Geometry() && pointCount(land.Geometry()) == 0;
        FUZZ_CHECK(emptyLand || lastContourPoints(land) == 1);
    }
    return 0;
}
