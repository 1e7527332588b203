#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <string_view>

class QIODevice;

// Splits a device into lines without holding the whole file: one large buffer refilled by
// plain reads. A line ends at CR LF, LF or CR alike; the end is not part of the line.
class DxfLineReader
{
public:
    enum class Status
    {
        Line,
        End,
        Failed
    };

    explicit DxfLineReader(QIODevice& device, qsizetype bufferSize = 4 << 20);

    // The next line, valid until the following call. Failed when the device reports an error
    // or a line is longer than any line of a text drawing can be (binary or garbage input).
    Status next(std::string_view* line)
    {
        // The common case inline: a whole line in the buffer, no CR LF pair split by a read.
        if (!m_skipLeadingLf) {
            const char* start = m_data + m_begin;
            const char* limit = m_data + m_end;
            const char* stop = findLineEnd(start, limit);
            if (stop < limit && stop - start <= MaxLineLength) {
                *line = std::string_view(start, std::size_t(stop - start));
                ++m_lineNumber;
                m_begin = (stop - m_data) + 1;
                if (*stop == '\r') {
                    if (m_begin < m_end) {
                        if (m_data[m_begin] == '\n')
                            ++m_begin;
                    } else {
                        m_skipLeadingLf = true;
                    }
                }
                return Status::Line;
            }
        }
        return nextSlow(line);
    }
    // 1-based number of the line last returned.
    qint64 lineNumber() const { return m_lineNumber; }
    // The first bytes of the device (for telling what kind of file it is), read on demand.
    QByteArray head() const { return m_head; }
    qint64 bytesRead() const { return m_bytesRead; }

    static constexpr qsizetype MaxLineLength = 1 << 20;

    // The first CR or LF in [p, limit), or limit. Lines of a drawing average seven bytes, so
    // memchr's set-up costs more than it saves; eight bytes are tested at a time instead (a
    // zero byte of word ^ pattern marks a match; the lowest marked byte is exact on little-endian).
    static const char* findLineEnd(const char* p, const char* limit)
    {
        constexpr std::uint64_t ones = 0x0101010101010101ULL;
        constexpr std::uint64_t highs = 0x8080808080808080ULL;
        while (limit - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            const std::uint64_t lf = word ^ (ones * '\n');
            const std::uint64_t cr = word ^ (ones * '\r');
            const std::uint64_t found = ((lf - ones) & ~lf & highs) | ((cr - ones) & ~cr & highs);
            if (found)
                return p + (__builtin_ctzll(found) >> 3);
            p += 8;
        }
        while (p < limit && *p != '\n' && *p != '\r')
            ++p;
        return p;
    }

private:
    bool refill();
    Status nextSlow(std::string_view* line);

    QIODevice& m_device;
    QByteArray m_buffer;
    char* m_data = nullptr;
    QByteArray m_head;
    qsizetype m_begin = 0; // first unread byte
    qsizetype m_end = 0;   // one past the last valid byte
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_skipLeadingLf = false; // the previous line ended with CR at a buffer edge
    qint64 m_lineNumber = 0;
    qint64 m_bytesRead = 0;
};
