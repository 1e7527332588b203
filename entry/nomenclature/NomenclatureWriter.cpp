#include "entry/nomenclature/NomenclatureTable.h"

#include "app/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <cstdio>

void NomenclatureTable::addRow(std::initializer_list<QVariant> values)
{
    if (values.size() != size_t(fields.size()))
        throw Failure(ErrorNumber::InvalidArgument, QStringLiteral("%1: a row of %2 values for %3 fields")
                                                        .arg(fileName)
                                                        .arg(values.size())
                                                        .arg(fields.size()));
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

void exec(QSqlQuery& query, const QString& sql, const QString& path)
{
    if (!query.exec(sql))
        throw writeFailure(path, query.lastError().text());
}

void writeInto(QSqlDatabase& db, const NomenclatureTable& table, const QString& path)
{
    QSqlQuery query(db);
    exec(query, QStringLiteral("PRAGMA journal_mode = OFF"), path);
    exec(query, QStringLiteral("PRAGMA synchronous = OFF"), path);
    QStringList columns;
    for (int i = 0; i < table.fields.size(); ++i)
        columns << quoted(table.fields.at(i)) + QLatin1Char(' ') + table.types.value(i, QStringLiteral("TEXT"));
    exec(query, QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table.tableName), columns.join(QStringLiteral(", "))),
         path);
    if (!db.transaction())
        throw writeFailure(path, db.lastError().text());
    QStringList marks;
    for (int i = 0; i < table.fields.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(table.tableName), marks.join(QLatin1Char(',')))))
        throw writeFailure(path, insert.lastError().text());
    for (size_t row = 0; row < table.rowCount(); ++row) {
        for (int i = 0; i < table.fields.size(); ++i)
            insert.bindValue(i, table.cell(row, i));
        if (!insert.exec())
            throw writeFailure(path, insert.lastError().text());
    }
    int n = 0;
    for (const QStringList& index : table.indexes) {
        QStringList names;
        for (const QString& field : index)
            names << quoted(field);
        exec(query,
             QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                 .arg(quoted(table.tableName + QStringLiteral("_by_") + QString::number(++n)), quoted(table.tableName),
                      names.join(QStringLiteral(", "))),
             path);
    }
    if (!db.commit())
        throw writeFailure(path, db.lastError().text());
}

} // namespace

void write(const NomenclatureTable& table, const QString& path)
{
    // SQLite would read an unknown quoted field name as a text constant, so check the layout first.
    for (const QStringList& index : table.indexes) {
        for (const QString& field : index) {
            if (!table.fields.contains(field))
                throw Failure(ErrorNumber::InvalidArgument, QStringLiteral("%1: no field %2 to index").arg(path, field));
        }
    }
    if (table.fields.isEmpty() || table.cells.size() % size_t(table.fields.size()) != 0)
        throw Failure(ErrorNumber::InvalidArgument, QStringLiteral("%1: the values do not fill whole rows").arg(path));
    static std::atomic<int> counter{0};
    const QString temporary = path + QStringLiteral(".part");
    QFile::remove(temporary);
    const QString connection = QStringLiteral("nomenclature-writer-%1").arg(++counter);
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(temporary);
            if (!db.open())
                throw writeFailure(path, db.lastError().text());
            try {
                writeInto(db, table, path);
            } catch (...) {
                db.close();
                throw;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    } catch (...) {
        QSqlDatabase::removeDatabase(connection);
        QFile::remove(temporary);
        throw;
    }
    // rename() replaces the old file in one step, so a reader never sees half a table.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        throw writeFailure(path, QStringLiteral("cannot replace the file"));
    }
}

void writeAll(const std::vector<NomenclatureTable>& tables, const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw Failure(ErrorNumber::PathNotFound, QStringLiteral("Path not found: %1").arg(folder));
    for (const NomenclatureTable& table : tables)
        write(table, QDir(folder).filePath(table.fileName));
}

} // namespace NomenclatureWriter
