#include "dxf/ui/DxfMapWidget.h"

#include "dxf/DxfImportWizard.h"

#include <QMouseEvent>
#include <QPainter>
#include <vector>

namespace {
// The highlight colours: ordinary lines are practically black.
const QColor Ordinary(1, 0, 0);
const QColor Land(0, 255, 0);
const QColor Building(0, 0, 255);
const QColor Selected(255, 0, 0);
} // namespace

DxfMapWidget::DxfMapWidget(DxfImportWizard& wizard, int area, QWidget* parent)
    : QWidget(parent), m_wizard(wizard), m_area(area)
{
    setObjectName(QStringLiteral("Map%1").arg(area));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 160);
}

QSizeF DxfMapWidget::areaSize() const
{
    const double dpiX = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const double dpiY = logicalDpiY() > 0 ? logicalDpiY() : 96;
    return {width() * 1440.0 / dpiX, height() * 1440.0 / dpiY};
}

void DxfMapWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_drawnGeneration = -1;
}

void DxfMapWidget::updatePicture()
{
    if (m_drawnGeneration == m_wizard.mapGeneration(m_area) && m_picture.size() == size())
        return;
    m_picture = QImage(size(), QImage::Format_RGB32);
    m_picture.fill(Qt::white);
    drawMap(m_picture);
    m_drawnGeneration = m_wizard.mapGeneration(m_area);
}

void DxfMapWidget::drawMap(QImage& image) const
{
    const DxfPolylines& polylines = m_wizard.polylines();
    if (polylines.isEmpty() || (m_area == 0 && m_wizard.chosenLayer() < 0 && m_wizard.SelectedIndex() == 0))
        return;
    const DxfMapView& map = m_wizard.map(m_area);
    const DxfMapView::Transform& t = m_wizard.transform();
    const DxfMapView::View& view = map.view();
    // Drawing units straight to pixels: area position, then the view window onto the widget.
    const double sx = image.width() / double(view.width);
    const double sy = image.height() / double(view.height);
    const double ax = t.k * sx;
    const double bx = (t.offX - t.minX * t.k - view.left) * sx;
    const double ay = -t.k * sy;
    const double by = (t.H - t.offY + t.minY * t.k - view.top) * sy;
    const QRectF visible(-2, -2, image.width() + 4, image.height() + 4);

    QPainter painter(&image);
    QPen pen(Ordinary, 0);
    std::vector<QPointF> points;
    auto draw = [&](int position, const QColor& colour) {
        points.clear();
        double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
        for (auto v = polylines.begin(position); v < polylines.end(position); ++v) {
            const QPointF p(ax * polylines.x(v) + bx, ay * polylines.y(v) + by);
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
            points.push_back(p);
        }
        if (points.empty() ||
            !visible.intersects(QRectF(QPointF(minX, minY), QPointF(maxX, maxY)).normalized().adjusted(-1, -1, 1, 1)))
            return;
        if (pen.color() != colour) {
            pen.setColor(colour);
            painter.setPen(pen);
        }
        // Closed: the last point joins the first.
        painter.drawPolygon(points.data(), int(points.size()));
    };
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int land = m_wizard.LandIndex();
    const int selected = m_wizard.SelectedIndex();
    for (int p = 1; p <= polylines.count(); ++p) {
        if (!m_wizard.drawsPolyline(m_area, p))
            continue;
        draw(p, Ordinary);
        if (p == land)
            draw(p, Land);
        if (m_wizard.isTied(p))
            draw(p, Building);
        if (p == selected)
            draw(p, Selected);
    }
    // The selected polyline lies on top, whatever its layer.
    if (selected > 0)
        draw(selected, Selected);
}

void DxfMapWidget::paintEvent(QPaintEvent*)
{
    updatePicture();
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void DxfMapWidget::mousePressEvent(QMouseEvent* event)
{
    if (!m_wizard.panMode())
        return;
    m_dragging = true;
    m_anchor = m_wizard.map(m_area).pixelToArea(event->position(), size());
    if (event->button() == Qt::RightButton)
        emit leavePanRequested();
    else
        setCursor(Qt::ClosedHandCursor); // the hand that holds the drawing while it moves
}

void DxfMapWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    DxfMapView& map = m_wizard.map(m_area);
    const QPointF pointer = map.pixelToArea(event->position(), size());
    map.panBy(m_anchor.x() - pointer.x(), m_anchor.y() - pointer.y());
    m_drawnGeneration = -1;
    update();
}

void DxfMapWidget::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
    setCursor(m_wizard.panMode() ? Qt::OpenHandCursor : Qt::ArrowCursor);
}
