#include "sketch/MeasureChain.h"

#include "geometry/modVector.h"

#include <cmath>

namespace {

// The first vertex within 0.5 units of (x, y), polygons in collection order.
std::optional<QPointF> snapVertex(double x, double y, const Polygons* polygons)
{
    if (!polygons)
        return std::nullopt;
    for (const PolygonPtr& polygon : *polygons) {
        if (!polygon)
            continue;
        double foundX = 0, foundY = 0;
        if (!modVector::FindVertex(*polygon, x, y, 0.5f, foundX, foundY).isEmpty())
            return QPointF(foundX, foundY);
    }
    return std::nullopt;
}

} // namespace

void MeasureChain::ResetMeasure(bool measuringOff)
{
    m_first.reset();
    m_second = QPointF();
    m_clicked = false;
    m_clickCount = 0;
    m_firstFixed = false;
    m_total = 0;
    m_measuring = !measuringOff;
}

void MeasureChain::track(double x, double y, const Polygons* polygons, double zoomPercent, SketchOverlay& overlay)
{
    m_second = QPointF(x, y);
    const std::optional<QPointF> vertex = snapVertex(x, y, polygons);
    if (vertex) {
        overlay.circles.push_back({*vertex, SketchView::hoverRadius(zoomPercent), 2});
        if (m_firstFixed)
            m_second = *vertex;
        else
            m_first = vertex;
    } else if (!m_firstFixed) {
        // A start snapped on an earlier move must not outlive the pointer leaving the vertex:
        // the first click then starts where it lands.
        m_first.reset();
    }
    if (m_clicked && m_first)
        overlay.lines.push_back({*m_first, m_second, 3});
}

std::optional<MeasureChain::Measured> MeasureChain::leftClick(double x, double y, const Polygons* polygons,
                                                              double zoomPercent)
{
    m_clicked = false;
    if (!m_measuring)
        return std::nullopt;
    SketchOverlay unused;
    track(x, y, polygons, zoomPercent, unused);
    ++m_clickCount;
    m_clicked = true;
    if (m_clickCount == 1) {
        if (!m_first)
            m_first = QPointF(x, y);
        m_firstFixed = true;
        return std::nullopt;
    }
    const QPointF first = m_first.value_or(m_second);
    const double d = SketchView::roundTo2(
        std::sqrt(std::pow(first.x() - m_second.x(), 2.0) + std::pow(first.y() - m_second.y(), 2.0)));
    m_total += d;
    m_clickCount = 1;
    m_firstFixed = true;
    m_first = m_second;
    return Measured{d, m_total};
}
