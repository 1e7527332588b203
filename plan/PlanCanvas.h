#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRectF>

// A painter addressed in millimetres from the page's top-left corner, whatever the device's
// resolution (a PDF writer, a printer). Fonts are in points, so their size on paper is true too.
struct PlanCanvas
{
    QPainter& painter;
    double dotsPerMm;

    QPointF at(double x, double y) const { return {x * dotsPerMm, y * dotsPerMm}; }
    QPointF at(QPointF mm) const { return at(mm.x(), mm.y()); }
    QRectF rect(const QRectF& mm) const
    {
        return {mm.x() * dotsPerMm, mm.y() * dotsPerMm, mm.width() * dotsPerMm, mm.height() * dotsPerMm};
    }
    void setPen(double widthMm, const QColor& colour = Qt::black, Qt::PenStyle style = Qt::SolidLine)
    {
        QPen pen(colour, widthMm * dotsPerMm, style);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
    }
    static QFont font(double points, bool bold = false)
    {
        QFont result(QStringLiteral("Arial"));
        result.setPointSizeF(points);
        result.setBold(bold);
        return result;
    }
    void line(double x1, double y1, double x2, double y2) { painter.drawLine(at(x1, y1), at(x2, y2)); }
    void box(const QRectF& mm) { painter.drawRect(rect(mm)); }
    void text(const QRectF& mm, int flags, const QString& text) { painter.drawText(rect(mm), flags, text); }
};
