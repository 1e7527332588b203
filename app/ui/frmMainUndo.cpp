#include "app/ui/frmMain.h"

#include "coordlist/CoordinateListHistory.h"
#include "coordlist/ui/EditableList.h"

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
    // A coordinate still in the cell editor is the newest edit: it is committed first, so it is
    // the one an undo takes back.
    connect(m_undoAction, &QAction::triggered, this, [this, stack] {
        commitPendingEdit();
        stack->undo();
    });
    connect(m_redoAction, &QAction::triggered, this, [this, stack] {
        commitPendingEdit();
        stack->redo();
    });

}

QList<QAction*> frmMain::undoActions() const
{
    return {m_undoAction, m_redoAction};
}
