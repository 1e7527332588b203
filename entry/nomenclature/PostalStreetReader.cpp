#include "entry/nomenclature/PostalStreetReader.h"

#include "base/Error.h"
#include "entry/nomenclature/NameCase.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace PostalStreetReader {

QString streetName(const QString& afterType)
{
    static const QRegularExpression numbers(QStringLiteral(" nr\\.\\s*(?=\\d)| nr\\. | \\d+-"));
    const QRegularExpressionMatch match = numbers.match(afterType);
    const QString name = match.hasMatch() ? afterType.left(match.capturedStart()) : afterType;
    return name.simplified();
}

PostalStreets read(QIODevice& device, const QString& what)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(device.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !json.isArray())
        throw Failure(ErrorNumber::InvalidArgument,
                      QStringLiteral("%1: not a JSON array of addresses (%2 at offset %3)")
                          .arg(what, error.errorString())
                          .arg(error.offset));
    PostalStreets result;
    for (const QJsonValue& value : json.array()) {
        const QJsonObject address = value.toObject();
        const QString zip = address.value(QStringLiteral("zipcode")).toString().trimmed();
        const QString text = NameCase::commaBelow(address.value(QStringLiteral("adresa")).toString()).simplified();
        const int blank = static_cast<int>(text.indexOf(QLatin1Char(' ')));
        const int sector = zip.size() == 6 ? zip.mid(1, 1).toInt() : 0;
        const QString name = blank > 0 ? streetName(text.mid(blank + 1)) : QString();
        if (sector < 1 || sector > 6 || name.isEmpty()) {
            ++result.skipped;
            continue;
        }
        result.streets.push_back({sector, text.left(blank), name});
    }
    return result;
}

PostalStreets readFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.exists())
        throw Failure(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(fileName));
    return read(file, fileName);
}

} // namespace PostalStreetReader
