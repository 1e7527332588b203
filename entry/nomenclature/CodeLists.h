#pragma once

#include "entry/nomenclature/NomenclatureTable.h"

#include <QString>

// The small code lists that ship with the program: street types, administrative sub-unit
// types, land-use categories and the destination groups of land and buildings.
namespace CodeLists {

NomenclatureTable streetTypes();          // TipArtere.DAT
NomenclatureTable districtTypes();        // TipSubAdm.DAT
NomenclatureTable landUseCategories();    // CtgFolTeren.DAT
NomenclatureTable landDestinations();     // DestinatieTeren.DAT
NomenclatureTable buildingDestinations(); // DestinatieCladire.DAT

// street_type_id of a street type code of the Ministry of Finance nomenclature ("Str" -> the
// id of "Strada"); 0 for an unknown code and for the placeholder "G".
int streetTypeOfMfpCode(const QString& code);

// street_type_id of a street type written out ("Strada", "Piațetă"); 0 when unknown.
int streetTypeOfName(const QString& name);

} // namespace CodeLists
