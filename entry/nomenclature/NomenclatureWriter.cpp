#include "entry/nomenclature/NomenclatureTable.h"

#include "base/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

void NomenclatureTable::addRow(std::initializer_list<QVariant> values)
{
    if (values.size() != size_t(fields.size()))
        throw Failure(
            ErrorNumber::InvalidArgument,
            QStringLiteral("%1: a row of %2 values for %3 fields").arg(fileName).arg(values.size()).arg(fields.size()));
    cells.insert(cells.end(), values);
}

namespace NomenclatureWriter {

namespace {

QString quoted(const QString& identifier)
{
    QString out = identifier;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

Failure writeFailure(const QString& path, const QString& detail)
{
    return Failure(ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error: %1 (%2)").arg(path, detail));
}

class Database
{
public:
    Database(const QString& file, const QString& path) : m_path(path)
    {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) == SQLITE_OK)
            return;
        // A failed open still gives a handle to close, and a throwing constructor runs no
        // destructor.
        const Failure error = failure();
        sqlite3_close(m_db);
        throw error;
    }
    ~Database() { sqlite3_close(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const QString& sql)
    {
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }
    sqlite3* get() const { return m_db; }
    [[noreturn]] void fail() const { throw failure(); }

private:
    Failure failure() const
    {
        return writeFailure(m_path, m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory"));
    }

    sqlite3* m_db = nullptr;
    QString m_path;
};

void bindValue(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(statement, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        sqlite3_bind_int64(statement, index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(statement, index, value.toDouble());
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

void writeInto(Database& db, const NomenclatureTable& table)
{
    // A new file that replaces the old only once it is complete needs no journal.
    db.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
    db.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    db.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    db.exec(QStringLiteral("PRAGMA cache_size = -16384"));
    QStringList columns;
    for (int i = 0; i < table.fields.size(); ++i)
        columns << quoted(table.fields.at(i)) + QLatin1Char(' ') + table.types.value(i, QStringLiteral("TEXT"));
    db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table.tableName), columns.join(QStringLiteral(", "))));
    db.exec(QStringLiteral("BEGIN"));
    QStringList marks;
    for (int i = 0; i < table.fields.size(); ++i)
        marks << QStringLiteral("?");
    const QByteArray sql = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                               .arg(quoted(table.tableName), marks.join(QLatin1Char(',')))
                               .toUtf8();
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql.constData(), int(sql.size()), &insert, nullptr) != SQLITE_OK)
        db.fail();
    const int width = int(table.fields.size());
    for (size_t row = 0; row < table.rowCount(); ++row) {
        for (int i = 0; i < width; ++i)
            bindValue(insert, i + 1, table.cell(row, i));
        if (sqlite3_step(insert) != SQLITE_DONE) {
            sqlite3_finalize(insert);
            db.fail();
        }
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    int n = 0;
    for (const QStringList& index : table.indexes) {
        QStringList names;
        for (const QString& field : index)
            names << quoted(field);
        db.exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                    .arg(quoted(table.tableName + QStringLiteral("_by_") + QString::number(++n)),
                         quoted(table.tableName), names.join(QStringLiteral(", "))));
    }
    db.exec(QStringLiteral("COMMIT"));
}

} // namespace

namespace {

// Writes the table into `path` + ".part" and returns that name; removes it on failure.
QString writeTemporary(const NomenclatureTable& table, const QString& path)
{
    // SQLite would read an unknown quoted field name as a text constant, so check the layout first.
    for (const QStringList& index : table.indexes) {
        for (const QString& field : index) {
            if (!table.fields.contains(field))
                throw Failure(ErrorNumber::InvalidArgument,
                              QStringLiteral("%1: no field %2 to index").arg(path, field));
        }
    }
    if (table.fields.isEmpty() || table.cells.size() % size_t(table.fields.size()) != 0)
        throw Failure(ErrorNumber::InvalidArgument, QStringLiteral("%1: the values do not fill whole rows").arg(path));

    const QString temporary = path + QStringLiteral(".part");
    QFile::remove(temporary);
    try {
        Database db(temporary, path);
        writeInto(db, table);
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
    return temporary;
}

bool renameFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// rename() replaces the old file in one step, so a reader never sees half a table.
void replace(const QString& temporary, const QString& path)
{
    if (!renameFile(temporary, path)) {
        QFile::remove(temporary);
        throw writeFailure(path, QStringLiteral("cannot replace the file"));
    }
}

// Puts the written tables in place of the old ones. Each old table steps aside as "<name>.old"
// before its new one takes the name; should a step fail, the steps taken are undone, so the
// folder holds either the whole old set or the whole new one.
void swapIn(const std::vector<std::pair<QString, QString>>& written)
{
    std::vector<QString> setAside; // old tables now at path + ".old"
    std::vector<QString> placed;   // paths that hold a new table
    auto undo = [&](const QString& path) {
        for (const QString& done : placed)
            QFile::remove(done);
        for (const QString& old : setAside)
            renameFile(old + QStringLiteral(".old"), old);
        for (const auto& file : written)
            QFile::remove(file.first);
        return writeFailure(path, QStringLiteral("cannot replace the file"));
    };
    for (const auto& [temporary, path] : written) {
        if (QFileInfo::exists(path)) {
            const QString old = path + QStringLiteral(".old");
            QFile::remove(old);
            if (!renameFile(path, old))
                throw undo(path);
            setAside.push_back(path);
        }
        if (!renameFile(temporary, path))
            throw undo(path);
        placed.push_back(path);
    }
    for (const QString& old : setAside)
        QFile::remove(old + QStringLiteral(".old"));
}

} // namespace

void write(const NomenclatureTable& table, const QString& path)
{
    replace(writeTemporary(table, path), path);
}

void writeAll(const std::vector<NomenclatureTable>& tables, const QString& folder, const WriteProgress& progress)
{
    if (!QDir().mkpath(folder))
        throw Failure(ErrorNumber::PathNotFound, QStringLiteral("Path not found: %1").arg(folder));
    // Every table is written before any is replaced, so a failure leaves the old set whole
    // rather than a mix of old and new tables.
    std::vector<std::pair<QString, QString>> written;
    try {
        for (const NomenclatureTable& table : tables) {
            const QString path = QDir(folder).filePath(table.fileName);
            written.emplace_back(writeTemporary(table, path), path);
            if (progress)
                progress(int(written.size()), int(tables.size()));
        }
    } catch (...) {
        for (const auto& file : written)
            QFile::remove(file.first);
        throw;
    }
    swapIn(written);
}

} // namespace NomenclatureWriter
