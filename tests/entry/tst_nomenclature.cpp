#include "base/Error.h"
#include "cli/CommandRegistry.h"
#include "entry/nomenclature/CodeLists.h"
#include "entry/nomenclature/MfpStreetReader.h"
#include "entry/nomenclature/NameCase.h"
#include "entry/nomenclature/NomenclatureBuilder.h"
#include "entry/nomenclature/PostalStreetReader.h"
#include "entry/nomenclature/SirutaReader.h"
#include "support/Failures.h"
#include "support/TestPaths.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

std::vector<SirutaRecord> readText(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return SirutaReader::read(buffer);
}

// The rows of a written table as CSV lines, as the reference build lists them.
QStringList datRows(const QString& path, const QString& table)
{
    QStringList out;
    const QString connection = QStringLiteral("check-") + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
            while (query.next()) {
                QStringList cells;
                for (int i = 0; i < query.record().count(); ++i)
                    cells << query.value(i).toString();
                out << cells.join(QLatin1Char(','));
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return out;
}

QStringList tableRows(const NomenclatureTable& table)
{
    QStringList out;
    for (size_t row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.fields.size(); ++column)
            cells << table.cell(row, column).toString();
        out << cells.join(QLatin1Char(','));
    }
    return out;
}

// A reference CSV without its header; a quoted cell keeps its commas.
QStringList csvRows(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i)
        out << SirutaReader::splitLine(lines.at(i).trimmed()).join(QLatin1Char(','));
    return out;
}

} // namespace

class tst_Nomenclature : public QObject
{
    Q_OBJECT

private slots:
    void displayNames_data();
    void displayNames();
    void streetOrder_data();
    void streetOrder();

    void sirutaReader();
    void sirutaReaderEncodings();
    void sirutaReaderRefuses_data();
    void sirutaReaderRefuses();
    void mfpReader();
    void mfpReaderRefusesBrokenXml();
    void postalStreetNames_data();
    void postalStreetNames();
    void postalStreetsOfTheSectors();

    void buildsTheFixture();
    void codeLists();
    void writerReplacesOnlyWhenComplete();
    void command();
    void demonstrationDataHoldsTheSampleAddress();

    void matchesTheReferenceBuild_data();
    void matchesTheReferenceBuild();
};

void tst_Nomenclature::displayNames_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("cedillas") << "BĂRĂBANŢ"
                              << "Bărăbanț";
    QTest::newRow("small words") << "VITĂNEŞTII DE SUB MĂGURĂ"
                                 << "Vităneștii de sub Măgură";
    QTest::newRow("small word first") << "DE LA IZVOR"
                                      << "De la Izvor";
    QTest::newRow("lui and cel") << "ŞTEFAN CEL MARE LUI"
                                 << "Ștefan cel Mare lui";
    QTest::newRow("hyphen") << "BISTRIŢA-NĂSĂUD"
                            << "Bistrița-Năsăud";
    QTest::newRow("roman numerals") << "GERSA II"
                                    << "Gersa II";
    QTest::newRow("roman seven") << "ALMA VII"
                                 << "Alma VII";
    QTest::newRow("word of numeral letters") << "DEALU MIC"
                                             << "Dealu Mic";
    QTest::newRow("single I") << "FERDINAND I"
                              << "Ferdinand I";
    QTest::newRow("double blank") << "MUNICIPIUL  MARGHITA"
                                  << "Municipiul Marghita";
    QTest::newRow("sector number") << "BUCUREŞTI SECTORUL 1"
                                   << "București Sectorul 1";
    QTest::newRow("already comma below") << "ȘEUȘA"
                                         << "Șeușa";
}

void tst_Nomenclature::displayNames()
{
    QFETCH(QString, raw);
    QFETCH(QString, shown);
    QCOMPARE(NameCase::display(raw), shown);
}

void tst_Nomenclature::streetOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("blank after letters") << "Albatros"
                                         << "Alba Regia";
    QTest::newRow("digits after letters") << "Transilvaniei"
                                          << "1 Decembrie 1918";
    QTest::newRow("î after i, before j") << "Izvorului"
                                         << "Încoronării";
    QTest::newRow("î before r") << "Încoronării"
                                << "Republicii";
    QTest::newRow("ă after a") << "Avram"
                               << "Ăbc";
    QTest::newRow("ș after s") << "Sulfinei"
                               << "Școlii";
    QTest::newRow("case does not count") << "arinilor"
                                         << "Brazilor";
    QTest::newRow("prefix first") << "Crai"
                                  << "Craiova";
}

