#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class FormGrid;
class QUndoStack;

// The undo steps of the form's grids, pushed onto a stack the window shares with its other
// histories, so one undo takes back whatever the user changed last. Each user action of a grid
// (a row added or deleted, a cell edited with what its checks rewrote) is one step holding the
// grid's rows before and after: the grids hold tens of rows, not thousands. A change made
// outside any user action (a document shown) only becomes the state the next step starts from.
class FormGridHistory : public QObject
{
    Q_OBJECT
public:
    FormGridHistory(QUndoStack* stack, QObject* parent = nullptr);
    ~FormGridHistory() override;

    void watch(FormGrid* grid);

private:
    friend class GridRowsChange;
    void actionFinished(FormGrid* grid, const QString& name);
    // Puts `rows` into the grid on behalf of an undo or redo.
    void apply(FormGrid* grid, const QList<QStringList>& rows);

    QPointer<QUndoStack> m_stack;
    QHash<FormGrid*, QList<QStringList>> m_rows;
    bool m_applying = false;
};
