#pragma once

#include "sketch/MeasureChain.h"

#include <QPoint>
#include <QPointF>

class DrawSketch;
class QAction;

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

// An interaction mode of the sketch. The control hands the canvas's left and right button
// events and the pointer moves to its one current tool only (the middle button and the wheel
// stay with the control); a tool reaches the control through its public members alone.
class SketchTool
{
public:
    explicit SketchTool(DrawSketch& sketch) : m_sketch(sketch) {}
    virtual ~SketchTool() = default;
    SketchTool(const SketchTool&) = delete;
    SketchTool& operator=(const SketchTool&) = delete;

    // The checkable button that chooses this tool; DrawSketch::setTool keeps it checked while
    // the tool is current. Not owned.
    QAction* action() const { return m_action; }
    void setAction(QAction* action) { m_action = action; }

    // Called by DrawSketch::setTool as the tool becomes current, and as it stops being current.
    virtual void activate() {}
    virtual void deactivate() {}

    virtual void mousePress(const SketchMouse&) {}
    virtual void mouseRelease(const SketchMouse&) {}
    virtual void mouseMove(const SketchMouse&) {}

protected:
    DrawSketch& m_sketch;

private:
    QAction* m_action = nullptr;
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
    void activate() override;
    void deactivate() override;
    void mousePress(const SketchMouse& mouse) override;
    void mouseRelease(const SketchMouse& mouse) override;
    void mouseMove(const SketchMouse& mouse) override;
    bool dragging() const { return m_dragging; }

private:
    bool m_dragging = false;
    QPoint m_grab;
};

// Clicks measure a chain of distances; other buttons discard it and measuring goes on. Leaving
// the tool discards the chain, so coming back starts a new one.
class MeasureTool : public SketchTool
{
public:
    using SketchTool::SketchTool;
    void activate() override { m_chain.setMeasuring(true); }
    void deactivate() override { m_chain.ResetMeasure(true); }
    void mousePress(const SketchMouse& mouse) override;
    void mouseMove(const SketchMouse& mouse) override;
    const MeasureChain& chain() const { return m_chain; }

private:
    MeasureChain m_chain;
};
