#include "entry/LookUpTable.h"

#include "entry/LookUpFilter.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <limits>

namespace {

// The error numbers of the recordset service the tables stood on, so that a message about a
// table reads as it always did.
constexpr int ItemNotFound = 3265;
constexpr int NoCurrentRecord = 3021;
constexpr int BadArguments = 3001;

} // namespace

Failure LookUpTable::unknownField(const QString& name)
{
    return Failure(ItemNotFound,
                   QStringLiteral("Item cannot be found in the collection corresponding to the requested name or "
                                  "ordinal. (%1)")
                       .arg(name));
}

namespace {

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

} // namespace

LookUpTable::LookUpTable() = default;

LookUpTable::~LookUpTable()
{
    close();
}

namespace {

// A prepared statement, finalized when it goes out of scope.
class Statement
{
public:
    Statement(sqlite3* db, const QString& sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_statement, nullptr) != SQLITE_OK)
            m_statement = nullptr;
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return m_statement != nullptr; }
    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement = nullptr;
};

QVariant columnValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT: {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
    }
    case SQLITE_BLOB: {
        const char* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(statement, column)));
    }
    default:
        return QVariant();
    }
}

} // namespace

void LookUpTable::open(const QString& fileName)
{
    close();
    QFileInfo info(fileName);
    if (!info.exists() || !info.isFile())
        throw Failure(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(fileName));

    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(fileName);
    bool ok = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK;
    QString table;
    QStringList fields;
    if (ok) {
        // One table per file; reading the catalogue also proves the file is a database.
        Statement tables(
            db,
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' LIMIT 2"));
        int count = 0;
        int rc = SQLITE_ERROR;
        while (tables.isValid() && (rc = sqlite3_step(tables.get())) == SQLITE_ROW) {
            table = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(tables.get(), 0)));
            ++count;
        }
        ok = rc == SQLITE_DONE && count == 1;
    }
    if (ok) {
        Statement columns(db, QStringLiteral("SELECT * FROM %1").arg(quoted(table)));
        ok = columns.isValid();
        for (int i = 0; ok && i < sqlite3_column_count(columns.get()); ++i)
            fields << QString::fromUtf8(sqlite3_column_name(columns.get(), i));
        ok = ok && !fields.isEmpty();
    }
    if (!ok) {
        sqlite3_close(db);
        throw unreadable(fileName);
    }
    m_db = db;
    m_fileName = fileName;
    m_tableName = table;
    m_fieldNames = fields;
    m_fieldIndex.clear();
    m_lowerFieldIndex.clear();
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        m_fieldIndex.insert(m_fieldNames.at(i), i);
        m_lowerFieldIndex.insert(m_fieldNames.at(i).toLower(), i);
    }
    m_filterKey.clear();
    m_where.clear();
    m_selectSql.clear();
    m_countSql.clear();
    m_values.clear();
    m_recordsRead = false;
    m_count = -1;
    m_cells.clear();
    m_position = 0;
}

sqlite3_stmt* LookUpTable::statement(const QString& sql) const
{
    sqlite3_stmt* cached = m_statements.value(sql, nullptr);
    if (cached) {
        sqlite3_reset(cached);
        sqlite3_clear_bindings(cached);
        return cached;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &prepared, nullptr) != SQLITE_OK) {
        sqlite3_finalize(prepared);
        throw unreadable(m_fileName);
    }
    m_statements.insert(sql, prepared);
    return prepared;
}

void LookUpTable::close()
{
    for (sqlite3_stmt* prepared : std::as_const(m_statements))
        sqlite3_finalize(prepared);
    m_statements.clear();
    if (m_db)
        sqlite3_close(m_db);
    m_db = nullptr;
    m_fieldNames.clear();
    m_fieldIndex.clear();
    m_lowerFieldIndex.clear();
    m_cells.clear();
    m_recordsRead = false;
    m_count = -1;
    m_filterKey.clear();
    m_where.clear();
    m_selectSql.clear();
    m_countSql.clear();
    m_values.clear();
    m_position = 0;
}

