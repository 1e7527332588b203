#include "SketchSamples.h"
#include "sketch/ui/DrawSketch.h"
#include "sketch/ui/SketchTools.h"
#include "support/CompareNear.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

class tst_DrawSketch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void drawFitsTheViewport();
    void drawWithoutLandDoesNothing();
    void zoomButtons();
    void zoomLimitKeepsThePercent();
    void scrollBarsFollowTheCanvas();
    void panningScrollsTowardsThePointer();
    void pointerReportedInWorldUnits();
    void informationHover();
    void controlPictureHasNoHoverMarks();
    void measuringByClicks();
    void rightClickDiscardsTheChain();
    void toolbarModesExcludeEachOther();
    void escapeEndsTheModes();
    void setToolShowsOnTheButtons();
    void chainEndsWithTheTool();
    void wheelZoomsAboutThePointer_data();
    void wheelZoomsAboutThePointer();
    void middleDragPansInEveryMode_data();
    void middleDragPansInEveryMode();
    void zoomToFitReturnsToTheFit();
    void narrowLandKeepsItsLabelsInside();

private:
    QPoint pixelOf(double x, double y) const { return m_sketch->mapping().toPixel(x, y).toPoint(); }
    void moveTo(double x, double y) { QTest::mouseMove(m_sketch->canvas(), pixelOf(x, y)); }
    // Where the world point shows in the viewport (the canvas moves inside it as it scrolls).
    QPointF shownAt(double x, double y) const
    {
        return m_sketch->mapping().toPixel(x, y) + QPointF(m_sketch->canvas()->pos());
    }
    void wheel(QPointF canvasPixel, int delta)
    {
        QWheelEvent event(canvasPixel, m_sketch->canvas()->mapToGlobal(canvasPixel), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_sketch->canvas(), &event);
    }

    std::unique_ptr<DrawSketch> m_sketch;
    ScriptedPrompter m_prompter;
    PolygonsPtr m_polygons;
};

void tst_DrawSketch::init()
{
    m_prompter.clear();
    m_sketch = std::make_unique<DrawSketch>(m_prompter);
    m_sketch->resize(520, 420);
    m_sketch->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_sketch.get()));
    m_polygons = SketchSamples::collection(
        {SketchSamples::diamond(),
         SketchSamples::polygon(QStringLiteral("C1"), {{"11", 8, 8}, {"12", 12, 8}, {"13", 12, 12}, {"14", 8, 12}})});
    m_sketch->setGeometryCollection(m_polygons);
    m_sketch->Draw();
}

void tst_DrawSketch::cleanup()
{
    QVERIFY(m_prompter.log().isEmpty());
    m_sketch.reset();
}

void tst_DrawSketch::drawFitsTheViewport()
{
    const int bar = m_sketch->verticalScrollBar()->width();
    const int side = std::min(520 - bar, 420 - m_sketch->horizontalScrollBar()->height());
    QCOMPARE(m_sketch->canvas()->size(), QSize(side, side));
    COMPARE_NEAR(m_sketch->zoomPercent(), 100.0 * side / (20.0 + 40.0 / 9.0), 1e-6);
    QCOMPARE(m_sketch->ControlPicture().deviceIndependentSize().toSize(), QSize(side, side));
    QCOMPARE(m_sketch->GeometryCollection(), m_polygons);
    QVERIFY(!m_sketch->horizontalScrollBar()->isEnabled());
    QVERIFY(!m_sketch->verticalScrollBar()->isEnabled());
}

void tst_DrawSketch::drawWithoutLandDoesNothing()
{
    DrawSketch sketch(m_prompter);
    sketch.resize(300, 300);
    sketch.setGeometryCollection(SketchSamples::collection({SketchSamples::square(QStringLiteral("C1"))}));
    sketch.Draw();
    QVERIFY(sketch.ControlPicture().isNull());
    sketch.clickTool(DrawSketch::Mareste);
    QVERIFY(sketch.ControlPicture().isNull());
    QVERIFY(m_prompter.log().isEmpty());
}

