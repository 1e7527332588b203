#include "sketch/ui/SketchArtwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace SketchArtwork {

namespace {

// A transparent square pixmap of `side` logical pixels at the screen's pixel ratio.
QPixmap canvas(int side)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(int(side * ratio), int(side * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A hand seen from the back, in a 32-unit box: four fingers and a thumb; closed draws the
// fingers folded.
void drawHand(QPainter& painter, bool closed)
{
    QPainterPath hand;
    const qreal fingerTop = closed ? 12 : 3;
    const qreal xs[] = {10, 14, 18, 22};
    const qreal tops[] = {fingerTop + 2, fingerTop, fingerTop + 1, fingerTop + 4};
    for (int i = 0; i < 4; ++i)
        hand.addRoundedRect(QRectF(xs[i] - 2, tops[i], 4, 22 - tops[i]), 2, 2);
    hand.addRoundedRect(QRectF(8, 16, 16, 12), 4, 4);
    if (!closed) {
        QPainterPath thumb;
        thumb.moveTo(8, 24);
        thumb.lineTo(3, 16);
        thumb.quadTo(2, 12, 6, 13);
        thumb.lineTo(10, 19);
        hand.addPath(thumb);
    }
    hand = hand.simplified();
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
}

void drawArrowHeads(QPainter& painter)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    const QPointF heads[4][3] = {{{16, 0}, {13, 3}, {19, 3}},
                                 {{16, 31}, {13, 28}, {19, 28}},
                                 {{0, 20}, {3, 17}, {3, 23}},
                                 {{31, 20}, {28, 17}, {28, 23}}};
    for (const auto& head : heads)
        painter.drawPolygon(head, 3);
}

QPixmap handPixmap(bool closed)
{
    QPixmap pixmap = canvas(32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawHand(painter, closed);
    if (closed)
        drawArrowHeads(painter);
    return pixmap;
}

} // namespace

QCursor panCursor()
{
    return QCursor(handPixmap(false), 16, 16);
}

QCursor panMoveCursor()
{
    return QCursor(handPixmap(true), 16, 16);
}

QIcon toolIcon(ToolImage image)
{
    QPixmap pixmap = canvas(32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink(0, 0, 128);
    QPen pen(ink, 2.5);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    switch (image) {
    case ToolImage::Information: {
        painter.setBrush(QColor(255, 255, 225));
        painter.drawEllipse(QRectF(4, 4, 24, 24));
        painter.setBrush(ink);
        painter.drawEllipse(QRectF(14.5, 8.5, 3, 3));
        painter.drawLine(QPointF(16, 15), QPointF(16, 23));
        break;
    }
    case ToolImage::Explore:
        painter.end();
        pixmap = handPixmap(false);
        break;
    case ToolImage::ZoomIn:
    case ToolImage::ZoomOut:
        painter.setBrush(QColor(225, 240, 255));
        painter.drawEllipse(QRectF(4, 4, 18, 18));
        painter.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(20, 20), QPointF(28, 28));
        painter.setPen(pen);
        painter.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
        if (image == ToolImage::ZoomIn)
            painter.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
        break;
    case ToolImage::Overall:
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(9, 9, 14, 14));
        for (const QPointF& corner : {QPointF(3, 3), QPointF(29, 3), QPointF(3, 29), QPointF(29, 29)}) {
            const qreal sx = corner.x() < 16 ? 1 : -1;
            const qreal sy = corner.y() < 16 ? 1 : -1;
            painter.drawLine(corner, corner + QPointF(5 * sx, 0));
            painter.drawLine(corner, corner + QPointF(0, 5 * sy));
        }
        break;
    case ToolImage::Measure: {
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(QColor(255, 230, 150));
        painter.save();
        painter.translate(16, 16);
        painter.rotate(-35);
        painter.drawRect(QRectF(-14, -4, 28, 8));
        for (int i = -11; i <= 11; i += 4)
            painter.drawLine(QPointF(i, -4), QPointF(i, i % 8 == 1 || i % 8 == -7 ? 1 : -1));
        painter.restore();
        break;
    }
    }
    return QIcon(pixmap);
}

} // namespace SketchArtwork
