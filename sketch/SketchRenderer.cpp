#include "sketch/SketchRenderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace SketchRenderer {

QFont labelFont(int pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

QString zoomLimitMessage()
{
    return QStringLiteral("A fost atinsa limita maxima pentru marirea imaginii.");
}

namespace {

// Text printed with its top-left corner at the pixel position, as the picture boxes print.
void printAt(QPainter& painter, QPointF topLeft, qreal ascent, const QString& text)
{
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + ascent), text);
}

} // namespace

void drawGeometry(QPainter& painter, const Polygons& polygons, const SketchView::CanvasMapping& mapping,
                  double zoomPercent)
{
    if (!mapping.isValid())
        return;
    painter.save();
    painter.setBrush(Qt::NoBrush);

    // Contours first, so that numbers and markers lie on top of every line.
    QPolygonF ring;
    for (const PolygonPtr& polygon : polygons) {
        if (!polygon || !polygon->Points() || polygon->Points()->Count() == 0)
            continue;
        const bool land = SketchView::isLandName(polygon->Name());
        QPen pen(land ? landColour() : buildingColour());
        pen.setWidth(land ? 2 : 1);
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing, false);
        ring.clear();
        ring.reserve(polygon->Points()->Count());
        for (const PointPtr& point : *polygon->Points())
            ring.append(mapping.toPixel(point->X(), point->Y()));
        painter.drawPolygon(ring);
    }

    const double radius = SketchView::markerRadius(zoomPercent);
    const double rx = radius * mapping.pixelsPerUnitX();
    const double ry = radius * mapping.pixelsPerUnitY();
    QPen textPen(labelColour());
    textPen.setWidth(1);
    QPen markerPen(markerColour());
    markerPen.setWidth(1);
    const QFont landFont = labelFont(11);
    const QFont buildingFont = labelFont(10);
    painter.setFont(buildingFont);
    const qreal buildingAscent = QFontMetricsF(buildingFont, painter.device()).ascent();
    painter.setFont(landFont);
    const qreal landAscent = QFontMetricsF(landFont, painter.device()).ascent();
    painter.setRenderHint(QPainter::Antialiasing, true);

    for (const PolygonPtr& polygon : polygons) {
        if (!polygon || !polygon->Points() || polygon->Points()->Count() == 0)
            continue;
        const bool land = SketchView::isLandName(polygon->Name());
        painter.setFont(land ? landFont : buildingFont);
        const qreal ascent = land ? landAscent : buildingAscent;
        for (const PointPtr& point : *polygon->Points()) {
            const QPointF at = mapping.toPixel(point->X(), point->Y());
            painter.setPen(textPen);
            printAt(painter, at, ascent, point->No());
            painter.setPen(markerPen);
            painter.drawEllipse(at, rx, ry);
        }
        const PointPtr centre = polygon->GravityPoint();
        if (!land) {
            painter.setFont(buildingFont);
            painter.setPen(textPen);
            printAt(painter, mapping.toPixel(centre->X(), centre->Y()), buildingAscent,
                    centre->No() + QLatin1Char(' '));
        }
    }
    painter.restore();
}

QSizeF labelPixels(const Polygons& polygons, const QPaintDevice* device)
{
    const QFontMetricsF land(labelFont(11), device);
    const QFontMetricsF building(labelFont(10), device);
    double width = 0;
    double height = 0;
    for (const PolygonPtr& polygon : polygons) {
        if (!polygon || !polygon->Points())
            continue;
        const QFontMetricsF& metrics = SketchView::isLandName(polygon->Name()) ? land : building;
        for (const PointPtr& point : *polygon->Points()) {
            width = std::max(width, metrics.horizontalAdvance(point->No()));
            height = std::max(height, metrics.height());
        }
    }
    if (width == 0 && height == 0)
        return QSizeF();
    // At the fit zoom a marker's radius is markerRadius(zoom) * zoom / 100 = 3 pixels.
    const double marker = SketchView::markerRadius(100.0);
    return QSizeF(width + marker, height + marker);
}

void drawOverlay(QPainter& painter, const SketchOverlay& overlay, const SketchView::CanvasMapping& mapping)
{
    if (overlay.isEmpty() || !mapping.isValid())
        return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(hoverColour());
    pen.setCapStyle(Qt::RoundCap);
    for (const SketchOverlay::Line& line : overlay.lines) {
        pen.setWidth(line.width);
        painter.setPen(pen);
        painter.drawLine(mapping.toPixel(line.from.x(), line.from.y()), mapping.toPixel(line.to.x(), line.to.y()));
    }
    for (const SketchOverlay::Circle& circle : overlay.circles) {
        pen.setWidth(circle.width);
        painter.setPen(pen);
        painter.drawEllipse(mapping.toPixel(circle.centre.x(), circle.centre.y()),
                            circle.radius * mapping.pixelsPerUnitX(), circle.radius * mapping.pixelsPerUnitY());
    }
    painter.restore();
}

QImage createCanvasImage(QSize logicalSize, qreal devicePixelRatio)
{
    if (logicalSize.width() <= 0 || logicalSize.height() <= 0 || devicePixelRatio <= 0)
        return QImage();
    const double width = logicalSize.width() * devicePixelRatio;
    const double height = logicalSize.height() * devicePixelRatio;
    if (width > MaxCanvasSide || height > MaxCanvasSide)
        return QImage();
    QImage image(QSize(int(std::ceil(width)), int(std::ceil(height))), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(backgroundColour());
    return image;
}

QImage renderSketchImage(const Polygons& polygons, int side, Error* error)
{
    auto fail = [error](const Error& reason) {
        if (error)
            *error = reason;
        return QImage();
    };
    if (side <= 0)
        return fail(Failure::invalidArgument().error());
    if (!SketchView::landPolygon(polygons))
        return fail({ErrorNumber::InvalidArgument, QStringLiteral("Nu exista conturul TEREN.")});
    try {
        QImage image = createCanvasImage(QSize(side, side));
        if (image.isNull())
            return fail({ErrorNumber::Overflow, zoomLimitMessage()});
        const SketchView::LabelRoom room{labelPixels(polygons, &image), double(side)};
        const SketchView::Scale scale = SketchView::ComputeSketchScale(polygons, room);
        const double zoom = SketchView::ZoomToFit(side, side, scale);
        // A land of one point (or all on one point) has no extent: only the empty canvas shows.
        if (zoom > 0 && std::isfinite(zoom)) {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::TextAntialiasing, true);
            drawGeometry(painter, polygons, SketchView::CanvasMapping(scale, QSizeF(side, side)), zoom);
        }
        return image;
    } catch (const Failure& failure) {
        return fail(failure.error());
    }
}

Polygons documentPolygons(const Land& land)
{
    Polygons polygons;
    if (land.Geometry())
        polygons.Add(PolygonPtr(land.Geometry()));
    if (land.Buildings()) {
        for (const BuildPtr& build : *land.Buildings()) {
            if (build && build->Geometry())
                polygons.Add(PolygonPtr(build->Geometry()));
        }
    }
    return polygons;
}

} // namespace SketchRenderer
