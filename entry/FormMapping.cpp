#include "entry/FormMapping.h"

#include "base/AreaText.h"
#include "base/Error.h"
#include "base/NumberText.h"

#include <QRegularExpression>
#include <cmath>

namespace FormMapping {

QString CommaToPoint(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char(','), QLatin1Char('.'));
    return result;
}

QString decimalText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString parcelsTotal(const GridRows& parcels, const QString& decimalSeparator)
{
    const auto area = [&decimalSeparator](const QString& text) { return AreaText::value(text, decimalSeparator); };
    double sum = 0.0;
    double numerators = 0.0;
    double denominator = 0.0;
    for (int row = 0; row < parcels.count(); ++row) {
        const QString text = parcels.cell(row, ParcelColumn::Area);
        const int slash = int(text.indexOf(QLatin1Char('/')));
        if (slash >= 0) {
            numerators += area(text.left(slash));
            const QString rest = text.mid(slash + 1);
            const int next = int(rest.indexOf(QLatin1Char('/')));
            denominator = area(next >= 0 ? rest.left(next) : rest);
        } else {
            sum += area(text);
        }
    }
    sum += numerators;
    if (denominator != 0.0)
        return decimalText(sum) + QLatin1Char('/') + decimalText(denominator);
    return decimalText(sum);
}

QString buildingsTotal(const GridRows& buildings, const QString& decimalSeparator)
{
    const auto area = [&decimalSeparator](const QString& text) { return AreaText::value(text, decimalSeparator); };
    double sum = 0.0;
    for (int row = 0; row < buildings.count(); ++row) {
        const QStringList parts = buildings.cell(row, BuildColumn::Area).split(QLatin1Char('+'));
        if (parts.size() > 1)
            sum += area(parts.at(0)) + area(parts.at(1));
        else
            sum += area(parts.at(0));
    }
    return decimalText(sum);
}

void UpdateParcelsTotal(FormData& form, const QString& decimalSeparator)
{
    form.parcelsTotal = parcelsTotal(form.parcels, decimalSeparator);
}

void UpdateBuildingsTotal(FormData& form, const QString& decimalSeparator)
{
    form.buildingsTotal = buildingsTotal(form.buildings, decimalSeparator);
}

QString totalLabelText(const QString& keptTotal)
{
    return keptTotal == QLatin1String("0") ? QString() : keptTotal;
}

bool readsAsNumber(const QString& text, const QString& decimalSeparator)
{
    return AreaText::isNumber(text, decimalSeparator);
}

std::int16_t parcelNumber(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!whole.match(text).hasMatch())
        throw Failure::typeMismatch();
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < -32768 || value > 32767)
        throw Failure::overflow();
    return static_cast<std::int16_t>(value);
}

namespace {
// The whole part of the previous number plus 1; empty when that is not a whole number of at
// most 15 digits, which is also where the conversion to an integer would stop being exact.
QString nextIntegerText(double previous)
{
    const double next = std::trunc(previous + 1);
    if (!(std::fabs(next) < 1e15))
        return {};
    return QString::number(static_cast<qlonglong>(next));
}
} // namespace

QString nextParcelNumber(const GridRows& parcels)
{
    if (parcels.count() == 0)
        return QStringLiteral("1");
    return nextIntegerText(NumberText::leadingNumber(parcels.cell(parcels.count() - 1, ParcelColumn::No)));
}

QString nextBuildingNumber(const GridRows& buildings, bool isAp)
{
    if (buildings.count() == 0)
        return isAp ? QStringLiteral("1") : QStringLiteral("C1");
    const QString last = buildings.cell(buildings.count() - 1, BuildColumn::No);
    if (isAp)
        return nextIntegerText(NumberText::leadingNumber(last));
    const QString next = nextIntegerText(NumberText::leadingNumber(last.mid(1)));
    return next.isEmpty() ? next : QLatin1Char('C') + next;
}

AddressPtr addressFromForm(const FormData& form)
{
    auto address = std::make_shared<Address>();
    address->setSIRUTA(form.intravilan ? form.localityId : form.territoryId);
    address->setIECode(form.intravilan ? 1 : 0);
    address->setStreetType(form.streetType);
    address->setStreetName(form.streetName());
    address->setStreetNo(form.streetNo);
    address->setBuildNo(form.buildNo);
    address->setEntranceNo(form.entranceNo);
    address->setTarlaNo(form.tarlaNo);
    address->setParcelNo(form.parcelNo);
    address->setFloorNo(form.floorNo);
    address->setApartmentNo(form.apartmentNo);
    address->setDistrictType(form.districtType);
    address->setDistrictName(form.districtName);
    address->setDescription(form.description);
    return address;
}

OwnerPtr ownerFromRow(const GridRows& owners, int row)
{
    auto owner = std::make_shared<Owner>();
    owner->setLastName(owners.cell(row, OwnerColumn::LastName).toUpper());
    owner->setFirstName(owners.cell(row, OwnerColumn::FirstName).toUpper());
    return owner;
}

