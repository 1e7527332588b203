#pragma once

#include "coordlist/CoordinateList.h"

#include <QObject>
#include <vector>

class QUndoStack;

// The undo history of a coordinate list: every user action (a paste, a cut, an edit and the
// check of the cell that follows it...) becomes one step of a QUndoStack, however many rows it
// touches. A step keeps only the rows that differ before and after, packed as UTF-8, and the
// stack keeps at most UndoLimit steps, so a paste of the longest list costs a few megabytes.
// A change made outside any user action (a document loaded or started new) starts the history
// afresh: the old steps no longer fit the rows.
class CoordinateListHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int UndoLimit = 100;

    explicit CoordinateListHistory(CoordinateList& list, QObject* parent = nullptr);
    ~CoordinateListHistory() override;

    QUndoStack* stack() const { return m_stack; }

private:
    void actionStarted(const QString& name);
    void actionFinished();
    void changedOutsideAction();

    CoordinateList& m_list;
    QUndoStack* m_stack;
    QString m_actionName;
    std::vector<CoordinateList::Row> m_rowsBefore;
    CoordinateList::Selection m_selectionBefore;
    bool m_recording = false;
    // An undo or redo is rewriting the rows.
    bool m_applying = false;
};
