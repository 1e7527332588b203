#include "entry/nomenclature/NomenclatureBuilder.h"

#include "entry/nomenclature/CodeLists.h"
#include "entry/nomenclature/NameCase.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace NomenclatureBuilder {

namespace {

// Register TIP values of the territories.
bool isCommune(int type)
{
    return type == 3;
}
bool isTown(int type)
{
    return type == 2 || type == 5;
}
bool isMunicipality(int type)
{
    return type == 1 || type == 4 || type == 9;
}
constexpr int kSectorType = 6;

// `name` is in display case, so the prefix it may already have is in display case too.
QString withPrefix(const QString& prefix, const QString& name)
{
    if (name.size() > prefix.size() && name.startsWith(prefix) && name.at(prefix.size()) == QLatin1Char(' '))
        return name;
    return prefix + QLatin1Char(' ') + name;
}

QString withoutFirstWord(const QString& name, const QString& word)
{
    if (name.startsWith(word + QLatin1Char(' '), Qt::CaseInsensitive))
        return name.mid(word.size() + 1).trimmed();
    return name;
}

NomenclatureTable makeTable(const char* name, QStringList fields, QStringList types)
{
    NomenclatureTable t;
    t.tableName = QString::fromLatin1(name);
    t.fileName = t.tableName + QStringLiteral(".DAT");
    t.fields = std::move(fields);
    t.types = std::move(types);
    return t;
}

bool byOrder(const SirutaRecord* a, const SirutaRecord* b)
{
    return std::tie(a->order, a->siruta) < std::tie(b->order, b->siruta);
}

struct StreetRow
{
    int admin;
    int locality;
    int type;
    QString name;
};

} // namespace

QString territoryName(const SirutaRecord& record)
{
    const QString name = NameCase::display(record.name);
    if (isCommune(record.type))
        return withPrefix(QStringLiteral("Comuna"), name);
    if (isTown(record.type))
        return withPrefix(QStringLiteral("Oraș"), name);
    if (isMunicipality(record.type))
        return withPrefix(QStringLiteral("Municipiul"), name);
    return name;
}

QString countyName(const SirutaRecord& record)
{
    QString name = NameCase::commaBelow(record.name).trimmed();
    name = withoutFirstWord(name, QStringLiteral("JUDEȚUL"));
    name = withoutFirstWord(name, QStringLiteral("MUNICIPIUL"));
    return NameCase::display(name);
}

