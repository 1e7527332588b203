#include "app/DelimiterList.h"

#include "base/AnsiText.h"

namespace DelimiterList {

QStringList parse(const QString& coded)
{
    if (coded.isEmpty())
        return {};
    QByteArray accumulator;
    for (const QString& entry : coded.split(QLatin1Char(','))) {
        for (const QString& piece : entry.split(QLatin1Char('&'))) {
            bool ok = false;
            const int code = piece.trimmed().toInt(&ok);
            if (ok && code >= 0 && code <= 255)
                accumulator.append(char(code));
        }
        accumulator.append('~');
    }
    if (accumulator.endsWith('~'))
        accumulator.chop(1);
    QStringList delimiters;
    for (const QByteArray& piece : accumulator.split('~'))
        delimiters.append(AnsiText::decode(piece));
    return delimiters;
}

QString encode(const QStringList& delimiters)
{
    QStringList entries;
    for (const QString& delimiter : delimiters) {
        QStringList codes;
        for (unsigned char byte : AnsiText::encode(delimiter))
            codes.append(QString::number(byte));
        entries.append(codes.join(QLatin1Char('&')));
    }
    return entries.join(QLatin1Char(','));
}

} // namespace DelimiterList
