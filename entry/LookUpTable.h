#pragma once

#include "base/Error.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One read-only nomenclature table (a `.DAT` file: an SQLite database holding one table) and
// the records a filter lets through, in stored order.
//
// Opening only connects to the file and reads the field names; the records a filter lets through
// are read when first needed, so opening a large table costs nothing. The records of the last
// filter are kept, and applying the same filter again only moves back to the first record.
// The file is read with the SQLite library itself: the form's cascade runs one small query per
// choice, and a general-purpose SQL layer would cost several times the query.
//
// Failures (a missing or unreadable file, an unknown field name, a malformed filter) throw
// `Failure` to the caller.
class LookUpTable
{
public:
    LookUpTable();
    ~LookUpTable();
    LookUpTable(const LookUpTable&) = delete;
    LookUpTable& operator=(const LookUpTable&) = delete;

    // Opens `fileName` read only. Throws Failure 53 when the file is missing, 75 when it is not
    // a table file this program can read (not SQLite, no table, more than one table).
    void open(const QString& fileName);
    void close();
    bool isOpen() const;
    QString fileName() const { return m_fileName; }

    // The table's field names in stored column order.
    QStringList fieldNames() const { return m_fieldNames; }
    // 0-based column of a field, compared without regard to letter case; -1 when absent.
    int fieldIndex(const QString& name) const;

    // Restricts the records: an invalid QVariant, an empty text or the number 0 lets all
    // records through; otherwise a text "field = integer [AND field = integer ...]". Positions
    // on the first matching record. Throws Failure 3001 for a malformed filter or a number other
    // than 0, 3265 for a field the table does not have; the previous records stay then.
    void applyFilter(const QVariant& filter);

    // Records let through by the last filter (all records before any filter was applied). Throws
    // Failure 75 when the file cannot be read any more.
    int recordCount() const;
    // 0-based current record; equals recordCount() past the last record.
    int position() const { return m_position; }
    void moveFirst() { m_position = 0; }
    void moveNext();
    void moveTo(int position);
    // True when there is no current record (past the last one, or no records at all).
    bool atEnd() const;

    // Value of a field of the current record: integers as qlonglong, texts as QString, an
    // empty SQL value as an invalid QVariant. Throws Failure 3265 for an unknown field name and
    // 3021 when there is no current record.
    QVariant field(const QString& name) const;
    // Value by 0-based record and column, without checks beyond bounds (invalid when outside).
    QVariant value(int record, int column) const;

    // The failure for a field name a table does not have (3265, naming the field).
    static Failure unknownField(const QString& name);

private:
    void readRecords() const;
    void ensureRecordsRead() const
    {
        if (!m_recordsRead)
            readRecords();
    }

    // A prepared statement per query text, reset and bound again on reuse: the cascade runs the
    // same few queries with other values over and over.
    sqlite3_stmt* statement(const QString& sql) const;

    sqlite3* m_db = nullptr;
    mutable QHash<QString, sqlite3_stmt*> m_statements;
    QString m_fileName;
    QString m_tableName;
    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex;      // name as stored -> column
    QHash<QString, int> m_lowerFieldIndex; // lower-case name -> column
    QString m_filterKey;                   // canonical form of the filter last applied
    QString m_where;                       // its WHERE clause, with a parameter per test
    mutable QString m_selectSql;           // the queries of that clause
    mutable QString m_countSql;
    std::vector<qlonglong> m_values; // its values
    // The records are read on first use, and only counted when their number is all that is asked.
    mutable bool m_recordsRead = false;
    mutable int m_count = -1;
    mutable std::vector<QVariant> m_cells; // records * columns, row-major
    mutable int m_position = 0;
};

using LookUpTablePtr = std::shared_ptr<LookUpTable>;
