#pragma once

#include "base/Error.h"
#include "geometry/CoordinateTable.h"
#include "model/DXFEntity.h"

// The coordinate table of imported entities (what the DXF wizard hands back on OK): their
// polygons in order ("TEREN" first, then "C" + number) converted by Transform. False when there
// is nothing to apply (no list, or an empty one: a cancelled wizard), or when the conversion
// fails (*error set).
bool importedEntitiesToTable(const DXFEntitiesPtr& entities, CoordinateTable* table, Error* error = nullptr);
