#include "entry/nomenclature/MfpStreetReader.h"

#include "base/Error.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

namespace MfpStreetReader {

namespace {

QString findFile(const QString& folder, const QString& pattern)
{
    const QStringList names = QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        throw Failure(ErrorNumber::FileNotFound,
                      QStringLiteral("File not found: %1").arg(QDir(folder).filePath(pattern)));
    return QDir(folder).filePath(names.last());
}

std::vector<QHash<QString, QString>> readRowsOf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(fileName));
    return readRows(file, fileName);
}

} // namespace

std::vector<QHash<QString, QString>> readRows(QIODevice& device, const QString& what)
{
    std::vector<QHash<QString, QString>> rows;
    QXmlStreamReader xml(&device);
    int depth = 0;
    QHash<QString, QString> row;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 2) {
                row.clear();
            } else if (depth == 3) {
                const QString name = xml.name().toString();
                row.insert(name, xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed());
                --depth; // readElementText consumed the end element
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 2)
                rows.push_back(row);
            --depth;
        }
    }
    if (xml.hasError())
        throw Failure(ErrorNumber::InvalidArgument,
                      QStringLiteral("%1, line %2: %3").arg(what).arg(xml.lineNumber()).arg(xml.errorString()));
    return rows;
}

MfpCounty readCounty(const QString& folder)
{
    if (!QDir(folder).exists())
        throw Failure(ErrorNumber::PathNotFound, QStringLiteral("Path not found: %1").arg(folder));
    const auto localities = readRowsOf(findFile(folder, QStringLiteral("nomLocalitati_*.xml")));
    const auto streets = readRowsOf(findFile(folder, QStringLiteral("nomArtereMF_*.xml")));

    QHash<QString, int> sirutaOf; // MFP locality code -> SIRUTA code
    for (const auto& l : localities) {
        bool ok = false;
        const int siruta = l.value(QStringLiteral("COD_SIRUTA")).toInt(&ok);
        if (ok && siruta > 0)
            sirutaOf.insert(l.value(QStringLiteral("COD")), siruta);
    }

    MfpCounty county;
    for (const auto& s : streets) {
        const QString type = s.value(QStringLiteral("TAT_COD"));
        const bool abolished =
            s.value(QStringLiteral("SAR_COD")) == QLatin1String("D") || !s.value(QStringLiteral("DATA_DESF")).isEmpty();
        const int siruta = sirutaOf.value(s.value(QStringLiteral("LOC_COD")), 0);
        const QString name = s.value(QStringLiteral("DENUMIRE")).simplified();
        if (type == QLatin1String("G") || abolished || siruta == 0 || name.isEmpty()) {
            ++county.skipped;
            continue;
        }
        county.streets.push_back({siruta, type, name});
    }
    return county;
}

} // namespace MfpStreetReader
