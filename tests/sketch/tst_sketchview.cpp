#include "SketchSamples.h"
#include "sketch/SketchView.h"
#include "support/CompareNear.h"

#include <QTest>

#include <cmath>

using namespace SketchView;
using SketchSamples::polygon;

class tst_SketchView : public QObject
{
    Q_OBJECT

private slots:
    void scale_data();
    void scale();
    void landIsFirstTerenInAnyCase();
    void noLandFails();
    void degenerateLandsStillMap();
    void fitZoomAndCanvas_data();
    void fitZoomAndCanvas();
    void markerRadiusAtFitZoom();
    void zoomButtons_data();
    void zoomButtons();
    void mappingRoundTrip();
    void labelPlacement_data();
    void labelPlacement();
    void roundsToTwoDecimals_data();
    void roundsToTwoDecimals();
    void labelMarginCoversTheLabels_data();
    void labelMarginCoversTheLabels();
    void labelsStayInsideTheCanvas_data();
    void labelsStayInsideTheCanvas();
    void wheelZoomSteps_data();
    void wheelZoomSteps();
    void anchoredScrollKeepsThePoint();
};

void tst_SketchView::scale_data()
{
    QTest::addColumn<double>("originX");
    QTest::addColumn<double>("originY");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("side");

    // Wide: side W + 2W/9; tall: side H + 2W/9 (the margin follows the X extent only).
    QTest::newRow("wide") << 0.0 << 0.0 << 90.0 << 30.0 << 110.0;
    QTest::newRow("tall") << 0.0 << 0.0 << 18.0 << 90.0 << 94.0;
    QTest::newRow("square") << 0.0 << 0.0 << 45.0 << 45.0 << 55.0;
    QTest::newRow("wide, surveyed coordinates") << 584210.12 << 328392.64 << 90.0 << 30.0 << 110.0;
    QTest::newRow("tall, surveyed coordinates") << 584210.12 << 328392.64 << 18.0 << 90.0 << 94.0;
}

void tst_SketchView::scale()
{
    QFETCH(double, originX);
    QFETCH(double, originY);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, side);

    // Corners listed out of order, so the extent comes from every point, not the first two.
    const PolygonPtr land = polygon(QStringLiteral("TEREN"), {{"1", originX + width, originY + height},
                                                              {"2", originX, originY + height},
                                                              {"3", originX, originY},
                                                              {"4", originX + width, originY}});
    const Scale s = ComputeSketchScale(*land);
    COMPARE_NEAR(s.width, side, 1e-9);
    COMPARE_NEAR(s.height, -side, 1e-9);
    // The land's box is centred in the square in both directions.
    COMPARE_NEAR(s.left + s.width / 2, originX + width / 2, 1e-6);
    COMPARE_NEAR(s.top + s.height / 2, originY + height / 2, 1e-6);
    // The margin m = W/9 is on the side of the larger extent.
    if (width >= height)
        COMPARE_NEAR(s.left, originX - width / 9, 1e-6);
    else
        COMPARE_NEAR(s.top, originY + height + width / 9, 1e-6);
}

void tst_SketchView::landIsFirstTerenInAnyCase()
{
    const PolygonPtr building = SketchSamples::square(QStringLiteral("C1"));
    const PolygonPtr first = SketchSamples::diamond(QStringLiteral("teReN"));
    const PolygonPtr second = SketchSamples::square(QStringLiteral("TEREN"));
    const PolygonsPtr all = SketchSamples::collection({building, first, second});
    QCOMPARE(landPolygon(*all), first);
    // Only the first land sets the view: the diamond spans 0..20.
    COMPARE_NEAR(ComputeSketchScale(*all).width, 20.0 + 40.0 / 9.0, 1e-9);
}

void tst_SketchView::noLandFails()
{
    const PolygonsPtr buildings = SketchSamples::collection({SketchSamples::square(QStringLiteral("C1"))});
    QVERIFY(!landPolygon(*buildings));
    QVERIFY_THROWS_EXCEPTION(Failure, ComputeSketchScale(*buildings));
    QVERIFY_THROWS_EXCEPTION(Failure, ComputeSketchScale(*polygon(QStringLiteral("TEREN"), {})));
}

