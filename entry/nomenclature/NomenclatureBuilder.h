#pragma once

#include "entry/nomenclature/MfpStreetReader.h"
#include "entry/nomenclature/NomenclatureTable.h"
#include "entry/nomenclature/PostalStreetReader.h"
#include "entry/nomenclature/SirutaReader.h"

#include <vector>

// Turns the official publications into the nine lookup tables of the data form.
//
// Stored orders: counties by the register's county order (Bucharest last); territories by
// county, then by the register's locality order (county seat, other municipalities, towns,
// communes); per territory first one row with ie_code 0 for the territory itself (its own
// code as locality_id, so an address outside the built-up area stores the territory's code),
// then its localities with ie_code 1 (the seat first); streets by territory code, locality
// code, street type and name.
struct NomenclatureBuild
{
    std::vector<NomenclatureTable> tables; // Judete, Admin, Localitati, Strazi and the code lists
    int skippedRecords = 0;                // SIRUTA records whose territory or county is unknown
    int skippedStreets = 0;                // streets without a known locality or street type (repeats are merged)
};

namespace NomenclatureBuilder {

// `bucharest`: streets of the postal index, placed in the sector of their postal code.
NomenclatureBuild build(const std::vector<SirutaRecord>& siruta, const std::vector<MfpCounty>& streetCounties,
                        const PostalStreets& bucharest = {});

// The table of `build` with this file name, or nullptr.
const NomenclatureTable* table(const NomenclatureBuild& build, const QString& fileName);

// Territory name as listed: "Comuna " before a commune, "Oraș " before a town and "Municipiul "
// before a municipality when the register does not write it already.
QString territoryName(const SirutaRecord& record);
// County name without the register's "JUDEȚUL " or "MUNICIPIUL " (Bucharest).
QString countyName(const SirutaRecord& record);

} // namespace NomenclatureBuilder