bool LookUpTable::isOpen() const
{
    return m_db != nullptr;
}

int LookUpTable::fieldIndex(const QString& name) const
{
    const auto exact = m_fieldIndex.constFind(name);
    if (exact != m_fieldIndex.constEnd())
        return exact.value();
    return m_lowerFieldIndex.value(name.toLower(), -1);
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
    std::vector<qlonglong> values;
    for (const LookUpFilterTest& test : parsed->tests) {
        const int column = fieldIndex(test.field);
        if (column < 0)
            throw unknownField(test.field);
        conditions << quoted(m_fieldNames.at(column)) + QStringLiteral(" = ?");
        values.push_back(test.value);
        key += QString::number(column) + QLatin1Char('=') + QString::number(test.value) + QLatin1Char(';');
    }
    m_position = 0;
    if (key == m_filterKey && (m_recordsRead || m_count >= 0))
        return;
    m_filterKey = key;
    const QString where =
        conditions.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    if (where != m_where || m_selectSql.isEmpty()) {
        m_where = where;
        m_selectSql = QStringLiteral("SELECT * FROM %1%2 ORDER BY rowid").arg(quoted(m_tableName), m_where);
        m_countSql = QStringLiteral("SELECT count(*) FROM %1%2").arg(quoted(m_tableName), m_where);
    }
    m_values = std::move(values);
    m_recordsRead = false;
    m_count = -1;
    m_cells.clear();
}

void LookUpTable::readRecords() const
{
    if (!isOpen()) {
        m_recordsRead = true;
        m_count = 0;
        return;
    }
    // Stored order is the order of insertion.
    if (m_selectSql.isEmpty())
        m_selectSql = QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoted(m_tableName));
    sqlite3_stmt* query = statement(m_selectSql);
    for (size_t i = 0; i < m_values.size(); ++i)
        sqlite3_bind_int64(query, int(i) + 1, m_values[i]);
    const int columns = static_cast<int>(m_fieldNames.size());
    std::vector<QVariant> cells;
    cells.reserve(size_t(m_count > 0 ? m_count : 64) * size_t(columns));
    int rc;
    while ((rc = sqlite3_step(query)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            cells.push_back(columnValue(query, c));
    }
    sqlite3_reset(query); // ends the read, so the file is not held locked between choices
    if (rc != SQLITE_DONE)
        throw unreadable(m_fileName);
    m_cells = std::move(cells);
    m_count = columns > 0 ? int(m_cells.size() / size_t(columns)) : 0;
    m_recordsRead = true;
}

int LookUpTable::recordCount() const
{
    if (m_recordsRead || m_count >= 0 || !isOpen())
        return m_recordsRead || m_count >= 0 ? m_count : 0;
    // Only the number is asked for ("has this locality streets?"): count, don't read.
    if (m_countSql.isEmpty())
        m_countSql = QStringLiteral("SELECT count(*) FROM %1").arg(quoted(m_tableName));
    sqlite3_stmt* query = statement(m_countSql);
    for (size_t i = 0; i < m_values.size(); ++i)
        sqlite3_bind_int64(query, int(i) + 1, m_values[i]);
    if (sqlite3_step(query) != SQLITE_ROW) {
        sqlite3_reset(query);
        throw unreadable(m_fileName);
    }
    m_count = int(std::min<sqlite3_int64>(sqlite3_column_int64(query, 0), std::numeric_limits<int>::max()));
    sqlite3_reset(query);
    return m_count;
}

bool LookUpTable::atEnd() const
{
    ensureRecordsRead();
    return m_position >= m_count;
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
    ensureRecordsRead();
    const int columns = static_cast<int>(m_fieldNames.size());
    if (record < 0 || column < 0 || column >= columns || record >= m_count)
        return QVariant();
    return m_cells[static_cast<size_t>(record) * static_cast<size_t>(columns) + static_cast<size_t>(column)];
}
