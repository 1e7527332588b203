#include "geometry/modVector.h"
#include "model/Polygon.h"
#include "support/CompareNear.h"
#include "support/DocumentFactory.h"
#include "support/ScriptedPrompter.h"

#include <QTest>

using namespace modVector;

using DocumentFactory::polygonOf;

class tst_geometry : public QObject
{
    Q_OBJECT

private slots:
    void area_data()
    {
        QTest::addColumn<QList<QPointF>>("vertices");
        QTest::addColumn<double>("area");
        QTest::newRow("unit square ccw") << QList<QPointF>{{0, 0}, {1, 0}, {1, 1}, {0, 1}} << 1.0;
        QTest::newRow("unit square cw") << QList<QPointF>{{0, 1}, {1, 1}, {1, 0}, {0, 0}} << 1.0;
        QTest::newRow("first point repeated") << QList<QPointF>{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}} << 1.0;
        QTest::newRow("one point") << QList<QPointF>{{5, 5}} << 0.0;
        QTest::newRow("two points") << QList<QPointF>{{0, 0}, {3, 4}} << 0.0;
        QTest::newRow("stereo 70 coordinates")
            << QList<QPointF>{{500000.0, 400000.0}, {500030.0, 400000.0}, {500030.0, 400020.0}, {500000.0, 400020.0}}
            << 600.0;
        QTest::newRow("concave L") << QList<QPointF>{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}} << 3.0;
    }
    void area()
    {
        QFETCH(QList<QPointF>, vertices);
        QFETCH(double, area);
        COMPARE_NEAR(polygonOf(vertices)->Area(), area, 1e-9);
    }

    void areaOfPolygonWithoutPointsIsZeroWithAFailure()
    {
        Error error;
        QCOMPARE(polygonOf({})->Area(&error), 0.0);
        QCOMPARE(error.number, ErrorNumber::InvalidArgument);
        Polygon noPoints;
        QCOMPARE(noPoints.Area(), 0.0);
    }

    void gravityPointIsTheVertexMean()
    {
        PointPtr mean = polygonOf({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, "C3")->GravityPoint();
        QCOMPARE(mean->X(), 0.5);
        QCOMPARE(mean->Y(), 0.5);
        QCOMPARE(mean->No(), QString("C3"));
        mean = polygonOf({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}})->GravityPoint();
        COMPARE_NEAR(mean->X(), 0.4, 1e-15);
        COMPARE_NEAR(mean->Y(), 0.4, 1e-15);
        QVERIFY_THROWS_EXCEPTION(Failure, polygonOf({})->GravityPoint());
    }

    void xyToYxTwiceRestores()
    {
        PolygonPtr polygon = polygonOf({{1, 2}, {3, 4}, {5, 6}});
        PointsPtr sameCollection = polygon->Points();
        polygon->XYToYX();
        QCOMPARE(polygon->Points().get(), sameCollection.get());
        QCOMPARE(polygon->Points()->Item(1)->X(), 2.0);
        QCOMPARE(polygon->Points()->Item(1)->Y(), 1.0);
        polygon->XYToYX();
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(polygon->Points()->Item(i)->No(), QString::number(i));
            QCOMPARE(polygon->Points()->Item(i)->X(), 2.0 * i - 1);
            QCOMPARE(polygon->Points()->Item(i)->Y(), 2.0 * i);
        }
    }

    void distanceToLine()
    {
        // Coincident ends: the plain distance to that end.
        COMPARE_NEAR(DistanceToLine(MakePoint(1, 1), MakePoint(4, 5), MakePoint(1, 1)), 5.0, 1e-12);
        // Beyond the segment's end but on its line: 0 (the line is infinite).
        COMPARE_NEAR(DistanceToLine(MakePoint(0, 0), MakePoint(10, 0), MakePoint(2, 0)), 0.0, 1e-12);
        COMPARE_NEAR(DistanceToLine(MakePoint(0, 0), MakePoint(1, 3), MakePoint(2, 0)), 3.0, 1e-12);
        QCOMPARE(VectorLength(VectorFromTo(MakePoint(0, 0), MakePoint(3, 4))), 5.0);
        QCOMPARE(DotProduct({1, 2}, {3, 4}), 11.0);
    }

    void hitSegment_data()
    {
        QTest::addColumn<QList<double>>("edge");
        QTest::addColumn<QPointF>("probe");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("hit");
        const QList<double> horizontal{0, 0, 10, 0};
        QTest::newRow("on the edge") << horizontal << QPointF(5, 0) << 0 << 0 << true;
        QTest::newRow("within tolerance") << horizontal << QPointF(5, 2) << 2 << 0 << true;
        QTest::newRow("outside tolerance") << horizontal << QPointF(5, 2.5) << 2 << 0 << false;
        QTest::newRow("width helps") << QList<double>{0, 0, 10, 10} << QPointF(5, 6.5) << 0 << 3 << true;
        QTest::newRow("width too narrow") << QList<double>{0, 0, 10, 10} << QPointF(5, 6.5) << 0 << 2 << false;
        QTest::newRow("width never widens the box") << horizontal << QPointF(5, 2.5) << 2 << 20 << false;
        QTest::newRow("extension outside box") << horizontal << QPointF(13, 0) << 2 << 0 << false;
        QTest::newRow("box edge inclusive") << horizontal << QPointF(12, 0) << 2 << 0 << true;
        QTest::newRow("reversed edge") << QList<double>{10, 10, 0, 0} << QPointF(5, 5) << 0 << 0 << true;
        QTest::newRow("tolerance 0 off by a float step") << horizontal << QPointF(5, 0.001) << 0 << 0 << false;
        QTest::newRow("large coordinates round to float")
            << QList<double>{500000.01, 400000.0, 500010.0, 400000.0} << QPointF(500005.0, 400000.0) << 0 << 0 << true;
    }
    void hitSegment()
    {
        QFETCH(QList<double>, edge);
        QFETCH(QPointF, probe);
        QFETCH(int, tolerance);
        QFETCH(int, width);
        QFETCH(bool, hit);
        QCOMPARE(HitSegment(edge[0], edge[1], edge[2], edge[3], float(probe.x()), float(probe.y()), short(tolerance),
                            short(width)),
                 hit);
    }

    void findVertexReturnsTheFirstInStoredOrder()
    {
        PolygonPtr polygon = polygonOf({{0, 0}, {10, 10}, {10.5, 10.5}, {20, 0}});
        double x = -1, y = -1;
        QCOMPARE(FindVertex(*polygon, 10.4, 10.4, 1.0f, x, y), QString("2"));
        QCOMPARE(x, 10.0);
        QCOMPARE(y, 10.0);
        x = y = -1;
        QCOMPARE(FindVertex(*polygon, 5, 5, 1.0f, x, y), QString());
        QCOMPARE(x, -1.0);
        QCOMPARE(FindVertex(*polygon, 20, 0, 0.0f, x, y), QString("4"));
        QCOMPARE(FindVertex(*polygon, 20.001, 0, 0.0f, x, y), QString());
        // The window is a square: a corner probe at distance 1.41 matches with tolerance 1.
        QCOMPARE(FindVertex(*polygon, 1, 1, 1.0f, x, y), QString("1"));
    }
};

QTEST_GUILESS_MAIN(tst_geometry)
#include "tst_geometry.moc"
