#include "entry/ui/FormGridHistory.h"

#include "entry/ui/FormGrid.h"

#include <QUndoStack>

// One action on one grid: its rows before and after.
class GridRowsChange : public QUndoCommand
{
public:
    GridRowsChange(FormGridHistory& history, FormGrid* grid, const QString& name, QList<QStringList> before,
                   QList<QStringList> after)
        : QUndoCommand(name), m_history(history), m_grid(grid), m_before(std::move(before)), m_after(std::move(after))
    {
    }

    void undo() override { m_history.apply(m_grid, m_before); }
    void redo() override
    {
        // The action itself made the change; the stack calls redo() once when it is pushed.
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        m_history.apply(m_grid, m_after);
    }

private:
    FormGridHistory& m_history;
    QPointer<FormGrid> m_grid;
    QList<QStringList> m_before;
    QList<QStringList> m_after;
    bool m_pushed = true;
};

namespace {
// The first row that differs between the two, where the user's eye should go after an undo;
// -1 when one is a prefix of the other and nothing of the shorter one changed.
int firstDifference(const QList<QStringList>& a, const QList<QStringList>& b)
{
    const int common = int(std::min(a.size(), b.size()));
    for (int row = 0; row < common; ++row) {
        if (a.at(row) != b.at(row))
            return row;
    }
    return a.size() == b.size() ? -1 : common - (b.size() < a.size() ? 1 : 0);
}
} // namespace

FormGridHistory::FormGridHistory(QUndoStack* stack, QObject* parent) : QObject(parent), m_stack(stack) {}

FormGridHistory::~FormGridHistory() = default;

void FormGridHistory::watch(FormGrid* grid)
{
    m_rows.insert(grid, grid->rows().rows);
    connect(grid, &FormGrid::actionFinished, this, [this, grid](const QString& name) { actionFinished(grid, name); });
    connect(grid, &FormGrid::changedOutsideAction, this, [this, grid] {
        if (!m_applying)
            m_rows.insert(grid, grid->rows().rows);
    });
    connect(grid, &QObject::destroyed, this, [this, grid] { m_rows.remove(grid); });
}

void FormGridHistory::actionFinished(FormGrid* grid, const QString& name)
{
    QList<QStringList> after = grid->rows().rows;
    QList<QStringList> before = m_rows.value(grid);
    if (after == before || !m_stack)
        return;
    m_rows.insert(grid, after);
    m_stack->push(new GridRowsChange(*this, grid, name, std::move(before), std::move(after)));
}

void FormGridHistory::apply(FormGrid* grid, const QList<QStringList>& rows)
{
    if (!grid)
        return;
    m_applying = true;
    grid->setRows(rows, firstDifference(grid->rows().rows, rows));
    m_rows.insert(grid, rows);
    m_applying = false;
}
