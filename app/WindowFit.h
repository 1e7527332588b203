#pragma once

#include <QRect>

// Where windows go on a screen: never larger than its free area, never partly outside it.
namespace WindowFit {

// A window of `preferred` size on a screen whose free area is `available`: as large as
// preferred but no larger than the free area, centred in it.
QRect fitted(QSize preferred, const QRect& available);

// A window's frame moved (and, when it is larger, shrunk) so that all of it lies in `available`.
// A frame already inside is returned unchanged.
QRect keptInside(const QRect& frame, const QRect& available);

} // namespace WindowFit