void tst_DrawSketch::zoomButtons()
{
    const double fit = m_sketch->zoomPercent();
    QVERIFY(fit > 100);
    m_sketch->clickTool(DrawSketch::Mareste);
    COMPARE_NEAR(m_sketch->zoomPercent(), fit + 100, 1e-6);
    const int side = int(std::lround((20.0 + 40.0 / 9.0) * (fit + 100) / 100.0));
    QCOMPARE(m_sketch->canvas()->width(), side);
    m_sketch->clickTool(DrawSketch::Micsoreaza);
    COMPARE_NEAR(m_sketch->zoomPercent(), fit, 1e-6);

    m_sketch->setZoomPercent(150);
    m_sketch->clickTool(DrawSketch::Micsoreaza);
    QCOMPARE(m_sketch->zoomPercent(), 50.0);
    // At 100 or below the button does nothing.
    m_sketch->clickTool(DrawSketch::Micsoreaza);
    QCOMPARE(m_sketch->zoomPercent(), 50.0);
    m_sketch->setZoomPercent(100);
    m_sketch->clickTool(DrawSketch::Micsoreaza);
    QCOMPARE(m_sketch->zoomPercent(), 100.0);

    m_sketch->clickTool(DrawSketch::VedereDeAnsamblu);
    COMPARE_NEAR(m_sketch->zoomPercent(), fit, 1e-6);
}

void tst_DrawSketch::zoomLimitKeepsThePercent()
{
    const QSize before = m_sketch->canvas()->size();
    const double huge = 100.0 * (SketchRenderer::MaxCanvasSide + 10) / (20.0 + 40.0 / 9.0);
    m_sketch->setZoomPercent(huge);
    QCOMPARE(m_prompter.log().size(), 1);
    QCOMPARE(m_prompter.last().text, QStringLiteral("A fost atinsa limita maxima pentru marirea imaginii."));
    QCOMPARE(m_prompter.last().caption, QStringLiteral("Eroare"));
    QCOMPARE(m_prompter.last().icon, Prompter::Icon::Exclamation);
    m_prompter.clear();
    // The percent that failed stays; the picture stays as it was.
    QCOMPARE(m_sketch->zoomPercent(), huge);
    QCOMPARE(m_sketch->canvas()->size(), before);
    m_sketch->clickTool(DrawSketch::Micsoreaza);
    COMPARE_NEAR(m_sketch->zoomPercent(), huge - 100, 1e-6);
    QVERIFY(m_sketch->canvas()->width() > before.width());
}

void tst_DrawSketch::scrollBarsFollowTheCanvas()
{
    m_sketch->setZoomPercent(m_sketch->zoomPercent() * 3);
    QScrollBar* h = m_sketch->horizontalScrollBar();
    QScrollBar* v = m_sketch->verticalScrollBar();
    QVERIFY(h->isEnabled());
    QVERIFY(v->isEnabled());
    const int thickness = v->width();
    QCOMPARE(h->maximum(), m_sketch->canvas()->width() + thickness - 520);
    QCOMPARE(v->maximum(), m_sketch->canvas()->height() + thickness - 420);
    h->setValue(40);
    v->setValue(25);
    QCOMPARE(m_sketch->canvas()->pos(), QPoint(-40, -25));
    // Back to the fit: the bars are disabled and the canvas returns to the corner.
    m_sketch->clickTool(DrawSketch::VedereDeAnsamblu);
    QVERIFY(!h->isEnabled());
    QCOMPARE(m_sketch->canvas()->pos(), QPoint(0, 0));
}

