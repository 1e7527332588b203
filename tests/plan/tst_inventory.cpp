#include "cli/CommandRegistry.h"
#include "plan/CoordinateInventory.h"
#include "support/CliRun.h"
#include "support/CompareNear.h"
#include "support/DocumentFactory.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QTest>

using DocumentFactory::polygonOf;

// The coordinate inventory: sides closing back to the first point, area and perimeter from
// the coordinates, the order of the contours, and the CSV the command line prints.
class tst_Inventory : public QObject
{
    Q_OBJECT

private slots:
    void measures_data();
    void measures();
    void contoursInDocumentOrder();
    void numberTexts_data();
    void numberTexts();
    void csv_data();
    void csv();
    void sampleDocuments_data();
    void sampleDocuments();
    void commandRefusesBadInput_data();
    void commandRefusesBadInput();
};

void tst_Inventory::measures_data()
{
    QTest::addColumn<QList<QPointF>>("vertices");
    QTest::addColumn<QList<double>>("sides");
    QTest::addColumn<double>("area");
    QTest::addColumn<double>("perimeter");
    // Catches a last side left at 0 instead of closing back to the first point.
    QTest::newRow("3-4-5 triangle closes")
        << QList<QPointF>{{0, 0}, {4, 0}, {4, 3}} << QList<double>{4, 3, 5} << 6.0 << 12.0;
    // Catches a signed area (clockwise rings are negative in the shoelace sum).
    QTest::newRow("clockwise square") << QList<QPointF>{{0, 10}, {10, 10}, {10, 0}, {0, 0}}
                                      << QList<double>{10, 10, 10, 10} << 100.0 << 40.0;
    // Catches the raw shoelace's loss of the last decimals on national grid coordinates.
    QTest::newRow("stereo 70 rectangle, centimetres")
        << QList<QPointF>{{388246.01, 546512.37},
                          {388270.62, 546512.37},
                          {388270.62, 546549.85},
                          {388246.01, 546549.85}}
        << QList<double>{24.61, 37.48, 24.61, 37.48} << 24.61 * 37.48 << 2 * (24.61 + 37.48);
    // Catches a convex-hull or absolute-per-triangle area on a concave contour.
    QTest::newRow("concave L") << QList<QPointF>{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}
                               << QList<double>{2, 1, 1, 1, 1, 2} << 3.0 << 8.0;
    // Catches a division or an index past the end on a one-point contour.
    QTest::newRow("single point") << QList<QPointF>{{5, 5}} << QList<double>{0} << 0.0 << 0.0;
}

void tst_Inventory::measures()
{
    QFETCH(QList<QPointF>, vertices);
    QFETCH(QList<double>, sides);
    QFETCH(double, area);
    QFETCH(double, perimeter);
    Polygons polygons;
    polygons.Add(polygonOf(vertices, QStringLiteral("TEREN")));
    const CoordinateInventory inventory = CoordinateInventory::fromPolygons(polygons);
    QCOMPARE(inventory.contours().size(), std::size_t(1));
    const InventoryContour& contour = inventory.contours().front();
    QCOMPARE(int(contour.points.size()), sides.size());
    for (int i = 0; i < sides.size(); ++i) {
        COMPARE_NEAR(contour.points[std::size_t(i)].side, sides.at(i), 1e-9);
        QCOMPARE(contour.points[std::size_t(i)].x, vertices.at(i).x());
        QCOMPARE(contour.points[std::size_t(i)].y, vertices.at(i).y());
    }
    COMPARE_NEAR(contour.area, area, 1e-6);
    COMPARE_NEAR(contour.perimeter, perimeter, 1e-9);
}

void tst_Inventory::contoursInDocumentOrder()
{
    // The land first even when buildings were attached before it; a building without a
    // contour is left out, not printed empty.
    const DocumentPtr document = DocumentFactory::sample(5);
    Land& land = *document->Land();
    auto bare = std::make_shared<Build>();
    bare->setNo(QStringLiteral("C9"));
    land.Buildings()->Add(bare);
    const CoordinateInventory inventory = CoordinateInventory::fromLand(land);
    QStringList names;
    for (const InventoryContour& contour : inventory.contours())
        names << contour.name;
    QStringList expected{land.Geometry()->Name()};
    for (const BuildPtr& build : *land.Buildings()) {
        if (build->Geometry())
            expected << build->Geometry()->Name();
    }
    QCOMPARE(names, expected);
    QCOMPARE(names.first(), QStringLiteral("TEREN"));
    QVERIFY(!names.contains(QStringLiteral("C9")));
}

