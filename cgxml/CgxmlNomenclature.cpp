#include "cgxml/CgxmlNomenclature.h"

#include "base/Error.h"

#include <QDir>

bool CgxmlNomenclature::open(const QString& folder)
{
    m_open = false;
    const QDir dir(folder);
    try {
        m_localities.setFileName(dir.filePath(QStringLiteral("Localitati.DAT")));
        m_localities.CreateLookUp();
        m_territories.setFileName(dir.filePath(QStringLiteral("Admin.DAT")));
        m_territories.CreateLookUp();
        m_streets.setFileName(dir.filePath(QStringLiteral("Strazi.DAT")));
        m_streets.CreateLookUp();
    } catch (const Failure&) {
        return false;
    }
    m_open = true;
    return true;
}

int CgxmlNomenclature::territoryOf(int localitySiruta)
{
    if (!m_open)
        return 0;
    try {
        m_localities.setFilter(QStringLiteral("locality_id=%1").arg(localitySiruta));
        LookUpTable& table = m_localities.rsLookUp();
        return table.atEnd() ? 0 : table.field(QStringLiteral("admin_id")).toInt();
    } catch (const Failure&) {
        return 0;
    }
}

bool CgxmlNomenclature::isLocality(int siruta)
{
    return territoryOf(siruta) != 0;
}

bool CgxmlNomenclature::isTerritory(int siruta)
{
    if (!m_open)
        return false;
    try {
        m_territories.clearFilter();
        return m_territories.Search(QStringLiteral("admin_id"), siruta) >= 0;
    } catch (const Failure&) {
        return false;
    }
}

QString CgxmlNomenclature::streetName(int localitySiruta, const QString& name)
{
    const int territory = territoryOf(localitySiruta);
    if (territory == 0 || name.trimmed().isEmpty())
        return QString();
    try {
        m_streets.setFilter(QStringLiteral("admin_id = %1 AND locality_id = %2").arg(territory).arg(localitySiruta));
        LookUpTable& table = m_streets.rsLookUp();
        for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
            const QString street = table.field(QStringLiteral("street_name")).toString();
            if (street.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                return street;
        }
    } catch (const Failure&) {
    }
    return QString();
}
