#include "entry/FormLookUps.h"

#include "base/Error.h"

namespace {
void openTable(LookUpData& table, const QString& path, bool canHaveNullValue)
{
    table.setFileName(path);
    table.setCanHaveNullValue(canHaveNullValue);
    table.clearFilter();
    table.CreateLookUp();
}
} // namespace

void FormLookUps::open(const QString& folder)
{
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('/');
    m_open = false;
    openTable(counties, path + QStringLiteral("Judete.DAT"), false);
    openTable(territories, path + QStringLiteral("Admin.DAT"), false);
    openTable(localities, path + QStringLiteral("Localitati.DAT"), false);
    openTable(streets, path + QStringLiteral("Strazi.DAT"), true);
    openTable(streetTypes, path + QStringLiteral("TipArtere.DAT"), true);
    openTable(districtTypes, path + QStringLiteral("TipSubAdm.DAT"), true);
    openTable(landUses, path + QStringLiteral("CtgFolTeren.DAT"), false);
    openTable(landDestinations, path + QStringLiteral("DestinatieTeren.DAT"), false);
    openTable(buildDestinations, path + QStringLiteral("DestinatieCladire.DAT"), false);
    m_open = true;
}

QList<LookUpEntry> FormLookUps::entries(LookUpData& table, const QString& nameField, const QString& idField)
{
    LookUpTable& records = table.rsLookUp();
    const int nameColumn = records.fieldIndex(nameField);
    const int idColumn = records.fieldIndex(idField);
    if (nameColumn < 0 || idColumn < 0)
        records.field(nameColumn < 0 ? nameField : idField); // throws the unknown-field failure
    QList<LookUpEntry> list;
    list.reserve(records.recordCount());
    for (int record = 0; record < records.recordCount(); ++record)
        list.append({records.value(record, nameColumn).toString(), records.value(record, idColumn).toInt()});
    return list;
}

QStringList FormLookUps::values(LookUpData& table, const QString& field)
{
    LookUpTable& records = table.rsLookUp();
    const int column = records.fieldIndex(field);
    if (column < 0)
        records.field(field);
    QStringList list;
    list.reserve(records.recordCount());
    for (int record = 0; record < records.recordCount(); ++record)
        list.append(records.value(record, column).toString());
    return list;
}

QStringList FormLookUps::codeAndName(LookUpData& table, const QString& codeField, const QString& nameField)
{
    QStringList list = values(table, codeField);
    LookUpTable& records = table.rsLookUp();
    const int column = records.fieldIndex(nameField);
    if (column < 0)
        return list;
    for (int record = 0; record < list.size(); ++record) {
        const QString name = records.value(record, column).toString().trimmed();
        if (!name.isEmpty())
            list[record] += QStringLiteral(" - ") + name;
    }
    return list;
}
