#pragma once

#include "model/Land.h"
#include "plan/CoordinateInventory.h"
#include "plan/PlanCanvas.h"
#include "plan/PlanOptions.h"

#include <vector>

// The text parts of the site plan: header, parcel and building tables, areas, executant block
// and the coordinate inventory in columns. Positions and sizes in millimetres.
namespace PlanSheet {

// One line of the inventory as it flows down the columns.
struct InventoryLine
{
    enum Kind
    {
        Heading,
        Point,
        Summary,
        Blank
    };
    Kind kind = Blank;
    const InventoryContour* contour = nullptr;
    int index = 0; // the point's position in its contour
};
std::vector<InventoryLine> inventoryLines(const CoordinateInventory& inventory);

constexpr double InventoryRowMm = 3.2;
constexpr double InventoryColumnMm = 58.0;
constexpr double InventoryGapMm = 3.5;
constexpr double InventoryTitleMm = 5.0;
// Column count and line count per column that a region holds (at least 1 each).
int inventoryColumns(double widthMm);
int inventoryRows(double heightMm);
inline int inventoryCapacity(const QSizeF& region)
{
    return inventoryColumns(region.width()) * inventoryRows(region.height());
}
// Paints the lines from `first` into the region's columns under the title; returns how many.
int paintInventory(PlanCanvas& canvas, const QRectF& region, const std::vector<InventoryLine>& lines, int first,
                   const QString& title);

// The measured area: the land contour's area rounded to whole square metres, else the parcels'
// total as typed.
QString measuredAreaText(const Land& land, const CoordinateInventory& inventory);
// The address in one line (street, number, block, staircase, floor, apartment, tarla, parcel,
// locality); empty parts are left out.
QString addressText(const Land& land, const PlanOptions& options);

constexpr double HeaderMm = 24.0;
void paintTitle(PlanCanvas& canvas, const QRectF& content, const QString& title);
void paintHeader(PlanCanvas& canvas, const QRectF& area, const Land& land, const PlanOptions& options,
                 const CoordinateInventory& inventory, int scale);

// Height of the parcel and building tables side by side, with their titles.
double tablesHeight(const Land& land);
void paintTables(PlanCanvas& canvas, const QRectF& area, const Land& land);
constexpr double AreasMm = 10.0;
void paintAreas(PlanCanvas& canvas, const QRectF& area, const Land& land, const CoordinateInventory& inventory);
constexpr double ExecutantMm = 26.0;
void paintExecutant(PlanCanvas& canvas, const QRectF& area, const PlanOptions& options);

} // namespace PlanSheet
