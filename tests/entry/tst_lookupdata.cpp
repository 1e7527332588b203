#include "base/Error.h"
#include "entry/LookUpData.h"
#include "entry/nomenclature/MfpStreetReader.h"
#include "entry/nomenclature/NomenclatureBuilder.h"
#include "entry/nomenclature/SirutaReader.h"
#include "support/Failures.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// Names listed by stepping through the table as the form fills its lists.
QStringList listed(LookUpData& lookup, const QString& field)
{
    QStringList out;
    LookUpTable& rs = lookup.rsLookUp();
    for (rs.moveFirst(); !rs.atEnd(); rs.moveNext())
        out << rs.field(field).toString();
    return out;
}

} // namespace

// LookUpData over a small nomenclature built from the fixture sources, the address cascade of
// the data form on it, and on the national tables when the official files are at hand.
class tst_LookUpData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void opensAndListsInStoredOrder();
    void searchComparesLikeValues_data();
    void searchComparesLikeValues();
    void searchUnderAFilter();
    void filterZeroAndNothingGiveAllRecords();
    void badFiltersFailAndKeepTheRecords();
    void fieldAccessFailures();
    void openingFailures_data();
    void openingFailures();
    void emptyFieldEqualsNothing();
    void replacingTheTable();
    void searchPositionBeyondSixteenBits();

    void cascadeOnTheFixture();
    void storedDocumentFindsCountyAndTerritory();
    void cascadeOnTheNationalTables();

private:
    LookUpData& open(LookUpData& lookup, const QString& file);
    QTemporaryDir m_dir;
    QString m_data;
};

void tst_LookUpData::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_data = m_dir.filePath(QStringLiteral("Data"));
    const auto siruta = SirutaReader::readFile(TestPaths::testData(QStringLiteral("lookup/siruta-small.csv")));
    const auto streets = MfpStreetReader::readCounty(TestPaths::testData(QStringLiteral("lookup/streets")));
    NomenclatureWriter::writeAll(NomenclatureBuilder::build(siruta, {streets}).tables, m_data);
}

LookUpData& tst_LookUpData::open(LookUpData& lookup, const QString& file)
{
    lookup.setFileName(m_data + QLatin1Char('/') + file);
    lookup.CreateLookUp();
    return lookup;
}

void tst_LookUpData::opensAndListsInStoredOrder()
{
    LookUpData admin;
    open(admin, QStringLiteral("Admin.DAT"));
    QCOMPARE(admin.rsLookUp().fieldNames(), (QStringList{"admin_id", "admin_name", "admin_county_id"}));
    admin.setFilter(QStringLiteral("admin_county_id = 1"));
    QCOMPARE(listed(admin, QStringLiteral("admin_name")),
             (QStringList{"Municipiul Alba Iulia", "Oraș Abrud", "Comuna Albac"}));
    QCOMPARE(admin.Search(QStringLiteral("admin_id"), 2130), qint16(2));
    QCOMPARE(admin.rsLookUp().recordCount(), 3);
}

void tst_LookUpData::searchComparesLikeValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("position");

    QTest::newRow("text exact") << "locality_name" << QVariant(QStringLiteral("Oraș Abrud")) << 3;
    QTest::newRow("text other case") << "locality_name" << QVariant(QStringLiteral("oraș abrud")) << -1;
    QTest::newRow("text with trailing blank") << "locality_name" << QVariant(QStringLiteral("Abrud ")) << -1;
    QTest::newRow("integer") << "locality_id" << QVariant(1160) << 4;
    QTest::newRow("digits text vs integer") << "locality_id" << QVariant(QStringLiteral("1160")) << 4;
    QTest::newRow("double vs integer") << "locality_id" << QVariant(1160.0) << 4;
    QTest::newRow("non-numeric text vs integer") << "locality_id" << QVariant(QStringLiteral("1160a")) << -1;
    QTest::newRow("absent number") << "locality_id" << QVariant(424242) << -1;
    QTest::newRow("nothing") << "locality_id" << QVariant() << -1;
    QTest::newRow("field name in other case") << "LOCALITY_ID" << QVariant(1017) << 0;
}

void tst_LookUpData::searchComparesLikeValues()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(int, position);
    LookUpData localities;
    open(localities, QStringLiteral("Localitati.DAT"));
    QCOMPARE(int(localities.Search(field, value)), position);
    if (position >= 0)
        QCOMPARE(localities.rsLookUp().fieldNames().size(), 5);
}

