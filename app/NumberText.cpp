#include "app/NumberText.h"

#include <QLocale>
#include <cmath>

namespace NumberText {

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
