#include "cgxml/CgxmlImport.h"

#include "cgxml/CgxmlCodes.h"
#include "cgxml/CgxmlNomenclature.h"
#include "cgxml/CgxmlWriter.h"
#include "model/Contours.h"

#include <QSet>
#include <cmath>

namespace {

// A refusal raised while the rows are turned into the document.
struct Refusal
{
    QString text;
};

Refusal refusal(const CgxmlRow& row, const QString& text)
{
    return {QStringLiteral("Fisierul CGXML nu poate fi importat: linia %1: %2").arg(row.line).arg(text)};
}

int integer(const CgxmlRow& row, const char* name)
{
    bool ok = false;
    const int value = row.value(name).trimmed().toInt(&ok);
    if (!ok)
        throw refusal(row, QStringLiteral("campul %1 al randului %2 nu este un numar intreg (\"%3\").")
                               .arg(QLatin1String(name), row.type, row.value(name)));
    return value;
}

int optionalInteger(const CgxmlRow& row, const char* name, int absent = 0)
{
    return row.has(name) ? integer(row, name) : absent;
}

double real(const CgxmlRow& row, const char* name)
{
    bool ok = false;
    const double value = row.value(name).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw refusal(row, QStringLiteral("campul %1 al randului %2 nu este un numar (\"%3\").")
                               .arg(QLatin1String(name), row.type, row.value(name)));
    return value;
}

QString areaText(const CgxmlRow& row, const char* name)
{
    return row.has(name) ? CgxmlWriter::number(real(row, name)) : QString();
}

bool flag(const CgxmlRow& row, const char* name)
{
    const QString value = row.value(name).trimmed();
    return value == QLatin1String("true") || value == QLatin1String("1");
}

QString cadastralNumberOf(const CgxmlRow& land)
{
    for (const char* name : {"CADGENNO", "E2IDENTIFIER", "PAPERCADNO"}) {
        if (land.has(name))
            return land.value(name).trimmed();
    }
    return QString();
}

class Builder
{
public:
    Builder(const CgxmlReader& rows, CgxmlNomenclature* nomenclature, CgxmlImport::Result& result)
        : m_rows(rows), m_nomenclature(nomenclature), m_result(result)
    {
    }

    void build(const QString& cadastralNumber)
    {
        const CgxmlRow land = chooseLand(cadastralNumber);
        m_landId = integer(land, "LANDID");
        m_result.document = std::make_shared<Document>();
        Document& document = *m_result.document;
        m_land = document.Land().get();
        surveyor(document);
        address(land);
        parcels(land);
        buildings(land);
        owners();
        contours();
        leftBehind(land);
    }

private:
    CgxmlRow chooseLand(const QString& cadastralNumber)
    {
        const QList<CgxmlRow> lands = m_rows.rows(QStringLiteral("Land"));
        if (lands.isEmpty())
            throw Refusal{QStringLiteral("Fisierul CGXML nu contine niciun teren (randul Land lipseste).")};
        for (const CgxmlRow& land : lands) {
            if (!land.has("LANDID"))
                throw refusal(land, QStringLiteral("randul Land nu are LANDID."));
        }
        if (cadastralNumber.isEmpty())
            return lands.first();
        QStringList known;
        for (const CgxmlRow& land : lands) {
            if (cadastralNumberOf(land) == cadastralNumber.trimmed())
                return land;
            known << cadastralNumberOf(land);
        }
        known.removeAll(QString());
        throw Refusal{QStringLiteral("Fisierul CGXML nu contine terenul cu numarul cadastral %1 (contine: %2).")
                          .arg(cadastralNumber,
                               known.isEmpty() ? QStringLiteral("niciun numar") : known.join(QStringLiteral(", ")))};
    }

    void surveyor(Document& document)
    {
        const QList<CgxmlRow> descriptions = m_rows.rows(QStringLiteral("FileDescription"));
        if (descriptions.isEmpty())
            return;
        document.setSurveyorName(descriptions.first().value("LICENSEDNAME"));
        document.setSurveyorLicense(descriptions.first().value("LICENSENUMBER"));
    }

