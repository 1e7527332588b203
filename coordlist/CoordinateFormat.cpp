#include "coordlist/CoordinateFormat.h"

#include "base/Error.h"
#include "base/NumberText.h"

#include <charconv>
#include <cmath>

namespace CoordinateFormat {

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
        ok = NumberText::parse(view, decimalSeparator, &value);
    } else if (hasComma || view.contains(QLatin1Char('.'))) {
        QString replaced = view.toString();
        replaced.replace(mark, decimalSeparator);
        ok = NumberText::parse(replaced, decimalSeparator, &value);
    } else {
        ok = NumberText::parse(view, decimalSeparator, &value);
    }
    if (!ok)
        throw Failure::typeMismatch();
    *valueRead = value;
    return NumberText::fixedText(value, decimals, decimalSeparator);
}

double boundValue(const QString& text, const QString& decimalSeparator)
{
    // Whole numbers (what the paste and the formatter write) are read directly; only partly
    // numeric texts need the leading-number rule.
    double value = 0;
    if (NumberText::parse(text, decimalSeparator, &value))
        return value;
    if (decimalSeparator == QLatin1String(".") || !text.contains(decimalSeparator))
        return NumberText::leadingNumber(text);
    QString copy = text;
    copy.replace(decimalSeparator, QLatin1String("."));
    return NumberText::leadingNumber(copy);
}

} // namespace CoordinateFormat
