#pragma once

#include <QSizeF>
#include <QString>
#include <vector>

// The standard scales of a site plan and the choice among them. A scale is held by its
// denominator (500 for 1:500); paper lengths are millimetres, world lengths metres.
namespace PlanScale {

// 100, 200, 250, 500, 1000, 2000, 5000: largest scale first.
const std::vector<int>& standardDenominators();
bool isStandard(int denominator);

// Paper millimetres that `metres` take at 1:denominator.
inline double paperMillimetres(double metres, int denominator)
{
    return metres * 1000.0 / denominator;
}

// Whether a world extent (metres) fits into a frame (millimetres) at 1:denominator.
bool fits(int denominator, QSizeF worldMetres, QSizeF frameMillimetres);
// The largest standard scale at which the extent fits (the smallest denominator); 0 when it
// fits at none.
int largestFitting(QSizeF worldMetres, QSizeF frameMillimetres);

// The grid step in metres at 1:denominator: a round number that puts ticks 20 to 25 mm apart.
double gridStep(int denominator);

// "1:500".
inline QString text(int denominator)
{
    return QStringLiteral("1:") + QString::number(denominator);
}

} // namespace PlanScale