    const CgxmlRow* rowById(const char* type, const char* idField, int id) const
    {
        for (const CgxmlRow& row : m_cache[QLatin1String(type)]) {
            if (row.has(idField) && integer(row, idField) == id)
                return &row;
        }
        return nullptr;
    }

    void address(const CgxmlRow& land)
    {
        auto address = std::make_shared<Address>();
        m_land->setAddress(address);
        m_cache.insert(QStringLiteral("Address"), m_rows.rows(QStringLiteral("Address")));
        const CgxmlRow* row =
            land.has("ADDRESSID") ? rowById("Address", "ADDRESSID", integer(land, "ADDRESSID")) : nullptr;
        if (!row) {
            if (land.has("ADDRESSID"))
                throw refusal(
                    land, QStringLiteral("adresa %1 a terenului lipseste din fisier.").arg(land.value("ADDRESSID")));
            m_result.remarks << QStringLiteral("Terenul nu are adresa in fisier.");
            return;
        }
        const bool intravilan = flag(*row, "INTRAVILAN");
        m_intravilan = intravilan;
        address->setIECode(intravilan ? 1 : 0);
        const int siruta = optionalInteger(*row, "SIRUTA");
        const int territory = optionalInteger(*row, "SIRSUP");
        // The document keeps the locality inside the built-up area and the territory outside it.
        address->setSIRUTA(intravilan || territory == 0 ? siruta : territory);
        address->setDistrictType(row->value("DISTRICTTYPE"));
        address->setDistrictName(row->value("DISTRICTNAME"));
        address->setDescription(row->value("DESCRIPTION"));
        const QString typeCode = row->value("STREETTYPE").trimmed();
        const QString typeName = CgxmlCodes::streetTypeName(typeCode);
        address->setStreetType(typeName.isEmpty() ? typeCode : typeName);
        if (!typeCode.isEmpty() && typeName.isEmpty())
            m_result.remarks << QStringLiteral("Tipul de artera %1 nu este in lista de coduri.").arg(typeCode);
        address->setStreetName(row->value("STREETNAME"));
        address->setStreetNo(row->value("POSTALNUMBER"));
        address->setBuildNo(row->value("BLOCK"));
        address->setEntranceNo(row->value("ENTRY"));
        address->setFloorNo(row->value("FLOOR"));
        address->setApartmentNo(row->value("APNO"));
        matchNomenclature(*address);
    }

    void matchNomenclature(Address& address)
    {
        if (!m_nomenclature || !m_nomenclature->isOpen())
            return;
        const int siruta = address.SIRUTA();
        const bool known = m_intravilan ? m_nomenclature->isLocality(siruta) : m_nomenclature->isTerritory(siruta);
        if (!known) {
            m_result.remarks << QStringLiteral("Codul SIRUTA %1 nu este in nomenclatorul programului.").arg(siruta);
            return;
        }
        if (!m_intravilan || address.StreetName().isEmpty())
            return;
        const QString street = m_nomenclature->streetName(siruta, address.StreetName());
        if (street.isEmpty())
            m_result.remarks
                << QStringLiteral("Strada %1 nu este in nomenclatorul localitatii.").arg(address.StreetName());
        else
            address.setStreetName(street);
    }

    bool ofLand(const CgxmlRow& row) const { return row.has("LANDID") && integer(row, "LANDID") == m_landId; }

    void parcels(const CgxmlRow& land)
    {
        auto parcels = std::make_shared<Parcels>();
        m_land->setParcels(parcels);
        parcels->setTotalMeasuredArea(land.has("MEASUREDAREA") ? areaText(land, "MEASUREDAREA") : QStringLiteral("0"));
        parcels->setTotalLegalArea(land.has("PARCELLEGALAREA") ? areaText(land, "PARCELLEGALAREA")
                                                               : QStringLiteral("0"));
        int position = 0;
        for (const CgxmlRow& row : m_rows.rows(QStringLiteral("Parcel"))) {
            if (!ofLand(row))
                continue;
            ++position;
            auto parcel = std::make_shared<Parcel>();
            const int number = optionalInteger(row, "NUMBER", position);
            if (number < -32768 || number > 32767)
                throw refusal(row, QStringLiteral("numarul parcelei %1 nu incape intre -32768 si 32767.").arg(number));
            parcel->setNo(std::int16_t(number));
            parcel->setMeasuredArea(areaText(row, "MEASUREDAREA"));
            parcel->setLandUse(row.value("USECATEGORY").trimmed());
            parcel->setLandDestination(CgxmlCodes::landDestination(parcel->LandUse(), flag(row, "INTRAVILAN")));
            parcel->setComments(row.value("NOTES"));
            if (position == 1) {
                m_land->Address()->setTarlaNo(row.value("LANDPLOTNO"));
                m_land->Address()->setParcelNo(row.value("PARCELNO"));
            }
            parcels->Add(std::move(parcel));
        }
    }

