#include "SketchSamples.h"
#include "sketch/HoverHitTest.h"
#include "sketch/MeasureChain.h"
#include "support/CompareNear.h"

#include <QTest>

using SketchSamples::polygon;

class tst_SketchInteraction : public QObject
{
    Q_OBJECT

private slots:
    // Measuring chain
    void chainMeasuresSegmentAfterSegment();
    void otherButtonDiscardsChain();
    void clicksOutsideMeasuringModeMeasureNothing();
    void snapsToVertices();
    void startSnapDoesNotOutliveTheVertex();
    void rubberBandAfterFirstClick();
    void distanceRoundedToTwoDecimals();

    // Hover hit-test
    void hover_data();
    void hover();
    void vertexOnEdgeKeepsScanningLaterPolygons();
    void edgeLabelUsesDecimalSeparator();
};

void tst_SketchInteraction::chainMeasuresSegmentAfterSegment()
{
    MeasureChain chain;
    chain.ResetMeasure(false);
    QVERIFY(chain.measuring());
    QVERIFY(!chain.leftClick(0, 0, nullptr, 100));
    QVERIFY(chain.firstFixed());
    QCOMPARE(chain.firstPoint(), QPointF(0, 0));

    const auto first = chain.leftClick(3, 4, nullptr, 100);
    QVERIFY(first);
    QCOMPARE(first->distance, 5.0);
    QCOMPARE(first->total, 5.0);
    // The segment's end starts the next one.
    QCOMPARE(chain.firstPoint(), QPointF(3, 4));
    QCOMPARE(chain.clickCount(), 1);

    const auto second = chain.leftClick(3, 0, nullptr, 100);
    QVERIFY(second);
    QCOMPARE(second->distance, 4.0);
    QCOMPARE(second->total, 9.0);
}

void tst_SketchInteraction::otherButtonDiscardsChain()
{
    MeasureChain chain;
    chain.ResetMeasure(false);
    chain.leftClick(0, 0, nullptr, 100);
    chain.leftClick(3, 4, nullptr, 100);
    chain.otherClick();
    QVERIFY(chain.measuring());
    QCOMPARE(chain.totalDistance(), 0.0);
    QCOMPARE(chain.clickCount(), 0);
    QVERIFY(!chain.firstFixed());
    QVERIFY(!chain.firstPoint());
    // A new chain starts from the next click, not from the discarded end.
    QVERIFY(!chain.leftClick(10, 10, nullptr, 100));
    const auto measured = chain.leftClick(10, 12, nullptr, 100);
    QVERIFY(measured);
    QCOMPARE(measured->distance, 2.0);
    QCOMPARE(measured->total, 2.0);
}

void tst_SketchInteraction::clicksOutsideMeasuringModeMeasureNothing()
{
    MeasureChain chain;
    QVERIFY(!chain.leftClick(0, 0, nullptr, 100));
    QVERIFY(!chain.leftClick(3, 4, nullptr, 100));
    QCOMPARE(chain.clickCount(), 0);
    chain.ResetMeasure(true);
    QVERIFY(!chain.measuring());
    QVERIFY(!chain.leftClick(3, 4, nullptr, 100));
}