void tst_SketchView::degenerateLandsStillMap()
{
    // One point: a unit square centred on it rather than a scale no canvas can map.
    const Scale spot = ComputeSketchScale(*polygon(QStringLiteral("TEREN"), {{"1", 5, 7}, {"2", 5, 7}}));
    QVERIFY(!spot.isNull());
    COMPARE_NEAR(spot.left + spot.width / 2, 5.0, 1e-12);
    COMPARE_NEAR(spot.top + spot.height / 2, 7.0, 1e-12);
    // Points on a vertical line: no X extent, hence no margin; the line spans the square.
    const Scale line = ComputeSketchScale(*polygon(QStringLiteral("TEREN"), {{"1", 3, 0}, {"2", 3, 40}}));
    COMPARE_NEAR(line.width, 40.0, 1e-12);
    COMPARE_NEAR(line.left, 3.0 - 20.0, 1e-12);
    QVERIFY(CanvasMapping(line, QSizeF(400, 400)).isValid());
}

void tst_SketchView::fitZoomAndCanvas_data()
{
    QTest::addColumn<double>("freeWidth");
    QTest::addColumn<double>("freeHeight");
    QTest::addColumn<int>("canvasSide");

    QTest::newRow("wider viewport") << 400.0 << 300.0 << 300;
    QTest::newRow("taller viewport") << 250.0 << 600.0 << 250;
    QTest::newRow("square viewport") << 333.0 << 333.0 << 333;
}

void tst_SketchView::fitZoomAndCanvas()
{
    QFETCH(double, freeWidth);
    QFETCH(double, freeHeight);
    QFETCH(int, canvasSide);

    const Scale s = ComputeSketchScale(*polygon(QStringLiteral("TEREN"), {{"1", 0, 0}, {"2", 90, 30}}));
    const double zoom = ZoomToFit(freeWidth, freeHeight, s);
    COMPARE_NEAR(zoom, 100.0 * canvasSide / 110.0, 1e-9);
    // The canvas becomes a square whose side is the smaller free dimension.
    QCOMPARE(canvasSize(s, zoom), QSize(canvasSide, canvasSide));
    const CanvasMapping mapping(s, QSizeF(canvasSize(s, zoom)));
    COMPARE_NEAR(mapping.pixelsPerUnitX(), zoom / 100.0, 1e-9);
}

void tst_SketchView::markerRadiusAtFitZoom()
{
    const Scale s = ComputeSketchScale(*SketchSamples::diamond());
    const double zoom = ZoomToFit(480, 360, s);
    COMPARE_NEAR(markerRadius(zoom), 300.0 / zoom, 1e-12);
    // On screen the marker keeps 3 pixels and the hover circle 6 at any zoom.
    for (double z : {zoom, zoom + 100, zoom + 1000})
        COMPARE_NEAR(markerRadius(z) * z / 100.0, 3.0, 1e-9);
    COMPARE_NEAR(hoverRadius(zoom) * zoom / 100.0, 6.0, 1e-9);
}

void tst_SketchView::zoomButtons_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("zoomedOut");

    QTest::newRow("below 100 stays") << 80.0 << 80.0;
    QTest::newRow("100 stays") << 100.0 << 100.0;
    QTest::newRow("150 gives 50") << 150.0 << 50.0;
    QTest::newRow("350 gives 250") << 350.0 << 250.0;
}

void tst_SketchView::zoomButtons()
{
    QFETCH(double, zoom);
    QFETCH(double, zoomedOut);
    QCOMPARE(zoomOut(zoom), zoomedOut);
    QCOMPARE(zoomIn(zoom), zoom + 100.0);
}

