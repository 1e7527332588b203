#pragma once

#include "base/Prompter.h"
#include "model/Land.h"

#include <QString>
#include <optional>

// The rules that tie the surveyed contours to the land and its buildings: which contour is the
// land's, how contours are attached to the document, and the checks they pass before a save.
// The window, the .CP reader and every command go through here, so they agree on them.
namespace Contours {

// The name of the land's contour in the coordinate list, the drawing and the .CP file.
inline const QString LandName = QStringLiteral("TEREN");

// True for the land contour's name, in any case ("teren" is the land too).
bool isLand(const QString& name);

// True for a name the checks treat as a building's contour: not the land's, starting with "C".
bool isBuilding(const QString& name);

// What to do with a building contour whose number no building of the land has.
enum class Unmatched
{
    Ignore,
    AddBuilding
};

// Replaces every contour of the land with the given ones: the land's contour, and each
// building's, matched by the building's No (buildings sharing a number share the contour).
// The window and the commands match numbers in any case; a .CP file stores contour names in
// upper case and gives them only to buildings numbered exactly so. Other contours are left out.
void attach(Land& land, const Polygons& contours, Qt::CaseSensitivity numbers = Qt::CaseInsensitive,
            Unmatched unmatched = Unmatched::Ignore);

// Takes the contour from the land and from every building (an apartment has none).
void clear(Land& land);

struct Problem
{
    QString text;
    Prompter::Icon icon = Prompter::Icon::Exclamation;
};

// The checks a land document's contours pass before it is saved: enough points, areas equal
// to the data form's, first and last point distinct, no repeated consecutive point, and the
// building contours matching the buildings of the form.
// parcelsTotal: the parcels' TotalMeasuredArea; buildings: the form's buildings (No and
// MeasuredArea are read). Areas are read by AreaText::value with the user's decimal separator.
// The first failing check, in the order the user is told, or nothing.
std::optional<Problem> check(const Polygons& contours, const QString& parcelsTotal, const Buildings& buildings,
                             const QString& decimalSeparator = QStringLiteral("."));

} // namespace Contours