NomenclatureBuild build(const std::vector<SirutaRecord>& siruta, const std::vector<MfpCounty>& streetCounties,
                        const PostalStreets& bucharest)
{
    NomenclatureBuild result;

    std::vector<const SirutaRecord*> counties;
    QHash<int, const SirutaRecord*> countyByCode;
    const qsizetype expected = qsizetype(siruta.size());
    QHash<int, std::vector<const SirutaRecord*>> territoriesOf; // county code -> territories
    QHash<int, const SirutaRecord*> territoryByCode;
    QHash<int, std::vector<const SirutaRecord*>> localitiesOf; // territory code -> localities
    QHash<int, const SirutaRecord*> localityByCode;
    territoryByCode.reserve(expected / 4);
    localitiesOf.reserve(expected / 4);
    // Only streets need a locality by its code.
    const bool placeStreets = !streetCounties.empty() || !bucharest.streets.empty();
    if (placeStreets)
        localityByCode.reserve(expected);
    for (const SirutaRecord& r : siruta) {
        if (r.level == 1) {
            counties.push_back(&r);
            countyByCode.insert(r.county, &r);
        }
    }
    for (const SirutaRecord& r : siruta) {
        if (r.level == 2) {
            if (!countyByCode.contains(r.county)) {
                ++result.skippedRecords;
                continue;
            }
            territoriesOf[r.county].push_back(&r);
            territoryByCode.insert(r.siruta, &r);
        }
    }
    for (const SirutaRecord& r : siruta) {
        if (r.level == 3) {
            if (!territoryByCode.contains(r.parent)) {
                ++result.skippedRecords;
                continue;
            }
            localitiesOf[r.parent].push_back(&r);
            if (placeStreets)
                localityByCode.insert(r.siruta, &r);
        } else if (r.level != 1 && r.level != 2) {
            ++result.skippedRecords;
        }
    }
    std::stable_sort(counties.begin(), counties.end(), [](const SirutaRecord* a, const SirutaRecord* b) {
        return std::tie(a->countyOrder, a->county) < std::tie(b->countyOrder, b->county);
    });

    NomenclatureTable judete = makeTable("Judete", {QStringLiteral("county_id"), QStringLiteral("county_name")},
                                         {QStringLiteral("INTEGER"), QStringLiteral("TEXT")});
    NomenclatureTable admin = makeTable(
        "Admin", {QStringLiteral("admin_id"), QStringLiteral("admin_name"), QStringLiteral("admin_county_id")},
        {QStringLiteral("INTEGER"), QStringLiteral("TEXT"), QStringLiteral("INTEGER")});
    admin.indexes = {{QStringLiteral("admin_county_id")}};
    NomenclatureTable localitati =
        makeTable("Localitati",
                  {QStringLiteral("locality_id"), QStringLiteral("locality_name"), QStringLiteral("county_id"),
                   QStringLiteral("admin_id"), QStringLiteral("ie_code")},
                  {QStringLiteral("INTEGER"), QStringLiteral("TEXT"), QStringLiteral("INTEGER"),
                   QStringLiteral("INTEGER"), QStringLiteral("INTEGER")});
    localitati.indexes = {{QStringLiteral("admin_id"), QStringLiteral("ie_code")}, {QStringLiteral("locality_id")}};

    admin.cells.reserve(size_t(territoryByCode.size()) * 3);
    localitati.cells.reserve(siruta.size() * 5);
    QHash<int, int> seatOf; // territory code -> code of its first locality
    for (const SirutaRecord* county : counties) {
        judete.addRow({county->county, countyName(*county)});
        auto& territories = territoriesOf[county->county];
        std::stable_sort(territories.begin(), territories.end(), byOrder);
        for (const SirutaRecord* territory : territories) {
            const QString name = territoryName(*territory);
            admin.addRow({territory->siruta, name, territory->county});
            localitati.addRow({territory->siruta, name, territory->county, territory->siruta, 0});
            auto& localities = localitiesOf[territory->siruta];
            std::stable_sort(localities.begin(), localities.end(), byOrder);
            if (!localities.empty())
                seatOf.insert(territory->siruta, localities.front()->siruta);
            for (const SirutaRecord* locality : localities)
                localitati.addRow(
                    {locality->siruta, NameCase::display(locality->name), territory->county, territory->siruta, 1});
        }
    }

    NomenclatureTable strazi = makeTable(
        "Strazi",
        {QStringLiteral("admin_id"), QStringLiteral("locality_id"), QStringLiteral("street_type_id"),
         QStringLiteral("street_name")},
        {QStringLiteral("INTEGER"), QStringLiteral("INTEGER"), QStringLiteral("INTEGER"), QStringLiteral("TEXT")});
    strazi.indexes = {{QStringLiteral("admin_id"), QStringLiteral("locality_id"), QStringLiteral("street_type_id")}};
    std::vector<StreetRow> streets;
    QSet<QString> seen;
    for (const MfpCounty& county : streetCounties) {
        result.skippedStreets += county.skipped;
        for (const MfpStreet& street : county.streets) {
            int adminId = 0;
            int localityId = 0;
            if (const SirutaRecord* locality = localityByCode.value(street.localitySiruta, nullptr)) {
                adminId = locality->parent;
                localityId = locality->siruta;
            } else if (territoryByCode.contains(street.localitySiruta) && seatOf.contains(street.localitySiruta)) {
                // A street listed under the territory itself lies in its seat.
                adminId = street.localitySiruta;
                localityId = seatOf.value(street.localitySiruta);
            }
            const int type = CodeLists::streetTypeOfMfpCode(street.typeCode);
            const QString name = NameCase::commaBelow(street.name);
            const QString key = QStringLiteral("%1|%2|%3|").arg(localityId).arg(adminId).arg(type) + name;
            if (localityId == 0 || type == 0) {
                ++result.skippedStreets;
                continue;
            }
            if (seen.contains(key))
                continue;
            seen.insert(key);
            streets.push_back({adminId, localityId, type, name});
        }
    }
    // The sectors of the capital: the localities of the register's sector type, named "... SECTORUL n".
    static const QRegularExpression sectorName(QStringLiteral("SECTORUL\\s+(\\d)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    QHash<int, const SirutaRecord*> sectors;
    for (const SirutaRecord* locality : localityByCode) {
        if (locality->type != kSectorType)
            continue;
        const QRegularExpressionMatch match = sectorName.match(locality->name.trimmed());
        if (match.hasMatch())
            sectors.insert(match.captured(1).toInt(), locality);
    }
    result.skippedStreets += bucharest.skipped;
    for (const PostalStreet& street : bucharest.streets) {
        const SirutaRecord* sector = sectors.value(street.sector, nullptr);
        const int type = CodeLists::streetTypeOfName(street.typeName);
        if (!sector || type == 0) {
            ++result.skippedStreets;
            continue;
        }
        const QString key = QStringLiteral("%1|%2|%3|").arg(sector->siruta).arg(sector->parent).arg(type) + street.name;
        if (seen.contains(key))
            continue; // the index lists a street once per range of numbers
        seen.insert(key);
        streets.push_back({sector->parent, sector->siruta, type, street.name});
    }
    std::stable_sort(streets.begin(), streets.end(), [](const StreetRow& a, const StreetRow& b) {
        if (a.admin != b.admin)
            return a.admin < b.admin;
        if (a.locality != b.locality)
            return a.locality < b.locality;
        if (a.type != b.type)
            return a.type < b.type;
        return NameCase::compareStreetNames(a.name, b.name) < 0;
    });
    for (const StreetRow& s : streets)
        strazi.addRow({s.admin, s.locality, s.type, s.name});

    result.tables.push_back(std::move(judete));
    result.tables.push_back(std::move(admin));
    result.tables.push_back(std::move(localitati));
    result.tables.push_back(std::move(strazi));
    result.tables.push_back(CodeLists::streetTypes());
    result.tables.push_back(CodeLists::districtTypes());
    result.tables.push_back(CodeLists::landUseCategories());
    result.tables.push_back(CodeLists::landDestinations());
    result.tables.push_back(CodeLists::buildingDestinations());
    return result;
}

const NomenclatureTable* table(const NomenclatureBuild& build, const QString& fileName)
{
    for (const NomenclatureTable& t : build.tables) {
        if (t.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

} // namespace NomenclatureBuilder
