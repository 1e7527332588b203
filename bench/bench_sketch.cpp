// Sketch drawing and hover cost, as ratios against baselines measured in the same run.
//
// 1. Drawing a land of 32,767 points plus 100 buildings at the fit zoom with the sketch renderer,
//    against drawing the same lines, circles and labels directly with QPainter in one loop.
// 2. One pointer move in information mode (hit-test, overlay, repaint of a viewport-sized area
//    from the persistent picture), against the 60 Hz frame budget, and its growth with the
//    number of edges.
#include "sketch/HoverHitTest.h"
#include "sketch/SketchRenderer.h"
#include "support/DocumentFactory.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Side = 800;

PolygonsPtr makeSketch(int landPoints, int buildings)
{
    auto polygons = std::make_shared<Polygons>();
    polygons->Add(DocumentFactory::polygon(QStringLiteral("TEREN"), landPoints, 1, 500000.0, 400000.0, 500.0));
    for (int b = 0; b < buildings; ++b) {
        const double cx = 500000.0 - 300.0 + (b % 10) * 60.0;
        const double cy = 400000.0 - 300.0 + (b / 10) * 60.0;
        polygons->Add(DocumentFactory::polygon(QStringLiteral("C%1").arg(b + 1), 8, 100000 + b * 10, cx, cy, 12.0));
    }
    return polygons;
}

// Median of `runs` timings of `work`, in milliseconds.
double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The baseline: every line, label and circle straight through QPainter in one loop.
void drawDirectly(QImage& image, const Polygons& polygons, const SketchView::CanvasMapping& mapping, double zoom)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    const double r = SketchView::markerRadius(zoom) * mapping.pixelsPerUnitX();
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    for (const PolygonPtr& polygon : polygons) {
        const bool land = polygon->Name() == QLatin1String("TEREN");
        font.setPointSize(land ? 11 : 10);
        painter.setFont(font);
        const qreal ascent = QFontMetricsF(font, &image).ascent();
        const QPen linePen(land ? QColor(0, 0, 0) : QColor(0, 128, 0), land ? 2 : 1);
        const int n = polygon->Points()->Count();
        for (int j = 1; j <= n; ++j) {
            const Point& a = *polygon->Points()->Item(j);
            const Point& b = *polygon->Points()->Item(j == n ? 1 : j + 1);
            const QPointF pa = mapping.toPixel(a.X(), a.Y());
            painter.setPen(linePen);
            painter.drawLine(pa, mapping.toPixel(b.X(), b.Y()));
            painter.setPen(QColor(0, 0, 128));
            painter.drawText(QPointF(pa.x(), pa.y() + ascent), a.No());
            painter.setPen(QColor(255, 0, 255));
            painter.drawEllipse(pa, r, r);
        }
        if (!land) {
            const PointPtr centre = polygon->GravityPoint();
            painter.setPen(QColor(0, 0, 128));
            painter.drawText(mapping.toPixel(centre->X(), centre->Y()), centre->No() + QLatin1Char(' '));
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const PolygonsPtr sketch = makeSketch(32767, 100);
    const SketchView::Scale scale = SketchView::ComputeSketchScale(*sketch);
    const double zoom = SketchView::ZoomToFit(Side, Side, scale);
    const SketchView::CanvasMapping mapping(scale, QSizeF(Side, Side));

    QImage image(Side, Side, QImage::Format_RGB32);
    drawDirectly(image, *sketch, mapping, zoom); // warm the glyph cache for both
    const double direct = medianMs(7, [&] { drawDirectly(image, *sketch, mapping, zoom); });
    QImage picture;
    const double renderer = medianMs(7, [&] {
        picture = SketchRenderer::createCanvasImage(QSize(Side, Side));
        QPainter painter(&picture);
        SketchRenderer::drawGeometry(painter, *sketch, mapping, zoom);
    });
    std::printf("draw 32767 + 100x8 points at %d px: direct QPainter %.1f ms, renderer %.1f ms, ratio %.2f (limit 3)\n",
                Side, direct, renderer, renderer / direct);

    // One pointer move: hit-test, the marks, and repainting a viewport-sized area.
    QImage screen(Side, Side, QImage::Format_RGB32);
    const PolygonPtr land = sketch->Item(1);
    auto hoverAt = [&](const Polygons& polygons, int step) {
        const Point& a = *land->Points()->Item(1 + step % land->Points()->Count());
        const HoverHit hit = hoverHitTest(polygons, a.X() + 0.1, a.Y() + 0.1, zoom);
        QPainter painter(&screen);
        painter.drawImage(QPointF(0, 0), picture);
        SketchRenderer::drawOverlay(painter, hit.overlay, mapping);
    };
    int step = 0;
    const double move = medianMs(41, [&] { hoverAt(*sketch, step += 997); });
    QPainter(&screen).drawImage(QPointF(0, 0), picture);
    const double repaintOnly = medianMs(41, [&] {
        QPainter painter(&screen);
        painter.drawImage(QPointF(0, 0), picture);
    });
    std::printf("hover move over %d edges: %.2f ms (repaint alone %.2f ms), %.1f%% of a 16.7 ms frame\n", 32767 + 800,
                move, repaintOnly, 100.0 * move / (1000.0 / 60.0));

    // Linearity: hit-test time per edge at a quarter, half and all of the points.
    for (int points : {8191, 16383, 32767}) {
        const PolygonsPtr partial = makeSketch(points, 100);
        int k = 0;
        // Between the buildings, off every contour: every edge and vertex is examined.
        const double ms = medianMs(41, [&] { hoverHitTest(*partial, 500030.0 + (++k % 7) * 0.01, 400030.0, zoom); });
        std::printf("  hit-test %5d edges: %.3f ms, %.1f ns per edge\n", points + 800, ms, ms * 1e6 / (points + 800));
    }
    return 0;
}
