#pragma once

#include "model/Property.h"

#include <QString>
#include <cstdint>
#include <memory>

// The property's address: fourteen fields, in this order.
class Address
{
    LOTMARK_PROPERTY(QString, DistrictType)
    LOTMARK_PROPERTY(QString, DistrictName)
    LOTMARK_PROPERTY(QString, Description)
    LOTMARK_PROPERTY(std::int32_t, SIRUTA)
    // 1 intravilan (street address), 0 extravilan (tarla and parcel numbers).
    LOTMARK_PROPERTY(std::uint8_t, IECode)
    LOTMARK_PROPERTY(QString, StreetType)
    LOTMARK_PROPERTY(QString, StreetName)
    LOTMARK_PROPERTY(QString, StreetNo)
    LOTMARK_PROPERTY(QString, BuildNo)
    LOTMARK_PROPERTY(QString, EntranceNo)
    LOTMARK_PROPERTY(QString, TarlaNo)
    LOTMARK_PROPERTY(QString, ParcelNo)
    LOTMARK_PROPERTY(QString, FloorNo)
    LOTMARK_PROPERTY(QString, ApartmentNo)
};
using AddressPtr = std::shared_ptr<Address>;
