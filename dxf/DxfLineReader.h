#pragma once

#include <QByteArray>
#include <string_view>

class QIODevice;

// Splits a device into lines without holding the whole file: one large buffer refilled by
// plain reads. A line ends at CR LF, LF or CR alike; the end is not part of the line.
class DxfLineReader
{
public:
    enum class Status { Line, End, Failed };

    explicit DxfLineReader(QIODevice& device, qsizetype bufferSize = 4 << 20);

    // The next line, valid until the following call. Failed when the device reports an error
    // or a line is longer than any line of a text drawing can be (binary or garbage input).
    Status next(std::string_view* line);
    // 1-based number of the line last returned.
    qint64 lineNumber() const { return m_lineNumber; }
    // The first bytes of the device (for telling what kind of file it is), read on demand.
    QByteArray head() const { return m_head; }
    qint64 bytesRead() const { return m_bytesRead; }

    static constexpr qsizetype MaxLineLength = 1 << 20;

private:
    bool refill();

    QIODevice& m_device;
    QByteArray m_buffer;
    QByteArray m_head;
    qsizetype m_begin = 0; // first unread byte
    qsizetype m_end = 0;   // one past the last valid byte
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_skipLeadingLf = false; // the previous line ended with CR at a buffer edge
    qint64 m_lineNumber = 0;
    qint64 m_bytesRead = 0;
};
