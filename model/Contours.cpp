#include "model/Contours.h"

#include "base/AreaText.h"
#include "base/NumberText.h"

namespace Contours {

namespace {

QString areaMessage(const QString& name)
{
    return QStringLiteral("Suprafata totala calculata din coordonate pentru ") + name +
           QStringLiteral(" este diferita de cea introdusa in fereastra de date textuale.");
}

std::optional<Problem> checkPoints(const Polygon& polygon)
{
    const Points& points = *polygon.Points();
    if (points.Count() == 0)
        return std::nullopt;
    const Point& first = *points.Item(1);
    const Point& last = *points.Item(points.Count());
    if (first.X() == last.X() && first.Y() == last.Y())
        return Problem{QStringLiteral("Primul si ultimul punct ale entitatii ") + polygon.Name() +
                       QStringLiteral(" au aceleasi coordonate.")};
    const Point* previous = nullptr;
    for (const PointPtr& point : points) {
        if (previous && previous->X() == point->X() && previous->Y() == point->Y())
            return Problem{QStringLiteral("Entitatea ") + polygon.Name() + QStringLiteral(" contine punctele ") +
                           previous->No() + QStringLiteral(" si ") + point->No() +
                           QStringLiteral(" care sunt consecutive.")};
        previous = point.get();
    }
    return std::nullopt;
}

} // namespace

bool isLand(const QString& name)
{
    return name.compare(LandName, Qt::CaseInsensitive) == 0;
}

bool isBuilding(const QString& name)
{
    return !isLand(name) && name.startsWith(QLatin1Char('C'), Qt::CaseInsensitive);
}

void clear(Land& land)
{
    land.setGeometry(nullptr);
    if (!land.Buildings())
        return;
    for (const BuildPtr& build : *land.Buildings())
        build->setGeometry(nullptr);
}

void attach(Land& land, const Polygons& contours, Qt::CaseSensitivity numbers, Unmatched unmatched)
{
    clear(land);
    for (const PolygonPtr& polygon : contours) {
        if (isLand(polygon->Name())) {
            land.setGeometry(polygon);
            continue;
        }
        bool matched = false;
        if (land.Buildings()) {
            for (const BuildPtr& build : *land.Buildings()) {
                if (build->No().compare(polygon->Name(), numbers) == 0) {
                    build->setGeometry(polygon);
                    matched = true;
                }
            }
        }
        if (matched || unmatched != Unmatched::AddBuilding || !isBuilding(polygon->Name()))
            continue;
        if (!land.Buildings())
            land.setBuildings(std::make_shared<Buildings>());
        auto build = std::make_shared<Build>();
        build->setNo(polygon->Name());
        build->setGeometry(polygon);
        land.Buildings()->Add(BuildPtr(build));
    }
}

std::optional<Problem> check(const Polygons& contours, const QString& parcelsTotal, const Buildings& buildings,
                             const QString& decimalSeparator)
{
    int buildingContours = 0;
    for (const PolygonPtr& polygon : contours) {
        const bool land = isLand(polygon->Name());
        const bool building = isBuilding(polygon->Name());
        const int pointCount = polygon->Points() ? polygon->Points()->Count() : 0;
        if ((land || building) && pointCount < 3)
            return Problem{QStringLiteral("Introduceti cel putin 3 puncte pe contur.")};
        double roundedArea = 0.0;
        if (pointCount > 0) {
            // A contour whose area cannot be measured (a coordinate that is not a number, or one
            // so large that the sum overflows) cannot be compared with the form's.
            Error error;
            roundedArea = NumberText::roundHalfEven(polygon->Area(&error));
            if (error.number != 0)
                return Problem{error.text(), Prompter::Icon::Critical};
        }
        if (land && roundedArea != AreaText::value(parcelsTotal, decimalSeparator))
            return Problem{areaMessage(polygon->Name())};
        if (building) {
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
                return Problem{
                    QStringLiteral("Denumirea constructiilor din lista de coordonate si fisa imobilului nu coincid."),
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

} // namespace Contours