void tst_Nomenclature::streetOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(NameCase::compareStreetNames(first, second) < 0);
    QVERIFY(NameCase::compareStreetNames(second, first) > 0);
    QCOMPARE(NameCase::compareStreetNames(first, first), 0);
}

void tst_Nomenclature::sirutaReader()
{
    const auto records = SirutaReader::readFile(TestPaths::testData(QStringLiteral("lookup/siruta-small.csv")));
    QCOMPARE(int(records.size()), 20);
    const SirutaRecord& abrud = records[10];
    QCOMPARE(abrud.siruta, 1151);
    QCOMPARE(abrud.name, QString::fromUtf8("ORAŞ ABRUD"));
    QCOMPARE(abrud.county, 1);
    QCOMPARE(abrud.parent, 900001);
    QCOMPARE(abrud.type, 2);
    QCOMPARE(abrud.level, 2);
    QCOMPARE(abrud.countyOrder, 1);
    QCOMPARE(abrud.order, Q_INT64_C(130000000000));
    // Quoted fields, with a doubled quote inside.
    QCOMPARE(records[16].siruta, 99999);
    QCOMPARE(records[16].name, QString::fromUtf8("SAT \"FĂRĂ\" COMUNĂ"));

    // Columns are found by name; CRLF line ends and a BOM are accepted.
    const auto reordered =
        readText("\xEF\xBB\xBFNIV,FSL,FSJ,TIP,SIRSUP,JUD,DENLOC,SIRUTA\r\n3,01,1,9,1017,1,ALBA IULIA,1026\r\n");
    QCOMPARE(int(reordered.size()), 1);
    QCOMPARE(reordered[0].siruta, 1026);
    QCOMPARE(reordered[0].name, QStringLiteral("ALBA IULIA"));
    QCOMPARE(reordered[0].order, Q_INT64_C(1));

    // Semicolons, as some republications have it; commas inside a field then stay.
    const auto semicolons =
        readText("SIRUTA;DENLOC;JUD;SIRSUP;TIP;NIV;FSJ;FSL;NUTS\n1026;ALBA, IULIA;1;1017;9;3;1;01;RO121\n");
    QCOMPARE(semicolons[0].name, QStringLiteral("ALBA, IULIA"));
    QCOMPARE(semicolons[0].order, Q_INT64_C(1));
}

void tst_Nomenclature::sirutaReaderEncodings()
{
    const QByteArray header = "SIRUTA,DENLOC,JUD,SIRSUP,TIP,NIV,FSJ,FSL\n";
    const QString name = QString::fromUtf8("ŢARINA ŞES");
    QStringEncoder ansi("windows-1250");
    QVERIFY(ansi.isValid());
    const QByteArray ansiLine = "1188," + QByteArray(ansi.encode(name)) + ",1,1151,19,3,1,01\n";
    QCOMPARE(readText(header + ansiLine)[0].name, name);
    QCOMPARE(readText(header + "1188," + name.toUtf8() + ",1,1151,19,3,1,01\n")[0].name, name);
}

void tst_Nomenclature::sirutaReaderRefuses_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "SIRUTA: the file is empty";
    QTest::newRow("missing column") << QByteArray("SIRUTA,DENLOC,JUD,SIRSUP,TIP,NIV,FSJ\n1,A,1,1,1,1,1\n")
                                    << "SIRUTA: the header has no column FSL";
    QTest::newRow("short line") << QByteArray("SIRUTA,DENLOC,JUD,SIRSUP,TIP,NIV,FSJ,FSL\n\n1,A,1\n")
                                << "SIRUTA line 3: 3 fields, 8 expected";
    QTest::newRow("code not a number") << QByteArray("SIRUTA,DENLOC,JUD,SIRSUP,TIP,NIV,FSJ,FSL\n12x,A,1,1,1,1,1,1\n")
                                       << "SIRUTA line 2: SIRUTA \"12x\" is not a whole number";
    QTest::newRow("order not a number") << QByteArray("SIRUTA,DENLOC,JUD,SIRSUP,TIP,NIV,FSJ,FSL\n1,A,1,1,1,1,1,01x\n")
                                        << "SIRUTA line 2: FSL \"01x\" is not a whole number";
    QTest::newRow("code too large") << QByteArray(
                                           "SIRUTA,DENLOC,JUD,SIRSUP,TIP,NIV,FSJ,FSL\n1,A,99999999999,1,1,1,1,1\n")
                                    << "SIRUTA line 2: JUD \"99999999999\" is not a whole number";
}

