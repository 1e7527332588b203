#pragma once

#include <QWidget>

class DrawSketch;

// The canvas of the sketch: paints the persistent picture and, over it, the hover marks, and
// hands its pointer events to the control in world units.
class SketchCanvas : public QWidget
{
    Q_OBJECT

public:
    SketchCanvas(DrawSketch& sketch, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    DrawSketch& m_sketch;
};
