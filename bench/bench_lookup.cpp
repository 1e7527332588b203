// Lookup tables over the national nomenclature: opening them and filling the form's fixed lists
// (InitializeData), each step of the address cascade, and Search, against the same work done
// with plain SQLite calls (the C library, and Qt's SQL module) in the same run.
//
// Usage: bench_lookup [RAW_DIR]; RAW_DIR defaults to $LOTMARK_SHARED/data/nomenclature/raw or
// the shared folder beside the checkout.
#include "BenchTimer.h"
#include "entry/LookUpData.h"
#include "entry/nomenclature/MfpStreetReader.h"
#include "entry/nomenclature/NomenclatureBuilder.h"
#include "entry/nomenclature/PostalStreetReader.h"
#include "entry/nomenclature/SirutaReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString rawFolder(int argc, char* argv[])
{
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    const QString shared = qEnvironmentVariable("LOTMARK_SHARED");
    if (!shared.isEmpty())
        return shared + QStringLiteral("/data/nomenclature/raw");
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../../../shared/data/nomenclature/raw");
}

const char* const kFiles[] = {"Judete",    "Admin",       "Localitati",      "Strazi",           "TipArtere",
                              "TipSubAdm", "CtgFolTeren", "DestinatieTeren", "DestinatieCladire"};

struct Entry
{
    QString name;
    int id;
};

// A query with plain sqlite3 calls: prepare, bind the integers, step, read an id and a name.
int plainQuery(sqlite3* db, const char* sql, std::initializer_list<int> values, std::vector<Entry>& out)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    int i = 0;
    for (int v : values)
        sqlite3_bind_int(statement, ++i, v);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        out.push_back({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))),
                       sqlite3_column_int(statement, 0)});
        ++rows;
    }
    sqlite3_finalize(statement);
    return rows;
}

// The same with a statement prepared once and reused: the least a step can cost.
int reusedQuery(sqlite3_stmt* statement, std::initializer_list<int> values, std::vector<Entry>& out)
{
    sqlite3_reset(statement);
    int i = 0;
    for (int v : values)
        sqlite3_bind_int(statement, ++i, v);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        out.push_back({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))),
                       sqlite3_column_int(statement, 0)});
        ++rows;
    }
    sqlite3_reset(statement);
    return rows;
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    return statement;
}

void reportReused(double lotmark, double reused)
{
    std::printf("  against a statement prepared once: sqlite3 %.3f ms (ratio %.2f)\n", reused, lotmark / reused);
}

// The same with Qt's SQL module.
int qtQuery(const QSqlDatabase& db, const QString& sql, std::initializer_list<int> values, std::vector<Entry>& out)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (int v : values)
        query.addBindValue(v);
    query.exec();
    int rows = 0;
    while (query.next()) {
        out.push_back({query.value(1).toString(), query.value(0).toInt()});
        ++rows;
    }
    return rows;
}

// The form's FillLookupList: step through the filtered table, keep the name and the id (the
// columns looked up once, as the data form does).
int fill(LookUpData& lookup, const char* nameField, const char* idField, std::vector<Entry>& out)
{
    LookUpTable& rs = lookup.rsLookUp();
    const int name = rs.fieldIndex(QLatin1String(nameField));
    const int id = rs.fieldIndex(QLatin1String(idField));
    int rows = 0;
    for (rs.moveFirst(); !rs.atEnd(); rs.moveNext()) {
        out.push_back({rs.value(rs.position(), name).toString(), rs.value(rs.position(), id).toInt()});
        ++rows;
    }
    return rows;
}

// The best time of each of three pieces of work, run in turn round after round, so that the
// load of a shared machine weighs on all three alike.
struct Times
{
    double lotmark = 1e300, sqlite = 1e300, qt = 1e300;
};

Times interleaved(int rounds, const std::function<void()>& lotmark, const std::function<void()>& sqlite,
                  const std::function<void()>& qt)
{
    Times t;
    for (int i = 0; i < rounds; ++i) {
        t.lotmark = std::min(t.lotmark, bestOf(1, lotmark));
        t.sqlite = std::min(t.sqlite, bestOf(1, sqlite));
        t.qt = std::min(t.qt, bestOf(1, qt));
    }
    return t;
}