void tst_SketchView::mappingRoundTrip()
{
    const Scale s =
        ComputeSketchScale(*polygon(QStringLiteral("TEREN"), {{"1", 584210, 328392}, {"2", 584300, 328422}}));
    const CanvasMapping mapping(s, QSizeF(550, 550));
    // Y runs upwards: the top-left pixel is the square's left and top edge.
    QCOMPARE(mapping.toPixel(s.left, s.top), QPointF(0, 0));
    COMPARE_NEAR(mapping.toPixel(s.left + s.width, s.top + s.height).x(), 550.0, 1e-6);
    COMPARE_NEAR(mapping.toPixel(s.left + s.width, s.top + s.height).y(), 550.0, 1e-6);
    const QPointF world = mapping.toWorld(QPointF(123.5, 321.25));
    const QPointF back = mapping.toPixel(world.x(), world.y());
    COMPARE_NEAR(back.x(), 123.5, 1e-6);
    COMPARE_NEAR(back.y(), 321.25, 1e-6);
    QVERIFY(mapping.toPixel(584300, 328422).y() < mapping.toPixel(584300, 328392).y());
}

void tst_SketchView::labelPlacement_data()
{
    QTest::addColumn<bool>("edgeLabel");
    QTest::addColumn<double>("currentX");
    QTest::addColumn<double>("left");

    // Pointer (10, 20), zoom 200: offsets 1 (200/zoom) and 4 (800/zoom) world units.
    QTest::newRow("vertex label right of the pointer") << false << 0.0 << 11.0;
    QTest::newRow("edge ending further right") << true << 14.5 << 11.0;
    QTest::newRow("edge ending within reach: left of the pointer") << true << 14.0 << 10.0 - 1.0 - 6.0;
    QTest::newRow("edge ending left of the pointer") << true << 2.0 << 10.0 - 1.0 - 6.0;
}

void tst_SketchView::labelPlacement()
{
    QFETCH(bool, edgeLabel);
    QFETCH(double, currentX);
    QFETCH(double, left);
    const QPointF topLeft = labelTopLeft(10, 20, 200, 6, 2, edgeLabel, currentX);
    COMPARE_NEAR(topLeft.x(), left, 1e-12);
    COMPARE_NEAR(topLeft.y(), 20.0 + 4.0 + 1.0, 1e-12);
}

void tst_SketchView::roundsToTwoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("12.3456") << 12.3456 << 12.35;
    QTest::newRow("negative") << -7.004 << -7.0;
    QTest::newRow("surveyed") << 584210.125001 << 584210.13;
}

void tst_SketchView::roundsToTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(roundTo2(value), rounded);
}

QTEST_GUILESS_MAIN(tst_SketchView)
#include "tst_sketchview.moc"

void tst_SketchView::labelMarginCoversTheLabels_data()
{
    QTest::addColumn<double>("side");
    QTest::addColumn<QSizeF>("label");
    QTest::addColumn<double>("canvas");
    QTest::addColumn<double>("margin");

    // margin * canvas / (side + 2 * margin) == the label's larger side.
    QTest::newRow("no canvas yet: nothing asked") << 100.0 << QSizeF(20, 10) << 0.0 << 0.0;
    QTest::newRow("no labels: nothing asked") << 100.0 << QSizeF() << 400.0 << 0.0;
    QTest::newRow("label width rules") << 100.0 << QSizeF(20, 10) << 400.0 << 100.0 * 20 / 360;
    QTest::newRow("label height rules when taller") << 100.0 << QSizeF(5, 30) << 400.0 << 100.0 * 30 / 340;
    QTest::newRow("canvas of about two labels: a third for the contour") << 100.0 << QSizeF(40, 10) << 110.0 << 100.0;
}

void tst_SketchView::labelMarginCoversTheLabels()
{
    QFETCH(double, side);
    QFETCH(QSizeF, label);
    QFETCH(double, canvas);
    QFETCH(double, margin);
    COMPARE_NEAR(labelMargin(side, LabelRoom{label, canvas}), margin, 1e-9);
}

