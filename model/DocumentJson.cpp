#include "model/DocumentJson.h"

#include <QJsonArray>
#include <cmath>
#include <stdexcept>

namespace {

// JSON has no infinities and no NaN (Qt would write null, which reads back as a number). A
// damaged .CP may hold them: they are written as the texts "NaN", "Infinity" and "-Infinity",
// which show what the file holds and which reading refuses.
QJsonValue coordinateJson(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    return value;
}

QJsonValue polygonJson(const PolygonPtr& polygon)
{
    if (!polygon)
        return QJsonValue::Null;
    QJsonArray points;
    if (polygon->Points()) {
        for (const PointPtr& point : *polygon->Points())
            points.append(
                QJsonObject{{"No", point->No()}, {"X", coordinateJson(point->X())}, {"Y", coordinateJson(point->Y())}});
    }
    return QJsonObject{{"Name", polygon->Name()}, {"Points", points}};
}

QJsonObject addressJson(const AddressPtr& address)
{
    const Address empty;
    const Address& a = address ? *address : empty;
    return QJsonObject{{"DistrictType", a.DistrictType()}, {"DistrictName", a.DistrictName()},
                       {"Description", a.Description()},   {"SIRUTA", a.SIRUTA()},
                       {"IECode", a.IECode()},             {"StreetType", a.StreetType()},
                       {"StreetName", a.StreetName()},     {"StreetNo", a.StreetNo()},
                       {"BuildNo", a.BuildNo()},           {"EntranceNo", a.EntranceNo()},
                       {"TarlaNo", a.TarlaNo()},           {"ParcelNo", a.ParcelNo()},
                       {"FloorNo", a.FloorNo()},           {"ApartmentNo", a.ApartmentNo()}};
}

// Reading: a wrong type is reported with the field's path.
struct Reader
{
    QString path;

    [[noreturn]] void fail(const QString& field, const QString& what) const
    {
        throw std::runtime_error((path + field + QStringLiteral(": ") + what).toStdString());
    }

    QString text(const QJsonObject& object, const char* field) const
    {
        const QJsonValue value = object.value(QLatin1String(field));
        if (value.isUndefined() || value.isNull())
            return QString();
        if (!value.isString())
            fail(QLatin1String(field), QStringLiteral("expected a text"));
        return value.toString();
    }

    double number(const QJsonObject& object, const char* field, double low, double high) const
    {
        const QJsonValue value = object.value(QLatin1String(field));
        if (value.isUndefined() || value.isNull())
            return 0;
        if (!value.isDouble())
            fail(QLatin1String(field), QStringLiteral("expected a number"));
        const double number = value.toDouble();
        if (!(number >= low && number <= high))
            fail(QLatin1String(field), QStringLiteral("out of range"));
        return number;
    }

    // A coordinate must be there and be a finite number: a missing one is not 0.
    double coordinate(const QJsonObject& object, const char* field) const
    {
        const QJsonValue value = object.value(QLatin1String(field));
        if (!value.isDouble())
            fail(QLatin1String(field), QStringLiteral("expected a finite number"));
        if (!std::isfinite(value.toDouble()))
            fail(QLatin1String(field), QStringLiteral("out of range"));
        return value.toDouble();
    }

    QJsonArray array(const QJsonObject& object, const char* field) const
    {
        const QJsonValue value = object.value(QLatin1String(field));
        if (value.isUndefined() || value.isNull())
            return {};
        if (!value.isArray())
            fail(QLatin1String(field), QStringLiteral("expected an array"));
        return value.toArray();
    }

    QJsonObject object(const QJsonObject& parent, const char* field) const
    {
        const QJsonValue value = parent.value(QLatin1String(field));
        if (value.isUndefined() || value.isNull())
            return {};
        if (!value.isObject())
            fail(QLatin1String(field), QStringLiteral("expected an object"));
        return value.toObject();
    }