void tst_Nomenclature::sirutaReaderRefuses()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    QCOMPARE(failureText([&] { readText(text); }), message);
}

void tst_Nomenclature::mfpReader()
{
    const MfpCounty county = MfpStreetReader::readCounty(TestPaths::testData(QStringLiteral("lookup/streets")));
    // Left out: the placeholder type, two abolished streets, a locality without a SIRUTA code
    // and a street of an unknown locality.
    QCOMPARE(county.skipped, 5);
    QCOMPARE(int(county.streets.size()), 12);
    QCOMPARE(county.streets[0].localitySiruta, 1017);
    QCOMPARE(county.streets[0].typeCode, QStringLiteral("Bld"));
    QCOMPARE(county.streets[0].name, QStringLiteral("Transilvaniei"));

    QCOMPARE(failureNumber([] { MfpStreetReader::readCounty(QStringLiteral("/nonexistent/county")); }),
             int(ErrorNumber::PathNotFound));
    QTemporaryDir empty;
    QCOMPARE(failureNumber([&] { MfpStreetReader::readCounty(empty.path()); }), int(ErrorNumber::FileNotFound));
}

void tst_Nomenclature::mfpReaderRefusesBrokenXml()
{
    QByteArray xml = "<?xml version=\"1.0\"?><NOM><rand><COD>1</COD><DENUMIRE>A</DENUMIRE></rand><rand><COD>2";
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(failureNumber([&] { MfpStreetReader::readRows(buffer, QStringLiteral("x.xml")); }),
             int(ErrorNumber::InvalidArgument));
}

void tst_Nomenclature::postalStreetNames_data()
{
    QTest::addColumn<QString>("afterType");
    QTest::addColumn<QString>("name");
    QTest::newRow("numbers") << "Porumbaru Emanoil nr. 1-25"
                             << "Porumbaru Emanoil";
    QTest::newRow("title kept") << "Mincu Ion, arh. nr. 14-T"
                                << "Mincu Ion, arh.";
    QTest::newRow("no numbers") << "Tuberozelor"
                                << "Tuberozelor";
    QTest::newRow("nr. glued to the number") << "Maica Domnului nr.49-T"
                                             << "Maica Domnului";
    QTest::newRow("ranges without nr.") << "Crăițelor 1-49; 2-50"
                                        << "Crăițelor";
    QTest::newRow("Nr. in the name") << "Promoroacă Nr. 1-3"
                                     << "Promoroacă Nr.";
    QTest::newRow("number in the name") << "13 Septembrie nr. 1-T"
                                        << "13 Septembrie";
}

void tst_Nomenclature::postalStreetNames()
{
    QFETCH(QString, afterType);
    QFETCH(QString, name);
    QCOMPARE(PostalStreetReader::streetName(afterType), name);
}

