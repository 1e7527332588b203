#include "base/AreaText.h"

#include "base/NumberText.h"

#include <QRegularExpression>

namespace {

// Blanks dropped and the user's separator written as ".", the form both rules read.
QString plain(const QString& text, const QString& decimalSeparator)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            out += c;
    }
    if (!decimalSeparator.isEmpty() && decimalSeparator != QLatin1String("."))
        out.replace(decimalSeparator, QStringLiteral("."));
    return out;
}

} // namespace

namespace AreaText {

double value(const QString& text, const QString& decimalSeparator)
{
    return NumberText::leadingNumber(plain(text, decimalSeparator));
}

bool isNumber(const QString& text, const QString& decimalSeparator)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    return number.match(plain(text, decimalSeparator)).hasMatch();
}

} // namespace AreaText
