#include "plan/PlanScale.h"

#include <algorithm>

namespace PlanScale {

const std::vector<int>& standardDenominators()
{
    static const std::vector<int> denominators{100, 200, 250, 500, 1000, 2000, 5000};
    return denominators;
}

bool isStandard(int denominator)
{
    const std::vector<int>& all = standardDenominators();
    return std::find(all.begin(), all.end(), denominator) != all.end();
}

bool fits(int denominator, QSizeF worldMetres, QSizeF frameMillimetres)
{
    return denominator > 0 && paperMillimetres(worldMetres.width(), denominator) <= frameMillimetres.width() &&
           paperMillimetres(worldMetres.height(), denominator) <= frameMillimetres.height();
}

int largestFitting(QSizeF worldMetres, QSizeF frameMillimetres)
{
    for (int denominator : standardDenominators()) {
        if (fits(denominator, worldMetres, frameMillimetres))
            return denominator;
    }
    return 0;
}

double gridStep(int denominator)
{
    switch (denominator) {
    case 100:
        return 2;
    case 200:
    case 250:
        return 5;
    case 500:
        return 10;
    case 1000:
        return 20;
    case 2000:
        return 50;
    case 5000:
        return 100;
    default:
        // Any other scale: 20 mm on paper rounded to a whole metre.
        return std::max(1.0, double(qRound(denominator / 50.0)));
    }
}

} // namespace PlanScale