void report(const char* what, double lotmark, double sqlite, double qt, double goal)
{
    std::printf("%s\n  lotmark %.3f ms, sqlite3 %.3f ms (ratio %.2f), Qt SQL %.3f ms (ratio %.2f); goal <= %.0f\n",
                what, lotmark, sqlite, lotmark / sqlite, qt, lotmark / qt, goal);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString raw = rawFolder(argc, argv);
    QString siruta = QDir(raw).filePath(QStringLiteral("siruta-s1-2024.csv"));
    if (!QFileInfo::exists(siruta)) {
        std::printf("bench_lookup: no SIRUTA register in %s; nothing measured\n", qPrintable(raw));
        return 0;
    }
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    {
        std::vector<MfpCounty> counties;
        for (const QString& county : QDir(raw + QStringLiteral("/mfp")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            counties.push_back(MfpStreetReader::readCounty(raw + QStringLiteral("/mfp/") + county));
        PostalStreets bucharest;
        if (QFileInfo::exists(raw + QStringLiteral("/posta-romana-bucuresti.json")))
            bucharest = PostalStreetReader::readFile(raw + QStringLiteral("/posta-romana-bucuresti.json"));
        const NomenclatureBuild build = NomenclatureBuilder::build(SirutaReader::readFile(siruta), counties, bucharest);
        NomenclatureWriter::writeAll(build.tables, data);
        std::printf("national tables: %zu localities, %zu streets\n",
                    NomenclatureBuilder::table(build, QStringLiteral("Localitati.DAT"))->rowCount(),
                    NomenclatureBuilder::table(build, QStringLiteral("Strazi.DAT"))->rowCount());
    }
    auto path = [&](const char* name) {
        return data + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".DAT");
    };
    const int rounds = 41;

    // --- InitializeData: open the nine tables, fill the county, sub-unit and street-type lists.
    const auto initLotmarkWork = [&] {
        std::vector<std::unique_ptr<LookUpData>> lookups;
        for (const char* file : kFiles) {
            lookups.push_back(std::make_unique<LookUpData>());
            lookups.back()->setFileName(path(file));
            lookups.back()->CreateLookUp();
        }
        std::vector<Entry> counties, districts, types;
        fill(*lookups[0], "county_name", "county_id", counties);
        fill(*lookups[5], "district_type_name", "district_type_id", districts);
        fill(*lookups[4], "street_type_name", "street_type_id", types);
    };
    const auto initSqliteWork = [&] {
        std::vector<sqlite3*> dbs;
        for (const char* file : kFiles) {
            sqlite3* db = nullptr;
            sqlite3_open_v2(path(file).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
            dbs.push_back(db);
        }
        std::vector<Entry> counties, districts, types;
        plainQuery(dbs[0], "SELECT county_id, county_name FROM Judete", {}, counties);
        plainQuery(dbs[5], "SELECT district_type_id, district_type_name FROM TipSubAdm", {}, districts);
        plainQuery(dbs[4], "SELECT street_type_id, street_type_name FROM TipArtere", {}, types);
        for (sqlite3* db : dbs)
            sqlite3_close(db);
    };
    int connection = 0;
    const auto initQtWork = [&] {
        QStringList names;
        {
            std::vector<QSqlDatabase> dbs;
            for (const char* file : kFiles) {
                names << QStringLiteral("plain-%1").arg(++connection);
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), names.last());
                db.setDatabaseName(path(file));
                db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
                db.open();
                dbs.push_back(db);
            }
            std::vector<Entry> counties, districts, types;
            qtQuery(dbs[0], QStringLiteral("SELECT county_id, county_name FROM Judete"), {}, counties);
            qtQuery(dbs[5], QStringLiteral("SELECT district_type_id, district_type_name FROM TipSubAdm"), {},
                    districts);
            qtQuery(dbs[4], QStringLiteral("SELECT street_type_id, street_type_name FROM TipArtere"), {}, types);
            for (QSqlDatabase& db : dbs)
                db.close();
        }
        for (const QString& name : names)
            QSqlDatabase::removeDatabase(name);
    };
    const Times init = interleaved(rounds, initLotmarkWork, initSqliteWork, initQtWork);
    report("InitializeData (9 tables opened, 3 lists filled)", init.lotmark, init.sqlite, init.qt, 3);

    // The cascade, each step over many choices so that no filter repeats back to back.
    LookUpData admin, localities, streets;
    admin.setFileName(path("Admin"));
    localities.setFileName(path("Localitati"));
    streets.setFileName(path("Strazi"));
    admin.CreateLookUp();
    localities.CreateLookUp();
    streets.CreateLookUp();
    sqlite3* adminDb = nullptr;
    sqlite3* localitiesDb = nullptr;
    sqlite3* streetsDb = nullptr;
    sqlite3_open_v2(path("Admin").toUtf8().constData(), &adminDb, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_open_v2(path("Localitati").toUtf8().constData(), &localitiesDb, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_open_v2(path("Strazi").toUtf8().constData(), &streetsDb, SQLITE_OPEN_READONLY, nullptr);
    QSqlDatabase adminQt = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("a"));
    adminQt.setDatabaseName(path("Admin"));
    adminQt.open();
    QSqlDatabase localitiesQt = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("l"));
    localitiesQt.setDatabaseName(path("Localitati"));
    localitiesQt.open();
    QSqlDatabase streetsQt = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("s"));
    streetsQt.setDatabaseName(path("Strazi"));
    streetsQt.open();

    std::vector<int> countyIds;
    {
        LookUpData judete;
        judete.setFileName(path("Judete"));
        judete.CreateLookUp();
        std::vector<Entry> all;
        fill(judete, "county_name", "county_id", all);
        for (const Entry& e : all)
            countyIds.push_back(e.id);
    }
    std::vector<int> territoryIds;
    {
        std::vector<Entry> all;
        admin.clearFilter();
        fill(admin, "admin_name", "admin_id", all);
        for (const Entry& e : all)
            territoryIds.push_back(e.id);
    }

    // Choose a county: its territories.
    {
        const auto lotmarkWork = [&] {
            for (int county : countyIds) {
                std::vector<Entry> out;
                admin.setFilter(QStringLiteral("admin_county_id = ") + QString::number(county));
                fill(admin, "admin_name", "admin_id", out);
            }
        };
        const auto plainWork = [&] {
            for (int county : countyIds) {
                std::vector<Entry> out;
                plainQuery(adminDb, "SELECT admin_id, admin_name FROM Admin WHERE admin_county_id = ?", {county}, out);
            }
        };
        const auto qtWork = [&] {
            for (int county : countyIds) {
                std::vector<Entry> out;
                qtQuery(adminQt, QStringLiteral("SELECT admin_id, admin_name FROM Admin WHERE admin_county_id = ?"),
                        {county}, out);
            }
        };
        const Times t = interleaved(rounds, lotmarkWork, plainWork, qtWork);
        report("choose a county (all 42 in turn)", t.lotmark, t.sqlite, t.qt, 3);
        sqlite3_stmt* statement = prepare(adminDb, "SELECT admin_id, admin_name FROM Admin WHERE admin_county_id = ?");
        const Times r = interleaved(
            rounds, lotmarkWork,
            [&] {
                for (int county : countyIds) {
                    std::vector<Entry> out;
                    reusedQuery(statement, {county}, out);
                }
            },
            [] {});
        reportReused(r.lotmark, r.sqlite);
        sqlite3_finalize(statement);
    }
    // Choose a territory: its localities inside the built-up area.
    {
        const auto lotmarkWork = [&] {
            for (int territory : territoryIds) {
                std::vector<Entry> out;
                localities.setFilter(QStringLiteral("admin_id = ") + QString::number(territory) +
                                     QStringLiteral(" AND ie_code = 1"));
                fill(localities, "locality_name", "locality_id", out);
            }
        };
        const auto plainWork = [&] {
            for (int territory : territoryIds) {
                std::vector<Entry> out;
                plainQuery(localitiesDb,
                           "SELECT locality_id, locality_name FROM Localitati WHERE admin_id = ? AND ie_code = ?",
                           {territory, 1}, out);
            }
        };
        const auto qtWork = [&] {
            for (int territory : territoryIds) {
                std::vector<Entry> out;
                qtQuery(localitiesQt,
                        QStringLiteral(
                            "SELECT locality_id, locality_name FROM Localitati WHERE admin_id = ? AND ie_code = ?"),
                        {territory, 1}, out);
            }
        };
        const Times t = interleaved(5, lotmarkWork, plainWork, qtWork);
        report("choose a territory (all 3181 in turn)", t.lotmark, t.sqlite, t.qt, 3);
        sqlite3_stmt* statement = prepare(
            localitiesDb, "SELECT locality_id, locality_name FROM Localitati WHERE admin_id = ? AND ie_code = ?");
        const Times r = interleaved(
            5, lotmarkWork,
            [&] {
                for (int territory : territoryIds) {
                    std::vector<Entry> out;
                    reusedQuery(statement, {territory, 1}, out);
                }
            },
            [] {});
        reportReused(r.lotmark, r.sqlite);
        sqlite3_finalize(statement);
    }
    // Choose a locality: does it have streets? Then the streets of the chosen type (Strada).
    {
        std::vector<std::pair<int, int>> places; // (territory, locality) of every locality with streets
        {
            sqlite3_stmt* s = nullptr;
            sqlite3_prepare_v2(streetsDb, "SELECT DISTINCT admin_id, locality_id FROM Strazi", -1, &s, nullptr);
            while (sqlite3_step(s) == SQLITE_ROW)
                places.push_back({sqlite3_column_int(s, 0), sqlite3_column_int(s, 1)});
            sqlite3_finalize(s);
        }
        const auto lotmarkWork = [&] {
            for (auto [territory, locality] : places) {
                streets.setFilter(QStringLiteral("admin_id = %1 AND locality_id = %2").arg(territory).arg(locality));
                if (streets.rsLookUp().recordCount() == 0)
                    continue;
                std::vector<Entry> out;
                streets.setFilter(QStringLiteral("admin_id = %1 AND locality_id = %2 AND street_type_id = 32")
                                      .arg(territory)
                                      .arg(locality));
                fill(streets, "street_name", "street_type_id", out);
            }
        };
        const auto plainWork = [&] {
            for (auto [territory, locality] : places) {
                std::vector<Entry> out;
                sqlite3_stmt* s = nullptr;
                sqlite3_prepare_v2(streetsDb, "SELECT 1 FROM Strazi WHERE admin_id = ? AND locality_id = ? LIMIT 1", -1,
                                   &s, nullptr);
                sqlite3_bind_int(s, 1, territory);
                sqlite3_bind_int(s, 2, locality);
                const bool has = sqlite3_step(s) == SQLITE_ROW;
                sqlite3_finalize(s);
                if (!has)
                    continue;
                plainQuery(streetsDb,
                           "SELECT street_type_id, street_name FROM Strazi WHERE admin_id = ? AND locality_id = ? AND "
                           "street_type_id = ?",
                           {territory, locality, 32}, out);
            }
        };
        const auto qtWork = [&] {
            for (auto [territory, locality] : places) {
                std::vector<Entry> out;
                QSqlQuery has(streetsQt);
                has.prepare(QStringLiteral("SELECT 1 FROM Strazi WHERE admin_id = ? AND locality_id = ? LIMIT 1"));
                has.addBindValue(territory);
                has.addBindValue(locality);
                has.exec();
                if (!has.next())
                    continue;
                qtQuery(streetsQt,
                        QStringLiteral("SELECT street_type_id, street_name FROM Strazi WHERE admin_id = ? AND "
                                       "locality_id = ? AND street_type_id = ?"),
                        {territory, locality, 32}, out);
            }
        };
        char what[160];
        std::snprintf(what, sizeof what,
                      "choose a locality with streets, then list its Strada streets (%zu localities)", places.size());
        const Times t = interleaved(5, lotmarkWork, plainWork, qtWork);
        report(what, t.lotmark, t.sqlite, t.qt, 3);
    }
    // Choose a street type in a Bucharest sector.
    {
        const int sectors[] = {179141, 179150, 179169, 179178, 179187, 179196};
        const auto lotmarkWork = [&] {
            for (int sector : sectors) {
                for (int type = 1; type <= 42; ++type) {
                    std::vector<Entry> out;
                    streets.setFilter(QStringLiteral("admin_id = 179132 AND locality_id = %1 AND street_type_id = %2")
                                          .arg(sector)
                                          .arg(type));
                    fill(streets, "street_name", "street_type_id", out);
                }
            }
        };
        const auto plainWork = [&] {
            for (int sector : sectors) {
                for (int type = 1; type <= 42; ++type) {
                    std::vector<Entry> out;
                    plainQuery(streetsDb,
                               "SELECT street_type_id, street_name FROM Strazi WHERE admin_id = ? AND locality_id = ? "
                               "AND street_type_id = ?",
                               {179132, sector, type}, out);
                }
            }
        };
        const auto qtWork = [&] {
            for (int sector : sectors) {
                for (int type = 1; type <= 42; ++type) {
                    std::vector<Entry> out;
                    qtQuery(streetsQt,
                            QStringLiteral("SELECT street_type_id, street_name FROM Strazi WHERE admin_id = ? AND "
                                           "locality_id = ? AND street_type_id = ?"),
                            {179132, sector, type}, out);
                }
            }
        };
        const Times t = interleaved(rounds, lotmarkWork, plainWork, qtWork);
        report("choose a street type in a Bucharest sector (6 sectors x 42 types)", t.lotmark, t.sqlite, t.qt, 3);
        sqlite3_stmt* statement = prepare(streetsDb, "SELECT street_type_id, street_name FROM Strazi WHERE admin_id = "
                                                     "? AND locality_id = ? AND street_type_id = ?");
        const Times r = interleaved(
            rounds, lotmarkWork,
            [&] {
                for (int sector : sectors) {
                    for (int type = 1; type <= 42; ++type) {
                        std::vector<Entry> out;
                        reusedQuery(statement, {179132, sector, type}, out);
                    }
                }
            },
            [] {});
        reportReused(r.lotmark, r.sqlite);
        sqlite3_finalize(statement);
    }
    // A stored document: the locality by its SIRUTA code on the largest table with a locality.
    {
        const auto lotmarkWork = [&] {
            for (int territory : territoryIds) {
                localities.setFilter(QStringLiteral("locality_id=") + QString::number(territory));
                localities.Search(QStringLiteral("locality_id"), territory);
            }
        };
        const auto plainWork = [&] {
            for (int territory : territoryIds) {
                std::vector<Entry> out;
                plainQuery(localitiesDb,
                           "SELECT locality_id, locality_name, county_id, admin_id, ie_code FROM Localitati WHERE "
                           "locality_id = ?",
                           {territory}, out);
            }
        };
        const Times t = interleaved(5, lotmarkWork, plainWork, [] {});
        std::printf("show a stored document: filter locality_id=code and Search (3181 codes)\n  lotmark %.3f ms, "
                    "sqlite3 %.3f ms (ratio %.2f); goal <= 3\n",
                    t.lotmark, t.sqlite, t.lotmark / t.sqlite);
    }
    // Search by table size: tables of n streets, the value sought in the last record. The time
    // per record stays flat when Search is linear; a quadratic walk would double it with n.
    {
        std::printf("Search for the value of the last record, by table size:\n");
        double first = 0;
        for (int n : {4096, 8192, 16384, 32767}) {
            NomenclatureTable table;
            table.fileName = QStringLiteral("Size%1.DAT").arg(n);
            table.tableName = QStringLiteral("Strazi");
            table.fields = {QStringLiteral("admin_id"), QStringLiteral("locality_id"), QStringLiteral("street_type_id"),
                            QStringLiteral("street_name")};
            table.types = {QStringLiteral("INTEGER"), QStringLiteral("INTEGER"), QStringLiteral("INTEGER"),
                           QStringLiteral("TEXT")};
            for (int i = 0; i < n; ++i)
                table.addRow({1017, 1026, 32, QStringLiteral("Strada %1").arg(i)});
            const QString file = dir.filePath(table.fileName);
            NomenclatureWriter::write(table, file);
            LookUpData lookup;
            lookup.setFileName(file);
            lookup.CreateLookUp();
            const QString last = QStringLiteral("Strada %1").arg(n - 1);
            lookup.Search(QStringLiteral("street_name"), last); // reads the records once
            const double ms = bestOf(rounds, [&] { lookup.Search(QStringLiteral("street_name"), last); });
            if (first == 0)
                first = ms / n;
            std::printf("  n = %5d: %.3f ms, %.1f ns per record (x%.2f of the smallest table's)\n", n, ms, ms * 1e6 / n,
                        (ms / n) / first);
        }
    }
    sqlite3_close(adminDb);
    sqlite3_close(localitiesDb);
    sqlite3_close(streetsDb);
    return 0;
}
