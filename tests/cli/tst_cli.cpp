#include "format/CPFile.h"
#include "format/DocumentJson.h"
#include "support/CliRun.h"
#include "support/DocumentFactory.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {
using Result = CliResult;

Result cli(const QStringList& arguments)
{
    return runCliCaptured(arguments);
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class tst_cli : public QObject
{
    Q_OBJECT

private slots:
    void helpAndUsage()
    {
        const Result help = cli({"--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("dump"));
        QVERIFY(help.out.contains("build"));
        QCOMPARE(cli({}).code, 2);
        QCOMPARE(cli({"nonsense"}).code, 2);
        QCOMPARE(cli({"dump"}).code, 2);
        QCOMPARE(cli({"build", "a.json"}).code, 2);
    }

    void jsonToCpToJsonRoundTrip()
    {
        QTemporaryDir dir;
        CPFile source(".");
        source.setDocument(DocumentFactory::sample(6));
        source.Document()->Land()->Buildings()->Item(1)->Geometry()->setName("c1");
        source.Document()->Land()->Buildings()->Item(1)->setNo("C1");
        source.setStatus("s");
        QJsonObject json = DocumentJson::toJson(source);
        writeAll(dir.filePath("in.json"), QJsonDocument(json).toJson());

        const Result built = cli({"build", dir.filePath("in.json"), "-o", dir.filePath("out.CP")});
        QCOMPARE(built.code, 0);
        const Result dumped = cli({"dump", dir.filePath("out.CP")});
        QCOMPARE(dumped.code, 0);
        const QJsonObject back = QJsonDocument::fromJson(dumped.out.toUtf8()).object();

        // Contour names come back upper-cased, Ș/Ț as the cedilla forms; the version is the file's.
        QByteArray expected = QJsonDocument(json).toJson();
        expected.replace("\"c1\"", "\"C1\"").replace("Ș", "Ş").replace("Ț", "Ţ").replace("ș", "ş").replace("ț", "ţ");
        QJsonObject expectedJson = QJsonDocument::fromJson(expected).object();
        expectedJson["Version"] = "1.0";
        QCOMPARE(back, expectedJson);
    }

    void refusedInputsExitWith1()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath("bad.json"), "{ not json");
        Result result = cli({"build", dir.filePath("bad.json"), "-o", dir.filePath("x.CP")});
        QCOMPARE(result.code, 1);
        QVERIFY(result.err.contains("not a JSON document"));
        QVERIFY(!QFile::exists(dir.filePath("x.CP")));

        writeAll(dir.filePath("type.json"), R"({"Land": {"Owners": [{"LastName": 5}]}})");
        result = cli({"build", dir.filePath("type.json"), "-o", dir.filePath("x.CP")});
        QCOMPARE(result.code, 1);
        QVERIFY(result.err.contains("Land.Owners.LastName"));

        writeAll(dir.filePath("broken.CP"), "CP\x03");
        result = cli({"dump", dir.filePath("broken.CP")});
        QCOMPARE(result.code, 1);
        QVERIFY(result.err.contains("62 Input past end of file"));
        QCOMPARE(cli({"dump", dir.filePath("missing.CP")}).code, 1);
    }

    void buildReadsOnlyWhatItCanStore_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("owners not objects")
            << QByteArray(R"({"Land": {"Owners": [5, "x"]}})") << 1 << "Land.Owners: expected an array of objects";
        QTest::newRow("points not objects") << QByteArray(R"({"Land": {"Geometry": {"Name": "TEREN", "Points": [7]}}})")
                                            << 1 << "Land.Geometry.Points: expected an array of objects";
        QTest::newRow("parcel items not objects") << QByteArray(R"({"Land": {"Parcels": {"Items": [1]}}})") << 1
                                                  << "Land.Parcels.Items: expected an array of objects";
        QTest::newRow("building contour points not objects")
            << QByteArray(R"({"Land": {"Buildings": {"Items": [{"No": "C1", "Geometry": {"Points": [null]}}]}}})") << 1
            << "Land.Buildings.Geometry.Points: expected an array of objects";
        QTest::newRow("parcel No 1.7") << QByteArray(R"({"Land": {"Parcels": {"Items": [{"No": 1.7}]}}})") << 1
                                       << "Land.Parcels.No: expected a whole number";
        QTest::newRow("IECode 1.7") << QByteArray(R"({"Land": {"Address": {"IECode": 1.7}}})") << 1
                                    << "Land.Address.IECode: expected a whole number";
        QTest::newRow("SIRUTA 1026.5") << QByteArray(R"({"Land": {"Address": {"SIRUTA": 1026.5}}})") << 1
                                       << "Land.Address.SIRUTA: expected a whole number";
        QTest::newRow("a letter outside Windows-1250")
            << QByteArray(R"({"Land": {"Owners": [{"LastName": "MUÑOZ"}]}})") << 1
            << "Land.Owners.LastName: \"Ñ\" cannot be stored in a .CP file (Windows-1250)";
        QTest::newRow("a character beyond 16 bits")
            << QByteArray(R"({"Comment1": "ok \ud83d\ude00"})") << 1 << "Comment1: \"\U0001F600\" cannot be stored";
        QTest::newRow("comma-below and Central European letters are stored")
            << QByteArray(R"({"Land": {"Owners": [{"LastName": "ȘTEFĂNESCU", "FirstName": "ŁUCJA ŢĂRAN ß"}]}})") << 0
            << "";
        QTest::newRow("one building number, two contours")
            << QByteArray(R"({"Land": {"Buildings": {"Items": [{"No": "C1", "Geometry": {"Points": [{"X": 1, "Y": 0}]}},
                                                              {"No": "C1", "Geometry": {"Points": [{"X": 2, "Y": 0}]}}]}}})")
            << 1 << "Land.Buildings.Geometry: buildings numbered \"C1\" have different contours";
        QTest::newRow("a bare array") << QByteArray("[]") << 1 << "expected one JSON object holding the document";
        QTest::newRow("broken JSON") << QByteArray("{\"Land\": ") << 1 << "not a JSON document (";
    }

    // Whatever build accepts, the .CP file keeps; the rest is refused with the field's path.
    void buildReadsOnlyWhatItCanStore()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeAll(dir.filePath("in.json"), json);
        const Result result = cli({"build", dir.filePath("in.json"), "-o", dir.filePath("out.CP")});
        QCOMPARE(result.code, code);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(!result.err.contains("no error occurred"));
        QCOMPARE(QFile::exists(dir.filePath("out.CP")), code == 0);
    }

    void dumpBuildCycleKeepsContours_data()
    {
        QTest::addColumn<QStringList>("numbers"); // building numbers; buildings of one number share one contour
        QTest::newRow("two buildings numbered C1") << QStringList{"C1", "C1"};
        QTest::newRow("C1, C2, C1") << QStringList{"C1", "C2", "C1"};
        QTest::newRow("three buildings numbered C1") << QStringList{"C1", "C1", "C1"};
        QTest::newRow("distinct numbers") << QStringList{"C1", "C2"};
    }

    // build gives back the document dump printed, cycle after cycle.
    void dumpBuildCycleKeepsContours()
    {
        QFETCH(QStringList, numbers);
        QTemporaryDir dir;
        QJsonArray items;
        for (const QString& number : numbers) {
            const double x = number == QLatin1String("C1") ? 10 : 40;
            QJsonArray points;
            for (int i = 0; i < 3; ++i)
                points.append(QJsonObject{
                    {"No", QString::number(101 + i)}, {"X", x + (i == 1 ? 5 : 0)}, {"Y", i == 2 ? 5.0 : 0.0}});
            items.append(QJsonObject{{"No", number}, {"Geometry", QJsonObject{{"Name", number}, {"Points", points}}}});
        }
        QJsonArray land;
        for (const auto& xy : {std::pair{0, 0}, std::pair{100, 0}, std::pair{100, 100}, std::pair{0, 100}})
            land.append(QJsonObject{{"No", QString::number(land.size() + 1)}, {"X", xy.first}, {"Y", xy.second}});
        const QJsonObject document{
            {"Land", QJsonObject{{"Buildings", QJsonObject{{"Items", items}}},
                                 {"Geometry", QJsonObject{{"Name", "TEREN"}, {"Points", land}}}}}};
        writeAll(dir.filePath("0.json"), QJsonDocument(document).toJson());

        QString previous;
        for (int cycle = 0; cycle < 3; ++cycle) {
            const QString json = dir.filePath(QStringLiteral("%1.json").arg(cycle));
            const QString cp = dir.filePath(QStringLiteral("%1.CP").arg(cycle));
            QCOMPARE(cli({"build", json, "-o", cp}).code, 0);
            const Result dumped = cli({"dump", cp});
            QCOMPARE(dumped.code, 0);
            const QJsonObject dumpedJson = QJsonDocument::fromJson(dumped.out.toUtf8()).object();
            const QJsonArray back = dumpedJson["Land"].toObject()["Buildings"].toObject()["Items"].toArray();
            QCOMPARE(back.size(), numbers.size());
            for (const QJsonValue& building : back)
                QCOMPARE(building.toObject()["Geometry"].toObject()["Points"].toArray().size(), 3);
            if (cycle > 0)
                QCOMPARE(dumped.out, previous);
            previous = dumped.out;
            writeAll(dir.filePath(QStringLiteral("%1.json").arg(cycle + 1)), dumped.out.toUtf8());
        }
    }
};

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
