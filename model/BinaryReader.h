#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

// Reads the little-endian fields of the .CP format from a device. Every read is checked: a
// device that ends early fails with error 62 ("Input past end of file").
class BinaryReader
{
public:
    explicit BinaryReader(QIODevice* device) : m_device(device) {}

    QByteArray bytes(qint64 count);
    std::int16_t int16();
    std::int32_t int32();
    std::uint8_t uint8();
    double float64();
    QString text();

private:
    void readExactly(char* target, qint64 count);

    QIODevice* m_device;
};
