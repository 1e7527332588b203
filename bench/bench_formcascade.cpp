// The data form over the national nomenclature: InitializeData and each step of the address
// cascade, against the bare SQLite queries the same work needs, measured in the same run.
//
//   bench_formcascade [DATA_DIR]
// Without DATA_DIR the tables are imported first with lotmark-cli from the shared folder
// (SIRUTA, Alba streets from the Ministry of Finance, Bucharest streets from the postal index).
#include "BenchTimer.h"
#include "entry/ui/AddressPanel.h"
#include "entry/ui/CreateFBI.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

const char* const Tables[] = {"Judete",    "Admin",       "Localitati",      "Strazi",           "TipArtere",
                              "TipSubAdm", "CtgFolTeren", "DestinatieTeren", "DestinatieCladire"};

// Bare SQLite: one open connection per file, prepared queries, every row and field read.
class Bare
{
public:
    explicit Bare(const QString& folder) : m_folder(folder) {}
    ~Bare() { close(); }

    void open()
    {
        for (const char* table : Tables) {
            const QString name = QString::fromLatin1(table);
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bare-" + name);
            db.setDatabaseName(m_folder + "/" + name + ".DAT");
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
            db.open();
            m_names << name;
        }
    }
    void close()
    {
        for (const QString& name : m_names)
            QSqlDatabase::removeDatabase("bare-" + name);
        m_names.clear();
    }
    // Reads every row of a query; returns the row count.
    int read(const QString& table, const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(QSqlDatabase::database("bare-" + table, false));
        query.setForwardOnly(true);
        query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        query.exec();
        int rows = 0;
        const int fields = query.record().count();
        while (query.next()) {
            for (int i = 0; i < fields; ++i)
                m_sink += query.value(i).toString().size();
            ++rows;
        }
        return rows;
    }
    // The table name inside a .DAT file.
    QString tableIn(const QString& table)
    {
        QSqlQuery query(QSqlDatabase::database("bare-" + table, false));
        query.exec("SELECT name FROM sqlite_master WHERE type='table'");
        return query.next() ? query.value(0).toString() : QString();
    }

private:
    QString m_folder;
    QStringList m_names;
    qint64 m_sink = 0;
};

void report(const char* step, double form, double bare)
{
    std::printf("%-42s form %8.3f ms   bare %8.3f ms   ratio %5.2f\n", step, form, bare, bare > 0 ? form / bare : 0.0);
}

