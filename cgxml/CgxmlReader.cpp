#include "cgxml/CgxmlReader.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

QString atLine(qint64 line, const QString& text)
{
    return QStringLiteral("Fisierul CGXML nu poate fi citit: linia %1: %2").arg(line).arg(text);
}

} // namespace

bool CgxmlReader::readFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Fisierul %1 nu poate fi deschis: %2").arg(path, file.errorString());
        return false;
    }
    return read(&file, error);
}

bool CgxmlReader::read(QIODevice* device, QString* error)
{
    m_rows.clear();
    m_types.clear();
    m_rowCount = 0;
    if (!device->isSequential() && device->size() > m_limits.maxBytes) {
        *error = QStringLiteral("Fisierul CGXML are %1 octeti, peste limita de %2.")
                     .arg(device->size())
                     .arg(m_limits.maxBytes);
        return false;
    }
    QXmlStreamReader xml(device);
    bool rootSeen = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (xml.characterOffset() > m_limits.maxBytes) {
            *error = atLine(xml.lineNumber(),
                            QStringLiteral("fisierul depaseste limita de %1 octeti.").arg(m_limits.maxBytes));
            return false;
        }
        switch (token) {
        case QXmlStreamReader::DTD:
            *error = atLine(xml.lineNumber(), QStringLiteral("declaratiile DTD nu sunt acceptate."));
            return false;
        case QXmlStreamReader::EntityReference:
            *error = atLine(xml.lineNumber(), QStringLiteral("entitatea &%1; nu este acceptata.").arg(xml.name()));
            return false;
        case QXmlStreamReader::StartElement:
            if (!rootSeen) {
                if (xml.name() != QLatin1String("CGXML")) {
                    *error = atLine(xml.lineNumber(),
                                    QStringLiteral("elementul radacina este %1, nu CGXML.").arg(xml.name()));
                    return false;
                }
                rootSeen = true;
            } else if (!readRow(xml, error)) {
                return false;
            }
            break;
        default:
            break;
        }
    }
    if (xml.hasError()) {
        *error = atLine(xml.lineNumber(), xml.errorString());
        return false;
    }
    if (!rootSeen) {
        *error = atLine(xml.lineNumber(), QStringLiteral("fisierul nu contine elementul CGXML."));
        return false;
    }
    return true;
}

// Reads one row: the reader stands on its start element; fields are elements holding text only.
bool CgxmlReader::readRow(QXmlStreamReader& xml, QString* error)
{
    if (++m_rowCount > m_limits.maxRows) {
        *error = atLine(xml.lineNumber(), QStringLiteral("fisierul are peste %1 randuri.").arg(m_limits.maxRows));
        return false;
    }
    CgxmlRow row;
    row.type = xml.name().toString();
    row.line = xml.lineNumber();
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        const qint64 line = xml.lineNumber();
        const QString text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (xml.hasError()) {
            if (xml.error() == QXmlStreamReader::UnexpectedElementError)
                *error = atLine(xml.lineNumber(),
                                QStringLiteral("campul %1 al randului %2 contine alte elemente.").arg(name, row.type));
            else
                *error = atLine(xml.lineNumber(), xml.errorString());
            return false;
        }
        if (text.size() > m_limits.maxFieldChars) {
            *error =
                atLine(line, QStringLiteral("campul %1 are peste %2 caractere.").arg(name).arg(m_limits.maxFieldChars));
            return false;
        }
        if (row.fields.size() >= m_limits.maxFieldsPerRow) {
            *error = atLine(
                line, QStringLiteral("randul %1 are peste %2 campuri.").arg(row.type).arg(m_limits.maxFieldsPerRow));
            return false;
        }
        row.fields.append({name, text});
    }
    if (xml.hasError()) {
        *error = atLine(xml.lineNumber(), xml.errorString());
        return false;
    }
    if (!m_rows.contains(row.type))
        m_types.append(row.type);
    m_rows[row.type].append(std::move(row));
    return true;
}
