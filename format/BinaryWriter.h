#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// Little-endian fields of the .CP format, gathered in memory so that a save either writes a
// whole file or nothing. Texts are length-prefixed Windows-1250 bytes.
class BinaryWriter
{
public:
    void bytes(const QByteArray& data);
    void int16(std::int16_t value);
    void int32(std::int32_t value);
    void uint8(std::uint8_t value) { *grow(1) = char(value); }
    void float64(double value);
    // A text longer than 65,535 bytes once encoded fails with error 6.
    void text(const QString& value);

    QByteArray buffer() const { return QByteArray(m_bytes.data(), qsizetype(m_bytes.size())); }
    void reserve(qsizetype size) { m_bytes.reserve(std::size_t(size)); }

private:
    // Room for `count` more bytes at the end; a file holds some 130,000 fields at the format's
    // limits, so each field is written in place rather than appended through a byte array.
    char* grow(std::size_t count)
    {
        const std::size_t used = m_bytes.size();
        m_bytes.resize(used + count);
        return m_bytes.data() + used;
    }
    template <typename T> void littleEndian(T value);

    std::vector<char> m_bytes;
};
