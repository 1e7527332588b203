#pragma once

#include "sketch/SketchRenderer.h"

#include <optional>

// The distance-measuring chain, free of widgets: the first left click fixes the start, every
// further click closes a segment (its length and the running total are reported) and starts
// the next segment at its end. Positions in world units.
class MeasureChain
{
public:
    struct Measured
    {
        double distance = 0; // the last segment, rounded to 2 decimals
        double total = 0;    // the sum of the segments so far
    };

    // Ends the chain and clears the total; measuring mode becomes !measuringOff.
    void ResetMeasure(bool measuringOff);

    bool measuring() const { return m_measuring; }
    void setMeasuring(bool on) { m_measuring = on; }

    // Pointer move while measuring: the second point follows the pointer, snapping to the first
    // vertex within 0.5 units (polygons in collection order). Before the first click the start
    // snaps instead. Fills `overlay` with the snap circle and, once clicked, the rubber band.
    void track(double x, double y, const Polygons* polygons, double zoomPercent, SketchOverlay& overlay);

    // A left click at (x, y) (tracked first, so a click without a preceding move measures where it
    // lands). Returns the segment when the click closes one. Does nothing unless measuring.
    std::optional<Measured> leftClick(double x, double y, const Polygons* polygons, double zoomPercent);

    // Any other button: discards the chain and turns measuring on.
    void otherClick() { ResetMeasure(false); }

    bool clicked() const { return m_clicked; }
    int clickCount() const { return m_clickCount; }
    bool firstFixed() const { return m_firstFixed; }
    std::optional<QPointF> firstPoint() const { return m_first; }
    QPointF secondPoint() const { return m_second; }
    double totalDistance() const { return m_total; }

private:
    bool m_measuring = false;
    bool m_clicked = false;
    int m_clickCount = 0;
    bool m_firstFixed = false;
    // Unset until the chain has a start (a point at X or Y = 0 is a valid start).
    std::optional<QPointF> m_first;
    QPointF m_second;
    double m_total = 0;
};