void tst_DrawSketch::panningScrollsTowardsThePointer()
{
    m_sketch->setZoomPercent(m_sketch->zoomPercent() * 4);
    QScrollBar* h = m_sketch->horizontalScrollBar();
    h->setValue(100);
    m_sketch->clickTool(DrawSketch::ExplorareLibera);
    QVERIFY(m_sketch->explorationMode());
    QWidget* canvas = m_sketch->canvas();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(300, 200));
    // 40 px left of the grab position: the bar moves a quarter of that, towards the pointer.
    QMouseEvent move(QEvent::MouseMove, QPointF(260, 200), canvas->mapToGlobal(QPointF(260, 200)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QCOMPARE(h->value(), 110);
    QMouseEvent right(QEvent::MouseMove, QPointF(380, 200), canvas->mapToGlobal(QPointF(380, 200)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &right);
    QCOMPARE(h->value(), 90);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(380, 200));
    QApplication::sendEvent(canvas, &move);
    QCOMPARE(h->value(), 90);
}

void tst_DrawSketch::pointerReportedInWorldUnits()
{
    QSignalSpy spy(m_sketch.get(), &DrawSketch::OnMouseMove);
    moveTo(12.3456, 7.891);
    QVERIFY(!spy.isEmpty());
    const QList<QVariant> last = spy.last();
    const QPointF world = m_sketch->mapping().toWorld(QPointF(pixelOf(12.3456, 7.891)));
    QCOMPARE(last.at(2).toFloat(), float(SketchView::roundTo2(world.x())));
    QCOMPARE(last.at(3).toFloat(), float(SketchView::roundTo2(world.y())));
    COMPARE_NEAR(last.at(2).toFloat(), 12.3456, 0.1);
}

void tst_DrawSketch::informationHover()
{
    QSignalSpy lines(m_sketch.get(), &DrawSketch::HitLine);
    QSignalSpy vertices(m_sketch.get(), &DrawSketch::HitVertex);
    m_sketch->clickTool(DrawSketch::Informatii);
    QVERIFY(m_sketch->informationMode());

    moveTo(15, 5);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.last().at(0).toString(), QStringLiteral("2"));
    QCOMPARE(lines.last().at(1).toString(), QStringLiteral("1"));
    COMPARE_NEAR(lines.last().at(2).toDouble(), std::sqrt(200.0), 1e-9);
    QVERIFY(m_sketch->toolTipLabel()->isVisible());
    QCOMPARE(m_sketch->toolTipLabel()->text(), QStringLiteral("L (2-1) = 14.14 m"));
    QCOMPARE(m_sketch->overlay().lines.size(), std::size_t(1));

    moveTo(20.3, 10);
    QCOMPARE(vertices.size(), 1);
    QCOMPARE(vertices.last().at(0).toString(), QStringLiteral("2"));
    QCOMPARE(m_sketch->toolTipLabel()->text(), QStringLiteral("2"));
    // The label sits right of and above the pointer.
    const QPoint pointer = pixelOf(20.3, 10);
    QVERIFY(m_sketch->toolTipLabel()->x() > pointer.x());
    QVERIFY(m_sketch->toolTipLabel()->y() < pointer.y());

    moveTo(14, 3);
    QVERIFY(!m_sketch->toolTipLabel()->isVisible());
    QVERIFY(m_sketch->overlay().isEmpty());
}

void tst_DrawSketch::controlPictureHasNoHoverMarks()
{
    const QImage before = m_sketch->ControlPicture();
    m_sketch->clickTool(DrawSketch::Informatii);
    moveTo(20.3, 10);
    QVERIFY(!m_sketch->overlay().isEmpty());
    QCOMPARE(m_sketch->ControlPicture(), before);
    // The screen shows the mark.
    const QImage screen = m_sketch->canvas()->grab().toImage();
    const QPoint vertex = pixelOf(20, 10) - QPoint(6, 0);
    bool red = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor c = screen.pixelColor(vertex + QPoint(dx, dy));
            red = red || (c.red() > 180 && c.green() < 120 && c.blue() < 120);
        }
    QVERIFY(red);
    m_sketch->ClearControl();
    QCOMPARE(m_sketch->ControlPicture().pixelColor(pixelOf(15, 5)), SketchRenderer::backgroundColour());
}

