#pragma once

#include "base/Error.h"
#include "base/Prompter.h"
#include "base/TextClipboard.h"
#include "geometry/CoordinateTable.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The coordinate list without its grid: point rows of four text cells (entity, point number,
// Est, Nord), the current cell and the selection end, and every list operation with its
// messages. Rows are 1-based (row 0 is the header the grid shows); columns are 0-based:
// 0 entity, 1 number, 2 Est, 3 Nord. The grid (EditableList) and the CLI drive it; the
// clipboard and the decimal separator are injected.
class CoordinateList : public QObject
{
    Q_OBJECT
public:
    enum Column
    {
        EntityColumn = 0,
        NumberColumn = 1,
        EstColumn = 2,
        NordColumn = 3
    };
    static constexpr int ColumnCount = 4;
    // Counts of points are 16-bit: a list never grows past this many rows.
    static constexpr int MaximumRows = 32767;
    using Row = std::array<QString, ColumnCount>;

    // prompter: shows every message and question (may be null: messages are dropped and
    // questions answered Yes). decimalSeparator: read once; the user's by default.
    explicit CoordinateList(Prompter* prompter = nullptr, QString decimalSeparator = QString(),
                            QObject* parent = nullptr);

    void setPrompter(Prompter* prompter) { m_prompter = prompter; }
    Prompter* prompter() const { return m_prompter; }
    const QString& decimalSeparator() const { return m_decimalSeparator; }
    void setDecimalSeparator(const QString& separator) { m_decimalSeparator = separator; }

    // Where copy and cut put their text and paste takes it from.
    TextClipboard& clipboard() { return m_clipboard; }
    const TextClipboard& clipboard() const { return m_clipboard; }

    // Properties.
    int DecimalNumber() const { return m_decimalNumber; }
    void setDecimalNumber(int digits) { m_decimalNumber = digits; }
    const QStringList& Delimiters() const { return m_delimiters; }
    void setDelimiters(const QStringList& delimiters) { m_delimiters = delimiters; }
    bool AutoNumber() const { return m_autoNumber; }
    void setAutoNumber(bool on);
    // All list commands of the menu and the keys; when false only copying a point list and
    // moving rows remain.
    bool ExtraEditor() const { return m_extraEditor; }
    void setExtraEditor(bool on) { m_extraEditor = on; }

    // Reading Data: a table with only row 0 when there are no points (no rows, or one row
    // with an empty number); nothing when a row lacks Est or Nord (error->number 0); nothing
    // with *error set when a coordinate is not a number (13 Type mismatch).
    std::optional<CoordinateTable> Data(Error* error = nullptr) const;
    // Writing Data replaces the whole list (coordinates as text or double; empty counts as 0).
    // Returns false, with the list unchanged, when a coordinate text is not a number or the
    // table is longer than MaximumRows.
    bool setData(const CoordinateTable& table, Error* error = nullptr);

    // Why Data() reads nothing: the first Est or Nord cell, in row order, that is empty or not
    // a number, told as the user sees it (which row, point and column, and what it holds).
    // Empty when Data() reads a table.
    QString unreadableCellMessage() const;

    bool AllowAddNewRow() const;
    bool HaveCoordinates() const;

    // Rows whose entity equals the name ignoring case, and whether there is one.
    int CountEntityRows(const QString& name) const;
    bool EntityExists(const QString& name) const;

    // Operations (they work on the current row or the selection, and report through the
    // prompter).
    void AddNewRow();
    void AddNewEntity(const QString& name);
    void AddEntity();
    void RemoveRow();
    void InsertRowAbove();
    void MoveRowUp();
    void MoveRowDown();
    void Renumber();
    void SwapCols();
    void ClearControl();
    bool CopySelection();
    bool CutSelection();
    bool CopyPointList();
    // Pastes the clipboard text at the current row; false when refused, declined or failed
    // (the list is then unchanged).
    bool PasteFromClipboard();
    bool PasteText(const QString& text);
    QString FormatCoordinate(const QString& text) const; // throws Failure (13) on non-numbers

