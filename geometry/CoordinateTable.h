#pragma once

#include <QVariant>
#include <vector>

// The flat table of contour points shared by the coordinate list, Transform and the .CP file:
// rows 0..R, columns 0..4 of variant cells (empty, text or double). Row 0 and column 0 stay
// empty; each row 1..R is one point: 1 entity name, 2 point number, 3 X ("Est"), 4 Y ("Nord").
class CoordinateTable
{
public:
    static constexpr int ColumnCount = 5;
    enum Column
    {
        EntityColumn = 1,
        NumberColumn = 2,
        XColumn = 3,
        YColumn = 4
    };

    // A table with rows 0..upperRow, all cells empty.
    explicit CoordinateTable(int upperRow = 0);

    // R, the upper row bound (0 when the table holds no point rows).
    int upperRow() const { return m_upperRow; }

    // Changes the upper row bound, keeping the rows that remain.
    void resize(int upperRow);

    // Cell access; error 9 outside rows 0..R or columns 0..4.
    const QVariant& cell(int row, int column) const;
    void setCell(int row, int column, const QVariant& value);

    // The cell's text ("" for an empty cell; a double as its shortest exact text).
    QString text(int row, int column) const;

    // True for a cell that was never set, or holds a null variant or empty text.
    static bool isEmptyCell(const QVariant& value);
    bool isEmpty(int row, int column) const { return isEmptyCell(cell(row, column)); }

    bool operator==(const CoordinateTable& other) const;
    bool operator!=(const CoordinateTable& other) const { return !(*this == other); }

private:
    std::size_t offset(int row, int column) const;

    int m_upperRow = 0;
    std::vector<QVariant> m_cells;
};
