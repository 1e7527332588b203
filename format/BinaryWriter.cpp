#include "format/BinaryWriter.h"

#include "base/AnsiText.h"
#include "base/Error.h"

#include <QtEndian>
#include <cstring>

template <typename T> void BinaryWriter::littleEndian(T value)
{
    qToLittleEndian(value, grow(sizeof(T)));
}

void BinaryWriter::bytes(const QByteArray& data)
{
    std::memcpy(grow(std::size_t(data.size())), data.constData(), std::size_t(data.size()));
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
    char* out = grow(2 + std::size_t(value.size()));
    qToLittleEndian(std::uint16_t(value.size()), out);
    AnsiText::encodeInto(out + 2, value);
}