void tst_DrawSketch::measuringByClicks()
{
    QSignalSpy spy(m_sketch.get(), &DrawSketch::Distance);
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QVERIFY(m_sketch->measuringMode());
    // Clicks near vertices 1 (10,0), 2 (20,10) and 3 (10,20) snap to them.
    for (const QPointF& at : {QPointF(10.2, 0.2), QPointF(19.8, 10.1), QPointF(10.1, 19.9)}) {
        moveTo(at.x(), at.y());
        QTest::mouseClick(m_sketch->canvas(), Qt::LeftButton, {}, pixelOf(at.x(), at.y()));
    }
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).toDouble(), 14.14);
    QCOMPARE(spy.at(0).at(1).toDouble(), 14.14);
    QCOMPARE(spy.at(1).at(1).toDouble(), 28.28);
    // The rubber band follows the pointer from the last point.
    moveTo(14, 3);
    QCOMPARE(m_sketch->overlay().lines.size(), std::size_t(1));
    QCOMPARE(m_sketch->overlay().lines.front().from, QPointF(10, 20));
}

void tst_DrawSketch::rightClickDiscardsTheChain()
{
    QSignalSpy spy(m_sketch.get(), &DrawSketch::Distance);
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QTest::mouseClick(m_sketch->canvas(), Qt::LeftButton, {}, pixelOf(10, 0));
    QTest::mouseClick(m_sketch->canvas(), Qt::RightButton, {}, pixelOf(15, 5));
    QVERIFY(m_sketch->measuringMode());
    QVERIFY(m_sketch->toolAction(DrawSketch::MasurareDistante)->isChecked());
    QTest::mouseClick(m_sketch->canvas(), Qt::LeftButton, {}, pixelOf(20, 10));
    QVERIFY(spy.isEmpty());
    QTest::mouseClick(m_sketch->canvas(), Qt::LeftButton, {}, pixelOf(10, 20));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.last().at(0).toDouble(), 14.14);
    QCOMPARE(spy.last().at(1).toDouble(), 14.14);
}

void tst_DrawSketch::toolbarModesExcludeEachOther()
{
    auto checked = [this](DrawSketch::ToolButton button) { return m_sketch->toolAction(button)->isChecked(); };
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QVERIFY(m_sketch->measuringMode());
    m_sketch->clickTool(DrawSketch::Informatii);
    QVERIFY(m_sketch->informationMode());
    QVERIFY(!m_sketch->measuringMode());
    QVERIFY(!checked(DrawSketch::MasurareDistante));
    m_sketch->clickTool(DrawSketch::ExplorareLibera);
    QVERIFY(m_sketch->explorationMode());
    QVERIFY(!m_sketch->informationMode());
    QVERIFY(!checked(DrawSketch::Informatii));
    QCOMPARE(m_sketch->canvas()->cursor().shape(), Qt::BitmapCursor);
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QVERIFY(m_sketch->measuringMode());
    QVERIFY(!m_sketch->explorationMode());
    QVERIFY(!checked(DrawSketch::ExplorareLibera));
    QCOMPARE(m_sketch->canvas()->cursor().shape(), Qt::ArrowCursor);
    // Toggling a mode's button up ends that mode.
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QVERIFY(!m_sketch->measuringMode());
}

