#pragma once

#include "coordlist/CoordinateList.h"

#include <QObject>
#include <vector>

class DocumentState;

// Reports the edits of a coordinate list to a DocumentState. Rows written again with the texts
// they held at the last clean point (a cell editor closed without a change) are no edit.
class CoordinateListChanges : public QObject
{
    Q_OBJECT
public:
    CoordinateListChanges(const CoordinateList& list, DocumentState& state, QObject* parent = nullptr);

private:
    void rowsWritten(int first, int last);
    void keepCleanRows();

    const CoordinateList& m_list;
    DocumentState& m_state;
    // The rows as they were at the last clean point.
    std::vector<CoordinateList::Row> m_cleanRows;
};