void tst_LookUpData::searchUnderAFilter()
{
    LookUpData localities;
    open(localities, QStringLiteral("Localitati.DAT"));
    localities.setFilter(QStringLiteral("admin_id = 1151 AND ie_code = 1"));
    QCOMPARE(localities.Search(QStringLiteral("locality_id"), 1188), qint16(2));
    // The current record is the one found, so its fields can be read next.
    QCOMPARE(localities.rsLookUp().recordCount(), 3);
    localities.setFilter(QStringLiteral("admin_id = 1151 AND ie_code = 1"));
    LookUpTable& rs = localities.rsLookUp();
    QCOMPARE(rs.position(), 0);
    QCOMPARE(rs.field(QStringLiteral("locality_name")).toString(), QStringLiteral("Abrud"));

    localities.setFilter(QStringLiteral("admin_id = 1151 AND ie_code = 0"));
    QCOMPARE(localities.Search(QStringLiteral("locality_id"), 1188), qint16(-1));
    localities.setFilter(QStringLiteral("admin_id = 5"));
    QCOMPARE(localities.Search(QStringLiteral("locality_id"), 1188), qint16(-1));
    QVERIFY(localities.rsLookUp().atEnd());
}

void tst_LookUpData::filterZeroAndNothingGiveAllRecords()
{
    LookUpData localities;
    open(localities, QStringLiteral("Localitati.DAT"));
    localities.setFilter(QStringLiteral("ie_code = 0"));
    QCOMPARE(localities.rsLookUp().recordCount(), 5);
    localities.setFilter(0);
    QCOMPARE(localities.rsLookUp().recordCount(), 16);
    localities.setFilter(QStringLiteral("ie_code = 0"));
    QCOMPARE(localities.rsLookUp().recordCount(), 5);
    localities.clearFilter();
    QCOMPARE(localities.rsLookUp().recordCount(), 16);
}

void tst_LookUpData::badFiltersFailAndKeepTheRecords()
{
    LookUpData admin;
    open(admin, QStringLiteral("Admin.DAT"));
    admin.setFilter(QStringLiteral("admin_county_id = 2"));
    QCOMPARE(admin.rsLookUp().recordCount(), 1);

    admin.setFilter(QStringLiteral("county_id = 1")); // a field of another table
    QCOMPARE(failureNumber([&] { admin.rsLookUp(); }), 3265);
    admin.setFilter(QStringLiteral("admin_county_id = 1 OR 1 = 1"));
    QCOMPARE(failureNumber([&] { admin.rsLookUp(); }), 3001);
    QCOMPARE(failureNumber([&] { admin.Search(QStringLiteral("admin_id"), 1017); }), 3001);
    admin.setFilter(7);
    QCOMPARE(failureNumber([&] { admin.rsLookUp(); }), 3001);

    // The table itself is untouched by a refused filter.
    LookUpData again;
    open(again, QStringLiteral("Admin.DAT"));
    QCOMPARE(again.rsLookUp().recordCount(), 5);
}

void tst_LookUpData::fieldAccessFailures()
{
    LookUpData judete;
    open(judete, QStringLiteral("Judete.DAT"));
    LookUpTable& rs = judete.rsLookUp();
    QCOMPARE(failureNumber([&] { rs.field(QStringLiteral("admin_name")); }), 3265);
    QCOMPARE(failureNumber([&] { judete.Search(QStringLiteral("county"), 1); }), 3265);
    rs.moveTo(rs.recordCount());
    QCOMPARE(failureNumber([&] { rs.field(QStringLiteral("county_name")); }), 3021);
    rs.moveNext(); // past the end stays past the end
    QVERIFY(rs.atEnd());
    QVERIFY(!rs.value(99, 0).isValid());
    QVERIFY(!rs.value(0, 99).isValid());
}

void tst_LookUpData::openingFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");
    QTest::addColumn<int>("number");
    QTest::newRow("missing") << QByteArray() << false << int(ErrorNumber::FileNotFound);
    QTest::newRow("not a database") << QByteArray("county_id,county_name\n1,Alba\n") << true
                                    << int(ErrorNumber::PathFileAccess);
    QTest::newRow("empty file") << QByteArray() << true << int(ErrorNumber::PathFileAccess);
    QTest::newRow("truncated database") << QByteArray("SQLite format 3\0\x10\0", 19) << true
                                        << int(ErrorNumber::PathFileAccess);
}

void tst_LookUpData::openingFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, create);
    QFETCH(int, number);
    const QString path = m_dir.filePath(QStringLiteral("bad-%1.DAT").arg(QTest::currentDataTag()));
    if (create) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    LookUpData lookup;
    lookup.setFileName(path);
    QCOMPARE(failureNumber([&] { lookup.CreateLookUp(); }), number);
    // The object stays usable: it holds an unopened table.
    QCOMPARE(failureNumber([&] { lookup.rsLookUp(); }), int(ErrorNumber::PathFileAccess));
}

