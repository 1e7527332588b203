#pragma once

#include <QByteArray>
#include <QIODevice>

// A device that accepts the first `limit` bytes written and fails every write after them,
// as a full disk would. What it accepted is kept in written().
class FailDevice : public QIODevice
{
public:
    explicit FailDevice(qint64 limit) : m_limit(limit) {}
    const QByteArray& written() const { return m_written; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    qint64 m_limit;
    QByteArray m_written;
};
