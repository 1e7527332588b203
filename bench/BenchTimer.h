#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <functional>

// The best of `rounds` runs of a piece of work, in milliseconds: on a shared, noisy machine
// the minimum is the steadiest figure.
inline double bestOf(int rounds, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}
