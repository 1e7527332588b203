#include "geometry/Transform.h"

#include "base/NumberText.h"
#include "geometry/PolygonAssembler.h"

#include <functional>

#include <cmath>

Transform::Transform(QString decimalSeparator)
    : m_decimalSeparator(decimalSeparator.isEmpty() ? NumberText::systemDecimalSeparator()
                                                    : std::move(decimalSeparator)),
      m_polygons(std::make_shared<Polygons>())
{
}

bool Transform::fail(const Error& error)
{
    m_lastError = error;
    return false;
}

bool Transform::readCoordinate(const QVariant& cell, double* value) const
{
    // A double goes through its text form in the user's locale, as a variant would.
    if (cell.typeId() == QMetaType::Double) {
        *value = NumberText::throughVariantText(cell.toDouble());
        return std::isfinite(*value);
    }
    QString text = cell.toString();
    text.replace(QLatin1Char('.'), m_decimalSeparator);
    return NumberText::parse(text, m_decimalSeparator, value);
}

namespace {

// The rows of a coordinate table, as the polygon assembler reads them.
class TableRows
{
public:
    TableRows(const CoordinateTable& table, const std::function<bool(const QVariant&, double*)>& read)
        : m_table(table), m_read(read)
    {
    }
    int upperRow() const { return m_table.upperRow(); }
    QString name(int row) const { return m_table.text(row, CoordinateTable::EntityColumn); }
    bool complete(int row) const
    {
        return !m_table.isEmpty(row, 1) && !m_table.isEmpty(row, 2) && !m_table.isEmpty(row, 3) &&
               !m_table.isEmpty(row, 4);
    }
    QString number(int row) const { return m_table.text(row, CoordinateTable::NumberColumn); }
    bool coordinates(int row, double* x, double* y) const
    {
        return m_read(m_table.cell(row, CoordinateTable::XColumn), x) &&
               m_read(m_table.cell(row, CoordinateTable::YColumn), y);
    }

private:
    const CoordinateTable& m_table;
    const std::function<bool(const QVariant&, double*)>& m_read;
};

} // namespace

bool Transform::ArrayToPolygonCollection()
{
    if (m_table.upperRow() == 0)
        return true;
    m_polygons = std::make_shared<Polygons>();
    const std::function<bool(const QVariant&, double*)> read = [this](const QVariant& cell, double* value) {
        return readCoordinate(cell, value);
    };
    if (!assemblePolygons(TableRows(m_table, read), *m_polygons))
        return fail(Failure::typeMismatch().error());
    return true;
}

bool Transform::PolygonCollectionToArray()
{
    int total = 0;
    for (const PolygonPtr& polygon : *m_polygons)
        total += polygon->Points() ? polygon->Points()->Count() : 0;
    m_table = CoordinateTable(total);
    int offset = 0;
    for (const PolygonPtr& polygon : *m_polygons) {
        if (!polygon->Points())
            continue;
        int j = 0;
        for (const PointPtr& point : *polygon->Points()) {
            ++j;
            m_table.setCell(offset + j, CoordinateTable::EntityColumn, polygon->Name());
            m_table.setCell(offset + j, CoordinateTable::NumberColumn, point->No());
            m_table.setCell(offset + j, CoordinateTable::XColumn, point->X());
            m_table.setCell(offset + j, CoordinateTable::YColumn, point->Y());
        }
        offset += j;
    }
    return true;
}
