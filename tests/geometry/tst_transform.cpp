#include "geometry/Transform.h"
#include "support/ScriptedPrompter.h"

#include <QTest>

namespace {
struct Row
{
    QVariant name, no, x, y;
};

CoordinateTable tableOf(const QList<Row>& rows)
{
    CoordinateTable table(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        table.setCell(i + 1, 1, rows[i].name);
        table.setCell(i + 1, 2, rows[i].no);
        table.setCell(i + 1, 3, rows[i].x);
        table.setCell(i + 1, 4, rows[i].y);
    }
    return table;
}

QStringList describe(const Polygons& polygons)
{
    QStringList result;
    for (const PolygonPtr& polygon : polygons) {
        QStringList points;
        for (const PointPtr& point : *polygon->Points())
            points << QStringLiteral("%1(%2;%3)").arg(point->No()).arg(point->X()).arg(point->Y());
        result << polygon->Name() + QLatin1Char(':') + points.join(QLatin1Char(' '));
    }
    return result;
}
} // namespace

class tst_transform : public QObject
{
    Q_OBJECT

private slots:
    void tableWithoutRowsLeavesTheCollection()
    {
        Transform transform(".");
        auto mine = std::make_shared<Polygons>();
        mine->Add(std::make_shared<Polygon>());
        transform.setPolygonCollection(mine);
        transform.setTransformArray(CoordinateTable(0));
        QVERIFY(transform.ArrayToPolygonCollection());
        QCOMPARE(transform.PolygonCollection().get(), mine.get());
        QCOMPARE(transform.PolygonCollection()->Count(), 1);
    }

    void conversion_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QStringList>("polygons");
        QTest::newRow("land then building")
            << QList<Row>{{"TEREN", "1", "0", "0"},  {"TEREN", "2", "10", "0"}, {"TEREN", "3", "10", "10"},
                          {"TEREN", "4", "0", "10"}, {"C1", "5", "1", "1"},     {"C1", "6", "2", "1"},
                          {"C1", "7", "2", "2"},     {"C1", "8", "1", "2"}}
            << QStringList{"TEREN:1(0;0) 2(10;0) 3(10;10) 4(0;10)", "C1:5(1;1) 6(2;1) 7(2;2) 8(1;2)"};
        QTest::newRow("final row of a new entity is dropped")
            << QList<Row>{{"TEREN", "1", "0", "0"}, {"TEREN", "2", "1", "0"}, {"C1", "3", "5", "5"}}
            << QStringList{"TEREN:1(0;0) 2(1;0)"};
        QTest::newRow("row with an empty cell adds nothing but keeps the entity")
            << QList<Row>{{"TEREN", "1", "0", "0"},
                          {"TEREN", "", "1", "0"},
                          {"TEREN", "3", "", "0"},
                          {"TEREN", "4", "2", "2"},
                          {"TEREN", "5", "3", "3"}}
            << QStringList{"TEREN:1(0;0) 4(2;2) 5(3;3)"};
        QTest::newRow("reappearing entity is a second polygon")
            << QList<Row>{{"A", "1", "0", "0"}, {"B", "2", "1", "1"}, {"A", "3", "2", "2"}, {"A", "4", "3", "3"}}
            << QStringList{"A:1(0;0)", "B:2(1;1)", "A:3(2;2) 4(3;3)"};
        QTest::newRow("empty names before a named entity")
            << QList<Row>{{"", "1", "0", "0"}, {"", "2", "1", "1"}, {"C2", "3", "2", "2"}, {"C2", "4", "3", "3"}}
            << QStringList{":", "C2:3(2;2) 4(3;3)"};
        QTest::newRow("names compare with case")
            << QList<Row>{{"teren", "1", "0", "0"}, {"TEREN", "2", "1", "1"}, {"TEREN", "3", "2", "2"}}
            << QStringList{"teren:1(0;0)", "TEREN:2(1;1) 3(2;2)"};
    }
    void conversion()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(QStringList, polygons);
        Transform transform(".");
        transform.setTransformArray(tableOf(rows));
        QVERIFY(transform.ArrayToPolygonCollection());
        QCOMPARE(describe(*transform.PolygonCollection()), polygons);
    }

    void pointTextReadsTheSameUnderBothSeparators_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::newRow("point") << ".";
        QTest::newRow("comma") << ",";
    }
    void pointTextReadsTheSameUnderBothSeparators()
    {
        QFETCH(QString, separator);
        Transform transform(separator);
        const QString x = QStringLiteral("500123.456");
        const QString yLocal = QStringLiteral("400000") + separator + QStringLiteral("125");
        transform.setTransformArray(
            tableOf({{"TEREN", "1", x, yLocal}, {"TEREN", "2", 500100.5, 400001.25}, {"TEREN", "3", "1", "1"}}));
        QVERIFY(transform.ArrayToPolygonCollection());
        const PolygonPtr land = transform.PolygonCollection()->Item(1);
        QCOMPARE(land->Points()->Item(1)->X(), 500123.456);
        QCOMPARE(land->Points()->Item(1)->Y(), 400000.125);
        QCOMPARE(land->Points()->Item(2)->X(), 500100.5);
        QCOMPARE(land->Points()->Item(2)->Y(), 400001.25);
    }

    void unreadableCoordinateStopsWithTypeMismatch()
    {
        Transform transform(".");
        transform.setTransformArray(tableOf(
            {{"TEREN", "1", "0", "0"}, {"TEREN", "2", "1", "0"}, {"C1", "3", "x", "0"}, {"C1", "4", "1", "1"}}));
        QVERIFY(!transform.ArrayToPolygonCollection());
        QCOMPARE(transform.lastError().text(), QString("13 Type mismatch"));
        QCOMPARE(describe(*transform.PolygonCollection()), QStringList{"TEREN:1(0;0) 2(1;0)"});
    }

    void collectionToArrayAndBack()
    {
        auto polygons = std::make_shared<Polygons>();
        for (const char* name : {"TEREN", "C1", "C2"}) {
            auto points = std::make_shared<Points>();
            for (int i = 1; i <= 3; ++i) {
                auto point = std::make_shared<Point>();
                point->setNo(QString(name) + QString::number(i));
                point->setX(500000.123 + i);
                point->setY(400000.987 - i);
                points->Add(point);
            }
            auto polygon = std::make_shared<Polygon>();
            polygon->setName(name);
            polygon->setPoints(points);
            polygons->Add(polygon);
        }
        Transform there(".");
        there.setPolygonCollection(polygons);
        QVERIFY(there.PolygonCollectionToArray());
        const CoordinateTable table = there.TransformArray();
        QCOMPARE(table.upperRow(), 9);
        QVERIFY(table.isEmpty(0, 1));
        QCOMPARE(table.cell(4, 1).toString(), QString("C1"));
        QCOMPARE(table.cell(4, 3).typeId(), int(QMetaType::Double));

        Transform back(",");
        back.setTransformArray(table);
        QVERIFY(back.ArrayToPolygonCollection());
        QCOMPARE(describe(*back.PolygonCollection()), describe(*polygons));
    }

    void emptyCollectionGivesOnlyRowZero()
    {
        Transform transform(".");
        QVERIFY(transform.PolygonCollectionToArray());
        QCOMPARE(transform.TransformArray().upperRow(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_transform)
#include "tst_transform.moc"