QString importTables(const QString& target)
{
    const QString raw = TestPaths::shared("data/nomenclature/raw");
    if (raw.isEmpty())
        return QString();
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cli.start(QCoreApplication::applicationDirPath() + "/lotmark-cli",
              {"nomenclature", "--siruta", raw + "/siruta-s1-2024.csv", "--streets-mfp", raw + "/mfp/alba",
               "--streets-posta", raw + "/posta-romana-bucuresti.json", "-o", target});
    cli.waitForFinished(600000);
    return cli.exitCode() == 0 ? target : QString();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : importTables(temporary.path());
    if (folder.isEmpty() || !QFileInfo::exists(folder + "/Localitati.DAT")) {
        std::fprintf(stderr, "no nomenclature tables: give a Data folder or make the shared folder available\n");
        return 1;
    }
    const int rounds = 15;

    // InitializeData: open the nine files and read the rows of the fixed lists and choice lists.
    double form = 1e300;
    ScriptedPrompter prompter;
    for (int i = 0; i < rounds; ++i) {
        CreateFBI fbi(prompter);
        QElapsedTimer timer;
        timer.start();
        fbi.InitializeData(folder);
        form = std::min(form, double(timer.nsecsElapsed()) / 1e6);
    }
    Bare names(folder);
    names.open();
    QHash<QString, QString> tableName;
    for (const char* table : Tables)
        tableName[table] = names.tableIn(table);
    names.close();
    const double bare = bestOf(rounds, [&] {
        Bare b(folder);
        b.open();
        b.read("Judete", "SELECT county_id, county_name FROM " + tableName["Judete"]);
        b.read("TipSubAdm", "SELECT district_type_id, district_type_name FROM " + tableName["TipSubAdm"]);
        b.read("TipArtere", "SELECT street_type_id, street_type_name FROM " + tableName["TipArtere"]);
        b.read("CtgFolTeren", "SELECT luse_code FROM " + tableName["CtgFolTeren"]);
        b.read("DestinatieTeren", "SELECT ldest_code FROM " + tableName["DestinatieTeren"]);
        b.read("DestinatieCladire", "SELECT bdest_code FROM " + tableName["DestinatieCladire"]);
    });
    report("InitializeData", form, bare);

    CreateFBI fbi(prompter);
    fbi.InitializeData(folder);
    AddressPanel* a = fbi.addressPanel();
    Bare b(folder);
    b.open();
    const QString admin = tableName["Admin"], localities = tableName["Localitati"], streets = tableName["Strazi"];
    auto index = [](QComboBox* list, const QString& text) { return list->findText(text); };
    const int alba = index(a->cmbJudet, "Alba");
    const int arad = index(a->cmbJudet, "Arad");

    // A county: its territories, then (first territory chosen) that territory's localities.
    form = 1e300;
    for (int i = 0; i < rounds; ++i) {
        a->cmbJudet->setCurrentIndex(arad);
        QElapsedTimer timer;
        timer.start();
        a->cmbJudet->setCurrentIndex(alba);
        form = std::min(form, double(timer.nsecsElapsed()) / 1e6);
    }
    const int albaId = a->cmbJudet->itemData(alba).toInt();
    const int seat = a->cmbTeritoriu->itemData(0).toInt();
    report("choose a county (Alba)", form, bestOf(rounds, [&] {
               b.read("Admin", "SELECT admin_id, admin_name FROM " + admin + " WHERE admin_county_id = ?", {albaId});
               b.read("Localitati",
                      "SELECT locality_id, locality_name FROM " + localities + " WHERE admin_id = ? AND ie_code = ?",
                      {seat, 0});
           }));

    a->chkIntravilan->setChecked(true);
    const int ciugud = index(a->cmbTeritoriu, "Comuna Ciugud");
    const int ciugudId = a->cmbTeritoriu->itemData(ciugud).toInt();
    form = 1e300;
    for (int i = 0; i < rounds; ++i) {
        a->cmbTeritoriu->setCurrentIndex(0);
        QElapsedTimer timer;
        timer.start();
        a->cmbTeritoriu->setCurrentIndex(ciugud);
        form = std::min(form, double(timer.nsecsElapsed()) / 1e6);
    }
    report("choose a territory (Comuna Ciugud)", form, bestOf(rounds, [&] {
               b.read("Localitati",
                      "SELECT locality_id, locality_name FROM " + localities + " WHERE admin_id = ? AND ie_code = ?",
                      {ciugudId, 1});
           }));

    // A locality: does it have streets (no street type chosen yet).
    const int village = index(a->cmbLocalitate, "Ciugud");
    const int villageId = a->cmbLocalitate->itemData(village).toInt();
    const int other = village == 0 ? 1 : 0;
    form = 1e300;
    for (int i = 0; i < rounds; ++i) {
        a->cmbLocalitate->setCurrentIndex(other);
        QElapsedTimer timer;
        timer.start();
        a->cmbLocalitate->setCurrentIndex(village);
        form = std::min(form, double(timer.nsecsElapsed()) / 1e6);
    }
    report("choose a locality (Ciugud)", form, bestOf(rounds, [&] {
               b.read("Strazi",
                      "SELECT admin_id, locality_id, street_type_id, street_name FROM " + streets +
                          " WHERE admin_id = ? AND locality_id = ?",
                      {ciugudId, villageId});
           }));

    // A street type in a Bucharest sector: the largest street list.
    a->cmbJudet->setCurrentIndex(index(a->cmbJudet, "București"));
    const int sector = index(a->cmbLocalitate, "București Sectorul 1");
    a->cmbLocalitate->setCurrentIndex(sector);
    const int strada = index(a->cmbTipArtera, "Strada");
    const int aleea = index(a->cmbTipArtera, "Aleea");
    const int bucharestId = a->cmbTeritoriu->currentData().toInt();
    const int sectorId = a->cmbLocalitate->itemData(sector).toInt();
    const int stradaId = a->cmbTipArtera->itemData(strada).toInt();
    form = 1e300;
    for (int i = 0; i < rounds; ++i) {
        a->cmbTipArtera->setCurrentIndex(aleea);
        QElapsedTimer timer;
        timer.start();
        a->cmbTipArtera->setCurrentIndex(strada);
        form = std::min(form, double(timer.nsecsElapsed()) / 1e6);
    }
    const int count = a->cmbStrada->count();
    report(qPrintable(QString("street type in a Bucharest sector (%1)").arg(count)), form, bestOf(rounds, [&] {
               b.read("Strazi",
                      "SELECT street_name, street_type_id FROM " + streets +
                          " WHERE admin_id = ? AND locality_id = ? AND street_type_id = ?",
                      {bucharestId, sectorId, stradaId});
           }));
    return 0;
}