void tst_LookUpData::emptyFieldEqualsNothing()
{
    NomenclatureTable table;
    table.fileName = QStringLiteral("Gaps.DAT");
    table.tableName = QStringLiteral("Gaps");
    table.fields = {QStringLiteral("id"), QStringLiteral("name")};
    table.types = {QStringLiteral("INTEGER"), QStringLiteral("TEXT")};
    table.addRow({1, QVariant()});
    table.addRow({2, QString()});
    table.addRow({3, QStringLiteral("x")});
    const QString path = m_dir.filePath(table.fileName);
    NomenclatureWriter::write(table, path);
    LookUpData lookup;
    lookup.setFileName(path);
    lookup.CreateLookUp();
    QCOMPARE(lookup.Search(QStringLiteral("name"), QStringLiteral("x")), qint16(2));
    QCOMPARE(lookup.Search(QStringLiteral("name"), QVariant()), qint16(-1));
    QVERIFY(!lookup.rsLookUp().field(QStringLiteral("name")).isValid());
}

void tst_LookUpData::replacingTheTable()
{
    LookUpData lookup;
    open(lookup, QStringLiteral("Judete.DAT"));
    auto other = std::make_shared<LookUpTable>();
    other->open(m_data + QStringLiteral("/TipSubAdm.DAT"));
    lookup.setrsLookUp(other);
    QCOMPARE(lookup.rsLookUp().recordCount(), 8);
    QCOMPARE(lookup.Search(QStringLiteral("district_type_name"), QStringLiteral("Sector")), qint16(0));
}

// Positions are 16-bit: a match past 32767 is an overflow, never a wrapped, wrong position.
void tst_LookUpData::searchPositionBeyondSixteenBits()
{
    NomenclatureTable table;
    table.fileName = QStringLiteral("Big.DAT");
    table.tableName = QStringLiteral("Big");
    table.fields = {QStringLiteral("id")};
    table.types = {QStringLiteral("INTEGER")};
    for (int i = 0; i < 32770; ++i)
        table.addRow({i});
    const QString path = m_dir.filePath(table.fileName);
    NomenclatureWriter::write(table, path);
    LookUpData lookup;
    lookup.setFileName(path);
    lookup.CreateLookUp();
    QCOMPARE(lookup.Search(QStringLiteral("id"), 32767), qint16(32767));
    QCOMPARE(failureNumber([&] { lookup.Search(QStringLiteral("id"), 32768); }), int(ErrorNumber::Overflow));
    lookup.setFilter(QStringLiteral("id = 32769"));
    QCOMPARE(lookup.Search(QStringLiteral("id"), 32769), qint16(0));
}

void tst_LookUpData::cascadeOnTheFixture()
{
    LookUpData judete, admin, localities, streets, types;
    open(judete, QStringLiteral("Judete.DAT"));
    open(admin, QStringLiteral("Admin.DAT"));
    open(localities, QStringLiteral("Localitati.DAT"));
    open(streets, QStringLiteral("Strazi.DAT"));
    open(types, QStringLiteral("TipArtere.DAT"));

    QCOMPARE(listed(judete, QStringLiteral("county_name")), (QStringList{"Alba", "Arad", "București"}));
    admin.setFilter(QStringLiteral("admin_county_id = 1"));
    QCOMPARE(admin.rsLookUp().field(QStringLiteral("admin_id")).toInt(), 1017);

    // Intravilan: the localities; extravilan: the territory itself.
    localities.setFilter(QStringLiteral("admin_id = 1017 AND ie_code = 1"));
    QCOMPARE(listed(localities, QStringLiteral("locality_name")), (QStringList{"Alba Iulia", "Bărăbanț"}));
    localities.setFilter(QStringLiteral("admin_id = 1017 AND ie_code = 0"));
    QCOMPARE(listed(localities, QStringLiteral("locality_id")), (QStringList{"1017"}));

    // A locality with streets; one without.
    streets.setFilter(QStringLiteral("admin_id = 1017 AND locality_id = 1026"));
    QCOMPARE(streets.rsLookUp().recordCount(), 6);
    streets.setFilter(QStringLiteral("admin_id = 1151 AND locality_id = 1160"));
    QCOMPARE(streets.rsLookUp().recordCount(), 0);

    const int strada = types.Search(QStringLiteral("street_type_name"), QStringLiteral("Strada")) + 1;
    streets.setFilter(QStringLiteral("admin_id = 1017 AND locality_id = 1026 AND street_type_id = ") +
                      QString::number(strada));
    QCOMPARE(listed(streets, QStringLiteral("street_name")),
             (QStringList{"Albatros", "Alba Regia", "Încoronării", "Ștefan cel Mare"}));
    QCOMPARE(streets.Search(QStringLiteral("street_name"), QStringLiteral("Ștefan cel Mare")), qint16(3));
    // The cedilla spelling a .CP file gives back finds the stored name.
    QCOMPARE(streets.Search(QStringLiteral("street_name"), QString::fromUtf8("Ştefan cel Mare")), qint16(3));

    // A Bucharest sector: the street types with streets there.
    streets.setFilter(QStringLiteral("admin_id = 179132 AND locality_id = 179150 AND street_type_id = 4"));
    QCOMPARE(listed(streets, QStringLiteral("street_name")), QStringList{"Moșilor"});
}

