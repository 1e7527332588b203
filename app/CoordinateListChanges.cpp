#include "app/CoordinateListChanges.h"

#include "app/DocumentState.h"

CoordinateListChanges::CoordinateListChanges(const CoordinateList& list, DocumentState& state, QObject* parent)
    : QObject(parent), m_list(list), m_state(state)
{
    for (auto signal : {&CoordinateList::rowsInserted, &CoordinateList::rowsRemoved, &CoordinateList::resetDone})
        connect(&list, signal, &state, &DocumentState::markChanged);
    connect(&list, &CoordinateList::cellsChanged, this, &CoordinateListChanges::rowsWritten);
    connect(&state, &DocumentState::MarkedClean, this, &CoordinateListChanges::keepCleanRows);
    keepCleanRows();
}

void CoordinateListChanges::keepCleanRows()
{
    m_cleanRows.clear();
    m_cleanRows.reserve(std::size_t(m_list.rowCount()));
    for (int row = 1; row <= m_list.rowCount(); ++row)
        m_cleanRows.push_back(m_list.row(row));
}

void CoordinateListChanges::rowsWritten(int first, int last)
{
    if (m_state.isQuiet())
        return;
    // Rows were added or removed since the clean point, so the rows no longer line up with
    // the kept ones; the document is modified already.
    if (m_state.isModified() || m_list.rowCount() != int(m_cleanRows.size())) {
        m_state.markChanged();
        return;
    }
    for (int row = std::max(first, 1); row <= std::min(last, m_list.rowCount()); ++row) {
        if (m_list.row(row) != m_cleanRows[std::size_t(row - 1)]) {
            m_state.markChanged();
            return;
        }
    }
}
