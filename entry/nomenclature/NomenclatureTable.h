#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

// One lookup table ready to be written as a `.DAT` file: its fields (INTEGER or TEXT), its rows
// in stored order and the field groups to index for the data form's filters.
struct NomenclatureTable
{
    QString fileName;  // "Judete.DAT"
    QString tableName; // "Judete"
    QStringList fields;
    QStringList types;           // "INTEGER" or "TEXT", one per field
    std::vector<QVariant> cells; // rows one after the other, one value per field
    std::vector<QStringList> indexes;

    size_t rowCount() const { return fields.isEmpty() ? 0 : cells.size() / size_t(fields.size()); }
    // Appends a row. Throws Failure (InvalidArgument) when it does not hold one value per field.
    void addRow(std::initializer_list<QVariant> values);
    const QVariant& cell(size_t row, int column) const { return cells[row * size_t(fields.size()) + size_t(column)]; }
};

namespace NomenclatureWriter {

// Writes the table as an SQLite database holding one table, replacing `path` only once the new
// file is complete (a failed write leaves the old file whole). Throws Failure on any error.
void write(const NomenclatureTable& table, const QString& path);

// Called after each table is written aside (written 1..total), before any old file is replaced.
using WriteProgress = std::function<void(int written, int total)>;

// Writes every table into `folder` (created when missing) under its file name; the old files
// are replaced only once every new one is complete.
void writeAll(const std::vector<NomenclatureTable>& tables, const QString& folder, const WriteProgress& progress = {});

} // namespace NomenclatureWriter