void tst_LookUpData::storedDocumentFindsCountyAndTerritory()
{
    LookUpData judete, admin, localities;
    open(judete, QStringLiteral("Judete.DAT"));
    open(admin, QStringLiteral("Admin.DAT"));
    open(localities, QStringLiteral("Localitati.DAT"));
    // An extravilan address stores the territory's code; an intravilan one the locality's.
    for (int siruta : {2130, 2158}) {
        localities.setFilter(QStringLiteral("locality_id=") + QString::number(siruta));
        LookUpTable& rs = localities.rsLookUp();
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(judete.Search(QStringLiteral("county_id"), rs.field(QStringLiteral("county_id"))), qint16(0));
        admin.setFilter(QStringLiteral("admin_county_id = ") + rs.field(QStringLiteral("county_id")).toString());
        QCOMPARE(admin.Search(QStringLiteral("admin_id"), rs.field(QStringLiteral("admin_id"))), qint16(2));
    }
}

void tst_LookUpData::cascadeOnTheNationalTables()
{
    const QString raw = TestPaths::shared(QStringLiteral("data/nomenclature/raw/siruta-s1-2024.csv"));
    if (raw.isEmpty())
        QSKIP("the official SIRUTA file is not at hand");
    const QString folder = m_dir.filePath(QStringLiteral("National"));
    std::vector<MfpCounty> counties;
    const QString alba = TestPaths::shared(QStringLiteral("data/nomenclature/raw/mfp/alba"));
    if (!alba.isEmpty())
        counties.push_back(MfpStreetReader::readCounty(alba));
    NomenclatureWriter::writeAll(NomenclatureBuilder::build(SirutaReader::readFile(raw), counties).tables, folder);

    LookUpData judete, admin, localities, streets;
    for (auto [lookup, file] : {std::pair{&judete, "Judete.DAT"},
                                {&admin, "Admin.DAT"},
                                {&localities, "Localitati.DAT"},
                                {&streets, "Strazi.DAT"}}) {
        lookup->setFileName(folder + QLatin1Char('/') + QLatin1String(file));
        lookup->CreateLookUp();
    }
    QCOMPARE(judete.rsLookUp().recordCount(), 42);
    QCOMPARE(localities.rsLookUp().recordCount(), 16936);
    QCOMPARE(judete.Search(QStringLiteral("county_name"), QStringLiteral("București")), qint16(41));

    admin.setFilter(QStringLiteral("admin_county_id = 40"));
    QCOMPARE(listed(admin, QStringLiteral("admin_name")), QStringList{"Municipiul București"});
    localities.setFilter(QStringLiteral("admin_id = 179132 AND ie_code = 1"));
    QCOMPARE(localities.rsLookUp().recordCount(), 6);
    QCOMPARE(localities.Search(QStringLiteral("locality_name"), QStringLiteral("București Sectorul 3")), qint16(2));

    // Every territory has exactly one extravilan row, itself.
    localities.setFilter(QStringLiteral("ie_code = 0"));
    QCOMPARE(localities.rsLookUp().recordCount(), 3181);

    admin.setFilter(QStringLiteral("admin_county_id = 1"));
    const int ciugud = admin.Search(QStringLiteral("admin_name"), QStringLiteral("Comuna Ciugud"));
    QVERIFY(ciugud > 0);
    if (!alba.isEmpty()) {
        streets.setFilter(QStringLiteral("admin_id = 1017 AND locality_id = 1026 AND street_type_id = 32"));
        QVERIFY(streets.rsLookUp().recordCount() > 100);
        QVERIFY(streets.Search(QStringLiteral("street_name"), QStringLiteral("Mihai Eminescu")) >= 0);
    }
}

QTEST_GUILESS_MAIN(tst_LookUpData)
#include "tst_lookupdata.moc"
