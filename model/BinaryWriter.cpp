#include "model/BinaryWriter.h"

#include "app/AnsiText.h"
#include "app/Error.h"

#include <QtEndian>
#include <cstring>

template <typename T>
void BinaryWriter::littleEndian(T value)
{
    char raw[sizeof(T)];
    qToLittleEndian(value, raw);
    m_buffer.append(raw, sizeof(T));
}

void BinaryWriter::int16(std::int16_t value)
{
    littleEndian(value);
}

void BinaryWriter::int32(std::int32_t value)
{
    littleEndian(value);
}

void BinaryWriter::float64(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    littleEndian(bits);
}

void BinaryWriter::text(const QString& value)
{
    // One byte per character in the code page: the length is known before encoding.
    if (value.size() > 65535)
        throw Failure::overflow();
    littleEndian(std::uint16_t(value.size()));
    AnsiText::appendEncoded(m_buffer, value);
}