void tst_Nomenclature::postalStreetsOfTheSectors()
{
    const PostalStreets postal =
        PostalStreetReader::readFile(TestPaths::testData(QStringLiteral("lookup/posta-small.json")));
    QCOMPARE(postal.skipped, 3); // sector 7, a short postal code, a type without a name
    QCOMPARE(int(postal.streets.size()), 5);
    QCOMPARE(postal.streets[2].typeName, QStringLiteral("Șoseaua"));
    QCOMPARE(postal.streets[2].name, QStringLiteral("Ștefan cel Mare"));

    const auto siruta = SirutaReader::readFile(TestPaths::testData(QStringLiteral("lookup/siruta-small.csv")));
    const NomenclatureBuild build = NomenclatureBuilder::build(siruta, {}, postal);
    // Sector 5 is not in the fixture register and the last type is unknown; repeats merge.
    QCOMPARE(build.skippedStreets, 3 + 2);
    QCOMPARE(tableRows(*NomenclatureBuilder::table(build, QStringLiteral("Strazi.DAT"))),
             (QStringList{"179132,179141,32,Mincu Ion, arh.", "179132,179150,35,Ștefan cel Mare"}));

    QByteArray notArray = "{\"zipcode\": \"011357\"}";
    QBuffer buffer(&notArray);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(failureNumber([&] { PostalStreetReader::read(buffer, QStringLiteral("x.json")); }),
             int(ErrorNumber::InvalidArgument));
}

void tst_Nomenclature::buildsTheFixture()
{
    const auto siruta = SirutaReader::readFile(TestPaths::testData(QStringLiteral("lookup/siruta-small.csv")));
    const auto streets = MfpStreetReader::readCounty(TestPaths::testData(QStringLiteral("lookup/streets")));
    const NomenclatureBuild build = NomenclatureBuilder::build(siruta, {streets});
    QCOMPARE(int(build.tables.size()), 9);
    QCOMPARE(build.skippedRecords, 1); // the village whose commune is missing
    QCOMPARE(build.skippedStreets, 6); // the reader's five and an unknown street type; a repeat is merged

    using NomenclatureBuilder::table;
    QCOMPARE(tableRows(*table(build, QStringLiteral("Judete.DAT"))), (QStringList{"1,Alba", "2,Arad", "40,București"}));
    QCOMPARE(tableRows(*table(build, QStringLiteral("Admin.DAT"))),
             (QStringList{"1017,Municipiul Alba Iulia,1", "1151,Oraș Abrud,1", "2130,Comuna Albac,1",
                          "9262,Municipiul Arad,2", "179132,Municipiul București,40"}));
    QCOMPARE(tableRows(*table(build, QStringLiteral("Localitati.DAT"))),
             (QStringList{"1017,Municipiul Alba Iulia,1,1017,0", "1026,Alba Iulia,1,1017,1", "1035,Bărăbanț,1,1017,1",
                          "1151,Oraș Abrud,1,1151,0", "1160,Abrud,1,1151,1", "1179,Gura Cornei,1,1151,1",
                          "1188,Țarina de Sus II,1,1151,1", "2130,Comuna Albac,1,2130,0", "2149,Albac,1,2130,1",
                          "2158,Bărăști,1,2130,1", "2167,Costești,1,2130,1", "9262,Municipiul Arad,2,9262,0",
                          "9271,Arad,2,9262,1", "179132,Municipiul București,40,179132,0",
                          "179141,București Sectorul 1,40,179132,1", "179150,București Sectorul 2,40,179132,1"}));
    // A street listed under the municipality itself lies in its seat.
    QCOMPARE(tableRows(*table(build, QStringLiteral("Strazi.DAT"))),
             (QStringList{"1017,1026,3,Transilvaniei", "1017,1026,3,1 Decembrie 1918", "1017,1026,32,Albatros",
                          "1017,1026,32,Alba Regia", "1017,1026,32,Încoronării", "1017,1026,32,Ștefan cel Mare",
                          "1017,1035,32,Principală", "2130,2149,23,Morii", "179132,179150,4,Moșilor",
                          "179132,179150,35,Ștefan cel Mare"}));
}

void tst_Nomenclature::codeLists()
{
    const NomenclatureTable types = CodeLists::streetTypes();
    QCOMPARE(int(types.rowCount()), 42);
    // Every ministry code maps to the type of the same name.
    for (const auto& [code, name] : {std::pair{"Str", "Strada"},
                                     {"Bld", "Bulevardul"},
                                     {"Şos", "Șoseaua"},
                                     {"Șos", "Șoseaua"},
                                     {"Pţa", "Piața"},
                                     {"Ulţ", "Ulița"},
                                     {"INC", "Incinta"},
                                     {"Ale", "Aleea"},
                                     {"Var", "Varianta"}}) {
        const int id = CodeLists::streetTypeOfMfpCode(QString::fromUtf8(code));
        QVERIFY2(id > 0, code);
        QCOMPARE(types.cell(size_t(id - 1), 1).toString(), QString::fromUtf8(name));
        QCOMPARE(types.cell(size_t(id - 1), 0).toInt(), id);
    }
    QCOMPARE(CodeLists::streetTypeOfMfpCode(QStringLiteral("G")), 0);
    QCOMPARE(int(CodeLists::districtTypes().rowCount()), 8);
    QCOMPARE(CodeLists::landUseCategories().fields.first(), QStringLiteral("luse_code"));
    QCOMPARE(CodeLists::landDestinations().cell(3, 0).toString(), QStringLiteral("TDI"));
    QCOMPARE(CodeLists::buildingDestinations().rowCount(), size_t(4));
}

