#include "entry/LookUpData.h"

#include "app/Error.h"
#include "entry/LookUpFilter.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <cmath>

namespace {

// The error numbers of the recordset service the tables stood on, so that a message about a
// table reads as it always did.
constexpr int ItemNotFound = 3265;
constexpr int NoCurrentRecord = 3021;
constexpr int BadArguments = 3001;

Failure unknownField(const QString& name)
{
    return Failure(ItemNotFound,
                   QStringLiteral("Item cannot be found in the collection corresponding to the requested name or "
                                  "ordinal. (%1)")
                       .arg(name));
}

Failure badFilter()
{
    return Failure(BadArguments, QStringLiteral("Arguments are of the wrong type, are out of acceptable range, or "
                                                "are in conflict with one another."));
}

Failure unreadable(const QString& fileName)
{
    return Failure(ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(fileName));
}

QString quoted(const QString& identifier)
{
    QString out = identifier;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString newConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("lookup-%1").arg(++counter);
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isInteger(const QVariant& v)
{
    return isNumber(v) && v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float;
}

bool isText(const QVariant& v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray;
}

bool textAsNumber(const QString& text, double& out)
{
    bool ok = false;
    out = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(out);
}

} // namespace

bool lookUpValuesEqual(const QVariant& fieldValue, const QVariant& value)
{
    if (!fieldValue.isValid() || fieldValue.isNull() || !value.isValid() || value.isNull())
        return false;
    if (isText(fieldValue) && isText(value))
        return fieldValue.toString() == value.toString();
    if (isInteger(fieldValue) && isInteger(value))
        return fieldValue.toLongLong() == value.toLongLong();
    double a = 0;
    double b = 0;
    if (isNumber(fieldValue))
        a = fieldValue.toDouble();
    else if (!isText(fieldValue) || !textAsNumber(fieldValue.toString(), a))
        return false;
    if (isNumber(value))
        b = value.toDouble();
    else if (!isText(value) || !textAsNumber(value.toString(), b))
        return false;
    return a == b;
}

// ---------------------------------------------------------------------------------------------

LookUpTable::LookUpTable() = default;

LookUpTable::~LookUpTable()
{
    close();
}

void LookUpTable::open(const QString& fileName)
{
    close();
    QFileInfo info(fileName);
    if (!info.exists() || !info.isFile())
        throw Failure(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(fileName));

    const QString connection = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        bool ok = db.open();
        QString table;
        QStringList fields;
        if (ok) {
            QSqlQuery tables(db);
            ok = tables.exec(QStringLiteral(
                "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"));
            int count = 0;
            while (ok && tables.next()) {
                table = tables.value(0).toString();
                ++count;
            }
            ok = ok && count == 1;
        }
        if (ok) {
            QSqlQuery columns(db);
            ok = columns.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
            while (ok && columns.next())
                fields << columns.value(1).toString();
            ok = ok && !fields.isEmpty();
        }
        if (!ok) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection);
            throw unreadable(fileName);
        }
        m_tableName = table;
        m_fieldNames = fields;
    }
    m_connectionName = connection;
    m_fileName = fileName;
    m_fieldIndex.clear();
    for (int i = 0; i < m_fieldNames.size(); ++i)
        m_fieldIndex.insert(m_fieldNames.at(i).toLower(), i);
    m_recordsRead = false;
    m_filterKey.clear();
    m_cells.clear();
    m_position = 0;
}

void LookUpTable::close()
{
    if (m_connectionName.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
    m_fieldNames.clear();
    m_fieldIndex.clear();
    m_cells.clear();
    m_recordsRead = false;
    m_filterKey.clear();
    m_position = 0;
}

bool LookUpTable::isOpen() const
{
    return !m_connectionName.isEmpty();
}

int LookUpTable::fieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toLower(), -1);
}

