#include "sketch/ui/SketchCanvas.h"

#include "sketch/ui/DrawSketch.h"

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
    const QImage& picture = m_sketch.picture();
    if (!picture.isNull()) {
        const qreal ratio = picture.devicePixelRatio();
        const QRect source(QPoint(int(dirty.x() * ratio), int(dirty.y() * ratio)),
                           QSize(int(std::ceil(dirty.width() * ratio)), int(std::ceil(dirty.height() * ratio))));
        painter.drawImage(QRectF(dirty), picture, QRectF(source));
    }
    SketchRenderer::drawOverlay(painter, m_sketch.overlay(), m_sketch.mapping());
}

SketchMouse SketchCanvas::sketchMouse(const QMouseEvent* event) const
{
    SketchMouse mouse;
    mouse.pixel = event->position().toPoint();
    mouse.global = event->globalPosition();
    mouse.world = m_sketch.mapping().toWorld(event->position());
    mouse.button = event->button();
    mouse.buttons = event->buttons();
    mouse.modifiers = event->modifiers();
    return mouse;
}

void SketchCanvas::mousePressEvent(QMouseEvent* event)
{
    m_sketch.setFocus(Qt::MouseFocusReason);
    emit mousePressed(sketchMouse(event));
}

void SketchCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(sketchMouse(event));
}

void SketchCanvas::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(sketchMouse(event));
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
