#pragma once

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

// A parsed filter of a lookup table: equality tests joined by AND. Values are integers only,
// so a filter never needs to be pasted into SQL: the fields are checked against the table and
// the values are bound as parameters.
struct LookUpFilterTest
{
    QString field;
    qlonglong value = 0;
};

struct LookUpFilter
{
    // No tests: all records.
    std::vector<LookUpFilterTest> tests;
    bool isAll() const { return tests.empty(); }
};

// Parses "field = integer [AND field = integer ...]" (blanks optional around "=", AND in any
// letter case between blanks). An empty or blank text gives all records. nullopt when the text
// is not of that form (a value that is not a whole decimal number or does not fit 64 bits, a
// missing or doubled operator, text left over).
std::optional<LookUpFilter> parseLookUpFilter(const QString& text);

// The filter property of a lookup table as a parsed filter: an invalid or null QVariant and the
// number 0 give all records, a text is parsed; any other number or type gives nullopt.
std::optional<LookUpFilter> lookUpFilterFromVariant(const QVariant& filter);

// Whether a variant holds one of the integer types (bool is not one). Filters and record
// values are compared by this rule.
bool holdsInteger(const QVariant& value);
