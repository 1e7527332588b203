// The measures of Polygon: area, vertex mean and the X/Y exchange.
#include "model/Polygon.h"

#include <cmath>

double Polygon::Area(Error* error) const
{
    const auto failed = [&](const Failure& failure) {
        if (error)
            *error = failure.error();
        return 0.0;
    };
    const int n = m_Points ? m_Points->Count() : 0;
    // Reading the last point of an empty ring fails; the measure is then 0.
    if (n == 0)
        return failed(Failure::invalidArgument());
    // The ring closes through the last point: visit (last, 1), (1, 2), ..., (n-1, n).
    double sum = 0.0;
    const Point* previous = m_Points->Item(n).get();
    for (const PointPtr& point : *m_Points) {
        sum = (sum + previous->X() * point->Y()) - point->X() * previous->Y();
        previous = point.get();
    }
    // Once a product overflows or a coordinate is not a number, the sum stays infinite or NaN.
    if (!std::isfinite(sum))
        return failed(Failure::overflow());
    return std::fabs(sum / 2.0);
}

PointPtr Polygon::GravityPoint() const
{
    const int n = m_Points ? m_Points->Count() : 0;
    if (n == 0)
        throw Failure::divisionByZero();
    double sumX = 0.0;
    for (const PointPtr& point : *m_Points)
        sumX += point->X();
    double sumY = 0.0;
    for (const PointPtr& point : *m_Points)
        sumY += point->Y();
    auto mean = std::make_shared<Point>();
    mean->setNo(m_Name);
    mean->setX(sumX / n);
    mean->setY(sumY / n);
    return mean;
}

void Polygon::XYToYX()
{
    if (!m_Points)
        return;
    std::vector<PointPtr> rows(m_Points->begin(), m_Points->end());
    m_Points->RemoveAll();
    for (const PointPtr& old : rows) {
        auto swapped = std::make_shared<Point>();
        swapped->setNo(old->No());
        swapped->setX(old->Y());
        swapped->setY(old->X());
        m_Points->Add(swapped);
    }
}
