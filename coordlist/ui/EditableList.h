#pragma once

#include <QVariantMap>
#include <QWidget>
#include <memory>
#include <optional>

class CoordinateList;
class CoordinateListModel;
class Prompter;
class QAction;
class QLineEdit;
class QMenu;
class QTableView;
class QValidator;

// The coordinate list control: a grid of point rows (entity, point number, Est, Nord) the
// surveyor edits in place, with a pop-up menu and keyboard commands. The rows, their
// properties and every operation live in CoordinateList (list()), which callers use
// directly; this control adds only the grid, the cell editor (txtCell) and the menu.
//
// Wiring in the main window:
//   auto* coordinates = new EditableList(prompter, this);
//   CoordinateList& list = *coordinates->list();
//   list.setAutoNumber(true);
//   list.setDelimiters(settings.delimiters());
//   list.setDecimalNumber(3);
//   connect(coordinates, &EditableList::CoordinateChanged, this, &frmMain::onCoordinateChanged);
//   new document:  list.ClearControl(); list.setData(CoordinateTable(1));
//   loaded:        list.setData(transform.TransformArray());
//   before use:    coordinates->EndCellEdit();
//                  if (list.HaveCoordinates()) if (auto table = list.Data()) ...
class EditableList : public QWidget
{
    Q_OBJECT
public:
    // prompter: shows the list's messages and questions (not owned, it outlives the control).
    // The decimal separator is the user's unless set.
    explicit EditableList(Prompter& prompter, QWidget* parent = nullptr);
    ~EditableList() override;

    CoordinateList* list() const { return m_list; }
    CoordinateListModel* model() const { return m_model; }
    QTableView* grid() const { return m_grid; }
    QLineEdit* cellEditor() const { return m_editor; }
    QMenu* popupMenu() const { return m_menu; }

    // Whether the grid takes clicks, keys and the menu.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // "ExtraEditor" and "Enabled" as the holding window saves them (both default true).
    QVariantMap persistentState() const;
    void restoreState(const QVariantMap& state);

    // Selects every point row from the number column to the last column.
    void SelectAllPoints();

    // The cell editor: opens over the current cell (with the given text, or the cell's own,
    // all selected), and commits. Public for the tests and for the holder that needs to
    // commit before it reads the list.
    void BeginCellEdit(const std::optional<QString>& typed = std::nullopt);
    void EndCellEdit();
    bool isEditing() const { return m_editRow >= 0; }

    // Shows the pop-up menu at a position in the grid's viewport (what a right click does).
    void showPopupMenu(const QPoint& viewportPosition);
    // Sets the menu's item visibility and enabled states as they are when it opens.
    void preparePopupMenu();

signals:
    void CoordinateChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    QAction* addItem(const QString& objectName, const QString& caption, const QString& shortcut);
    bool handleGridKey(class QKeyEvent* event);
    bool isCommandKey(const QKeyEvent* event) const;
    bool handleEditorKey(QKeyEvent* event);
    void viewSelectionChanged();
    void syncViewSelection();
    void placeEditor();

    CoordinateList* m_list;
    CoordinateListModel* m_model;
    QTableView* m_grid;
    QLineEdit* m_editor;
    QValidator* m_coordinateCharacters;
    QMenu* m_menu;
    bool m_enabled = true;
    bool m_syncing = false;
    int m_enteredRow = -1;
    int m_enteredColumn = -1;
    int m_editRow = -1;
    int m_editColumn = -1;
    QString m_editOldText;
};
