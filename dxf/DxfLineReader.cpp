#include "dxf/DxfLineReader.h"

#include <QIODevice>
#include <algorithm>
#include <cstdint>
#include <cstring>

DxfLineReader::DxfLineReader(QIODevice& device, qsizetype bufferSize) : m_device(device)
{
    // A small drawing needs no more buffer than its own size (the buffer still grows for a long line).
    if (!device.isSequential() && device.size() >= 0) {
        const qint64 remaining = device.size() - device.pos() + 1;
        bufferSize = qsizetype(std::clamp<qint64>(remaining, 4096, bufferSize));
    }
    m_buffer.resize(bufferSize);
    m_data = m_buffer.data();
}

bool DxfLineReader::refill()
{
    if (m_atEnd)
        return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, std::size_t(m_end - m_begin));
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size()) {
        if (m_buffer.size() >= MaxLineLength * 2) {
            m_failed = true;
            return false;
        }
        m_buffer.resize(m_buffer.size() * 2);
        m_data = m_buffer.data();
    }
    const qint64 got = m_device.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (got < 0) {
        m_failed = true;
        return false;
    }
    if (got == 0) {
        m_atEnd = true;
        return false;
    }
    if (m_head.isEmpty())
        m_head = QByteArray(m_buffer.constData() + m_end, int(std::min<qint64>(got, 64)));
    m_end += got;
    m_bytesRead += got;
    return true;
}

DxfLineReader::Status DxfLineReader::nextSlow(std::string_view* line)
{
    for (;;) {
        if (m_skipLeadingLf) {
            if (m_begin == m_end && !refill()) {
                if (m_failed)
                    return Status::Failed;
                m_skipLeadingLf = false;
                return Status::End;
            }
            if (m_buffer[m_begin] == '\n')
                ++m_begin;
            m_skipLeadingLf = false;
        }
        const char* start = m_buffer.constData() + m_begin;
        const qsizetype available = m_end - m_begin;
        const char* limit = start + available;
        const char* stop = findLineEnd(start, limit);
        if (stop == limit)
            stop = nullptr;
        if (stop) {
            if (stop - start > MaxLineLength)
                return Status::Failed;
            *line = std::string_view(start, std::size_t(stop - start));
            ++m_lineNumber;
            m_begin += (stop - start) + 1;
            if (*stop == '\r') {
                if (m_begin < m_end) {
                    if (m_buffer[m_begin] == '\n')
                        ++m_begin;
                } else {
                    m_skipLeadingLf = true;
                }
            }
            return Status::Line;
        }
        if (available > MaxLineLength)
            return Status::Failed;
        if (!refill()) {
            if (m_failed)
                return Status::Failed;
            if (m_begin == m_end)
                return Status::End;
            // The last line has no end.
            *line = std::string_view(m_buffer.constData() + m_begin, std::size_t(m_end - m_begin));
            m_begin = m_end;
            ++m_lineNumber;
            return Status::Line;
        }
    }
}
