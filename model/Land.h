#pragma once

#include "model/Address.h"
#include "model/Build.h"
#include "model/Owner.h"
#include "model/Parcel.h"

// The property body. A new Land holds no references; readers treat an empty one as an empty
// collection or address.
class Land
{
    LOTMARK_PROPERTY(OwnersPtr, Owners)
    LOTMARK_PROPERTY(ParcelsPtr, Parcels)
    LOTMARK_PROPERTY(BuildingsPtr, Buildings)
    LOTMARK_PROPERTY(AddressPtr, Address)
    LOTMARK_PROPERTY(PolygonPtr, Geometry)
};
using LandPtr = std::shared_ptr<Land>;