void tst_Nomenclature::writerReplacesOnlyWhenComplete()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Judete.DAT"));
    NomenclatureTable table;
    table.fileName = QStringLiteral("Judete.DAT");
    table.tableName = QStringLiteral("Judete");
    table.fields = {QStringLiteral("county_id"), QStringLiteral("county_name")};
    table.types = {QStringLiteral("INTEGER"), QStringLiteral("TEXT")};
    table.addRow({1, QStringLiteral("Alba")});
    NomenclatureWriter::write(table, path);
    QCOMPARE(datRows(path, QStringLiteral("Judete")), QStringList{"1,Alba"});

    // A row the table refuses fails the write half way: the old table stays.
    NomenclatureTable broken = table;
    broken.types = {QStringLiteral("INTEGER NOT NULL"), QStringLiteral("TEXT")};
    broken.cells.clear();
    broken.addRow({2, QStringLiteral("Arad")});
    broken.addRow({QVariant(), QStringLiteral("Argeș")});
    QCOMPARE(failureNumber([&] { NomenclatureWriter::write(broken, path); }), int(ErrorNumber::PathFileAccess));
    QCOMPARE(datRows(path, QStringLiteral("Judete")), QStringList{"1,Alba"});

    // A table whose layout does not hold together is refused before anything is written.
    broken = table;
    broken.indexes = {{QStringLiteral("no_such_field")}};
    QCOMPARE(failureNumber([&] { NomenclatureWriter::write(broken, path); }), int(ErrorNumber::InvalidArgument));
    QCOMPARE(failureNumber([&] { broken.addRow({3}); }), int(ErrorNumber::InvalidArgument));
    broken = table;
    broken.cells.push_back(3); // half a row
    QCOMPARE(failureNumber([&] { NomenclatureWriter::write(broken, path); }), int(ErrorNumber::InvalidArgument));
    QCOMPARE(datRows(path, QStringLiteral("Judete")), QStringList{"1,Alba"});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Judete.DAT"});

    // A set of tables with one bad table replaces none of the old ones.
    NomenclatureTable second = table;
    second.fileName = QStringLiteral("Admin.DAT");
    second.tableName = QStringLiteral("Admin");
    NomenclatureTable newFirst = table;
    newFirst.cells.clear();
    newFirst.addRow({9, QStringLiteral("Nou")});
    second.indexes = {{QStringLiteral("no_such_field")}};
    QCOMPARE(failureNumber([&] {
                 NomenclatureWriter::writeAll({newFirst, second}, dir.path());
             }),
             int(ErrorNumber::InvalidArgument));
    QCOMPARE(datRows(path, QStringLiteral("Judete")), QStringList{"1,Alba"});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Judete.DAT"});

    // A table that cannot be put in place after others were: those go back to the old ones.
    second.indexes.clear();
    NomenclatureWriter::write(second, dir.filePath(QStringLiteral("Admin.DAT")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Admin.DAT.old/blocked")));
    NomenclatureTable newSecond = newFirst;
    newSecond.fileName = QStringLiteral("Admin.DAT");
    newSecond.tableName = QStringLiteral("Admin");
    QCOMPARE(failureNumber([&] {
                 NomenclatureWriter::writeAll({newFirst, newSecond}, dir.path());
             }),
             int(ErrorNumber::PathFileAccess));
    QCOMPARE(datRows(path, QStringLiteral("Judete")), QStringList{"1,Alba"});
    QCOMPARE(datRows(dir.filePath(QStringLiteral("Admin.DAT")), QStringLiteral("Admin")), QStringList{"1,Alba"});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"Admin.DAT", "Judete.DAT"}));

    // An output folder that cannot be made.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(failureNumber([&] { NomenclatureWriter::writeAll({table}, dir.filePath(QStringLiteral("file/Data"))); }),
             int(ErrorNumber::PathNotFound));
}

