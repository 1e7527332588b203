#include "geometry/LocaleNumber.h"

#include <charconv>
#include <cmath>

namespace LocaleNumber {

bool parse(const QString& text, const QString& decimalSeparator, double* value)
{
    // The other mark of the pair is digit grouping in the user's locale and is skipped, as the
    // locale's number reading does ("1,234.5" under ".", "1.234,5" under ",").
    const QChar separator = decimalSeparator.isEmpty() ? QLatin1Char('.') : decimalSeparator.at(0);
    const QChar grouping = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    char buffer[64];
    int length = 0;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (QChar c : trimmed) {
        if (c == grouping)
            continue;
        char ascii;
        if (c == separator)
            ascii = '.';
        else if (c.unicode() < 128)
            ascii = char(c.unicode());
        else
            return false;
        if (length == int(sizeof buffer))
            return false;
        buffer[length++] = ascii;
    }
    const char* begin = buffer;
    const char* end = buffer + length;
    if (begin != end && *begin == '+')
        ++begin;
    double result = 0;
    const auto [stop, error] = std::from_chars(begin, end, result, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(result))
        return false;
    *value = result;
    return true;
}

QString variantText(double value, const QString& decimalSeparator)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, error == std::errc() ? int(end - buffer) : 0);
    if (decimalSeparator != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

double throughVariantText(double value)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    double result = value;
    if (error == std::errc())
        std::from_chars(buffer, end, result, std::chars_format::general);
    return result;
}

} // namespace LocaleNumber