void tst_SketchInteraction::snapsToVertices()
{
    const PolygonsPtr polygons = SketchSamples::collection(
        {SketchSamples::square(), polygon(QStringLiteral("C1"), {{"11", 13, 14}, {"12", 20, 14}, {"13", 20, 20}})});
    MeasureChain chain;
    chain.ResetMeasure(false);
    SketchOverlay overlay;
    // Before the first click the start snaps to the vertex within 0.5 units.
    chain.track(10.3, 9.6, polygons.get(), 200, overlay);
    QCOMPARE(chain.firstPoint(), QPointF(10, 10));
    QCOMPARE(overlay.circles.size(), std::size_t(1));
    QCOMPARE(overlay.circles.front().centre, QPointF(10, 10));
    COMPARE_NEAR(overlay.circles.front().radius, 3.0, 1e-12);
    chain.leftClick(10.3, 9.6, polygons.get(), 200);
    QCOMPARE(chain.firstPoint(), QPointF(10, 10));

    // After it the second point snaps, in a later polygon too.
    overlay.clear();
    chain.track(13.5, 13.5, polygons.get(), 200, overlay);
    QCOMPARE(chain.secondPoint(), QPointF(13, 14));
    const auto measured = chain.leftClick(13.5, 13.5, polygons.get(), 200);
    QVERIFY(measured);
    QCOMPARE(measured->distance, 5.0);

    // Just outside the square window nothing snaps.
    overlay.clear();
    chain.track(20.51, 20, polygons.get(), 200, overlay);
    QCOMPARE(chain.secondPoint(), QPointF(20.51, 20));
    QVERIFY(overlay.circles.empty());
}

void tst_SketchInteraction::startSnapDoesNotOutliveTheVertex()
{
    const PolygonsPtr polygons = SketchSamples::collection({SketchSamples::square()});
    MeasureChain chain;
    chain.ResetMeasure(false);
    SketchOverlay overlay;
    chain.track(0.2, 0.2, polygons.get(), 100, overlay);
    QCOMPARE(chain.firstPoint(), QPointF(0, 0));
    chain.track(5, 5, polygons.get(), 100, overlay);
    chain.leftClick(5, 5, polygons.get(), 100);
    QCOMPARE(chain.firstPoint(), QPointF(5, 5));
    // A start on X = 0 is a real start, not an unset point.
    chain.ResetMeasure(false);
    chain.leftClick(0, 7, nullptr, 100);
    const auto measured = chain.leftClick(0, 9, nullptr, 100);
    QVERIFY(measured);
    QCOMPARE(measured->distance, 2.0);
}

void tst_SketchInteraction::rubberBandAfterFirstClick()
{
    MeasureChain chain;
    chain.ResetMeasure(false);
    SketchOverlay overlay;
    chain.track(1, 1, nullptr, 100, overlay);
    QVERIFY(overlay.lines.empty());
    chain.leftClick(1, 1, nullptr, 100);
    chain.track(4, 5, nullptr, 100, overlay);
    QCOMPARE(overlay.lines.size(), std::size_t(1));
    QCOMPARE(overlay.lines.front().from, QPointF(1, 1));
    QCOMPARE(overlay.lines.front().to, QPointF(4, 5));
    QCOMPARE(overlay.lines.front().width, 3);
}

void tst_SketchInteraction::distanceRoundedToTwoDecimals()
{
    MeasureChain chain;
    chain.ResetMeasure(false);
    chain.leftClick(0, 0, nullptr, 100);
    const auto a = chain.leftClick(1, 1, nullptr, 100);
    const auto b = chain.leftClick(2, 2, nullptr, 100);
    QCOMPARE(a->distance, 1.41);
    // The total adds the rounded segments.
    QCOMPARE(b->total, 1.41 + 1.41);
}

void tst_SketchInteraction::hover_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("edges");
    QTest::addColumn<int>("circles");

    // The square 1 (0,0), 2 (10,0), 3 (10,10), 4 (0,10); edges with tolerance 0.
    QTest::newRow("on the bottom edge: larger X first")
        << 5.0 << 0.0 << QStringList{QStringLiteral("L 2 1 10.00")} << QStringLiteral("L (2-1) = 10.00 m") << 1 << 0;
    QTest::newRow("a hair above a horizontal edge misses it") << 5.0 << 0.01 << QStringList{} << QString() << 0 << 0;
    QTest::newRow("vertical edge: the edge's start first")
        << 10.0 << 5.0 << QStringList{QStringLiteral("L 2 3 10.00")} << QStringLiteral("L (2-3) = 10.00 m") << 1 << 0;
    QTest::newRow("top edge runs right to left")
        << 4.0 << 10.0 << QStringList{QStringLiteral("L 3 4 10.00")} << QStringLiteral("L (3-4) = 10.00 m") << 1 << 0;
    QTest::newRow("near a vertex, off the edges")
        << 0.3 << 9.6 << QStringList{QStringLiteral("V 4")} << QStringLiteral("4") << 0 << 1;
    QTest::newRow("on a vertex: its edge wins")
        << 0.0 << 10.0 << QStringList{QStringLiteral("L 3 4 10.00")} << QStringLiteral("L (3-4) = 10.00 m") << 1 << 0;
    QTest::newRow("inside, far from everything") << 5.0 << 5.0 << QStringList{} << QString() << 0 << 0;
    QTest::newRow("outside the box of the edge's line") << 12.0 << 0.0 << QStringList{} << QString() << 0 << 0;
}

