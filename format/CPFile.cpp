#include "format/CPFile.h"

#include "base/NumberText.h"
#include "base/Version.h"
#include "format/BinaryReader.h"
#include "format/BinaryWriter.h"
#include "geometry/PolygonAssembler.h"
#include "model/Contours.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

std::int16_t checkedCount(int count)
{
    if (count > 32767)
        throw Failure::overflow();
    return std::int16_t(count);
}

Error fileError(const QFileDevice& file, const QString& path)
{
    switch (file.error()) {
    case QFileDevice::OpenError:
        if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
            return {ErrorNumber::PathNotFound, QStringLiteral("Path not found")};
        if (!QFileInfo::exists(path) && file.openMode() == QIODevice::NotOpen)
            return {ErrorNumber::FileNotFound, QStringLiteral("File not found")};
        return {ErrorNumber::PermissionDenied, QStringLiteral("Permission denied")};
    case QFileDevice::PermissionsError:
        return {ErrorNumber::PermissionDenied, QStringLiteral("Permission denied")};
    default:
        return {ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error")};
    }
}

// The contours stored with the land: its own first, then every building's that has one, in
// building order; none at all when the land has no contour. A contour that several buildings
// share (buildings with the same number get the same one on loading) is stored once: stored
// twice, its two runs of rows would read back as one contour of double length, doubling again
// at every save.
std::vector<PolygonPtr> storedContours(const Land& land)
{
    std::vector<PolygonPtr> contours;
    if (!land.Geometry())
        return contours;
    contours.push_back(land.Geometry());
    if (land.Buildings()) {
        for (const BuildPtr& build : *land.Buildings()) {
            if (build->Geometry() && std::find(contours.begin(), contours.end(), build->Geometry()) == contours.end())
                contours.push_back(build->Geometry());
        }
    }
    return contours;
}

int pointCount(const std::vector<PolygonPtr>& contours)
{
    int total = 0;
    for (const PolygonPtr& polygon : contours)
        total += polygon->Points() ? polygon->Points()->Count() : 0;
    return total;
}

// One stored point record.
struct PointRecord
{
    QString number;
    QString name;
    double x;
    double y;
};

// The stored records, as the polygon assembler reads them: the same rows the coordinate table
// would hold, without building it.
class RecordRows
{
public:
    explicit RecordRows(const std::vector<PointRecord>& records) : m_records(records) {}
    int upperRow() const { return int(m_records.size()); }
    QString name(int row) const { return m_records[std::size_t(row - 1)].name; }
    bool complete(int row) const
    {
        const PointRecord& record = m_records[std::size_t(row - 1)];
        return !record.name.isEmpty() && !record.number.isEmpty();
    }
    QString number(int row) const { return m_records[std::size_t(row - 1)].number; }
    bool coordinates(int row, double* x, double* y) const
    {
        // The stored doubles are taken exactly as written, so that saving a loaded file again
        // gives the same bytes.
        const PointRecord& record = m_records[std::size_t(row - 1)];
        *x = record.x;
        *y = record.y;
        return true;
    }

private:
    const std::vector<PointRecord>& m_records;
};

void attachContours(const std::vector<PointRecord>& records, Land& land)
{
    Polygons polygons;
    if (!assemblePolygons(RecordRows(records), polygons))
        throw Failure::typeMismatch();
    Contours::attach(land, polygons, Qt::CaseSensitive);
}

} // namespace

CPFile::CPFile(QString decimalSeparator)
    : m_decimalSeparator(decimalSeparator.isEmpty() ? NumberText::systemDecimalSeparator()
                                                    : std::move(decimalSeparator)),
      m_document(std::make_shared<class Document>())
{
}

