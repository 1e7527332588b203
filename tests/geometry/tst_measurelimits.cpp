// Measures at the edges of the number types: an area that overflows or meets a NaN, the edge
// test's window in 32 bits, and table doubles passed through their 15-digit text.
#include "geometry/Transform.h"
#include "geometry/modVector.h"
#include "support/DocumentFactory.h"
#include "support/ScriptedPrompter.h"

#include <QtTest>
#include <limits>

class tst_MeasureLimits : public QObject
{
    Q_OBJECT

private slots:
    // A failed measure is 0 with one critical "Eroare" message, never a NaN passed on.
    void areaFailure_data()
    {
        QTest::addColumn<QList<QPointF>>("vertices");
        QTest::addColumn<double>("area");
        QTest::addColumn<QString>("message");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("triangle near 1e200")
            << QList<QPointF>{{1e200, 0}, {0, 1e200}, {1e200, 1e200}} << 0.0 << "6 Overflow";
        QTest::newRow("NaN coordinate") << QList<QPointF>{{0, 0}, {nan, 0}, {10, 10}} << 0.0 << "6 Overflow";
        QTest::newRow("infinite coordinate") << QList<QPointF>{{0, 0}, {10, inf}, {10, 10}} << 0.0 << "6 Overflow";
        QTest::newRow("no points") << QList<QPointF>{} << 0.0 << "5 Invalid procedure call or argument";
        QTest::newRow("large but finite")
            << QList<QPointF>{{1e150, 0}, {0, 1e150}, {1e150, 1e150}} << 5e299 << QString();
        QTest::newRow("unit square") << QList<QPointF>{{0, 0}, {1, 0}, {1, 1}, {0, 1}} << 1.0 << QString();
    }
    void areaFailure()
    {
        QFETCH(QList<QPointF>, vertices);
        QFETCH(double, area);
        QFETCH(QString, message);
        const PolygonPtr polygon = DocumentFactory::polygonOf(vertices);
        Error error;
        QCOMPARE(polygon->Area(&error), area);
        QCOMPARE(error.number == 0 ? QString() : error.text(), message);
    }

    // Each bound of the window is rounded to 32 bits before it meets the probe: 0.1 as a bound
    // becomes 0.1f, which a probe at 0.1f reaches, though 0.1 in 64 bits lies below 0.1f.
    void hitSegmentWindowIn32Bits_data()
    {
        QTest::addColumn<QList<double>>("edge");
        QTest::addColumn<QPointF>("probe");
        QTest::addColumn<bool>("hit");
        QTest::newRow("x bound rounds up to the probe") << QList<double>{0, 0, 0.1, 0} << QPointF(0.1, 0) << true;
        QTest::newRow("y bound rounds up to the probe") << QList<double>{0, 0, 0, 0.1} << QPointF(0, 0.1) << true;
        QTest::newRow("reversed edge, same bound") << QList<double>{0.1, 0, 0, 0} << QPointF(0.1, 0) << true;
        QTest::newRow("one float step beyond")
            << QList<double>{0, 0, 0.1, 0} << QPointF(double(std::nextafter(0.1f, 1.0f)), 0) << false;
    }
    void hitSegmentWindowIn32Bits()
    {
        QFETCH(QList<double>, edge);
        QFETCH(QPointF, probe);
        QFETCH(bool, hit);
        QCOMPARE(modVector::HitSegment(edge[0], edge[1], edge[2], edge[3], float(probe.x()), float(probe.y()), 0, 0),
                 hit);
    }

    // A coordinate held as a double reaches the polygon through its 15-digit text.
    void tableDoublesThroughFifteenDigits_data()
    {
        QTest::addColumn<double>("cell");
        QTest::addColumn<double>("coordinate");
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << 0.3;
        QTest::newRow("sixteen digits") << 388120.5123456789 << 388120.512345679;
        QTest::newRow("fifteen digits stay") << 546210.034123456 << 546210.034123456;
    }
    void tableDoublesThroughFifteenDigits()
    {
        QFETCH(double, cell);
        QFETCH(double, coordinate);
        CoordinateTable table(4);
        for (int row = 1; row <= 4; ++row) {
            table.setCell(row, 1, QStringLiteral("TEREN"));
            table.setCell(row, 2, QString::number(row));
            table.setCell(row, 3, row == 1 ? cell : double(row));
            table.setCell(row, 4, row == 1 ? cell : double(row));
        }
        Transform transform(QStringLiteral(","));
        transform.setTransformArray(table);
        QVERIFY(transform.ArrayToPolygonCollection());
        const PointPtr first = transform.PolygonCollection()->Item(1)->Points()->Item(1);
        // Exact: a fuzzy comparison would take 0.30000000000000004 for 0.3.
        QVERIFY2(first->X() == coordinate, qPrintable(QString::number(first->X(), 'g', 17)));
        QVERIFY2(first->Y() == coordinate, qPrintable(QString::number(first->Y(), 'g', 17)));
    }
};

QTEST_GUILESS_MAIN(tst_MeasureLimits)
#include "tst_measurelimits.moc"
