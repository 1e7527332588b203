#include "app/WindowFit.h"

#include <algorithm>

namespace WindowFit {

QRect fitted(QSize preferred, const QRect& available)
{
    const QSize size = preferred.boundedTo(available.size());
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(available.center());
    return keptInside(frame, available);
}

QRect keptInside(const QRect& frame, const QRect& available)
{
    if (available.isEmpty())
        return frame;
    QRect inside(frame.topLeft(), frame.size().boundedTo(available.size()));
    inside.moveLeft(std::clamp(inside.left(), available.left(), available.right() - inside.width() + 1));
    inside.moveTop(std::clamp(inside.top(), available.top(), available.bottom() - inside.height() + 1));
    return inside;
}

} // namespace WindowFit