QByteArray CPFile::compose() const
{
    const Land& land = *m_document->Land();
    const AddressPtr address = land.Address() ? land.Address() : std::make_shared<class Address>();
    const OwnersPtr owners = land.Owners() ? land.Owners() : std::make_shared<Owners>();
    const ParcelsPtr parcels = land.Parcels() ? land.Parcels() : std::make_shared<Parcels>();
    const BuildingsPtr buildings = land.Buildings() ? land.Buildings() : std::make_shared<Buildings>();
    const std::vector<PolygonPtr> contours = storedContours(land);
    const int points = pointCount(contours);

    BinaryWriter out;
    out.reserve(68 + qsizetype(points) * 32);
    out.bytes("CP");
    out.text(Version::fileVersion());
    out.text(QString());
    out.text(QString());
    out.int32(address->SIRUTA());
    out.uint8(address->IECode());
    for (const QString& field :
         {address->StreetType(), address->StreetName(), address->StreetNo(), address->BuildNo(), address->EntranceNo(),
          address->TarlaNo(), address->ParcelNo(), address->FloorNo(), address->ApartmentNo(), address->DistrictType(),
          address->DistrictName(), address->Description()})
        out.text(field);
    out.int16(m_document->IsAp());
    out.int16(checkedCount(owners->Count()));
    out.int16(checkedCount(parcels->Count()));
    out.int16(checkedCount(buildings->Count()));
    out.int16(checkedCount(points));
    out.text(parcels->TotalLegalArea());
    out.text(parcels->TotalMeasuredArea());
    out.text(buildings->TotalLegalArea());
    out.text(buildings->TotalMeasuredArea());
    out.text(m_document->SurveyorName());
    out.text(m_document->SurveyorLicense());
    out.text(m_status);
    out.text(m_comment1);
    out.text(m_comment2);

    for (const OwnerPtr& owner : *owners) {
        out.text(owner->LastName());
        out.text(owner->FirstName());
    }
    for (const ParcelPtr& parcel : *parcels) {
        out.int16(parcel->No());
        for (const QString& field : {parcel->LandUse(), parcel->LandDestination(), parcel->MeasuredArea(),
                                     parcel->QualityClass(), parcel->LocalityZone(), parcel->Comments()})
            out.text(field);
    }
    for (const BuildPtr& build : *buildings) {
        for (const QString& field :
             {build->No(), build->Description(), build->MeasuredArea(), build->BuildDestination(), build->Comments()})
            out.text(field);
    }
    for (const PolygonPtr& polygon : contours) {
        if (!polygon->Points())
            continue;
        const QString name = polygon->Name().toUpper();
        for (const PointPtr& point : *polygon->Points()) {
            out.text(point->No());
            out.text(name);
            out.float64(point->X());
            out.float64(point->Y());
        }
    }
    return out.buffer();
}

