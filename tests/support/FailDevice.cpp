#include "support/FailDevice.h"

#include <algorithm>

qint64 FailDevice::writeData(const char* data, qint64 size)
{
    const qint64 room = m_limit - m_written.size();
    if (room <= 0)
        return -1;
    const qint64 accepted = std::min(room, size);
    m_written.append(data, accepted);
    return accepted;
}