void LookUpTable::applyFilter(const QVariant& filter)
{
    if (!isOpen())
        throw Failure(ErrorNumber::PathFileAccess, QStringLiteral("The table is not open"));
    const std::optional<LookUpFilter> parsed = lookUpFilterFromVariant(filter);
    if (!parsed)
        throw badFilter();

    QStringList conditions;
    QString key;
    std::vector<int> columns;
    for (const LookUpFilterTest& test : parsed->tests) {
        const int column = fieldIndex(test.field);
        if (column < 0)
            throw unknownField(test.field);
        columns.push_back(column);
        conditions << quoted(m_fieldNames.at(column)) + QStringLiteral(" = ?");
        key += QString::number(column) + QLatin1Char('=') + QString::number(test.value) + QLatin1Char(';');
    }
    if (m_recordsRead && key == m_filterKey) {
        m_position = 0;
        return;
    }

    QStringList selected;
    for (const QString& field : m_fieldNames)
        selected << quoted(field);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(selected.join(QLatin1Char(',')), quoted(m_tableName));
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY rowid");

    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw unreadable(m_fileName);
    for (const LookUpFilterTest& test : parsed->tests)
        query.addBindValue(test.value);
    if (!query.exec())
        throw unreadable(m_fileName);

    const int columnCount = static_cast<int>(m_fieldNames.size());
    std::vector<QVariant> cells;
    while (query.next()) {
        for (int c = 0; c < columnCount; ++c) {
            QVariant v = query.value(c);
            cells.push_back(v.isNull() ? QVariant() : std::move(v));
        }
    }
    m_cells = std::move(cells);
    m_filterKey = key;
    m_recordsRead = true;
    m_position = 0;
}

void LookUpTable::ensureRecordsRead()
{
    if (!m_recordsRead && isOpen())
        applyFilter(QVariant());
}

int LookUpTable::recordCount() const
{
    if (m_fieldNames.isEmpty())
        return 0;
    return static_cast<int>(m_cells.size() / static_cast<size_t>(m_fieldNames.size()));
}

void LookUpTable::moveNext()
{
    if (m_position < recordCount())
        ++m_position;
}

void LookUpTable::moveTo(int position)
{
    m_position = std::max(0, std::min(position, recordCount()));
}

QVariant LookUpTable::field(const QString& name) const
{
    const int column = fieldIndex(name);
    if (column < 0)
        throw unknownField(name);
    if (atEnd())
        throw Failure(NoCurrentRecord, QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                                      "deleted. Requested operation requires a current record."));
    return value(m_position, column);
}

QVariant LookUpTable::value(int record, int column) const
{
    const int columns = static_cast<int>(m_fieldNames.size());
    if (record < 0 || column < 0 || column >= columns || record >= recordCount())
        return QVariant();
    return m_cells[static_cast<size_t>(record) * static_cast<size_t>(columns) + static_cast<size_t>(column)];
}

// ---------------------------------------------------------------------------------------------

LookUpData::LookUpData() : m_table(std::make_shared<LookUpTable>()) {}

LookUpData::~LookUpData() = default;

void LookUpData::CreateLookUp()
{
    m_table = std::make_shared<LookUpTable>();
    m_table->open(m_fileName);
}

LookUpTable& LookUpData::rsLookUp()
{
    m_table->applyFilter(m_filter);
    return *m_table;
}

void LookUpData::setrsLookUp(LookUpTablePtr table)
{
    m_table = table ? std::move(table) : std::make_shared<LookUpTable>();
}

qint16 LookUpData::Search(const QString& field, const QVariant& value)
{
    LookUpTable& table = rsLookUp();
    const int column = table.fieldIndex(field);
    if (column < 0)
        throw unknownField(field);
    const int count = table.recordCount();
    for (int i = 0; i < count; ++i) {
        if (lookUpValuesEqual(table.value(i, column), value)) {
            if (i > 32767)
                throw Failure::overflow();
            table.moveTo(i);
            return static_cast<qint16>(i);
        }
    }
    return -1;
}