void tst_DrawSketch::escapeEndsTheModes()
{
    m_sketch->clickTool(DrawSketch::Informatii);
    moveTo(20.3, 10);
    QVERIFY(m_sketch->toolTipLabel()->isVisible());
    QTest::keyClick(m_sketch.get(), Qt::Key_Escape);
    QVERIFY(!m_sketch->informationMode());
    QVERIFY(!m_sketch->toolAction(DrawSketch::Informatii)->isChecked());
    QVERIFY(!m_sketch->toolTipLabel()->isVisible());
    QVERIFY(m_sketch->overlay().isEmpty());

    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QTest::mouseClick(m_sketch->canvas(), Qt::LeftButton, {}, pixelOf(10, 0));
    QTest::keyClick(m_sketch.get(), Qt::Key_Escape);
    QVERIFY(!m_sketch->measuringMode());
    QVERIFY(!m_sketch->toolAction(DrawSketch::MasurareDistante)->isChecked());

    m_sketch->clickTool(DrawSketch::ExplorareLibera);
    QTest::keyClick(m_sketch.get(), Qt::Key_Escape);
    QVERIFY(!m_sketch->explorationMode());
}

// A tool chosen by a call shows on the buttons as one chosen by a click, and leaving it takes
// its cursor along.
void tst_DrawSketch::setToolShowsOnTheButtons()
{
    auto checked = [this](DrawSketch::ToolButton button) { return m_sketch->toolAction(button)->isChecked(); };
    m_sketch->setTool(m_sketch->panTool());
    QVERIFY(checked(DrawSketch::ExplorareLibera));
    QCOMPARE(m_sketch->canvas()->cursor().shape(), Qt::BitmapCursor);
    m_sketch->setTool(m_sketch->measureTool());
    QVERIFY(m_sketch->measuringMode());
    QVERIFY(checked(DrawSketch::MasurareDistante));
    QVERIFY(!checked(DrawSketch::ExplorareLibera));
    QCOMPARE(m_sketch->canvas()->cursor().shape(), Qt::ArrowCursor);
    m_sketch->setTool(nullptr);
    QVERIFY(!m_sketch->tool());
    QVERIFY(!checked(DrawSketch::MasurareDistante));
    QVERIFY(!m_sketch->measureTool()->chain().measuring());
}

// Measuring put down and taken up again starts a new chain: the first click is a start, not
// the end of a segment from a point clicked before.
void tst_DrawSketch::chainEndsWithTheTool()
{
    QSignalSpy spy(m_sketch.get(), &DrawSketch::Distance);
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QTest::mouseClick(m_sketch->canvas(), Qt::LeftButton, {}, pixelOf(10, 0));
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QVERIFY(!m_sketch->measuringMode());
    m_sketch->clickTool(DrawSketch::MasurareDistante);
    QTest::mouseClick(m_sketch->canvas(), Qt::LeftButton, {}, pixelOf(20, 10));
    QVERIFY(spy.isEmpty());
    QCOMPARE(m_sketch->measureTool()->chain().clickCount(), 1);
}

QTEST_MAIN(tst_DrawSketch)
#include "tst_drawsketch.moc"

void tst_DrawSketch::wheelZoomsAboutThePointer_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("delta");
    QTest::addColumn<double>("factor");

    // Faults caught: the wheel does nothing, zooms about the corner, or past the fit outwards.
    QTest::newRow("two notches in about the centre") << 10.0 << 10.0 << 240 << 1.5625;
    QTest::newRow("three notches in about a building corner") << 12.0 << 12.0 << 360 << 1.953125;
    QTest::newRow("two notches in about a point left of centre") << 7.0 << 9.0 << 240 << 1.5625;
    QTest::newRow("out at the fit stays at the fit") << 10.0 << 10.0 << -120 << 1.0;
}

void tst_DrawSketch::wheelZoomsAboutThePointer()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, delta);
    QFETCH(double, factor);
    const double fit = m_sketch->zoomPercent();
    const QPointF before = shownAt(x, y);
    wheel(m_sketch->mapping().toPixel(x, y), delta);
    COMPARE_NEAR(m_sketch->zoomPercent(), fit * factor, 1e-6);
    const QPointF after = shownAt(x, y);
    COMPARE_NEAR(after.x(), before.x(), 1.0);
    COMPARE_NEAR(after.y(), before.y(), 1.0);
    // The buttons keep their own steps after a wheel zoom.
    const double wheeled = m_sketch->zoomPercent();
    m_sketch->clickTool(DrawSketch::Mareste);
    COMPARE_NEAR(m_sketch->zoomPercent(), wheeled + 100, 1e-6);
}

