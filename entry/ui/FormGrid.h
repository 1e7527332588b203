#pragma once

#include "entry/FormData.h"

#include <QGroupBox>
#include <QHash>
#include <QStringList>
#include <QTableWidget>

class QToolButton;

// The table of a data grid: QTableWidget that can commit an open cell editor on demand.
class FormTable : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;
    // Ends a pending cell edit, keeping what was typed.
    void commitPendingEdit();
};

// One grid of the data form (owners, parcels or buildings): a caption, a command strip with an
// add and a delete command, and a table whose columns are addressed 1-based. Columns may
// carry a choice list; choosing in it ends the cell edit at once.
class FormGrid : public QGroupBox
{
    Q_OBJECT
public:
    explicit FormGrid(QWidget* parent = nullptr);

    // The two strip commands: keys ("AddParcel", "DeleteParcel", ...) become the buttons'
    // object names and the argument of command().
    void setCommands(const QString& addKey, const QString& addCaption, const QString& deleteKey,
                     const QString& deleteCaption);
    // Replaces the columns' captions, keeping the rows.
    void setColumns(const QStringList& captions);
    void setColumnCaption(int column, const QString& caption);
    // The choices of a column (empty: free text). With labels (one per choice) the list shows
    // the labels and the cell keeps the choice.
    void setChoices(int column, const QStringList& choices, const QStringList& labels = {});
    QStringList choices(int column) const { return m_choices.value(column); }

    int rowCount() const { return m_table->rowCount(); }
    int columnCount() const { return m_table->columnCount(); }
    // 0-based rows, 1-based columns; an absent cell reads as empty.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    void addRow(const QStringList& cells = QStringList());
    void removeRow(int row);
    void clearRows();
    // Replaces every row with `rows` (cells 1-based as rows() gives them); the current row
    // becomes `current` when it exists. Emits rowsReplaced.
    void setRows(const QList<QStringList>& rows, int current = -1);

    // A user action (a strip command, a cell edit) spans begin..end; the changes made in
    // between, also through setCell/addRow, are one action named `name`. Nested calls join the
    // outer action.
    void beginAction(const QString& name);
    void endAction();
    // Between hold and release the changes made outside any user action are reported once, at
    // the release: a document of thousands of rows is shown without a report per row.
    void holdChanges() { ++m_held; }
    void releaseChanges();
    // What a cell edit is called as one action ("editare proprietar").
    void setEditActionName(const QString& name) { m_editActionName = name; }
    // The current row, or -1 when the grid has none.
    int currentRow() const;
    // Makes `row` current and opens the editor of its first cell (its text selected), so what is
    // typed next goes into that cell.
    void startTyping(int row);

    GridRows rows() const;
    // Widens the columns to their captions and cells; the last one takes the rest.
    void fitColumns();
    void commitPendingEdit() { m_table->commitPendingEdit(); }

    FormTable* table() const { return m_table; }
    QToolButton* commandButton(const QString& key) const;

signals:
    // A strip command was clicked.
    void command(const QString& key);
    // The user finished editing a cell (not emitted for changes made through this class).
    void cellEdited(int row, int column);
    // A user action ended (see beginAction).
    void actionFinished(const QString& name);
    // The rows changed through this class outside any user action (a document shown, the
    // areas rewritten by the checks).
    void changedOutsideAction();
    // setRows rewrote the grid.
    void rowsReplaced();

private:
    FormTable* m_table;
    QWidget* m_strip;
    QHash<int, QStringList> m_choices;
    int m_programmatic = 0;
    int m_actionDepth = 0;
    int m_held = 0;
    bool m_changedWhileHeld = false;
    QString m_actionName;
    QString m_editActionName;

    void changedByProgram();
};
