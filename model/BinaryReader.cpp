#include "model/BinaryReader.h"

#include "app/AnsiText.h"
#include "app/Error.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>

void BinaryReader::readExactly(char* target, qint64 count)
{
    if (count == 0)
        return;
    if (m_device->read(target, count) != count)
        throw Failure::inputPastEnd();
}

QByteArray BinaryReader::bytes(qint64 count)
{
    // The count comes from the file (at most 65,535): the buffer grows only as bytes arrive.
    QByteArray data = m_device->read(count);
    if (data.size() != count)
        throw Failure::inputPastEnd();
    return data;
}

std::int16_t BinaryReader::int16()
{
    char raw[2];
    readExactly(raw, 2);
    return qFromLittleEndian<std::int16_t>(raw);
}

std::int32_t BinaryReader::int32()
{
    char raw[4];
    readExactly(raw, 4);
    return qFromLittleEndian<std::int32_t>(raw);
}

std::uint8_t BinaryReader::uint8()
{
    char raw[1];
    readExactly(raw, 1);
    return std::uint8_t(raw[0]);
}

double BinaryReader::float64()
{
    char raw[8];
    readExactly(raw, 8);
    const std::uint64_t bits = qFromLittleEndian<std::uint64_t>(raw);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString BinaryReader::text()
{
    char raw[2];
    readExactly(raw, 2);
    const std::uint16_t length = qFromLittleEndian<std::uint16_t>(raw);
    return AnsiText::decode(bytes(length));
}
