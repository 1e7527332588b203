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

namespace {

// The register's records by level, each kept only under a parent the register also holds.
struct SirutaTree
{
    std::vector<const SirutaRecord*> counties;
    QHash<int, const SirutaRecord*> countyByCode;
    QHash<int, std::vector<const SirutaRecord*>> territoriesOf; // county code -> territories
    QHash<int, const SirutaRecord*> territoryByCode;
    QHash<int, std::vector<const SirutaRecord*>> localitiesOf; // territory code -> localities
    QHash<int, const SirutaRecord*> localityByCode;            // filled only when streets are placed
    QHash<int, int> seatOf;                                    // territory code -> its first locality
    int skippedRecords = 0;
    std::size_t records = 0;
};

SirutaTree treeOf(const std::vector<SirutaRecord>& siruta, bool placeStreets)
{
    SirutaTree tree;
    tree.records = siruta.size();
    const qsizetype expected = qsizetype(siruta.size());
    tree.territoryByCode.reserve(expected / 4);
    tree.localitiesOf.reserve(expected / 4);
    if (placeStreets)
        tree.localityByCode.reserve(expected);
    for (const SirutaRecord& r : siruta) {
        if (r.level == 1) {
            tree.counties.push_back(&r);
            tree.countyByCode.insert(r.county, &r);
        }
    }
    for (const SirutaRecord& r : siruta) {
        if (r.level != 2)
            continue;
        if (!tree.countyByCode.contains(r.county)) {
            ++tree.skippedRecords;
            continue;
        }
        tree.territoriesOf[r.county].push_back(&r);
        tree.territoryByCode.insert(r.siruta, &r);
    }
    for (const SirutaRecord& r : siruta) {
        if (r.level == 3) {
            if (!tree.territoryByCode.contains(r.parent)) {
                ++tree.skippedRecords;
                continue;
            }
            tree.localitiesOf[r.parent].push_back(&r);
            if (placeStreets)
                tree.localityByCode.insert(r.siruta, &r);
        } else if (r.level != 1 && r.level != 2) {
            ++tree.skippedRecords;
        }
    }
    std::stable_sort(tree.counties.begin(), tree.counties.end(), [](const SirutaRecord* a, const SirutaRecord* b) {
        return std::tie(a->countyOrder, a->county) < std::tie(b->countyOrder, b->county);
    });
    return tree;
}

// Judete, Admin and Localitati, in the register's order; notes each territory's seat.
void addPlaceTables(SirutaTree& tree, std::vector<NomenclatureTable>& tables)
{
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

    admin.cells.reserve(size_t(tree.territoryByCode.size()) * 3);
    localitati.cells.reserve(tree.records * 5);
    for (const SirutaRecord* county : tree.counties) {
        judete.addRow({county->county, countyName(*county)});
        auto& territories = tree.territoriesOf[county->county];
        std::stable_sort(territories.begin(), territories.end(), byOrder);
        for (const SirutaRecord* territory : territories) {
            const QString name = territoryName(*territory);
            admin.addRow({territory->siruta, name, territory->county});
            localitati.addRow({territory->siruta, name, territory->county, territory->siruta, 0});
            auto& localities = tree.localitiesOf[territory->siruta];
            std::stable_sort(localities.begin(), localities.end(), byOrder);
            if (!localities.empty())
                tree.seatOf.insert(territory->siruta, localities.front()->siruta);
            for (const SirutaRecord* locality : localities)
                localitati.addRow(
                    {locality->siruta, NameCase::display(locality->name), territory->county, territory->siruta, 1});
        }
    }
    tables.push_back(std::move(judete));
    tables.push_back(std::move(admin));
    tables.push_back(std::move(localitati));
}

// Streets met twice (same locality, territory, type and name) are kept once.
class StreetCollector
{
public:
    int skipped = 0;
    std::vector<StreetRow> rows;

