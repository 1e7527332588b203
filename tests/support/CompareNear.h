#pragma once

#include <QTest>
#include <cmath>

// QCOMPARE for doubles with an explicit absolute tolerance.
#define COMPARE_NEAR(actual, expected, tolerance)                                                                      \
    do {                                                                                                               \
        const double actualValue_ = (actual);                                                                          \
        const double expectedValue_ = (expected);                                                                      \
        if (!(std::fabs(actualValue_ - expectedValue_) <= (tolerance))) {                                              \
            QFAIL(qPrintable(QStringLiteral("%1 = %2, expected %3 within %4")                                          \
                                 .arg(QLatin1String(#actual))                                                          \
                                 .arg(actualValue_, 0, 'g', 17)                                                        \
                                 .arg(expectedValue_, 0, 'g', 17)                                                      \
                                 .arg(double(tolerance))));                                                            \
        }                                                                                                              \
    } while (false)
