#pragma once

#include "sketch/ui/SketchTools.h"

#include <QWidget>

class DrawSketch;

// The canvas of the sketch: paints the control's persistent picture and, over it, the hover
// marks, and reports its pointer events in world units. The wheel zooms the control directly.
class SketchCanvas : public QWidget
{
    Q_OBJECT

public:
    SketchCanvas(DrawSketch& sketch, QWidget* parent);

signals:
    void mousePressed(const SketchMouse& mouse);
    void mouseReleased(const SketchMouse& mouse);
    void mouseMoved(const SketchMouse& mouse);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    SketchMouse sketchMouse(const QMouseEvent* event) const;

    DrawSketch& m_sketch;
};
