#include "coordlist/CoordinateListHistory.h"

#include <QUndoStack>

namespace {

using Selection = CoordinateList::Selection;
using Rows = std::vector<CoordinateList::Row>;

void appendLength(QByteArray& bytes, quint32 length)
{
    while (length >= 0x80) {
        bytes.append(char(0x80 | (length & 0x7f)));
        length >>= 7;
    }
    bytes.append(char(length));
}

// Rows packed as UTF-8 cells, each led by its length: a third of what the strings cost in memory.
QByteArray pack(Rows::const_iterator first, Rows::const_iterator last)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(last - first) * 40);
    for (auto row = first; row != last; ++row) {
        for (const QString& cell : *row) {
            const QByteArray utf8 = cell.toUtf8();
            appendLength(bytes, quint32(utf8.size()));
            bytes.append(utf8);
        }
    }
    return bytes;
}

Rows unpack(const QByteArray& bytes, int rowCount)
{
    Rows rows;
    rows.resize(std::size_t(rowCount));
    const char* data = bytes.constData();
    qsizetype at = 0;
    for (CoordinateList::Row& row : rows) {
        for (QString& cell : row) {
            quint32 length = 0;
            for (int shift = 0;; shift += 7) {
                const auto byte = quint8(data[at++]);
                length |= quint32(byte & 0x7f) << shift;
                if (!(byte & 0x80))
                    break;
            }
            cell = QString::fromUtf8(data + at, qsizetype(length));
            at += qsizetype(length);
        }
    }
    return rows;
}

// One step: rows first..first+beforeCount-1 as they were, and the afterCount rows that stood
// there afterwards, with the selection of each side.
class RowsChange : public QUndoCommand
{
public:
    enum
    {
        CellEditId = 1
    };

    RowsChange(CoordinateList& list, bool& applying, const QString& name, int first, QByteArray before, int beforeCount,
               QByteArray after, int afterCount, Selection selectionBefore, Selection selectionAfter)
        : QUndoCommand(name), m_list(list), m_applying(applying), m_first(first), m_before(std::move(before)),
          m_after(std::move(after)), m_beforeCount(beforeCount), m_afterCount(afterCount),
          m_selectionBefore(selectionBefore), m_selectionAfter(selectionAfter),
          m_isFormat(name == CoordinateList::CellFormatAction)
    {
    }

    void undo() override { apply(m_afterCount, m_before, m_beforeCount, m_selectionBefore); }

    void redo() override
    {
        // The action itself made the change; the stack calls redo() once when it is pushed.
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        apply(m_beforeCount, m_after, m_afterCount, m_selectionAfter);
    }

    int id() const override
    {
        const bool cellEdit = m_isFormat || text() == QLatin1String("editare celula");
        return cellEdit ? CellEditId : -1;
    }

    // The check of a left cell that rewrites what its edit just wrote belongs to that edit.
    bool mergeWith(const QUndoCommand* command) override
    {
        const auto* next = static_cast<const RowsChange*>(command);
        if (m_isFormat || !next->m_isFormat || next->m_first != m_first || next->m_beforeCount != m_afterCount ||
            next->m_before != m_after)
            return false;
        m_after = next->m_after;
        m_afterCount = next->m_afterCount;
        m_selectionAfter = next->m_selectionAfter;
        return true;
    }

private:
    void apply(int removeCount, const QByteArray& rows, int rowCount, const Selection& selection)
    {
        m_applying = true;
        m_list.replaceRows(m_first, removeCount, unpack(rows, rowCount), selection);
        m_applying = false;
    }

    CoordinateList& m_list;
    bool& m_applying;
    int m_first;
    QByteArray m_before;
    QByteArray m_after;
    int m_beforeCount;
    int m_afterCount;
    Selection m_selectionBefore;
    Selection m_selectionAfter;
    bool m_isFormat;
    bool m_pushed = true;
};

} // namespace

CoordinateListHistory::CoordinateListHistory(CoordinateList& list, QObject* parent)
    : QObject(parent), m_list(list), m_stack(new QUndoStack(this))
{
    m_stack->setUndoLimit(UndoLimit);
    connect(&list, &CoordinateList::userActionStarted, this, &CoordinateListHistory::actionStarted);
    connect(&list, &CoordinateList::userActionFinished, this, &CoordinateListHistory::actionFinished);
    for (auto signal : {&CoordinateList::rowsInserted, &CoordinateList::rowsRemoved, &CoordinateList::resetDone})
        connect(&list, signal, this, &CoordinateListHistory::changedOutsideAction);
    connect(&list, &CoordinateList::cellsChanged, this, &CoordinateListHistory::changedOutsideAction);
}

CoordinateListHistory::~CoordinateListHistory() = default;

void CoordinateListHistory::actionStarted(const QString& name)
{
    // What the grid does while an undo or redo rewrites the rows is no step of its own.
    if (m_applying)
        return;
    m_recording = true;
    m_actionName = name;
    m_rowsBefore.clear();
    m_rowsBefore.reserve(std::size_t(m_list.rowCount()));
    for (int row = 1; row <= m_list.rowCount(); ++row)
        m_rowsBefore.push_back(m_list.row(row));
    m_selectionBefore = m_list.selection();
}

void CoordinateListHistory::actionFinished()
{
    if (!m_recording)
        return;
    m_recording = false;
    const Rows before = std::move(m_rowsBefore);
    m_rowsBefore = Rows();
    const int beforeCount = int(before.size());
    const int afterCount = m_list.rowCount();
    // Only the rows between the unchanged head and the unchanged tail are kept.
    int head = 0;
    while (head < beforeCount && head < afterCount && before[std::size_t(head)] == m_list.row(head + 1))
        ++head;
    int tail = 0;
    while (tail < beforeCount - head && tail < afterCount - head &&
           before[std::size_t(beforeCount - 1 - tail)] == m_list.row(afterCount - tail))
        ++tail;
    if (head == beforeCount && head == afterCount)
        return; // nothing changed
    Rows after;
    after.reserve(std::size_t(afterCount - head - tail));
    for (int row = head + 1; row <= afterCount - tail; ++row)
        after.push_back(m_list.row(row));
    m_stack->push(new RowsChange(m_list, m_applying, m_actionName, head + 1,
                                 pack(before.begin() + head, before.end() - tail), beforeCount - head - tail,
                                 pack(after.begin(), after.end()), int(after.size()), m_selectionBefore,
                                 m_list.selection()));
}

void CoordinateListHistory::changedOutsideAction()
{
    if (m_applying || m_list.isInUserAction())
        return;
    m_stack->clear();
}
