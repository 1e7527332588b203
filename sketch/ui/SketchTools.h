#pragma once

#include "sketch/MeasureChain.h"

#include <QPoint>
#include <QPointF>

class DrawSketch;

// One pointer event on the canvas, in world units and in canvas pixels.
struct SketchMouse
{
    QPointF world;
    QPoint pixel;   // relative to the canvas's top-left corner
    QPointF global; // on the screen
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
};

// An interaction mode of the sketch. Each tool keeps its own state and sees every canvas event;
// the control decides the order in which they run.
class SketchTool
{
public:
    explicit SketchTool(DrawSketch& sketch) : m_sketch(sketch) {}
    virtual ~SketchTool() = default;
    SketchTool(const SketchTool&) = delete;
    SketchTool& operator=(const SketchTool&) = delete;

    virtual bool active() const { return m_active; }
    virtual void setActive(bool on) { m_active = on; }

    virtual void mousePress(const SketchMouse&) {}
    virtual void mouseRelease(const SketchMouse&) {}
    virtual void mouseMove(const SketchMouse&) {}

protected:
    DrawSketch& m_sketch;
    bool m_active = false;
};

// Hovering shows the vertex or edge under the pointer and raises HitVertex / HitLine.
class InfoTool : public SketchTool
{
public:
    using SketchTool::SketchTool;
    void mouseMove(const SketchMouse& mouse) override;
};

// Dragging with the left button scrolls the canvas after the pointer.
class PanTool : public SketchTool
{
public:
    using SketchTool::SketchTool;
    void mousePress(const SketchMouse& mouse) override;
    void mouseRelease(const SketchMouse& mouse) override;
    void mouseMove(const SketchMouse& mouse) override;
    bool dragging() const { return m_dragging; }
    void stopDragging() { m_dragging = false; }

private:
    bool m_dragging = false;
    QPoint m_grab;
};

// Clicks measure a chain of distances; other buttons discard it and turn measuring on.
class MeasureTool : public SketchTool
{
public:
    using SketchTool::SketchTool;
    bool active() const override { return m_chain.measuring(); }
    void setActive(bool on) override { m_chain.setMeasuring(on); }
    void mousePress(const SketchMouse& mouse) override;
    void mouseMove(const SketchMouse& mouse) override;
    MeasureChain& chain() { return m_chain; }

private:
    MeasureChain m_chain;
};
