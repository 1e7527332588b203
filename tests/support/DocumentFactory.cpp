#include "support/DocumentFactory.h"

#include <cmath>

namespace DocumentFactory {

PolygonPtr polygon(const QString& name, int count, int firstNo, double centreX, double centreY, double radius)
{
    auto points = std::make_shared<Points>();
    points->reserve(count);
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * M_PI * i / count;
        auto point = std::make_shared<Point>();
        point->setNo(QString::number(firstNo + i));
        point->setX(std::round((centreX + radius * std::cos(angle)) * 1000.0) / 1000.0);
        point->setY(std::round((centreY + radius * std::sin(angle)) * 1000.0) / 1000.0);
        points->Add(point);
    }
    auto result = std::make_shared<Polygon>();
    result->setName(name);
    result->setPoints(points);
    return result;
}

PolygonPtr polygonOf(const QList<QPointF>& vertices, const QString& name)
{
    auto points = std::make_shared<Points>();
    int no = 1;
    for (const QPointF& vertex : vertices) {
        auto point = std::make_shared<Point>();
        point->setNo(QString::number(no++));
        point->setX(vertex.x());
        point->setY(vertex.y());
        points->Add(point);
    }
    auto result = std::make_shared<Polygon>();
    result->setName(name);
    result->setPoints(points);
    return result;
}

namespace {

void fillAddress(Land& land)
{
    auto address = std::make_shared<Address>();
    address->setDistrictType(QStringLiteral("Sector"));
    address->setDistrictName(QStringLiteral("3"));
    address->setDescription(QStringLiteral("lângă școală"));
    address->setSIRUTA(1017);
    address->setIECode(1);
    address->setStreetType(QStringLiteral("Strada"));
    address->setStreetName(QStringLiteral("Ștefan cel Mare"));
    address->setStreetNo(QStringLiteral("12A"));
    address->setBuildNo(QStringLiteral("B4"));
    address->setEntranceNo(QStringLiteral("2"));
    address->setTarlaNo(QStringLiteral("T12"));
    address->setParcelNo(QStringLiteral("P34"));
    address->setFloorNo(QStringLiteral("3"));
    address->setApartmentNo(QStringLiteral("14"));
    land.setAddress(address);
}

BuildPtr building(const QString& no, PolygonPtr contour)
{
    auto build = std::make_shared<Build>();
    build->setNo(no);
    build->setDescription(QStringLiteral("Casă ") + no);
    build->setMeasuredArea(QStringLiteral("120"));
    build->setBuildDestination(QStringLiteral("CL"));
    build->setComments(QStringLiteral("P+1"));
    build->setGeometry(std::move(contour));
    return build;
}

} // namespace

DocumentPtr sample(int landPoints)
{
    auto document = std::make_shared<Document>();
    document->setSurveyorName(QStringLiteral("Ionescu Țăran"));
    document->setSurveyorLicense(QStringLiteral("RO-B-F 0123"));
    Land& land = *document->Land();
    fillAddress(land);

    auto owners = std::make_shared<Owners>();
    for (const auto& names : {std::pair{QStringLiteral("Popescu"), QStringLiteral("Ion")},
                              std::pair{QStringLiteral("Șerban"), QStringLiteral("Maria")}}) {
        auto owner = std::make_shared<Owner>();
        owner->setLastName(names.first);
        owner->setFirstName(names.second);
        owners->Add(owner);
    }
    land.setOwners(owners);

    auto parcels = std::make_shared<Parcels>();
    for (int i = 1; i <= 2; ++i) {
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(std::int16_t(i));
        parcel->setLandUse(i == 1 ? QStringLiteral("CC") : QStringLiteral("A"));
        parcel->setLandDestination(QStringLiteral("TDI"));
        parcel->setMeasuredArea(QString::number(250 * i));
        parcel->setQualityClass(QStringLiteral("II"));
        parcel->setLocalityZone(QStringLiteral("A"));
        parcel->setComments(QStringLiteral("împrejmuit"));
        parcels->Add(parcel);
    }
    parcels->setTotalMeasuredArea(QStringLiteral("750"));
    parcels->setTotalLegalArea(QStringLiteral("749"));
    land.setParcels(parcels);

    auto buildings = std::make_shared<Buildings>();
    buildings->Add(building(QStringLiteral("C1"), polygon(QStringLiteral("C1"), 4, 101, 500000.0, 400000.0, 8.0)));
    buildings->Add(building(QStringLiteral("C2"), polygon(QStringLiteral("C2"), 5, 201, 500020.0, 400010.0, 5.0)));
    buildings->setTotalMeasuredArea(QStringLiteral("240"));
    buildings->setTotalLegalArea(QStringLiteral("240"));
    land.setBuildings(buildings);
    land.setGeometry(polygon(QStringLiteral("TEREN"), landPoints, 1, 500010.0, 400005.0, 40.0));
    return document;
}

DocumentPtr large(int points, int buildingCount, int ownerCount, int parcelCount)
{
    auto document = sample(4);
    Land& land = *document->Land();
    auto owners = std::make_shared<Owners>();
    for (int i = 0; i < ownerCount; ++i) {
        auto owner = std::make_shared<Owner>();
        owner->setLastName(QStringLiteral("Proprietar %1").arg(i));
        owner->setFirstName(QStringLiteral("Prenume %1").arg(i));
        owners->Add(owner);
    }
    land.setOwners(owners);
    auto parcels = std::make_shared<Parcels>();
    for (int i = 1; i <= parcelCount; ++i) {
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(std::int16_t(i));
        parcel->setLandUse(QStringLiteral("A"));
        parcel->setMeasuredArea(QString::number(i * 10));
        parcels->Add(parcel);
    }
    land.setParcels(parcels);
    const int perBuilding = 8;
    const int landPoints = points - buildingCount * perBuilding;
    auto buildings = std::make_shared<Buildings>();
    for (int b = 1; b <= buildingCount; ++b) {
        const QString no = QStringLiteral("C%1").arg(b);
        buildings->Add(building(no, polygon(no, perBuilding, 100000 + b * 10, 500000.0 + b, 400000.0, 2.0)));
    }
    land.setBuildings(buildings);
    land.setGeometry(polygon(QStringLiteral("TEREN"), landPoints, 1, 500000.0, 400000.0, 500.0));
    return document;
}

} // namespace DocumentFactory