    static void splitNotes(const QString& notes, Build& build)
    {
        const qsizetype bar = notes.indexOf(QStringLiteral(" | "));
        build.setDescription(bar < 0 ? notes : notes.left(bar));
        build.setComments(bar < 0 ? QString() : notes.mid(bar + 3));
    }

    void buildings(const CgxmlRow& land)
    {
        auto buildings = std::make_shared<Buildings>();
        m_land->setBuildings(buildings);
        buildings->setTotalLegalArea(land.has("BUILDINGLEGALAREA") ? areaText(land, "BUILDINGLEGALAREA")
                                                                   : QStringLiteral("0"));
        QList<CgxmlRow> rows;
        for (const CgxmlRow& row : m_rows.rows(QStringLiteral("Building"))) {
            if (ofLand(row)) {
                rows << row;
                m_buildingIds.insert(integer(row, "BUILDINGID"), nullptr);
            }
        }
        QList<CgxmlRow> units;
        for (const CgxmlRow& unit : m_rows.rows(QStringLiteral("IU"))) {
            if (unit.has("BUILDINGID") && m_buildingIds.contains(integer(unit, "BUILDINGID")))
                units << unit;
        }
        // Units make an apartment document: the first unit's apartment, with every unit of the same
        // apartment number; the other apartments of a block stay with the file.
        double total = 0;
        if (!units.isEmpty()) {
            const QString apartmentNo = units.first().value("APNO").trimmed();
            for (const CgxmlRow& unit : units) {
                if (unit.value("APNO").trimmed() == apartmentNo)
                    apartmentUnit(unit, rows, &total);
                else
                    ++m_unitsLeft;
            }
        } else {
            int position = 0;
            for (const CgxmlRow& row : rows) {
                ++position;
                auto build = std::make_shared<Build>();
                build->setNo(QStringLiteral("C%1").arg(optionalInteger(row, "BUILDNO", position)));
                build->setMeasuredArea(areaText(row, "MEASUREDAREA"));
                build->setBuildDestination(row.value("BUILDINGDESTINATION").trimmed());
                splitNotes(row.value("NOTES"), *build);
                total += row.has("MEASUREDAREA") ? real(row, "MEASUREDAREA") : 0.0;
                m_buildingIds.insert(integer(row, "BUILDINGID"), build.get());
                buildings->Add(std::move(build));
            }
        }
        buildings->setTotalMeasuredArea(CgxmlWriter::number(total));
    }

    void apartmentUnit(const CgxmlRow& unit, const QList<CgxmlRow>& blocks, double* total)
    {
        m_result.document->setIsAp(-1);
        auto build = std::make_shared<Build>();
        build->setNo(unit.has("IDENTIFIER") ? unit.value("IDENTIFIER")
                                            : QString::number(m_land->Buildings()->Count() + 1));
        build->setMeasuredArea(areaText(unit, "MEASUREDAREA"));
        for (const CgxmlRow& block : blocks) {
            if (integer(block, "BUILDINGID") == integer(unit, "BUILDINGID"))
                build->setBuildDestination(block.value("BUILDINGDESTINATION").trimmed());
        }
        splitNotes(unit.value("NOTES"), *build);
        *total += unit.has("MEASUREDAREA") ? real(unit, "MEASUREDAREA") : 0.0;
        Address& address = *m_land->Address();
        if (address.ApartmentNo().isEmpty())
            address.setApartmentNo(unit.value("APNO"));
        if (address.EntranceNo().isEmpty())
            address.setEntranceNo(unit.value("ENTRY"));
        if (address.FloorNo().isEmpty())
            address.setFloorNo(unit.value("FLOOR"));
        // A share the parcel rows could not carry comes back from the unit.
        if (m_land->Parcels()->Count() == 1 && m_land->Parcels()->Item(1)->MeasuredArea().isEmpty())
            m_land->Parcels()->Item(1)->setMeasuredArea(unit.value("LANDINDIVISIONAREA"));
        if (m_land->Parcels()->TotalMeasuredArea() == QLatin1String("0") && unit.has("LANDINDIVISIONAREA"))
            m_land->Parcels()->setTotalMeasuredArea(unit.value("LANDINDIVISIONAREA"));
        m_land->Buildings()->Add(std::move(build));
    }

