#include "app/AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace AnsiText {

QString withCedillas(const QString& text)
{
    QString result = text;
    result.replace(QChar(0x0218), QChar(0x015E)); // Ș -> Ş
    result.replace(QChar(0x0219), QChar(0x015F)); // ș -> ş
    result.replace(QChar(0x021A), QChar(0x0162)); // Ț -> Ţ
    result.replace(QChar(0x021B), QChar(0x0163)); // ț -> ţ
    return result;
}

QByteArray encode(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    if (!encoder.isValid())
        return withCedillas(text).toLatin1();
    return encoder.encode(withCedillas(text));
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

} // namespace AnsiText