    PolygonPtr polygon(const QJsonObject& parent, const char* field) const
    {
        const QJsonValue value = parent.value(QLatin1String(field));
        if (value.isUndefined() || value.isNull())
            return nullptr;
        if (!value.isObject())
            fail(QLatin1String(field), QStringLiteral("expected an object or null"));
        const QJsonObject json = value.toObject();
        auto result = std::make_shared<Polygon>();
        result->setName(text(json, "Name"));
        auto points = std::make_shared<Points>();
        const Reader inner{path + QLatin1String(field) + QStringLiteral(".Points.")};
        for (const QJsonValue& item : array(json, "Points")) {
            const QJsonObject p = item.toObject();
            auto point = std::make_shared<Point>();
            point->setNo(inner.text(p, "No"));
            point->setX(inner.coordinate(p, "X"));
            point->setY(inner.coordinate(p, "Y"));
            points->Add(point);
        }
        result->setPoints(points);
        return result;
    }
};

AddressPtr readAddress(const QJsonObject& json)
{
    const Reader r{QStringLiteral("Land.Address.")};
    auto a = std::make_shared<Address>();
    a->setDistrictType(r.text(json, "DistrictType"));
    a->setDistrictName(r.text(json, "DistrictName"));
    a->setDescription(r.text(json, "Description"));
    a->setSIRUTA(std::int32_t(r.number(json, "SIRUTA", -2147483648.0, 2147483647.0)));
    a->setIECode(std::uint8_t(r.number(json, "IECode", 0, 255)));
    a->setStreetType(r.text(json, "StreetType"));
    a->setStreetName(r.text(json, "StreetName"));
    a->setStreetNo(r.text(json, "StreetNo"));
    a->setBuildNo(r.text(json, "BuildNo"));
    a->setEntranceNo(r.text(json, "EntranceNo"));
    a->setTarlaNo(r.text(json, "TarlaNo"));
    a->setParcelNo(r.text(json, "ParcelNo"));
    a->setFloorNo(r.text(json, "FloorNo"));
    a->setApartmentNo(r.text(json, "ApartmentNo"));
    return a;
}

void readLand(const QJsonObject& json, Land& land)
{
    const Reader r{QStringLiteral("Land.")};
    land.setAddress(readAddress(r.object(json, "Address")));

    auto owners = std::make_shared<Owners>();
    const Reader ownerReader{QStringLiteral("Land.Owners.")};
    for (const QJsonValue& item : r.array(json, "Owners")) {
        auto owner = std::make_shared<Owner>();
        owner->setLastName(ownerReader.text(item.toObject(), "LastName"));
        owner->setFirstName(ownerReader.text(item.toObject(), "FirstName"));
        owners->Add(owner);
    }
    land.setOwners(owners);

    const QJsonObject parcelsJson = r.object(json, "Parcels");
    const Reader pr{QStringLiteral("Land.Parcels.")};
    auto parcels = std::make_shared<Parcels>();
    parcels->setTotalMeasuredArea(pr.text(parcelsJson, "TotalMeasuredArea"));
    parcels->setTotalLegalArea(pr.text(parcelsJson, "TotalLegalArea"));
    for (const QJsonValue& item : pr.array(parcelsJson, "Items")) {
        const QJsonObject p = item.toObject();
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(std::int16_t(pr.number(p, "No", -32768, 32767)));
        parcel->setLandUse(pr.text(p, "LandUse"));
        parcel->setLandDestination(pr.text(p, "LandDestination"));
        parcel->setMeasuredArea(pr.text(p, "MeasuredArea"));
        parcel->setQualityClass(pr.text(p, "QualityClass"));
        parcel->setLocalityZone(pr.text(p, "LocalityZone"));
        parcel->setComments(pr.text(p, "Comments"));
        parcels->Add(parcel);
    }
    land.setParcels(parcels);

    const QJsonObject buildingsJson = r.object(json, "Buildings");
    const Reader br{QStringLiteral("Land.Buildings.")};
    auto buildings = std::make_shared<Buildings>();
    buildings->setTotalMeasuredArea(br.text(buildingsJson, "TotalMeasuredArea"));
    buildings->setTotalLegalArea(br.text(buildingsJson, "TotalLegalArea"));
    for (const QJsonValue& item : br.array(buildingsJson, "Items")) {
        const QJsonObject b = item.toObject();
        auto build = std::make_shared<Build>();
        build->setNo(br.text(b, "No"));
        build->setDescription(br.text(b, "Description"));
        build->setMeasuredArea(br.text(b, "MeasuredArea"));
        build->setBuildDestination(br.text(b, "BuildDestination"));
        build->setComments(br.text(b, "Comments"));
        build->setGeometry(br.polygon(b, "Geometry"));
        buildings->Add(build);
    }
    land.setBuildings(buildings);
    land.setGeometry(r.polygon(json, "Geometry"));
}

} // namespace