void tst_Inventory::numberTexts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    // Catches a dropped trailing zero or a lost digit on national grid coordinates.
    QTest::newRow("coordinate") << 388270.62 << 3 << QStringLiteral("388270.620");
    // Catches a leading zero missing below 1 and a wrong carry into the units.
    QTest::newRow("below one") << 0.0996 << 2 << QStringLiteral("0.10");
    QTest::newRow("carry to a new digit") << 9.9996 << 3 << QStringLiteral("10.000");
    // Catches rounding of the decimal text instead of the binary value (2.675 is 2.67499...).
    QTest::newRow("binary below the half") << 2.675 << 2 << QStringLiteral("2.67");
    QTest::newRow("negative") << -7.000001 << 3 << QStringLiteral("-7.000");
    // Catches "-0.000" for a value that rounds to nothing.
    QTest::newRow("negative rounding to zero") << -0.0004 << 3 << QStringLiteral("0.000");
    QTest::newRow("no decimals") << 1234.5 << 0 << QStringLiteral("1235");
    // Beyond the integer range of a double the text still has every digit Qt gives.
    QTest::newRow("huge") << 1e17 << 2 << QStringLiteral("100000000000000000.00");
}

void tst_Inventory::numberTexts()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(CoordinateInventory::fixedText(value, decimals), expected);
}

void tst_Inventory::csv_data()
{
    QTest::addColumn<QList<QPointF>>("vertices");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    // Catches the locale's decimal comma, grouping or missing trailing zeros.
    QTest::newRow("decimals and header") << QList<QPointF>{{388246.0, 546512.0},
                                                           {388270.5, 546512.0},
                                                           {388270.5, 546522.25}}
                                         << QStringLiteral("TEREN")
                                         << QStringLiteral("Contur,Nr,X,Y,D\n"
                                                           "TEREN,1,388246.000,546512.000,24.50\n"
                                                           "TEREN,2,388270.500,546512.000,10.25\n"
                                                           "TEREN,3,388270.500,546522.250,26.56\n"
                                                           "\nContur,S,P\n"
                                                           "TEREN,125.56,61.31\n");
    // Catches a field with a comma splitting the row into one column too many.
    QTest::newRow("name with comma quoted") << QList<QPointF>{{0, 0}, {1, 0}, {0, 1}} << QStringLiteral("C1,a")
                                            << QStringLiteral("Contur,Nr,X,Y,D\n"
                                                              "\"C1,a\",1,0.000,0.000,1.00\n"
                                                              "\"C1,a\",2,1.000,0.000,1.41\n"
                                                              "\"C1,a\",3,0.000,1.000,1.00\n"
                                                              "\nContur,S,P\n"
                                                              "\"C1,a\",0.50,3.41\n");
}

void tst_Inventory::csv()
{
    QFETCH(QList<QPointF>, vertices);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    Polygons polygons;
    polygons.Add(polygonOf(vertices, name));
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    const QString csv = CoordinateInventory::fromPolygons(polygons).toCsv();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(csv, expected);
}

void tst_Inventory::sampleDocuments_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("rows");
    QTest::newRow("intravilan") << QStringLiteral("Teren-intravilan-Alba-Iulia.CP")
                                << QStringLiteral("Contur,S,P\nTEREN,921.66,121.81\nC1,129.00,48.00\nC2,30.00,22.00\n")
                                << 0;
    QTest::newRow("apartment without contours")
        << QStringLiteral("Apartament-Alba-Iulia.CP") << QStringLiteral("Contur,S,P\n") << 0;
}

void tst_Inventory::sampleDocuments()
{
    QFETCH(QString, file);
    QFETCH(QString, summary);
    const QString path = TestPaths::sample(file);
    const CliResult result = runCliCaptured({QStringLiteral("inventory"), path});
    QCOMPARE(result.code, 0);
    QVERIFY2(result.out.startsWith(QStringLiteral("Contur,Nr,X,Y,D\n")), qPrintable(result.out));
    QVERIFY2(result.out.endsWith(QLatin1Char('\n') + summary), qPrintable(result.out));
    // Every point row has five fields.
    const QStringList lines = result.out.section(QStringLiteral("\n\n"), 0, 0).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        QCOMPARE(line.count(QLatin1Char(',')), 4);
}

void tst_Inventory::commandRefusesBadInput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::newRow("no file") << QStringList{} << 2;
    QTest::newRow("two files") << QStringList{QStringLiteral("a.CP"), QStringLiteral("b.CP")} << 2;
    QTest::newRow("missing file") << QStringList{QStringLiteral("/nonexistent/x.CP")} << 1;
}

void tst_Inventory::commandRefusesBadInput()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    const CliResult result = runCliCaptured(QStringList{QStringLiteral("inventory")} + arguments);
    QCOMPARE(result.code, code);
    QVERIFY(result.out.isEmpty());
    QVERIFY(!result.err.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Inventory)
#include "tst_inventory.moc"
