#include "RtfText.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

// Unicode of the Windows-1250 bytes 0x80..0xFF; 0 where the code page has no character.
constexpr char16_t upperHalf[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Windows-1250 byte of a UTF-16 code unit, or 0 when the code page lacks it.
unsigned char ansiByte(char16_t unit)
{
    if (unit < 0x80)
        return static_cast<unsigned char>(unit);
    for (int i = 0; i < 128; ++i)
        if (upperHalf[i] == unit)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

// What a reader without Unicode shows instead: the cedilla twin of the comma-below letters,
// else the base letter without its accent, else "?".
char fallbackByte(char16_t unit)
{
    switch (unit) {
    case 0x0218:
        return static_cast<char>(ansiByte(0x015E));
    case 0x0219:
        return static_cast<char>(ansiByte(0x015F));
    case 0x021A:
        return static_cast<char>(ansiByte(0x0162));
    case 0x021B:
        return static_cast<char>(ansiByte(0x0163));
    default:
        break;
    }
    if (unit < 0xD800 || unit > 0xDFFF) {
        const QString decomposed = QString(QChar(unit)).normalized(QString::NormalizationForm_D);
        if (!decomposed.isEmpty() && decomposed.at(0).unicode() != unit) {
            const unsigned char base = ansiByte(decomposed.at(0).unicode());
            if (base >= 0x20 && base != '\\' && base != '{' && base != '}')
                return static_cast<char>(base);
        }
    }
    return '?';
}

} // namespace

namespace RtfText {

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        const unsigned char byte = ansiByte(unit);
        if (byte != 0 || unit == 0) {
            out.append(static_cast<char>(byte));
            continue;
        }
        // \uN takes a signed 16-bit number; one fallback byte follows (the default \uc1).
        const int signedUnit = unit > 0x7FFF ? int(unit) - 0x10000 : int(unit);
        out.append("\\u");
        out.append(QByteArray::number(signedUnit));
        out.append(fallbackByte(unit));
    }
    return out;
}

QString escapePlain(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        switch (ch.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '{':
            out += QLatin1String("\\{");
            break;
        case '}':
            out += QLatin1String("\\}");
            break;
        case '\t':
            out += QLatin1String("\\tab ");
            break;
        case '\r':
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1String("\\line ");
            break;
        case '\n':
            out += QLatin1String("\\line ");
            break;
        default:
            out += ch;
        }
    }
    return out;
}

void appendHex(QByteArray& out, const char* data, qsizetype size)
{
    static const char digits[] = "0123456789ABCDEF";
    const qsizetype start = out.size();
    out.resize(start + 2 * size);
    char* target = out.data() + start;
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        *target++ = digits[byte >> 4];
        *target++ = digits[byte & 15];
    }
}

bool scaledFloor(double value, double factor, qint32* result)
{
    const double scaled = std::floor(value * factor);
    if (!std::isfinite(scaled) || scaled < std::numeric_limits<qint32>::min() ||
        scaled > std::numeric_limits<qint32>::max())
        return false;
    *result = static_cast<qint32>(scaled);
    return true;
}

bool toInteger16(double value, qint32* result)
{
    // nearbyint rounds half to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return false;
    *result = static_cast<qint32>(rounded);
    return true;
}

} // namespace RtfText
