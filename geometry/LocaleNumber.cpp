#include "geometry/LocaleNumber.h"

#include <QLocale>
#include <cmath>

namespace LocaleNumber {

bool parse(const QString& text, const QString& decimalSeparator, double* value)
{
    QString number = text.trimmed();
    if (number.isEmpty())
        return false;
    if (decimalSeparator != QLatin1String(".")) {
        // A point is not a decimal mark in such a locale: it would be read as digit grouping.
        if (number.contains(QLatin1Char('.')))
            number.remove(QLatin1Char('.'));
        number.replace(decimalSeparator, QLatin1String("."));
    }
    bool ok = false;
    const double result = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(result))
        return false;
    *value = result;
    return true;
}

QString variantText(double value, const QString& decimalSeparator)
{
    QString text = QString::number(value, 'g', 15);
    if (decimalSeparator != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

} // namespace LocaleNumber