void tst_DrawSketch::middleDragPansInEveryMode_data()
{
    QTest::addColumn<int>("tool"); // 0: no mode

    QTest::newRow("no mode") << 0;
    QTest::newRow("measuring: the chain is not touched") << int(DrawSketch::MasurareDistante);
    QTest::newRow("information") << int(DrawSketch::Informatii);
    QTest::newRow("free exploration") << int(DrawSketch::ExplorareLibera);
}

void tst_DrawSketch::middleDragPansInEveryMode()
{
    QFETCH(int, tool);
    if (tool)
        m_sketch->clickTool(DrawSketch::ToolButton(tool));
    const bool measuring = m_sketch->measuringMode();
    QSignalSpy distances(m_sketch.get(), &DrawSketch::Distance);
    m_sketch->setZoomPercent(m_sketch->zoomPercent() * 3);
    QScrollBar* h = m_sketch->horizontalScrollBar();
    QScrollBar* v = m_sketch->verticalScrollBar();
    h->setValue(h->maximum() / 2);
    v->setValue(v->maximum() / 2);
    const QPoint startScroll(h->value(), v->value());

    QWidget* canvas = m_sketch->canvas();
    const QPoint grab = pixelOf(10, 10);
    QTest::mousePress(canvas, Qt::MiddleButton, Qt::NoModifier, grab);
    QVERIFY(m_sketch->middlePanning());
    // The canvas moves under the pointer: the next event comes where the grabbed point now is.
    QMouseEvent move(QEvent::MouseMove, QPointF(grab), canvas->mapToGlobal(QPointF(grab - QPoint(30, 20))),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QCOMPARE(QPoint(h->value(), v->value()), startScroll + QPoint(30, 20));
    QTest::mouseRelease(canvas, Qt::MiddleButton, Qt::NoModifier, pixelOf(10, 10));
    QVERIFY(!m_sketch->middlePanning());
    QCOMPARE(m_sketch->measuringMode(), measuring);
    QCOMPARE(distances.count(), 0);
}

void tst_DrawSketch::zoomToFitReturnsToTheFit()
{
    const double fit = m_sketch->zoomPercent();
    QAction* action = m_sketch->zoomToFitAction();
    QCOMPARE(action->text(), QStringLiteral("Incadrare"));
    m_sketch->clickTool(DrawSketch::Mareste);
    wheel(pixelOf(12, 12), 240);
    QVERIFY(m_sketch->zoomPercent() > fit + 100);
    action->trigger();
    COMPARE_NEAR(m_sketch->zoomPercent(), fit, 1e-6);
    QCOMPARE(m_sketch->canvas()->pos(), QPoint(0, 0));
}

void tst_DrawSketch::narrowLandKeepsItsLabelsInside()
{
    // A strip 4 m wide and 150 m long: the W/9 margin alone is 0.44 m, far less than a label.
    m_polygons = SketchSamples::collection({SketchSamples::polygon(
        QStringLiteral("TEREN"), {{"101", 0, 0}, {"102", 4, 0}, {"103", 4, 150}, {"104", 0, 150}})});
    m_sketch->setGeometryCollection(m_polygons);
    m_sketch->Draw();
    const QImage probe(1, 1, QImage::Format_RGB32);
    const QSizeF label = SketchRenderer::labelPixels(*m_polygons, &probe);
    const QSize canvas = m_sketch->canvas()->size();
    for (const PointPtr& point : *m_polygons->Item(1)->Points()) {
        const QPointF at = m_sketch->mapping().toPixel(point->X(), point->Y());
        QVERIFY2(at.x() + label.width() <= canvas.width() && at.y() + label.height() <= canvas.height(),
                 qPrintable(point->No()));
    }
}
