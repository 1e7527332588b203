#include "coordlist/CoordinateFormat.h"

#include "app/Error.h"
#include "app/NumberText.h"
#include "geometry/LocaleNumber.h"

#include <charconv>
#include <cmath>

namespace CoordinateFormat {

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

bool parseNumber(QStringView text, const QString& decimalSeparator, double* value)
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
        return LocaleNumber::parse(text.toString(), decimalSeparator, value);
    if (n == 0 || buffer[0] == '+')
        return false;
    double result = 0;
    const auto [last, error] = std::from_chars(buffer, buffer + n, result, std::chars_format::general);
    if (error != std::errc() || last != buffer + n || !std::isfinite(result))
        return LocaleNumber::parse(text.toString(), decimalSeparator, value);
    *value = result;
    return true;
}

QString formatNumber(double value, int decimals, const QString& decimalSeparator)
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

QString FormatCoordinate(QStringView text, int decimals, const QString& decimalSeparator)
{
    double value = 0;
    return FormatCoordinate(text, decimals, decimalSeparator, &value);
}

QString FormatCoordinate(QStringView text, int decimals, const QString& decimalSeparator, double* valueRead)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    *valueRead = 0;
    if (begin == end)
        return QString();
    double value = 0;
    const QStringView view = text.mid(begin, end - begin);
    const bool hasComma = view.contains(QLatin1Char(','));
    const QChar mark = hasComma ? QLatin1Char(',') : QLatin1Char('.');
    bool ok;
    if (decimalSeparator.size() == 1 && decimalSeparator[0] == mark) {
        ok = parseNumber(view, decimalSeparator, &value);
    } else if (hasComma || view.contains(QLatin1Char('.'))) {
        QString replaced = view.toString();
        replaced.replace(mark, decimalSeparator);
        ok = parseNumber(replaced, decimalSeparator, &value);
    } else {
        ok = parseNumber(view, decimalSeparator, &value);
    }
    if (!ok)
        throw Failure::typeMismatch();
    *valueRead = value;
    return formatNumber(value, decimals, decimalSeparator);
}

double boundValue(const QString& text, const QString& decimalSeparator)
{
    // Whole numbers (what the paste and the formatter write) are read directly; only partly
    // numeric texts need the leading-number rule.
    double value = 0;
    if (parseNumber(text, decimalSeparator, &value))
        return value;
    if (decimalSeparator == QLatin1String(".") || !text.contains(decimalSeparator))
        return NumberText::leadingNumber(text);
    QString copy = text;
    copy.replace(decimalSeparator, QLatin1String("."));
    return NumberText::leadingNumber(copy);
}

} // namespace CoordinateFormat