namespace {

QStringList describe(const HoverHit& hit)
{
    QStringList result;
    for (const HoverHit::Event& event : hit.events) {
        if (event.kind == HoverHit::Event::Line)
            result << QStringLiteral("L %1 %2 %3").arg(event.first, event.second).arg(event.length, 0, 'f', 2);
        else
            result << QStringLiteral("V ") + event.first;
    }
    return result;
}

} // namespace

void tst_SketchInteraction::hover()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QStringList, events);
    QFETCH(QString, label);
    QFETCH(int, edges);
    QFETCH(int, circles);

    const PolygonsPtr polygons = SketchSamples::collection({SketchSamples::square()});
    const HoverHit hit = hoverHitTest(*polygons, x, y, 200);
    QCOMPARE(describe(hit), events);
    QCOMPARE(hit.labelText, label);
    QCOMPARE(int(hit.overlay.lines.size()), edges);
    QCOMPARE(int(hit.overlay.circles.size()), circles);
    if (circles)
        COMPARE_NEAR(hit.overlay.circles.front().radius, 3.0, 1e-12);
}

void tst_SketchInteraction::vertexOnEdgeKeepsScanningLaterPolygons()
{
    // A building whose bottom edge runs through the land's corner 4 (0,10).
    const PolygonPtr building =
        polygon(QStringLiteral("C1"), {{"11", -5, 10}, {"12", 5, 10}, {"13", 5, 15}, {"14", -5, 15}});
    const PolygonsPtr polygons = SketchSamples::collection({SketchSamples::square(), building});

    // On the corner: the land's edge is reported; in the building every hit edge is marked, but
    // only a hit closing edge would be reported.
    const HoverHit onCorner = hoverHitTest(*polygons, 0, 10, 100);
    QCOMPARE(describe(onCorner), QStringList{QStringLiteral("L 3 4 10.00")});
    QCOMPARE(onCorner.overlay.lines.size(), std::size_t(2));
    QVERIFY(onCorner.edgeLabel);

    // On the building's corner 12, which lies on the land's top edge: both edges are reported.
    const HoverHit onBuilding = hoverHitTest(*polygons, 5, 10, 100);
    QCOMPARE(describe(onBuilding), (QStringList{QStringLiteral("L 3 4 10.00"), QStringLiteral("L 12 11 10.00")}));
    QCOMPARE(onBuilding.labelText, QStringLiteral("L (12-11) = 10.00 m"));
    QCOMPARE(onBuilding.currentX, 5.0);
}

void tst_SketchInteraction::edgeLabelUsesDecimalSeparator()
{
    const PolygonsPtr polygons = SketchSamples::collection({SketchSamples::diamond()});
    const HoverHit hit = hoverHitTest(*polygons, 15, 5.3, 100, QStringLiteral(","));
    QCOMPARE(describe(hit), QStringList{QStringLiteral("L 2 1 14.14")});
    QCOMPARE(hit.labelText, QStringLiteral("L (2-1) = 14,14 m"));
    // 0.8 above the slanted edge is 0.57 from its line: outside the half unit.
    QVERIFY(hoverHitTest(*polygons, 15, 5.8, 100).events.empty());
}

QTEST_GUILESS_MAIN(tst_SketchInteraction)
#include "tst_sketchinteraction.moc"
