#include "format/BinaryReader.h"

#include "base/AnsiText.h"
#include "base/Error.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>

namespace {
constexpr qsizetype ChunkSize = 64 * 1024;
}

void BinaryReader::require(qsizetype count)
{
    const qsizetype available = m_buffer.size() - m_position;
    if (available >= count)
        return;
    m_buffer.remove(0, m_position);
    m_position = 0;
    while (m_buffer.size() < count) {
        // Fields are at most 65,537 bytes long, so one read never asks for more than that.
        const QByteArray chunk = m_device->read(std::max(ChunkSize, count - m_buffer.size()));
        if (chunk.isEmpty())
            throw Failure::inputPastEnd();
        m_buffer.append(chunk);
    }
}

template <typename T> T BinaryReader::littleEndian()
{
    require(sizeof(T));
    const T value = qFromLittleEndian<T>(m_buffer.constData() + m_position);
    m_position += sizeof(T);
    return value;
}

void BinaryReader::skip(qint64 count)
{
    require(count);
    m_position += count;
}

std::int16_t BinaryReader::int16()
{
    return littleEndian<std::int16_t>();
}

std::int32_t BinaryReader::int32()
{
    return littleEndian<std::int32_t>();
}

std::uint8_t BinaryReader::uint8()
{
    return littleEndian<std::uint8_t>();
}

double BinaryReader::float64()
{
    const std::uint64_t bits = littleEndian<std::uint64_t>();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString BinaryReader::text()
{
    const std::uint16_t length = littleEndian<std::uint16_t>();
    require(length);
    const QString value = AnsiText::decode(QByteArrayView(m_buffer.constData() + m_position, length));
    m_position += length;
    return value;
}

QString BinaryReader::textLike(const QString& previous)
{
    const std::uint16_t length = littleEndian<std::uint16_t>();
    require(length);
    const QByteArrayView raw(m_buffer.constData() + m_position, length);
    m_position += length;
    if (previous.size() == length) {
        bool same = true;
        for (qsizetype i = 0; i < length && same; ++i) {
            const unsigned char byte = static_cast<unsigned char>(raw[i]);
            same = byte < 128 && previous.at(i).unicode() == byte;
        }
        if (same)
            return previous;
    }
    return AnsiText::decode(raw);
}
