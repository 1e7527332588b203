#pragma once

#include "base/Error.h"
#include "geometry/CoordinateTable.h"
#include "model/DXFEntity.h"

// The program-wide list through which the DXF wizard hands its result to the main window:
// set when the wizard is confirmed, emptied (RemoveAll) by the main window once applied.
DXFEntitiesPtr& ImportedEntities();

// The coordinate table of imported entities: their polygons in order ("TEREN" first, then
// "C" + number) converted by Transform. False when there is nothing to apply (no list, or an
// empty one: a cancelled wizard), or when the conversion fails (*error set).
bool importedEntitiesToTable(const DXFEntitiesPtr& entities, CoordinateTable* table, Error* error = nullptr);