    // What the grid's cell editor and cell-leave checks do to the list.
    // Commit of the cell editor at (row, column): oldText is the cell's text before the edit.
    void CommitEdit(int row, int column, const QString& oldText, const QString& newText);
    // The check of a coordinate cell that is left (Est or Nord columns only).
    void LeaveCell(int row, int column);

    // Rows and cells.
    int rowCount() const { return int(m_rows.size()); }
    const QString& cell(int row, int column) const { return m_rows[std::size_t(row - 1)][std::size_t(column)]; }
    void setCell(int row, int column, const QString& text);
    const Row& row(int row) const { return m_rows[std::size_t(row - 1)]; }
    bool hasBothCoordinates(int row) const;

    // The selection: the current cell (where the user clicked; its row is the anchor row) and
    // the selection end (its row is the current row). Out-of-range rows are clamped.
    int currentRow() const { return m_endRow; }
    int currentColumn() const { return m_endColumn; }
    int anchorRow() const { return m_anchorRow; }
    int anchorColumn() const { return m_anchorColumn; }
    void setSelection(int anchorRow, int anchorColumn, int endRow, int endColumn);
    void setCurrentCell(int row, int column) { setSelection(row, column, row, column); }
    struct Selection
    {
        int anchorRow = 1;
        int anchorColumn = 0;
        int endRow = 1;
        int endColumn = 0;
    };
    Selection selection() const { return {m_anchorRow, m_anchorColumn, m_endRow, m_endColumn}; }

    // One thing the user did to the list (a paste, a cut, an edit...), however many rows it
    // touches: the history records everything between its start and its end as one step.
    // Scopes nest; only the outermost one counts, under its own name.
    class UserAction
    {
    public:
        UserAction(CoordinateList& list, const QString& name);
        UserAction(UserAction&& other) noexcept : m_list(other.m_list) { other.m_list = nullptr; }
        UserAction(const UserAction&) = delete;
        UserAction& operator=(const UserAction&) = delete;
        UserAction& operator=(UserAction&&) = delete;
        ~UserAction();

    private:
        CoordinateList* m_list;
    };
    // The name of the check that rewrites a coordinate cell in the coordinate format when it is
    // left: the history folds it into the edit of that cell.
    static inline const QString CellFormatAction = QStringLiteral("formatare celula");
    [[nodiscard]] UserAction userAction(const QString& name) { return UserAction(*this, name); }
    bool isInUserAction() const { return m_actionDepth > 0; }

    // Puts `rows` in place of `removeCount` rows from `first` (1-based) and sets the selection:
    // what undo and redo do. Raises CoordinateChanged.
    void replaceRows(int first, int removeCount, std::vector<Row> rows, const Selection& selection);

signals:
    void CoordinateChanged();
    void AutoNumberChanged(bool on);
    // For the item model: structural changes (1-based rows) and cell changes.
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted();
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved();
    void aboutToReset();
    void resetDone();
    void cellsChanged(int firstRow, int lastRow);
    // The operations moved the current cell or the selection end.
    void selectionMoved();
    // The outermost user action begins (name: what the user did, as an undo item names it) and
    // ends.
    void userActionStarted(const QString& name);
    void userActionFinished();

private:
    void message(const QString& text, Prompter::Icon icon = Prompter::Icon::Exclamation);
    void showError(const Error& error, bool noIcon = false);
    bool putOnClipboard(const QString& text);
    void appendRows(int count);
    void removeRowAt(int row);
    void removeRowsAt(int first, int last); // 1-based, inclusive
    void clampSelection();

    Prompter* m_prompter;
    QString m_decimalSeparator;
    TextClipboard m_clipboard;

    int m_decimalNumber = 0;
    QStringList m_delimiters;
    bool m_autoNumber = false;
    bool m_extraEditor = true;

    std::vector<Row> m_rows;
    int m_anchorRow = 1;
    int m_anchorColumn = 0;
    int m_endRow = 1;
    int m_endColumn = 0;
    int m_actionDepth = 0;
};
