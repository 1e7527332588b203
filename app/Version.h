#pragma once

#include <QString>

namespace Version {
constexpr int Major = 1;
constexpr int Minor = 0;
constexpr int Revision = 18;

// "v1.0.18": shown in window captions.
inline QString text()
{
    return QStringLiteral("v%1.%2.%3").arg(Major).arg(Minor).arg(Revision);
}

// "1.0": the version written into .CP files.
inline QString fileVersion()
{
    return QStringLiteral("%1.%2").arg(Major).arg(Minor);
}
} // namespace Version
