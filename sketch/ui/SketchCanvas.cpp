#include "sketch/ui/SketchCanvas.h"

#include "sketch/ui/DrawSketch.h"
#include "sketch/ui/SketchTools.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

SketchCanvas::SketchCanvas(DrawSketch& sketch, QWidget* parent) : QWidget(parent), m_sketch(sketch)
{
    setObjectName(QStringLiteral("picDraw"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(&sketch);
}

void SketchCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, SketchRenderer::backgroundColour());
    if (!m_sketch.m_image.isNull()) {
        const qreal ratio = m_sketch.m_image.devicePixelRatio();
        const QRect source(QPoint(int(dirty.x() * ratio), int(dirty.y() * ratio)),
                           QSize(int(std::ceil(dirty.width() * ratio)), int(std::ceil(dirty.height() * ratio))));
        painter.drawImage(QRectF(dirty), m_sketch.m_image, QRectF(source));
    }
    SketchRenderer::drawOverlay(painter, m_sketch.m_overlay, m_sketch.m_mapping);
}

namespace {

SketchMouse sketchMouse(const QMouseEvent* event, const SketchView::CanvasMapping& mapping)
{
    SketchMouse mouse;
    mouse.pixel = event->position().toPoint();
    mouse.global = event->globalPosition();
    mouse.world = mapping.toWorld(event->position());
    mouse.button = event->button();
    mouse.buttons = event->buttons();
    mouse.modifiers = event->modifiers();
    return mouse;
}

} // namespace

void SketchCanvas::mousePressEvent(QMouseEvent* event)
{
    m_sketch.setFocus(Qt::MouseFocusReason);
    m_sketch.canvasMousePress(sketchMouse(event, m_sketch.m_mapping));
}

void SketchCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    m_sketch.canvasMouseRelease(sketchMouse(event, m_sketch.m_mapping));
}

void SketchCanvas::mouseMoveEvent(QMouseEvent* event)
{
    m_sketch.canvasMouseMove(sketchMouse(event, m_sketch.m_mapping));
}

void SketchCanvas::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    m_sketch.zoomAbout(event->position(), delta);
    event->accept();
}