void tst_SketchView::labelsStayInsideTheCanvas_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QSizeF>("label");
    QTest::addColumn<double>("canvas");
    QTest::addColumn<double>("expectedSide"); // 0: only the labels' room is checked

    // Each row is a land whose bottom and right labels fell off the canvas with the W/9 margin
    // alone, or one that must keep its old view.
    QTest::newRow("tall narrow strip (26 x 204 m)") << 26.0 << 204.0 << QSizeF(14, 20) << 600.0 << 0.0;
    QTest::newRow("long flat strip, long point numbers") << 300.0 << 8.0 << QSizeF(60, 20) << 250.0 << 0.0;
    QTest::newRow("strip on a small window") << 5.0 << 120.0 << QSizeF(40, 20) << 250.0 << 0.0;
    QTest::newRow("ordinary land keeps W + 2W/9") << 90.0 << 60.0 << QSizeF(20, 18) << 600.0 << 110.0;
}

void tst_SketchView::labelsStayInsideTheCanvas()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QSizeF, label);
    QFETCH(double, canvas);
    QFETCH(double, expectedSide);
    const PolygonPtr land =
        polygon(QStringLiteral("TEREN"),
                {{"1", 500, 200}, {"2", 500 + width, 200}, {"3", 500 + width, 200 + height}, {"4", 500, 200 + height}});
    const Scale scale = ComputeSketchScale(*land, LabelRoom{label, canvas});
    if (expectedSide > 0)
        COMPARE_NEAR(scale.side(), expectedSide, 1e-9);
    const CanvasMapping mapping(scale, QSizeF(canvas, canvas));
    for (const PointPtr& point : *land->Points()) {
        const QPointF at = mapping.toPixel(point->X(), point->Y());
        // A label is printed right of and below its vertex; its marker reaches left and up.
        QVERIFY2(at.x() + label.width() <= canvas + 1e-6 && at.y() + label.height() <= canvas + 1e-6,
                 qPrintable(QStringLiteral("label of %1 leaves the canvas").arg(point->No())));
        QVERIFY(at.x() >= label.height() / 4 && at.y() >= label.height() / 4);
    }
}

void tst_SketchView::wheelZoomSteps_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("delta");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("zoomed");

    QTest::newRow("a notch in multiplies") << 200.0 << 120 << 100.0 << 5000.0 << 250.0;
    QTest::newRow("a notch out divides") << 250.0 << -120 << 100.0 << 5000.0 << 200.0;
    QTest::newRow("two notches at once") << 200.0 << 240 << 100.0 << 5000.0 << 312.5;
    QTest::newRow("half a notch (fine wheel)") << 200.0 << 60 << 100.0 << 5000.0 << 200.0 * std::sqrt(1.25);
    QTest::newRow("out stops at the fit") << 110.0 << -120 << 100.0 << 5000.0 << 100.0;
    QTest::newRow("in stops at the largest canvas") << 4500.0 << 120 << 100.0 << 5000.0 << 5000.0;
    QTest::newRow("a largest below the fit keeps the fit") << 100.0 << 120 << 100.0 << 50.0 << 100.0;
}

void tst_SketchView::wheelZoomSteps()
{
    QFETCH(double, zoom);
    QFETCH(int, delta);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, zoomed);
    COMPARE_NEAR(wheelZoom(zoom, delta, minimum, maximum), zoomed, 1e-9);
}

void tst_SketchView::anchoredScrollKeepsThePoint()
{
    const Scale scale = ComputeSketchScale(*SketchSamples::square());
    const CanvasMapping zoomed(scale, QSizeF(1200, 1200));
    const QPointF anchor(7.5, 2.5);
    const QPointF pointer(120, 80);
    const QPoint scroll = anchoredScroll(zoomed, anchor, pointer);
    // Canvas pixel minus scroll is where the anchor shows in the viewport.
    const QPointF shown = zoomed.toPixel(anchor.x(), anchor.y()) - QPointF(scroll);
    COMPARE_NEAR(shown.x(), pointer.x(), 0.5);
    COMPARE_NEAR(shown.y(), pointer.y(), 0.5);
}
