#include "base/NumberText.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace NumberText {

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool parseGrouped(const QString& text, const QString& decimalSeparator, double* value)
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

} // namespace

bool parse(QStringView text, const QString& decimalSeparator, double* value)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end)
        return false;
    // Plain numbers (digits, sign, the separator, an exponent) are read in place; anything
    // else (digit grouping, odd separators) goes to the general reader.
    char buffer[64];
    const qsizetype length = end - begin;
    bool plain = decimalSeparator.size() == 1 && length < qsizetype(sizeof buffer);
    const QChar separator = decimalSeparator.isEmpty() ? QLatin1Char('.') : decimalSeparator[0];
    qsizetype n = 0;
    for (qsizetype i = begin; plain && i < end; ++i) {
        const QChar c = text[i];
        if (c == separator)
            buffer[n++] = '.';
        else if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('e') ||
                 c == QLatin1Char('E'))
            buffer[n++] = char(c.unicode());
        else if (c == QLatin1Char('+') && i == begin)
            continue;
        else
            plain = false;
    }
    if (!plain)
        return parseGrouped(text.toString(), decimalSeparator, value);
    if (n == 0 || buffer[0] == '+')
        return false;
    double result = 0;
    const auto [last, error] = std::from_chars(buffer, buffer + n, result, std::chars_format::general);
    if (error != std::errc() || last != buffer + n || !std::isfinite(result))
        return parseGrouped(text.toString(), decimalSeparator, value);
    *value = result;
    return true;
}

QString fixedText(double value, int decimals, const QString& decimalSeparator)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 30)
        decimals = 30;
    if (value == 0)
        value = 0; // no "-0.000"
    char buffer[400];
    const auto [last, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), decimalSeparator);
    QString text = QString::fromLatin1(buffer, last - buffer);
    if (decimals > 0 && decimalSeparator != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
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

double leadingNumber(const QString& text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            compact.append(c);
    }
    int i = 0;
    const int n = int(compact.size());
    auto isDigit = [&](int k) { return k < n && compact[k] >= QLatin1Char('0') && compact[k] <= QLatin1Char('9'); };
    if (i < n && (compact[i] == QLatin1Char('+') || compact[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && compact[i] == QLatin1Char('.')) {
        ++i;
        while (isDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    int end = i;
    if (i < n && QStringLiteral("eEdD").contains(compact[i])) {
        int j = i + 1;
        if (j < n && (compact[j] == QLatin1Char('+') || compact[j] == QLatin1Char('-')))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            end = j;
        }
    }
    QString number = compact.left(end);
    for (int k = 0; k < number.size(); ++k) {
        if (number[k] == QLatin1Char('d') || number[k] == QLatin1Char('D'))
            number[k] = QLatin1Char('e');
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

std::int16_t toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0))
        return rounded < 0 ? -32768 : 0;
    if (rounded > 32767.0)
        return 32767;
    return static_cast<std::int16_t>(rounded);
}

QString systemDecimalSeparator()
{
    return QLocale::system().decimalPoint();
}

int numericKeyFilter(int characterCode)
{
    switch (characterCode) {
    case 13:
    case 46:
    case 8:
    case 44:
        return characterCode;
    default:
        return characterCode >= '0' && characterCode <= '9' ? characterCode : 0;
    }
}

} // namespace NumberText
