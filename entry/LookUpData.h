#pragma once

#include "entry/LookUpTable.h"

#include <QString>
#include <QVariant>

// A lookup table of the data form: its file, its filter and whether an empty value is a valid
// choice. Usage: setFileName (and setCanHaveNullValue), CreateLookUp() once, then any number of
// times setFilter() and rsLookUp() or Search().
class LookUpData
{
public:
    LookUpData();
    ~LookUpData();
    LookUpData(const LookUpData&) = delete;
    LookUpData& operator=(const LookUpData&) = delete;

    // Full path of the table file.
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Restriction applied whenever the records are handed out: an invalid QVariant (nothing),
    // a filter text such as "admin_id = 1017 AND ie_code = 1", or the number 0 (all records).
    // Stored as given; it is checked when rsLookUp() or Search() applies it.
    QVariant Filter() const { return m_filter; }
    void setFilter(const QVariant& filter) { m_filter = filter; }
    void clearFilter() { m_filter = QVariant(); }

    // An empty value counts as a valid choice when a stored document is shown.
    bool CanHaveNullValue() const { return m_canHaveNullValue; }
    void setCanHaveNullValue(bool value) { m_canHaveNullValue = value; }

    // Opens the table named by FileName() in a new table object. Throws Failure when the file
    // is missing or unreadable (the held table is then an unopened one).
    void CreateLookUp();

    // The open table after applying Filter(), positioned on its first matching record.
    // Throws Failure for a malformed filter or an unknown field (see LookUpTable::applyFilter).
    LookUpTable& rsLookUp();
    void setrsLookUp(LookUpTablePtr table);

    // 0-based position, in the filtered table and stored order, of the first record whose
    // `field` equals `value`; -1 when none does (also when the filter matches nothing).
    // Texts compare exactly and case-sensitively, except that Ș/Ş, ș/ş, Ț/Ţ and ț/ţ are one
    // letter (a name read back from a .CP file has cedillas); numbers compare as numbers, a
    // number against a text that reads as a number as numbers; an empty field or an invalid
    // value equals nothing.
    // Throws Failure for an unknown field, and 6 (overflow) for a position above 32767.
    qint16 Search(const QString& field, const QVariant& value);

private:
    QString m_fileName;
    QVariant m_filter;
    bool m_canHaveNullValue = false;
    LookUpTablePtr m_table;
};

// Whether a stored field value equals a searched value under the rules of LookUpData::Search.
bool lookUpValuesEqual(const QVariant& fieldValue, const QVariant& value);
