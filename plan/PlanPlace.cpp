#include "plan/PlanPlace.h"

#include "base/Error.h"
#include "entry/LookUpTable.h"

#include <QDir>

namespace {

// The first record of `table` whose `key` equals `value`; false when there is none.
bool findRecord(LookUpTable& table, const QString& fileName, const QString& key, qlonglong value)
{
    table.open(fileName);
    table.applyFilter(key + QStringLiteral(" = ") + QString::number(value));
    return !table.atEnd();
}

} // namespace

PlanPlace PlanPlace::lookUp(int siruta, const QString& dataFolder)
{
    PlanPlace place;
    if (siruta <= 0 || dataFolder.isEmpty())
        return place;
    const QDir folder(dataFolder);
    try {
        LookUpTable localities;
        if (!findRecord(localities, folder.filePath(QStringLiteral("Localitati.DAT")), QStringLiteral("locality_id"),
                        siruta))
            return place;
        place.locality = localities.field(QStringLiteral("locality_name")).toString();
        const qlonglong adminId = localities.field(QStringLiteral("admin_id")).toLongLong();
        const qlonglong countyId = localities.field(QStringLiteral("county_id")).toLongLong();
        LookUpTable territories;
        if (findRecord(territories, folder.filePath(QStringLiteral("Admin.DAT")), QStringLiteral("admin_id"), adminId))
            place.territory = territories.field(QStringLiteral("admin_name")).toString();
        LookUpTable counties;
        if (findRecord(counties, folder.filePath(QStringLiteral("Judete.DAT")), QStringLiteral("county_id"), countyId))
            place.county = counties.field(QStringLiteral("county_name")).toString();
    } catch (const Failure&) {
        // A missing or unreadable table: the plan shows what was found so far.
    }
    return place;
}