void tst_Nomenclature::command()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Data"));
    auto run = [](const QStringList& arguments, QString* output = nullptr, QString* errors = nullptr) {
        QString o, e;
        QTextStream os(&o), es(&e);
        const int code = runCli(arguments, os, es);
        if (output)
            *output = o;
        if (errors)
            *errors = e;
        return code;
    };
    QString output;
    QCOMPARE(run({"nomenclature", "--siruta", TestPaths::testData(QStringLiteral("lookup/siruta-small.csv")),
                  "--streets-mfp", TestPaths::testData(QStringLiteral("lookup/streets")), "-o", out},
                 &output),
             0);
    QVERIFY(output.contains(QStringLiteral("Localitati.DAT 16")));
    QVERIFY(output.contains(QStringLiteral("streets left out: 6")));
    QCOMPARE(QDir(out).entryList({QStringLiteral("*.DAT")}).size(), 9);

    QCOMPARE(run({"nomenclature", "--siruta", "x.csv"}), 2);
    QCOMPARE(run({"nomenclature", "-o", out}), 2);
    QCOMPARE(run({"nomenclature", "--siruta", "a", "--siruta", "b", "-o", out}), 2);
    QCOMPARE(run({"nomenclature", "--siruta", "a", "-o"}), 2);
    QString errors;
    QCOMPARE(run({"nomenclature", "--siruta", dir.filePath(QStringLiteral("none.csv")), "-o", out}, nullptr, &errors),
             1);
    QVERIFY(errors.startsWith(QStringLiteral("nomenclature: 53 File not found")));
    // A refused import leaves the tables already there.
    QCOMPARE(QDir(out).entryList({QStringLiteral("*.DAT")}).size(), 9);
}

// The Data folder the build installs must let the shipped sample document show without a red
// list: its locality, street type and street, and its parcels' codes.
void tst_Nomenclature::demonstrationDataHoldsTheSampleAddress()
{
    const QString source = QDir::cleanPath(TestPaths::testData(QStringLiteral("../../data/nomenclature")));
    const NomenclatureBuild build =
        NomenclatureBuilder::build(SirutaReader::readFile(source + QStringLiteral("/siruta-demo.csv")),
                                   {MfpStreetReader::readCounty(source + QStringLiteral("/streets"))});
    QCOMPARE(build.skippedRecords, 0);
    QCOMPARE(NomenclatureBuilder::table(build, QStringLiteral("Judete.DAT"))->rowCount(), size_t(42));

    QFile file(QDir::cleanPath(TestPaths::source(QStringLiteral("docs/examples/sample-land.json"))));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject land = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("Land")).toObject();
    const QJsonObject address = land.value(QStringLiteral("Address")).toObject();
    const int siruta = address.value(QStringLiteral("SIRUTA")).toInt();
    const int ie = address.value(QStringLiteral("IECode")).toInt();
    const QStringList localities = tableRows(*NomenclatureBuilder::table(build, QStringLiteral("Localitati.DAT")));
    QVERIFY(std::any_of(localities.begin(), localities.end(), [&](const QString& row) {
        const QStringList cells = row.split(QLatin1Char(','));
        return cells[0].toInt() == siruta && cells[4].toInt() == ie;
    }));
    const int type = CodeLists::streetTypeOfName(address.value(QStringLiteral("StreetType")).toString());
    QVERIFY(type > 0);
    const QStringList streets = tableRows(*NomenclatureBuilder::table(build, QStringLiteral("Strazi.DAT")));
    QVERIFY(std::any_of(streets.begin(), streets.end(), [&](const QString& row) {
        return row.section(QLatin1Char(','), 1, 1).toInt() == siruta &&
               row.section(QLatin1Char(','), 2, 2).toInt() == type &&
               row.section(QLatin1Char(','), 3) == address.value(QStringLiteral("StreetName")).toString();
    }));
    const QStringList categories = tableRows(CodeLists::landUseCategories());
    const QStringList destinations = tableRows(CodeLists::landDestinations());
    const QJsonArray parcels =
        land.value(QStringLiteral("Parcels")).toObject().value(QStringLiteral("Items")).toArray();
    QVERIFY(!parcels.isEmpty());
    for (const QJsonValue& parcel : parcels) {
        const QString category = parcel.toObject().value(QStringLiteral("LandUse")).toString();
        const QString destination = parcel.toObject().value(QStringLiteral("LandDestination")).toString();
        QVERIFY2(categories
                         .filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(category) +
                                                    QLatin1Char(',')))
                         .size() == 1,
                 qPrintable(category));
        QVERIFY2(destinations
                         .filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(destination) +
                                                    QLatin1Char(',')))
                         .size() == 1,
                 qPrintable(destination));
    }
    const QStringList buildingCodes = tableRows(CodeLists::buildingDestinations());
    for (const QJsonValue& building :
         land.value(QStringLiteral("Buildings")).toObject().value(QStringLiteral("Items")).toArray()) {
        const QString code = building.toObject().value(QStringLiteral("BuildDestination")).toString();
        QVERIFY2(
            buildingCodes
                    .filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(code) + QLatin1Char(',')))
                    .size() == 1,
            qPrintable(code));
    }
}