    // Registrations tied to the land or to its buildings, and the persons holding them.
    void owners()
    {
        auto owners = std::make_shared<Owners>();
        m_land->setOwners(owners);
        const QList<CgxmlRow> ties = m_rows.rows(QStringLiteral("RegistrationXEntity"));
        QSet<int> registrations;
        for (const CgxmlRow& tie : ties) {
            const bool toLand = ofLand(tie);
            const bool toBuilding = tie.has("BUILDINGID") && m_buildingIds.contains(integer(tie, "BUILDINGID"));
            if ((toLand || toBuilding) && tie.has("REGISTRATIONID"))
                registrations.insert(integer(tie, "REGISTRATIONID"));
        }
        m_registrations = registrations;
        // Without any tie in the file, a file of one land gives it every person.
        const bool everyone = ties.isEmpty() && m_rows.rows(QStringLiteral("Land")).size() == 1;
        for (const CgxmlRow& person : m_rows.rows(QStringLiteral("Person"))) {
            const bool held =
                everyone || (person.has("REGISTRATIONID") && registrations.contains(integer(person, "REGISTRATIONID")));
            if (!held) {
                ++m_personsLeft;
                continue;
            }
            auto owner = std::make_shared<Owner>();
            owner->setLastName(person.value("LASTNAME"));
            owner->setFirstName(person.value("FIRSTNAME"));
            owners->Add(std::move(owner));
        }
    }

    static PolygonPtr newContour(const QString& name)
    {
        auto polygon = std::make_shared<Polygon>();
        polygon->setName(name);
        polygon->setPoints(std::make_shared<Points>());
        return polygon;
    }

    // The file's X is the northing (the document's Y), its Y the easting (the document's X).
    void contours()
    {
        PolygonPtr land;
        for (const CgxmlRow& row : m_rows.rows(QStringLiteral("Points"))) {
            PolygonPtr* target = nullptr;
            if (row.has("BUILDINGID")) {
                const int id = integer(row, "BUILDINGID");
                Build* build = m_buildingIds.value(id, nullptr);
                if (!build) {
                    ++m_pointsLeft;
                    continue;
                }
                if (!build->Geometry())
                    build->setGeometry(newContour(build->No()));
                PolygonPtr geometry = build->Geometry();
                addPoint(row, *geometry);
                continue;
            }
            if (!row.has("IMMOVABLEID") || integer(row, "IMMOVABLEID") != m_landId ||
                m_result.document->isApartment()) {
                ++m_pointsLeft;
                continue;
            }
            if (!land)
                land = newContour(Contours::LandName);
            target = &land;
            addPoint(row, **target);
        }
        if (land)
            m_land->setGeometry(land);
    }

    void addPoint(const CgxmlRow& row, Polygon& polygon)
    {
        if (!row.has("X") || !row.has("Y"))
            throw refusal(row, QStringLiteral("punctul %1 nu are coordonatele X si Y.").arg(row.value("NO")));
        if (polygon.Points()->Count() >= 32767)
            throw refusal(row, QStringLiteral("conturul %1 are peste 32767 de puncte.").arg(polygon.Name()));
        auto point = std::make_shared<Point>();
        point->setNo(row.value("NO"));
        point->setX(real(row, "Y"));
        point->setY(real(row, "X"));
        polygon.Points()->Add(std::move(point));
    }