ParcelPtr parcelFromRow(const GridRows& parcels, int row, bool isAp)
{
    auto parcel = std::make_shared<Parcel>();
    parcel->setNo(parcelNumber(parcels.cell(row, ParcelColumn::No)));
    parcel->setLandUse(parcels.cell(row, ParcelColumn::LandUse));
    parcel->setLandDestination(parcels.cell(row, ParcelColumn::LandDestination));
    const QString area = parcels.cell(row, ParcelColumn::Area);
    parcel->setMeasuredArea(isAp ? CommaToPoint(area) : area);
    parcel->setQualityClass(parcels.cell(row, ParcelColumn::QualityClass));
    parcel->setLocalityZone(parcels.cell(row, ParcelColumn::LocalityZone));
    parcel->setComments(parcels.cell(row, ParcelColumn::Comments).toUpper());
    return parcel;
}

BuildPtr buildFromRow(const GridRows& buildings, int row, bool isAp)
{
    auto build = std::make_shared<Build>();
    build->setNo(buildings.cell(row, BuildColumn::No));
    build->setDescription(buildings.cell(row, BuildColumn::Description).toUpper());
    const QString area = buildings.cell(row, BuildColumn::Area);
    build->setMeasuredArea(isAp ? CommaToPoint(area) : area);
    build->setBuildDestination(buildings.cell(row, BuildColumn::BuildDestination));
    build->setComments(buildings.cell(row, BuildColumn::Comments).toUpper());
    return build;
}

namespace {
bool rowIsEmpty(const GridRows& grid, int row)
{
    for (const QString& cell : grid.rows.at(row)) {
        if (!cell.trimmed().isEmpty())
            return false;
    }
    return true;
}
} // namespace

DocumentPtr draftDocument(const FormData& form)
{
    auto document = std::make_shared<Document>();
    document->setIsAp(form.isAp ? -1 : 0);
    const LandPtr& land = document->Land();
    land->setAddress(addressFromForm(form));
    auto owners = std::make_shared<Owners>();
    for (int row = 0; row < form.owners.count(); ++row) {
        if (!rowIsEmpty(form.owners, row))
            owners->Add(ownerFromRow(form.owners, row));
    }
    auto parcels = std::make_shared<Parcels>();
    for (int row = 0; row < form.parcels.count(); ++row) {
        if (rowIsEmpty(form.parcels, row))
            continue;
        GridRows one;
        one.rows.append(form.parcels.rows.at(row));
        try {
            parcelNumber(one.cell(0, ParcelColumn::No));
        } catch (const Failure&) {
            one.setCell(0, ParcelColumn::No, QStringLiteral("0"));
        }
        parcels->Add(parcelFromRow(one, 0, form.isAp));
    }
    parcels->setTotalMeasuredArea(form.parcelsTotal);
    parcels->setTotalLegalArea(form.parcelsLegalTotal);
    auto buildings = std::make_shared<Buildings>();
    for (int row = 0; row < form.buildings.count(); ++row) {
        if (!rowIsEmpty(form.buildings, row))
            buildings->Add(buildFromRow(form.buildings, row, form.isAp));
    }
    buildings->setTotalMeasuredArea(form.buildingsTotal);
    buildings->setTotalLegalArea(form.buildingsLegalTotal);
    land->setOwners(std::move(owners));
    land->setParcels(std::move(parcels));
    land->setBuildings(std::move(buildings));
    return document;
}

QStringList ownerRow(const Owner& owner)
{
    return {owner.LastName(), owner.FirstName()};
}

QStringList parcelRow(const Parcel& parcel)
{
    return {QString::number(parcel.No()), parcel.LandUse(),      parcel.LandDestination(), parcel.MeasuredArea(),
            parcel.QualityClass(),        parcel.LocalityZone(), parcel.Comments()};
}

QStringList buildRow(const Build& build)
{
    return {build.No(), build.Description(), build.MeasuredArea(), build.BuildDestination(), build.Comments()};
}

FormData formFromDocument(const Document& document)
{
    FormData form;
    form.isAp = document.isApartment();
    const LandPtr& land = document.Land();
    if (!land)
        return form;
    if (const AddressPtr& address = land->Address()) {
        form.intravilan = address->IECode() == 1;
        form.streetType = address->StreetType();
        form.streetListText = address->StreetName();
        form.streetText = address->StreetName();
        form.streetNo = address->StreetNo();
        form.buildNo = address->BuildNo();
        form.entranceNo = address->EntranceNo();
        form.tarlaNo = address->TarlaNo();
        form.parcelNo = address->ParcelNo();
        form.floorNo = address->FloorNo();
        form.apartmentNo = address->ApartmentNo();
        form.districtType = address->DistrictType();
        form.districtName = address->DistrictName();
        form.description = address->Description();
    }
    if (const ParcelsPtr& parcels = land->Parcels()) {
        for (const ParcelPtr& parcel : *parcels)
            form.parcels.rows.append(parcelRow(*parcel));
        form.parcelsTotal = parcels->TotalMeasuredArea();
        form.parcelsLegalTotal = parcels->TotalLegalArea();
    }
    if (const BuildingsPtr& buildings = land->Buildings()) {
        for (const BuildPtr& build : *buildings)
            form.buildings.rows.append(buildRow(*build));
        form.buildingsTotal = buildings->TotalMeasuredArea();
        form.buildingsLegalTotal = buildings->TotalLegalArea();
    }
    if (const OwnersPtr& owners = land->Owners()) {
        for (const OwnerPtr& owner : *owners)
            form.owners.rows.append(ownerRow(*owner));
    }
    return form;
}

} // namespace FormMapping
