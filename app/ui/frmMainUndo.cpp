#include "app/ui/frmMain.h"

#include "coordlist/CoordinateListHistory.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "entry/ui/FormGridHistory.h"

#include <QAction>
#include <QUndoStack>

namespace {
// "Anuleaza lipire": the command's word followed by what it takes back or does again.
QString commandText(const QString& word, const QString& what)
{
    return what.isEmpty() ? word : word + QLatin1Char(' ') + what;
}
} // namespace

void frmMain::buildUndoActions()
{
    m_history = new CoordinateListHistory(*m_coordinates->list(), this);
    QUndoStack* stack = m_history->stack();
    // The form's grids push onto the same stack: one history, in the order the user worked.
    m_gridHistory = new FormGridHistory(stack, this);
    for (FormGrid* grid : formGrids())
        m_gridHistory->watch(grid);

    m_undoAction = new QAction(QStringLiteral("Anuleaza"), this);
    m_undoAction->setObjectName(QStringLiteral("mnuUndo"));
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_redoAction = new QAction(QStringLiteral("Reface"), this);
    m_redoAction->setObjectName(QStringLiteral("mnuRedo"));
    m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* action : undoActions())
        action->setShortcutContext(Qt::WindowShortcut);

    auto showState = [this, stack] {
        m_undoAction->setText(commandText(QStringLiteral("Anuleaza"), stack->undoText()));
        m_undoAction->setEnabled(stack->canUndo());
        m_redoAction->setText(commandText(QStringLiteral("Reface"), stack->redoText()));
        m_redoAction->setEnabled(stack->canRedo());
    };
    connect(stack, &QUndoStack::indexChanged, this, showState);
    connect(stack, &QUndoStack::cleanChanged, this, showState);
    showState();
    // A cell still in its editor (a coordinate, a grid's cell) is the newest edit: it is
    // committed first, so it is the one an undo takes back.
    auto commitAll = [this] {
        commitPendingEdit();
        for (FormGrid* grid : formGrids())
            grid->commitPendingEdit();
    };
    connect(m_undoAction, &QAction::triggered, this, [commitAll, stack] {
        commitAll();
        stack->undo();
    });
    connect(m_redoAction, &QAction::triggered, this, [commitAll, stack] {
        commitAll();
        stack->redo();
    });
}

QList<FormGrid*> frmMain::formGrids() const
{
    return {m_form->ownersGrid(), m_form->parcelsGrid(), m_form->buildingsGrid()};
}

QList<QAction*> frmMain::undoActions() const
{
    return {m_undoAction, m_redoAction};
}