    static bool isPlainRegistration(const CgxmlRow& row)
    {
        static const QSet<QString> written = {QStringLiteral("REGISTRATIONID"), QStringLiteral("REGISTRATIONTYPE"),
                                              QStringLiteral("RIGHTTYPE"), QStringLiteral("DEEDID"),
                                              QStringLiteral("ACTUALQUOTA")};
        for (const auto& [name, value] : row.fields) {
            if (!written.contains(name) && !value.trimmed().isEmpty())
                return false;
        }
        return row.value("RIGHTTYPE") == QLatin1String("PROPRIETATE") &&
               row.value("ACTUALQUOTA") == QLatin1String("1/1");
    }

    void count(int n, const QString& what)
    {
        if (n > 0)
            m_result.leftBehind << QStringLiteral("%1: %2").arg(what).arg(n);
    }

    void leftBehind(const CgxmlRow& land)
    {
        count(int(m_rows.rows(QStringLiteral("Land")).size()) - 1, QStringLiteral("alte terenuri (Land)"));
        const QString cadastral = cadastralNumberOf(land);
        if (!cadastral.isEmpty())
            m_result.leftBehind << QStringLiteral("numarul cadastral %1").arg(cadastral);
        int deeds = 0;
        for (const CgxmlRow& deed : m_rows.rows(QStringLiteral("Deed"))) {
            if (deed.has("DEEDNUMBER") || deed.has("DEEDDATE") || deed.has("DEEDTYPE") || deed.has("AUTHORITY"))
                ++deeds;
        }
        count(deeds, QStringLiteral("acte (Deed)"));
        int registrations = 0;
        for (const CgxmlRow& registration : m_rows.rows(QStringLiteral("Registration"))) {
            if (!isPlainRegistration(registration))
                ++registrations;
        }
        count(registrations, QStringLiteral("inscrieri (Registration) cu tipul dreptului, cota sau actul lor"));
        count(m_unitsLeft, QStringLiteral("unitati individuale (IU) ale altor apartamente"));
        count(m_personsLeft, QStringLiteral("persoane fara drept asupra terenului ales (Person)"));
        count(m_pointsLeft, QStringLiteral("puncte ale altor imobile (Points)"));
        static const QSet<QString> known = {QStringLiteral("FileDescription"),
                                            QStringLiteral("Address"),
                                            QStringLiteral("Land"),
                                            QStringLiteral("Parcel"),
                                            QStringLiteral("Building"),
                                            QStringLiteral("IU"),
                                            QStringLiteral("Points"),
                                            QStringLiteral("Person"),
                                            QStringLiteral("Deed"),
                                            QStringLiteral("Registration"),
                                            QStringLiteral("RegistrationXEntity")};
        for (const QString& type : m_rows.types()) {
            if (!known.contains(type))
                count(int(m_rows.rows(type).size()), QStringLiteral("randuri %1").arg(type));
        }
    }

    const CgxmlReader& m_rows;
    CgxmlNomenclature* m_nomenclature;
    CgxmlImport::Result& m_result;
    QHash<QString, QList<CgxmlRow>> m_cache;
    Land* m_land = nullptr;
    int m_landId = 0;
    bool m_intravilan = false;
    QHash<int, Build*> m_buildingIds;
    QSet<int> m_registrations;
    int m_unitsLeft = 0;
    int m_personsLeft = 0;
    int m_pointsLeft = 0;
};

} // namespace

bool CgxmlImport::toDocument(const CgxmlReader& rows, const QString& cadastralNumber, CgxmlNomenclature* nomenclature,
                             Result* result, QString* error)
{
    Result built;
    try {
        Builder(rows, nomenclature, built).build(cadastralNumber);
    } catch (const Refusal& refused) {
        *error = refused.text;
        return false;
    }
    *result = std::move(built);
    return true;
}

QString CgxmlImport::report(const Result& result)
{
    QString text;
    if (!result.leftBehind.isEmpty())
        text = QStringLiteral("Din fisierul CGXML nu pot fi pastrate in documentul .CP: ") +
               result.leftBehind.join(QStringLiteral("; ")) + QLatin1Char('.');
    if (!result.remarks.isEmpty()) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += result.remarks.join(QLatin1Char('\n'));
    }
    return text;
}
