#include "app/ContourChecks.h"

#include "app/AreaText.h"
#include "app/NumberText.h"

namespace {

QString areaMessage(const QString& name)
{
    return QStringLiteral("Suprafata totala calculata din coordonate pentru ") + name
           + QStringLiteral(" este diferita de cea introdusa in fereastra de date textuale.");
}

std::optional<ContourChecks::Problem> checkPoints(const Polygon& polygon)
{
    const Points& points = *polygon.Points();
    if (points.Count() == 0)
        return std::nullopt;
    const Point& first = *points.Item(1);
    const Point& last = *points.Item(points.Count());
    if (first.X() == last.X() && first.Y() == last.Y())
        return ContourChecks::Problem{QStringLiteral("Primul si ultimul punct ale entitatii ") + polygon.Name()
                                      + QStringLiteral(" au aceleasi coordonate.")};
    const Point* previous = nullptr;
    for (const PointPtr& point : points) {
        if (previous && previous->X() == point->X() && previous->Y() == point->Y())
            return ContourChecks::Problem{QStringLiteral("Entitatea ") + polygon.Name() + QStringLiteral(" contine punctele ")
                                          + previous->No() + QStringLiteral(" si ") + point->No()
                                          + QStringLiteral(" care sunt consecutive.")};
        previous = point.get();
    }
    return std::nullopt;
}

} // namespace

namespace ContourChecks {

std::optional<Problem> check(const Polygons& contours, const QString& parcelsTotal, const Buildings& buildings,
                             const QString& decimalSeparator)
{
    int buildingContours = 0;
    for (const PolygonPtr& polygon : contours) {
        const QString upper = polygon->Name().toUpper();
        const bool isLand = upper == QLatin1String("TEREN");
        const bool isBuilding = !isLand && upper.startsWith(QLatin1Char('C'));
        const int pointCount = polygon->Points() ? polygon->Points()->Count() : 0;
        if ((isLand || isBuilding) && pointCount < 3)
            return Problem{QStringLiteral("Introduceti cel putin 3 puncte pe contur.")};
        double roundedArea = 0.0;
        if (pointCount > 0) {
            // A contour whose area cannot be measured (a coordinate that is not a number, or one
            // so large that the sum overflows) cannot be compared with the form's.
            Error error;
            roundedArea = NumberText::roundHalfEven(polygon->Area(nullptr, &error));
            if (error.number != 0)
                return Problem{error.text(), Prompter::Icon::Critical};
        }
        if (isLand && roundedArea != AreaText::value(parcelsTotal, decimalSeparator))
            return Problem{areaMessage(polygon->Name())};
        if (isBuilding) {
            ++buildingContours;
            bool named = false;
            for (const BuildPtr& build : buildings) {
                if (build->No() != polygon->Name())
                    continue;
                named = true;
                if (AreaText::value(build->MeasuredArea(), decimalSeparator) != roundedArea)
                    return Problem{areaMessage(polygon->Name())};
            }
            if (!named)
                return Problem{QStringLiteral("Denumirea constructiilor din lista de coordonate si fisa imobilului nu coincid."),
                               Prompter::Icon::Information};
        }
        if (pointCount > 0) {
            if (auto problem = checkPoints(*polygon))
                return problem;
        }
    }
    if (buildingContours > buildings.Count())
        return Problem{QStringLiteral("Numarul de cladiri introduse in lista de coordonate este mai mare decat cel "
                                      "introdus in fereastra de date textuale.")};
    if (buildingContours < buildings.Count())
        return Problem{QStringLiteral("Numarul de cladiri introduse in lista de coordonate este mai mic decat cel "
                                      "introdus in fereastra de date textuale.")};
    return std::nullopt;
}

} // namespace ContourChecks
