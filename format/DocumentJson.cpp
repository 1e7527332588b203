#include "format/DocumentJson.h"

#include "base/AnsiText.h"

#include <QHash>
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
    return QJsonObject{{"DistrictType", a.DistrictType()},
                       {"DistrictName", a.DistrictName()},
                       {"Description", a.Description()},
                       {"SIRUTA", a.SIRUTA()},
                       {"IECode", a.IECode()},
                       {"StreetType", a.StreetType()},
                       {"StreetName", a.StreetName()},
                       {"StreetNo", a.StreetNo()},
                       {"BuildNo", a.BuildNo()},
                       {"EntranceNo", a.EntranceNo()},
                       {"TarlaNo", a.TarlaNo()},
                       {"ParcelNo", a.ParcelNo()},
                       {"FloorNo", a.FloorNo()},
                       {"ApartmentNo", a.ApartmentNo()}};
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
        const QString text = value.toString();
        const qsizetype lost = AnsiText::firstUnstorable(text);
        if (lost >= 0)
            fail(QLatin1String(field), QStringLiteral("\"%1\" cannot be stored in a .CP file (Windows-1250)")
                                           .arg(text.mid(lost, text.at(lost).isHighSurrogate() ? 2 : 1)));
        return text;
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

    // A whole number in [low, high]: 1.7 is refused, not cut to 1.
    double integer(const QJsonObject& object, const char* field, double low, double high) const
    {
        const double value = number(object, field, low, high);
        if (value != std::trunc(value))
            fail(QLatin1String(field), QStringLiteral("expected a whole number"));
        return value;
    }

    // An array whose items are all objects (owners, parcels, buildings, points).
    QJsonArray objects(const QJsonObject& object, const char* field) const
    {
        const QJsonValue value = object.value(QLatin1String(field));
        if (value.isUndefined() || value.isNull())
            return {};
        if (!value.isArray())
            fail(QLatin1String(field), QStringLiteral("expected an array"));
        const QJsonArray items = value.toArray();
        for (const QJsonValue& item : items) {
            if (!item.isObject())
                fail(QLatin1String(field), QStringLiteral("expected an array of objects"));
        }
        return items;
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
        const Reader geometry{path + QLatin1String(field) + QLatin1Char('.')};
        result->setName(geometry.text(json, "Name"));
        auto points = std::make_shared<Points>();
        const Reader inner{path + QLatin1String(field) + QStringLiteral(".Points.")};
        for (const QJsonValue& item : geometry.objects(json, "Points")) {
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

bool sameContour(const PolygonPtr& a, const PolygonPtr& b)
{
    if (!a || !b)
        return a == b;
    if (a->Name() != b->Name())
        return false;
    const int count = a->Points() ? a->Points()->Count() : 0;
    if (count != (b->Points() ? b->Points()->Count() : 0))
        return false;
    for (int i = 1; i <= count; ++i) {
        const Point& p = *a->Points()->Item(i);
        const Point& q = *b->Points()->Item(i);
        if (p.No() != q.No() || p.X() != q.X() || p.Y() != q.Y())
            return false;
    }
    return true;
}

// A .CP file keeps one contour per building number: loading gives every building of that
// number the one polygon. Buildings that share a number therefore share one polygon object
// here too, or saving would store the contour once per building and the next load would join
// the copies into one contour of twice the points.
void shareContoursByNumber(Buildings& buildings, const Reader& reader)
{
    QHash<QString, PolygonPtr> byNumber;
    for (const BuildPtr& build : buildings) {
        const auto first = byNumber.constFind(build->No());
        if (first == byNumber.constEnd()) {
            byNumber.insert(build->No(), build->Geometry());
            continue;
        }
        if (!sameContour(first.value(), build->Geometry()))
            reader.fail(QStringLiteral("Geometry"),
                        QStringLiteral("buildings numbered \"%1\" have different contours; a .CP file keeps one "
                                       "contour per building number")
                            .arg(build->No()));
        build->setGeometry(first.value());
    }
}

AddressPtr readAddress(const QJsonObject& json)
{
    const Reader r{QStringLiteral("Land.Address.")};
    auto a = std::make_shared<Address>();
    a->setDistrictType(r.text(json, "DistrictType"));
    a->setDistrictName(r.text(json, "DistrictName"));
    a->setDescription(r.text(json, "Description"));
    a->setSIRUTA(std::int32_t(r.integer(json, "SIRUTA", -2147483648.0, 2147483647.0)));
    a->setIECode(std::uint8_t(r.integer(json, "IECode", 0, 255)));
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
    for (const QJsonValue& item : r.objects(json, "Owners")) {
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
    for (const QJsonValue& item : pr.objects(parcelsJson, "Items")) {
        const QJsonObject p = item.toObject();
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(std::int16_t(pr.integer(p, "No", -32768, 32767)));
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
    for (const QJsonValue& item : br.objects(buildingsJson, "Items")) {
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
    shareContoursByNumber(*buildings, br);
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