namespace DocumentJson {

QJsonObject toJson(const CPFile& file)
{
    const Document& document = *file.Document();
    const Land& land = *document.Land();

    QJsonArray owners;
    if (land.Owners()) {
        for (const OwnerPtr& owner : *land.Owners())
            owners.append(QJsonObject{{"LastName", owner->LastName()}, {"FirstName", owner->FirstName()}});
    }
    QJsonObject parcels{{"TotalMeasuredArea", land.Parcels() ? land.Parcels()->TotalMeasuredArea() : QString()},
                        {"TotalLegalArea", land.Parcels() ? land.Parcels()->TotalLegalArea() : QString()}};
    QJsonArray parcelItems;
    if (land.Parcels()) {
        for (const ParcelPtr& p : *land.Parcels())
            parcelItems.append(QJsonObject{{"No", p->No()},
                                           {"LandUse", p->LandUse()},
                                           {"LandDestination", p->LandDestination()},
                                           {"MeasuredArea", p->MeasuredArea()},
                                           {"QualityClass", p->QualityClass()},
                                           {"LocalityZone", p->LocalityZone()},
                                           {"Comments", p->Comments()}});
    }
    parcels.insert("Items", parcelItems);
    QJsonObject buildings{{"TotalMeasuredArea", land.Buildings() ? land.Buildings()->TotalMeasuredArea() : QString()},
                          {"TotalLegalArea", land.Buildings() ? land.Buildings()->TotalLegalArea() : QString()}};
    QJsonArray buildItems;
    if (land.Buildings()) {
        for (const BuildPtr& b : *land.Buildings())
            buildItems.append(QJsonObject{{"No", b->No()},
                                          {"Description", b->Description()},
                                          {"MeasuredArea", b->MeasuredArea()},
                                          {"BuildDestination", b->BuildDestination()},
                                          {"Comments", b->Comments()},
                                          {"Geometry", polygonJson(b->Geometry())}});
    }
    buildings.insert("Items", buildItems);

    return QJsonObject{{"SurveyorName", document.SurveyorName()},
                       {"SurveyorLicense", document.SurveyorLicense()},
                       {"IsAp", document.isApartment()},
                       {"Version", file.Version()},
                       {"Status", file.Status()},
                       {"Comment1", file.Comment1()},
                       {"Comment2", file.Comment2()},
                       {"Land", QJsonObject{{"Address", addressJson(land.Address())},
                                            {"Owners", owners},
                                            {"Parcels", parcels},
                                            {"Buildings", buildings},
                                            {"Geometry", polygonJson(land.Geometry())}}}};
}

bool fromJson(const QJsonObject& json, CPFile& file, QString* error)
{
    try {
        const Reader r{QString()};
        auto document = std::make_shared<Document>();
        document->setSurveyorName(r.text(json, "SurveyorName"));
        document->setSurveyorLicense(r.text(json, "SurveyorLicense"));
        const QJsonValue isAp = json.value("IsAp");
        if (!isAp.isUndefined() && !isAp.isNull() && !isAp.isBool())
            r.fail(QStringLiteral("IsAp"), QStringLiteral("expected true or false"));
        document->setIsAp(isAp.toBool() ? -1 : 0);
        readLand(r.object(json, "Land"), *document->Land());
        file.setDocument(document);
        file.setVersion(r.text(json, "Version"));
        file.setStatus(r.text(json, "Status"));
        file.setComment1(r.text(json, "Comment1"));
        file.setComment2(r.text(json, "Comment2"));
        return true;
    } catch (const std::runtime_error& failure) {
        if (error)
            *error = QString::fromStdString(failure.what());
        return false;
    }
}

} // namespace DocumentJson
