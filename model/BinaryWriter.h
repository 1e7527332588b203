#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Little-endian fields of the .CP format, gathered in memory so that a save either writes a
// whole file or nothing. Texts are length-prefixed Windows-1250 bytes.
class BinaryWriter
{
public:
    void bytes(const QByteArray& data) { m_buffer.append(data); }
    void int16(std::int16_t value);
    void int32(std::int32_t value);
    void uint8(std::uint8_t value) { m_buffer.append(char(value)); }
    void float64(double value);
    // A text longer than 65,535 bytes once encoded fails with error 6.
    void text(const QString& value);

    const QByteArray& buffer() const { return m_buffer; }
    void reserve(qsizetype size) { m_buffer.reserve(size); }

private:
    template <typename T>
    void littleEndian(T value);

    QByteArray m_buffer;
};
