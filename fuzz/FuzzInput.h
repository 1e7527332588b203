#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Takes parameters off the front of a fuzz input; what is left is the reader's input proper.
// Runs out gracefully: a missing byte reads as 0.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    // A small number in [0, limit).
    int pick(int limit) { return limit > 0 ? byte() % limit : 0; }
    // A double from a short menu of interesting values and bytes.
    double number()
    {
        static const double menu[] = {0.0,     1.0, -1.0,  0.5,    2.5,    32767.0, 32768.0, -32769.0,
                                      65535.0, 1e6, 1e300, -1e300, 1e-300, 3.0,     16383.0, 16384.0};
        const std::uint8_t b = byte();
        if (b < 128)
            return menu[b % (sizeof menu / sizeof menu[0])];
        return double(b) - 192.0;
    }
    // The next `count` bytes (fewer when the input ends) as text of the given kind.
    QByteArray bytes(std::size_t count)
    {
        const std::size_t n = count < m_size ? count : m_size;
        QByteArray out(reinterpret_cast<const char*>(m_data), qsizetype(n));
        m_data += n;
        m_size -= n;
        return out;
    }
    QByteArray rest() { return bytes(m_size); }
    std::size_t remaining() const { return m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// Aborts with a message: a broken property is a finding, as a crash is.
[[noreturn]] void fuzzFail(const char* what);
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzzFail(#condition);                                                                                      \
    } while (false)
