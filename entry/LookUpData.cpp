#include "entry/LookUpData.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "entry/LookUpFilter.h"

#include <cmath>

namespace {

bool isInteger(const QVariant& v)
{
    return holdsInteger(v) || v.typeId() == QMetaType::Bool;
}

bool isNumber(const QVariant& v)
{
    return isInteger(v) || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
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
    // A name stored in a .CP file comes back with cedillas where the table has commas below.
    if (isText(fieldValue) && isText(value))
        return AnsiText::sameLetters(fieldValue.toString(), value.toString());
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
        throw LookUpTable::unknownField(field);
    if (table.atEnd()) // reads the records, so the count below costs nothing more
        return -1;
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
