#pragma once

#include "coordlist/CoordinateList.h"

#include <QStringList>

// Lists written and read as compact text in tests: rows separated by ";", cells by "|"
// ("TEREN|1|100.000|200.000;C1|2|...").
namespace ListText {

inline QString dump(const CoordinateList& list)
{
    QStringList rows;
    for (int r = 1; r <= list.rowCount(); ++r) {
        const auto& row = list.row(r);
        rows << (row[0] + '|' + row[1] + '|' + row[2] + '|' + row[3]);
    }
    return rows.join(';');
}

inline void fill(CoordinateList& list, const QString& text)
{
    const QStringList rows = text.isEmpty() ? QStringList() : text.split(';');
    CoordinateTable table(int(rows.size()));
    for (int r = 1; r <= rows.size(); ++r) {
        const QStringList cells = rows[r - 1].split('|');
        for (int c = 0; c < 2 && c < cells.size(); ++c)
            table.setCell(r, c + 1, cells[c]);
    }
    list.setData(table);
    // Data writes format the coordinates; put the texts back exactly as given.
    for (int r = 1; r <= rows.size(); ++r) {
        const QStringList cells = rows[r - 1].split('|');
        for (int c = 2; c < 4; ++c)
            list.setCell(r, c, c < cells.size() ? cells[c] : QString());
    }
}

} // namespace ListText
