#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

// Reads the little-endian fields of the .CP format from a device, through a buffer of its own
// (bounded, whatever the counts in the file say). Every read is checked: a device that ends
// early fails with error 62 ("Input past end of file").
class BinaryReader
{
public:
    explicit BinaryReader(QIODevice* device) : m_device(device) {}

    void skip(qint64 count);
    std::int16_t int16();
    std::int32_t int32();
    std::uint8_t uint8();
    double float64();
    QString text();
    // A text; when it reads the same as `previous`, that object is returned (no new copy).
    QString textLike(const QString& previous);

private:
    // Makes at least `count` bytes available at m_position; fails with error 62 otherwise.
    void require(qsizetype count);
    template <typename T> T littleEndian();

    QIODevice* m_device;
    QByteArray m_buffer;
    qsizetype m_position = 0;
};
