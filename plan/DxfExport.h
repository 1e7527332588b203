#pragma once

#include "base/Error.h"
#include "model/Land.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// The contours of a document as an R12 text drawing that CAD programs open: closed POLYLINEs
// for the land (layer TEREN) and each building (layer CLADIRI, its number as TEXT at the
// vertex mean), a POINT and the point number as TEXT per vertex (layer PUNCTE) and each
// side's length as TEXT at its middle (layer COTE). Coordinates in the document's metres.
namespace DxfExport {

// Text heights in metres.
constexpr double NumberHeight = 0.5;
constexpr double SideHeight = 0.35;
constexpr double BuildingHeight = 0.8;

// The land's contour, then each building's in list order.
QByteArray compose(const Land& land);
// The given contours in their order; the one named TEREN (any case) goes to the land's layer.
QByteArray compose(const Polygons& contours);
// Writes through a temporary file renamed at the end: a failure leaves an older file whole.
bool write(const QByteArray& drawing, const QString& fileName, Error* error);
inline bool write(const Land& land, const QString& fileName, Error* error)
{
    return write(compose(land), fileName, error);
}

} // namespace DxfExport
