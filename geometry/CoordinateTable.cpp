#include "geometry/CoordinateTable.h"

#include "base/Error.h"

CoordinateTable::CoordinateTable(int upperRow)
{
    resize(upperRow);
}

void CoordinateTable::resize(int upperRow)
{
    if (upperRow < 0)
        throw Failure::subscriptOutOfRange();
    m_upperRow = upperRow;
    m_cells.resize(std::size_t(upperRow + 1) * ColumnCount);
}

std::size_t CoordinateTable::offset(int row, int column) const
{
    if (row < 0 || row > m_upperRow || column < 0 || column >= ColumnCount)
        throw Failure::subscriptOutOfRange();
    return std::size_t(row) * ColumnCount + std::size_t(column);
}

const QVariant& CoordinateTable::cell(int row, int column) const
{
    return m_cells[offset(row, column)];
}

void CoordinateTable::setCell(int row, int column, const QVariant& value)
{
    m_cells[offset(row, column)] = value;
}

QString CoordinateTable::text(int row, int column) const
{
    const QVariant& value = cell(row, column);
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(value.constData());
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 17);
    return value.toString();
}

bool CoordinateTable::isEmptyCell(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return static_cast<const QString*>(value.constData())->isEmpty();
    return !value.isValid() || value.isNull();
}

bool CoordinateTable::operator==(const CoordinateTable& other) const
{
    return m_upperRow == other.m_upperRow && m_cells == other.m_cells;
}
