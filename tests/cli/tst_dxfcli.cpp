#include "cli/CommandRegistry.h"
#include "format/CPFile.h"
#include "support/DocumentFactory.h"
#include "support/TestPaths.h"

#include "support/CliRun.h"
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

QString fixture(const char* name)
{
    return TestPaths::testData(QStringLiteral("dxf/") + QLatin1String(name));
}
} // namespace

class tst_DxfCli : public QObject
{
    Q_OBJECT

private slots:
    void dxfJson_data();
    void dxfJson();
    void dxfRefusals_data();
    void dxfRefusals();
    void importIntoNewDocument();
    void importMergesIntoExistingDocument();
    void importRefusals_data();
    void importRefusals();
};

void tst_DxfCli::dxfJson_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("entities");
    QTest::addColumn<int>("firstPoints");
    QTest::newRow("cleaned") << QStringList{"dxf", fixture("parcels_r2000.dxf")} << 5 << 5;
    QTest::newRow("raw keeps the closing point") << QStringList{"dxf", fixture("parcels_r12.dxf"), "--raw"} << 5 << 6;
}

void tst_DxfCli::dxfJson()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, entities);
    QFETCH(int, firstPoints);
    const Result r = cli(arguments);
    QCOMPARE(r.code, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(json.value(QLatin1String("published")).toBool(), true);
    const QJsonArray list = json.value(QLatin1String("entities")).toArray();
    QCOMPARE(list.size(), entities);
    const QJsonObject first = list.first().toObject();
    QCOMPARE(first.value(QLatin1String("layer")).toString(), QStringLiteral("TEREN"));
    const QJsonArray points = first.value(QLatin1String("points")).toArray();
    QCOMPARE(points.size(), firstPoints);
    QCOMPARE(points.at(1).toArray().at(0).toString(), QStringLiteral("2"));
    QCOMPARE(points.at(1).toArray().at(1).toDouble(), 1040.5);
    QCOMPARE(points.at(1).toArray().at(2).toDouble(), 2001.25);
}

void tst_DxfCli::dxfRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::newRow("no file") << QStringList{"dxf"} << 2;
    QTest::newRow("unknown option") << QStringList{"dxf", fixture("parcels_r12.dxf"), "--cooked"} << 2;
    QTest::newRow("missing file") << QStringList{"dxf", "/nonexistent/x.dxf"} << 1;
    QTest::newRow("not a drawing") << QStringList{"dxf", fixture("make_fixtures.py")} << 1;
}

void tst_DxfCli::dxfRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    const Result r = cli(arguments);
    QCOMPARE(r.code, code);
    QVERIFY(!r.err.isEmpty());
}

void tst_DxfCli::importIntoNewDocument()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.CP"));
    const Result r = cli({"import-dxf", fixture("parcels_r2000.dxf"), "--land", "1", "--building", "5=7", "--building",
                          "2=3", "--renumber", "-o", out});
    QCOMPARE(r.code, 0);
    CPFile file(QStringLiteral("."));
    file.setCPFileName(out);
    QVERIFY(file.LoadCPFile());
    const Land& land = *file.Document()->Land();
    QVERIFY(land.Geometry());
    QCOMPARE(land.Geometry()->Points()->Count(), 5);
    QCOMPARE(land.Buildings()->Count(), 2);
    // Renumbered in numeric order: 3 (polyline 2) becomes C1, 7 (polyline 5) becomes C2.
    QCOMPARE(land.Buildings()->Item(1)->No(), QStringLiteral("C1"));
    QCOMPARE(land.Buildings()->Item(1)->Geometry()->Points()->Item(1)->X(), 1005.0);
    QCOMPARE(land.Buildings()->Item(2)->No(), QStringLiteral("C2"));
    QCOMPARE(land.Buildings()->Item(2)->Geometry()->Points()->Count(), 6);
}

void tst_DxfCli::importMergesIntoExistingDocument()
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.CP"));
    const QString out = dir.filePath(QStringLiteral("merged.CP"));
    CPFile source(QStringLiteral("."));
    source.setDocument(DocumentFactory::sample());
    source.setCPFileName(in);
    QVERIFY(source.SaveCPFile());
    const int buildingsBefore = source.Document()->Land()->Buildings()->Count();
    const QString firstNo = source.Document()->Land()->Buildings()->Item(1)->No();

    const Result r = cli({"import-dxf", fixture("parcels_r12.dxf"), "--land", "4", "--building", "2=" + firstNo.mid(1),
                          "--cp", in, "-o", out});
    QCOMPARE(r.code, 0);
    CPFile merged(QStringLiteral("."));
    merged.setCPFileName(out);
    QVERIFY(merged.LoadCPFile());
    const Land& land = *merged.Document()->Land();
    QCOMPARE(land.Buildings()->Count(), buildingsBefore);
    QCOMPARE(land.Geometry()->Points()->Item(1)->X(), 1050.0);
    QCOMPARE(land.Buildings()->Item(1)->Geometry()->Points()->Item(1)->X(), 1005.0);
    QCOMPARE(land.Address()->SIRUTA(), source.Document()->Land()->Address()->SIRUTA());
}

void tst_DxfCli::importRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    const QString d = fixture("parcels_r2000.dxf");
    QTest::newRow("no land") << QStringList{"import-dxf", d} << 2 << "";
    QTest::newRow("land out of range") << QStringList{"import-dxf", d, "--land", "9"} << 1 << "no polyline 9";
    QTest::newRow("building out of range")
        << QStringList{"import-dxf", d, "--land", "1", "--building", "0=1"} << 1 << "no polyline 0";
    QTest::newRow("land as building") << QStringList{"import-dxf", d, "--land", "1", "--building", "1=1"} << 1
                                      << "Polilinia este asociata terenului";
    QTest::newRow("number used twice") << QStringList{"import-dxf", d,     "--land",     "1",
                                                      "--building", "2=1", "--building", "3=1"}
                                       << 1 << "Ati mai introdus aceasta valoare";
    QTest::newRow("number not numeric") << QStringList{"import-dxf", d, "--land", "1", "--building", "2=x"} << 1
                                        << "Introduceti o valoare valida";
    QTest::newRow("drawing without polylines")
        << QStringList{"import-dxf", fixture("make_fixtures.py"), "--land", "1"} << 1 << "nu este un fisier .DXF text";
}

void tst_DxfCli::importRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, message);
    const Result r = cli(arguments);
    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(tst_DxfCli)
#include "tst_dxfcli.moc"