bool CPFile::save(QIODevice* device, Error* error)
{
    try {
        const QByteArray content = compose();
        if (device->write(content) != content.size())
            throw Failure(ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error"));
        return true;
    } catch (const Failure& failure) {
        if (error)
            *error = failure.error();
        return false;
    }
}

bool CPFile::SaveCPFile(Error* error)
{
    QByteArray content;
    try {
        content = compose();
    } catch (const Failure& failure) {
        if (error)
            *error = failure.error();
        return false;
    }
    QSaveFile file(m_fileName);
    // Unbuffered: a buffered QSaveFile meets a full disk only in commit(), which then still
    // replaces the old file with the cut-short one; written directly, the short write shows here.
    // In a folder the user may not write, a file the user may write is rewritten in place: no
    // temporary file can be made beside it, and refusing would lose the save altogether.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = fileError(file, m_fileName);
        return false;
    }
    if (file.write(content) != content.size() || !file.commit()) {
        if (error)
            *error = {ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error")};
        file.cancelWriting();
        return false;
    }
    return true;
}

void CPFile::readFrom(QIODevice* device)
{
    BinaryReader in(device);
    in.skip(2); // signature, not checked
    const QString version = in.text();
    in.text();
    in.text();
    auto address = std::make_shared<class Address>();
    address->setSIRUTA(in.int32());
    address->setIECode(in.uint8());
    address->setStreetType(in.text());
    address->setStreetName(in.text());
    address->setStreetNo(in.text());
    address->setBuildNo(in.text());
    address->setEntranceNo(in.text());
    address->setTarlaNo(in.text());
    address->setParcelNo(in.text());
    address->setFloorNo(in.text());
    address->setApartmentNo(in.text());
    address->setDistrictType(in.text());
    address->setDistrictName(in.text());
    address->setDescription(in.text());
    const std::int16_t isAp = in.int16();
    const int ownerCount = in.int16();
    const int parcelCount = in.int16();
    const int buildCount = in.int16();
    const int pointCount = in.int16();
    const QString parcelsLegal = in.text();
    const QString parcelsMeasured = in.text();
    const QString buildingsLegal = in.text();
    const QString buildingsMeasured = in.text();
    const QString surveyorName = in.text();
    const QString surveyorLicense = in.text();
    const QString status = in.text();
    const QString comment1 = in.text();
    const QString comment2 = in.text();

    m_document = std::make_shared<class Document>();
    m_version = version;
    Land& land = *m_document->Land();

    auto owners = std::make_shared<Owners>();
    for (int i = 0; i < ownerCount; ++i) {
        auto owner = std::make_shared<Owner>();
        owner->setLastName(in.text());
        owner->setFirstName(in.text());
        owners->Add(owner);
    }
    land.setOwners(owners);
    land.setAddress(address);
    m_document->setIsAp(isAp);
    m_document->setSurveyorName(surveyorName);
    m_document->setSurveyorLicense(surveyorLicense);
    m_comment1 = comment1;
    m_comment2 = comment2;
    m_status = status;

    auto parcels = std::make_shared<Parcels>();
    for (int i = 0; i < parcelCount; ++i) {
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(in.int16());
        parcel->setLandUse(in.text());
        parcel->setLandDestination(in.text());
        parcel->setMeasuredArea(in.text());
        parcel->setQualityClass(in.text());
        parcel->setLocalityZone(in.text());
        parcel->setComments(in.text());
        parcels->Add(parcel);
    }
    parcels->setTotalLegalArea(parcelsLegal);
    parcels->setTotalMeasuredArea(parcelsMeasured);
    land.setParcels(parcels);

    auto buildings = std::make_shared<Buildings>();
    for (int i = 0; i < buildCount; ++i) {
        auto build = std::make_shared<Build>();
        build->setNo(in.text());
        build->setDescription(in.text());
        build->setMeasuredArea(in.text());
        build->setBuildDestination(in.text());
        build->setComments(in.text());
        buildings->Add(build);
    }
    buildings->setTotalLegalArea(buildingsLegal);
    buildings->setTotalMeasuredArea(buildingsMeasured);
    land.setBuildings(buildings);

    // A negative count (a corrupt file) reads as no points.
    std::vector<PointRecord> records;
    records.reserve(std::size_t(std::max(pointCount, 0)));
    for (int i = 1; i <= pointCount; ++i) {
        PointRecord record;
        record.number = in.text();
        // Consecutive points of one contour share one name text.
        record.name = in.textLike(records.empty() ? QString() : records.back().name);
        record.x = in.float64();
        record.y = in.float64();
        records.push_back(std::move(record));
    }
    if (pointCount >= 1)
        attachContours(records, land);
}

bool CPFile::load(QIODevice* device, Error* error)
{
    try {
        readFrom(device);
        return true;
    } catch (const Failure& failure) {
        if (error)
            *error = failure.error();
        return false;
    }
}

bool CPFile::LoadCPFile(Error* error)
{
    QString path = m_fileName;
    path.remove(QLatin1Char('"'));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const Error failure = QFileInfo::exists(path)
                                  ? Error{ErrorNumber::PermissionDenied, QStringLiteral("Permission denied")}
                                  : Error{ErrorNumber::FileNotFound, QStringLiteral("File not found")};
        if (error)
            *error = failure;
        return false;
    }
    return load(&file, error);
}
