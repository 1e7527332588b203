#pragma once

#include "model/Collection.h"
#include "model/Property.h"

#include <QString>
#include <cstdint>

// One land-use parcel of the land; areas are texts as typed.
class Parcel
{
    LOTMARK_PROPERTY(std::int16_t, No)
    LOTMARK_PROPERTY(QString, LandUse)
    LOTMARK_PROPERTY(QString, LandDestination)
    LOTMARK_PROPERTY(QString, MeasuredArea)
    LOTMARK_PROPERTY(QString, QualityClass)
    LOTMARK_PROPERTY(QString, LocalityZone)
    LOTMARK_PROPERTY(QString, Comments)
};
using ParcelPtr = std::shared_ptr<Parcel>;

class Parcels : public Collection<Parcel>
{
    LOTMARK_PROPERTY(QString, TotalMeasuredArea)
    LOTMARK_PROPERTY(QString, TotalLegalArea)
};
using ParcelsPtr = std::shared_ptr<Parcels>;