    void add(int admin, int locality, int type, const QString& name)
    {
        const QString key = QStringLiteral("%1|%2|%3|").arg(locality).arg(admin).arg(type) + name;
        if (m_seen.contains(key))
            return;
        m_seen.insert(key);
        rows.push_back({admin, locality, type, name});
    }

private:
    QSet<QString> m_seen;
};

// The Ministry of Finance's streets, placed in their locality, or in the seat of the territory
// they are listed under.
void collectCountyStreets(const SirutaTree& tree, const std::vector<MfpCounty>& streetCounties,
                          StreetCollector& streets)
{
    for (const MfpCounty& county : streetCounties) {
        streets.skipped += county.skipped;
        for (const MfpStreet& street : county.streets) {
            int adminId = 0;
            int localityId = 0;
            if (const SirutaRecord* locality = tree.localityByCode.value(street.localitySiruta, nullptr)) {
                adminId = locality->parent;
                localityId = locality->siruta;
            } else if (tree.territoryByCode.contains(street.localitySiruta) &&
                       tree.seatOf.contains(street.localitySiruta)) {
                adminId = street.localitySiruta;
                localityId = tree.seatOf.value(street.localitySiruta);
            }
            const int type = CodeLists::streetTypeOfMfpCode(street.typeCode);
            if (localityId == 0 || type == 0) {
                ++streets.skipped;
                continue;
            }
            streets.add(adminId, localityId, type, NameCase::commaBelow(street.name));
        }
    }
}

// The capital's streets from the postal index, placed in their sector: the localities of the
// register's sector type, named "... SECTORUL n". The index lists a street once per range of
// numbers; it is kept once.
void collectCapitalStreets(const SirutaTree& tree, const PostalStreets& bucharest, StreetCollector& streets)
{
    static const QRegularExpression sectorName(QStringLiteral("SECTORUL\\s+(\\d)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    QHash<int, const SirutaRecord*> sectors;
    for (const SirutaRecord* locality : tree.localityByCode) {
        if (locality->type != kSectorType)
            continue;
        const QRegularExpressionMatch match = sectorName.match(locality->name.trimmed());
        if (match.hasMatch())
            sectors.insert(match.captured(1).toInt(), locality);
    }
    streets.skipped += bucharest.skipped;
    for (const PostalStreet& street : bucharest.streets) {
        const SirutaRecord* sector = sectors.value(street.sector, nullptr);
        const int type = CodeLists::streetTypeOfName(street.typeName);
        if (!sector || type == 0) {
            ++streets.skipped;
            continue;
        }
        streets.add(sector->parent, sector->siruta, type, street.name);
    }
}

NomenclatureTable streetTable(std::vector<StreetRow> streets)
{
    NomenclatureTable strazi = makeTable(
        "Strazi",
        {QStringLiteral("admin_id"), QStringLiteral("locality_id"), QStringLiteral("street_type_id"),
         QStringLiteral("street_name")},
        {QStringLiteral("INTEGER"), QStringLiteral("INTEGER"), QStringLiteral("INTEGER"), QStringLiteral("TEXT")});
    strazi.indexes = {{QStringLiteral("admin_id"), QStringLiteral("locality_id"), QStringLiteral("street_type_id")}};
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
    return strazi;
}

} // namespace

NomenclatureBuild build(const std::vector<SirutaRecord>& siruta, const std::vector<MfpCounty>& streetCounties,
                        const PostalStreets& bucharest)
{
    NomenclatureBuild result;
    // Only streets need a locality by its code.
    const bool placeStreets = !streetCounties.empty() || !bucharest.streets.empty();
    SirutaTree tree = treeOf(siruta, placeStreets);
    result.skippedRecords = tree.skippedRecords;
    addPlaceTables(tree, result.tables);

    StreetCollector streets;
    collectCountyStreets(tree, streetCounties, streets);
    collectCapitalStreets(tree, bucharest, streets);
    result.skippedStreets = streets.skipped;
    result.tables.push_back(streetTable(std::move(streets.rows)));

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
