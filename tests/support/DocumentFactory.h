#pragma once

#include "model/Document.h"

#include <QList>
#include <QPointF>

// Documents for tests and benchmarks.
namespace DocumentFactory {

// A polygon named `name` with `count` points numbered from firstNo, on a circle.
PolygonPtr polygon(const QString& name, int count, int firstNo = 1, double centreX = 500000.0,
                   double centreY = 400000.0, double radius = 50.0);

// A polygon through the given vertices, numbered 1, 2, ...
PolygonPtr polygonOf(const QList<QPointF>& vertices, const QString& name = QStringLiteral("P"));

// A land document with every field filled, two owners, two parcels, two buildings with
// contours and a land contour of landPoints points.
DocumentPtr sample(int landPoints = 5);

// A document at the format's limits: `points` contour points in all (a land and
// `buildings` building contours), `owners` owners and `parcels` parcels.
DocumentPtr large(int points, int buildings, int owners, int parcels);

} // namespace DocumentFactory