void tst_Nomenclature::matchesTheReferenceBuild_data()
{
    QTest::addColumn<QString>("registerFile");
    QTest::newRow("2024 S1") << "siruta-s1-2024.csv";
    // The 2025 republication: semicolons, comma-below letters, one more column.
    QTest::newRow("2025 S1") << "siruta-2025-s1_strainu.csv";
}

void tst_Nomenclature::matchesTheReferenceBuild()
{
    QFETCH(QString, registerFile);
    const QString raw = TestPaths::shared(QStringLiteral("data/nomenclature/raw/") + registerFile);
    const QString alba = TestPaths::shared(QStringLiteral("data/nomenclature/raw/mfp/alba"));
    const QString clean = TestPaths::shared(QStringLiteral("data/nomenclature/clean"));
    if (raw.isEmpty() || alba.isEmpty() || clean.isEmpty())
        QSKIP("the official nomenclature files are not at hand");
    const QString postal = TestPaths::shared(QStringLiteral("data/nomenclature/raw/posta-romana-bucuresti.json"));
    const NomenclatureBuild build =
        NomenclatureBuilder::build(SirutaReader::readFile(raw), {MfpStreetReader::readCounty(alba)},
                                   postal.isEmpty() ? PostalStreets() : PostalStreetReader::readFile(postal));
    QCOMPARE(build.skippedRecords, 0);
    for (const NomenclatureTable& table : build.tables) {
        QStringList expected = csvRows(clean + QLatin1Char('/') + table.tableName + QStringLiteral(".csv"));
        if (table.tableName == QLatin1String("Strazi") && postal.isEmpty()) {
            // The reference also holds Bucharest's streets, which come from the postal index.
            expected.erase(std::remove_if(expected.begin(), expected.end(),
                                          [](const QString& row) { return row.startsWith(QLatin1String("179132,")); }),
                           expected.end());
        }
        const QStringList actual = tableRows(table);
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < actual.size(); ++i) {
            if (actual[i] != expected[i])
                QFAIL(qPrintable(QStringLiteral("%1 row %2: %3 instead of %4")
                                     .arg(table.fileName)
                                     .arg(i + 1)
                                     .arg(actual[i], expected[i])));
        }
    }
    // The same rows are in the written files.
    QTemporaryDir dir;
    NomenclatureWriter::writeAll(build.tables, dir.path());
    const NomenclatureTable* localities = NomenclatureBuilder::table(build, QStringLiteral("Localitati.DAT"));
    QCOMPARE(datRows(dir.filePath(QStringLiteral("Localitati.DAT")), QStringLiteral("Localitati")),
             tableRows(*localities));
}

QTEST_GUILESS_MAIN(tst_Nomenclature)
#include "tst_nomenclature.moc"
