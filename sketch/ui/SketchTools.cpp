#include "sketch/ui/SketchTools.h"

#include "sketch/HoverHitTest.h"
#include "sketch/ui/DrawSketch.h"
#include "sketch/ui/SketchArtwork.h"

#include <QScrollBar>
#include <cstdlib>

void InfoTool::mouseMove(const SketchMouse& mouse)
{
    const PolygonsPtr& polygons = m_sketch.GeometryCollection();
    if (!polygons)
        return;
    const HoverHit hit =
        hoverHitTest(*polygons, mouse.world.x(), mouse.world.y(), m_sketch.zoomPercent(), m_sketch.decimalSeparator());
    m_sketch.addMarks(hit.overlay);
    for (const HoverHit::Event& event : hit.events) {
        if (event.kind == HoverHit::Event::Line)
            emit m_sketch.HitLine(event.first, event.second, event.length);
        else
            emit m_sketch.HitVertex(event.first);
    }
    if (!hit.labelText.isEmpty())
        m_sketch.showLabel(hit.labelText, hit.edgeLabel, hit.currentX, mouse.world);
}

void PanTool::activate()
{
    m_sketch.canvas()->setCursor(SketchArtwork::panCursor());
}

void PanTool::deactivate()
{
    m_dragging = false;
    m_sketch.canvas()->setCursor(Qt::ArrowCursor);
}

void PanTool::mousePress(const SketchMouse& mouse)
{
    m_sketch.canvas()->setCursor(SketchArtwork::panCursor());
    m_dragging = mouse.buttons.testFlag(Qt::LeftButton);
    if (m_dragging)
        m_grab = mouse.pixel;
}

void PanTool::mouseRelease(const SketchMouse&)
{
    m_dragging = false;
    m_sketch.canvas()->setCursor(SketchArtwork::panCursor());
}

namespace {

// Moves the bar a quarter of the pointer's offset from the grab position, towards the pointer;
// a position outside the bar's range is ignored.
void follow(QScrollBar* bar, int grab, int pointer)
{
    if (!bar->isEnabled() || grab == pointer)
        return;
    const int step = std::abs(grab - pointer) / 4;
    const int position = pointer < grab ? bar->value() + step : bar->value() - step;
    if (position >= bar->minimum() && position <= bar->maximum())
        bar->setValue(position);
}

} // namespace

void PanTool::mouseMove(const SketchMouse& mouse)
{
    if (!m_dragging)
        return;
    m_sketch.canvas()->setCursor(SketchArtwork::panMoveCursor());
    follow(m_sketch.horizontalScrollBar(), m_grab.x(), mouse.pixel.x());
    follow(m_sketch.verticalScrollBar(), m_grab.y(), mouse.pixel.y());
}

void MeasureTool::mousePress(const SketchMouse& mouse)
{
    if (mouse.button != Qt::LeftButton) {
        m_sketch.clearHover();
        m_chain.otherClick();
        return;
    }
    const std::optional<MeasureChain::Measured> measured = m_chain.leftClick(
        mouse.world.x(), mouse.world.y(), m_sketch.GeometryCollection().get(), m_sketch.zoomPercent());
    if (measured)
        emit m_sketch.Distance(measured->distance, measured->total);
}

void MeasureTool::mouseMove(const SketchMouse& mouse)
{
    SketchOverlay marks;
    m_chain.track(mouse.world.x(), mouse.world.y(), m_sketch.GeometryCollection().get(), m_sketch.zoomPercent(), marks);
    m_sketch.addMarks(marks);
}
