#pragma once

#include "sketch/SketchRenderer.h"

#include <vector>

// What the pointer is over in information mode, free of widgets. Positions in world units.
//
// Polygons are visited in collection order. In each one the edges are scanned with a zero
// tolerance (the pointer inside the edge's box and within half a unit of its line); the scan
// stops at the first hit edge unless a vertex was found in an earlier polygon. A hit edge is
// reported with its end numbers, the end with the larger X first. Then a vertex within 0.5
// units ends the visit, unless an edge of the same polygon was hit.
struct HoverHit
{
    struct Event
    {
        enum Kind
        {
            Line,
            Vertex
        } kind = Vertex;
        QString first;  // the vertex number, or the first end of the edge
        QString second; // the second end of the edge
        double length = 0;
    };
    // The HitLine / HitVertex events to raise, in order.
    std::vector<Event> events;
    // Red marks: highlighted edges (width 2) and the vertex circle.
    SketchOverlay overlay;

    // The hover label: empty text when hidden.
    QString labelText;
    bool edgeLabel = false;
    // The X of the end of the last highlighted edge (where the drawing pen stopped).
    double currentX = 0;

    bool isEmpty() const { return events.empty() && overlay.isEmpty(); }
};

// decimalSeparator: the user's, for the length in the label.
HoverHit hoverHitTest(const Polygons& polygons, double x, double y, double zoomPercent,
                      const QString& decimalSeparator = QStringLiteral("."));

// The label caption of an edge: "L (a-b) = 12.34 m".
QString edgeLabelText(const QString& first, const QString& second, double length, const QString& decimalSeparator);
