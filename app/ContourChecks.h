#pragma once

#include "app/Prompter.h"
#include "model/Build.h"

#include <QString>
#include <optional>

// The checks a land document's contours pass before it is saved: enough points, areas equal
// to the data form's, first and last point distinct, no repeated consecutive point, and the
// building contours matching the buildings of the form.
namespace ContourChecks {

struct Problem
{
    QString text;
    Prompter::Icon icon = Prompter::Icon::Exclamation;
};

// parcelsTotal: the parcels' TotalMeasuredArea; buildings: the form's buildings (No and
// MeasuredArea are read). Areas are read by AreaText::value with the user's decimal separator.
// The first failing check, in the order the user is told, or nothing.
std::optional<Problem> check(const Polygons& contours, const QString& parcelsTotal, const Buildings& buildings,
                             const QString& decimalSeparator = QStringLiteral("."));

} // namespace ContourChecks
