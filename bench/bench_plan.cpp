// Site plan and coordinate inventory cost, as ratios against baselines measured in the same run.
//
// 1. The plan PDF of a 32,767-point document (drawing, tables, inventory pages, written to a
//    file) against drawing the sketch of the same contours on a PDF page with the sketch
//    renderer plus writing as many bytes as the plan has to a file. Target: within 2x.
// 2. The inventory (measures and CSV) of 32,767 points against 4,096: linear (ratio <= 10).
#include "BenchTimer.h"
#include "plan/CoordinateInventory.h"
#include "plan/SitePlan.h"
#include "sketch/SketchRenderer.h"
#include "support/DocumentFactory.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The land holds all points but the buildings' (DocumentFactory's two of 4 and 5 points).
DocumentPtr document(int points)
{
    const DocumentPtr doc = DocumentFactory::sample(4);
    doc->Land()->setGeometry(
        DocumentFactory::polygon(QStringLiteral("TEREN"), points - 9, 1, 500010.0, 400005.0, 40.0));
    return doc;
}

QByteArray sketchOnPdf(const Polygons& polygons)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    const SketchView::Scale scale = SketchView::ComputeSketchScale(polygons);
    const double side = std::min(writer.width(), writer.height());
    const double zoom = SketchView::ZoomToFit(side, side, scale);
    SketchRenderer::drawGeometry(painter, polygons, SketchView::CanvasMapping(scale, QSizeF(side, side)), zoom);
    painter.end();
    return bytes;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const int points = 32767;
    const DocumentPtr big = document(points);
    const Polygons polygons = SketchRenderer::documentPolygons(*big->Land());

    PlanOptions options;
    options.surveyorName = QStringLiteral("Popescu Ion");
    options.surveyorLicense = QStringLiteral("AB");
    options.dateText = QStringLiteral("07.12.2026");
    const QString planPath = dir.filePath(QStringLiteral("plan.pdf"));
    int pages = 0;
    const double plan = bestOf(3, [&] {
        SitePlan sitePlan(*big, options);
        sitePlan.prepare(nullptr);
        pages = sitePlan.pageCount();
        sitePlan.writePdf(planPath, nullptr);
    });
    const qint64 planBytes = QFileInfo(planPath).size();
    const QByteArray filler(int(planBytes), 'x');
    const double baseline = bestOf(3, [&] {
        sketchOnPdf(polygons);
        writeBytes(dir.filePath(QStringLiteral("bytes.bin")), filler);
    });
    std::printf("plan PDF, %d points, %d pages, %lld bytes: %.0f ms; sketch on PDF + writing the bytes: %.0f ms; "
                "ratio %.2f (target <= 2)\n",
                points, pages, static_cast<long long>(planBytes), plan, baseline, plan / baseline);

    const auto inventoryMs = [](const DocumentPtr& doc) {
        return bestOf(9, [&] {
            const QByteArray csv = CoordinateInventory::fromLand(*doc->Land()).csvBytes();
            Q_UNUSED(csv)
        });
    };
    const double large = inventoryMs(big);
    const double middle = inventoryMs(document(16384));
    const double little = inventoryMs(document(4096));
    std::printf("inventory: 4,096 points %.2f ms, 16,384 points %.2f ms, 32,767 points %.2f ms; "
                "32,767/4,096 ratio %.2f for 8x the points (target <= 10)\n",
                little, middle, large, large / little);
    return 0;
}
