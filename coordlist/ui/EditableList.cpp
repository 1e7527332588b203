#include "coordlist/ui/EditableList.h"

#include "base/NumberText.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/CoordinateListModel.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

namespace {
const QColor Yellow(255, 255, 0);
const QColor GridLine(192, 192, 192);
constexpr int TwipsPerPixel = 15;

// Paints the cells: the current cell yellow, the selection light, grid lines, and the runs of
// equal entity names as one merged cell whose name shows at the top of the run (or at the top
// of the view when the run starts above it).
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(QTableView* view, CoordinateList* list) : QStyledItemDelegate(view), m_view(view), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int row = index.row() + 1;
        const int column = index.column();
        const QRect rect = option.rect;
        QColor background = Qt::white;
        QColor foreground = option.palette.color(QPalette::Text);
        if (row == m_list->anchorRow() && column == m_list->anchorColumn()) {
            background = Yellow;
        } else if (option.state & QStyle::State_Selected) {
            background = option.palette.color(QPalette::Highlight);
            foreground = option.palette.color(QPalette::HighlightedText);
        }
        painter->fillRect(rect, background);

        bool showText = true;
        bool bottomLine = true;
        if (column == CoordinateList::EntityColumn) {
            const QString& name = m_list->cell(row, column);
            const int firstVisible = m_view->rowAt(0) + 1;
            showText = row == 1 || row == firstVisible || m_list->cell(row - 1, column) != name;
            bottomLine = row == m_list->rowCount() || m_list->cell(row + 1, column) != name;
        }
        if (showText) {
            painter->setPen(foreground);
            painter->setFont(option.font);
            painter->drawText(
                rect.adjusted(3, 1, -2, 0), Qt::AlignLeft | Qt::AlignTop,
                option.fontMetrics.elidedText(m_list->cell(row, column), Qt::ElideRight, rect.width() - 5));
        }
        painter->setPen(GridLine);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        if (bottomLine)
            painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    }

private:
    QTableView* m_view;
    CoordinateList* m_list;
};

bool isCoordinateColumn(int column)
{
    return column == CoordinateList::EstColumn || column == CoordinateList::NordColumn;
}

// What the editor of a coordinate cell lets in, however the text arrives (typed, pasted with
// Ctrl+V, Shift+Insert or the middle button, dropped): the characters the numeric key filter
// passes, and a minus sign at the start as a negative coordinate of the list may have.
class CoordinateCharacters : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        QString kept;
        kept.reserve(input.size());
        int keptPosition = position;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            const bool passes = c.unicode() >= 32 && NumberText::numericKeyFilter(c.unicode()) != 0;
            if (passes || (i == 0 && c == QLatin1Char('-')))
                kept += c;
            else if (i < position)
                --keptPosition;
        }
        input = kept;
        position = keptPosition;
        return Acceptable;
    }
};
} // namespace

EditableList::EditableList(Prompter& prompter, QWidget* parent) : QWidget(parent)
{
    m_list = new CoordinateList(&prompter, NumberText::systemDecimalSeparator(), this);
    m_list->clipboard().setSource([] { return QGuiApplication::clipboard()->text(); },
                                  [](const QString& text) {
                                      QClipboard* clipboard = QGuiApplication::clipboard();
                                      clipboard->clear();
                                      clipboard->setText(text);
                                  });
    // While the list inserts or removes rows the view moves its own selection along; the list
    // says where the selection goes afterwards (selectionMoved), so those moves are not news.
    // Connected before the model so that the view's reactions already find the flag set.
    auto quiet = [this] { m_syncing = true; };
    // An open edit is committed before its row can move away (and before the model starts
    // removing rows, so the commit's own change is not nested in the removal).
    connect(m_list, &CoordinateList::rowsAboutToBeRemoved, this, [this] { EndCellEdit(); });
    connect(m_list, &CoordinateList::rowsAboutToBeInserted, this, [this] { EndCellEdit(); });
    connect(m_list, &CoordinateList::rowsAboutToBeInserted, this, quiet);
    connect(m_list, &CoordinateList::rowsAboutToBeRemoved, this, quiet);
    connect(m_list, &CoordinateList::aboutToReset, this, quiet);
    m_model = new CoordinateListModel(m_list, this);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdList"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new CellDelegate(m_grid, m_list));
    m_grid->setShowGrid(false);
    m_grid->setWordWrap(false);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->setColumnWidth(CoordinateList::EntityColumn, 80);
    // 1100 twips, or the caption's width where the font is larger than the one twips assume.
    m_grid->setColumnWidth(
        CoordinateList::NumberColumn,
        std::max(1100 / TwipsPerPixel, m_grid->horizontalHeader()->fontMetrics().horizontalAdvance(
                                           CoordinateListModel::caption(CoordinateList::NumberColumn)) +
                                           12));
    m_grid->setColumnWidth(CoordinateList::EstColumn, 100);
    m_grid->setColumnWidth(CoordinateList::NordColumn, 100);

    auto* layout = new QVBoxLayout(this);
    const int margin = 50 / TwipsPerPixel;
    layout->setContentsMargins(0, 0, margin, margin);
    layout->addWidget(m_grid);

    m_editor = new QLineEdit(m_grid->viewport());
    m_editor->setObjectName(QStringLiteral("txtCell"));
    m_editor->setFrame(false);
    m_editor->hide();
    m_coordinateCharacters = new CoordinateCharacters(m_editor);

    buildMenu();

    m_grid->installEventFilter(this);
    m_editor->installEventFilter(this);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &EditableList::viewSelectionChanged);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &EditableList::viewSelectionChanged);
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { EndCellEdit(); });
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { EndCellEdit(); });
    connect(m_grid, &QTableView::doubleClicked, this, [this] { BeginCellEdit(); });
    connect(m_grid, &QWidget::customContextMenuRequested, this, &EditableList::showPopupMenu);
    connect(m_list, &CoordinateList::CoordinateChanged, this, &EditableList::CoordinateChanged);
    connect(m_list, &CoordinateList::selectionMoved, this, &EditableList::syncViewSelection);
    // A changed name changes how the run around it merges; repainting the view is cheap.
    connect(m_model, &QAbstractItemModel::dataChanged, m_grid->viewport(), qOverload<>(&QWidget::update));
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_editRow = m_editColumn = -1;
        m_editor->hide();
    });
    auto loud = [this] { m_syncing = false; };
    connect(m_list, &CoordinateList::rowsInserted, this, loud);
    connect(m_list, &CoordinateList::rowsRemoved, this, loud);
    connect(m_list, &CoordinateList::resetDone, this, loud);

    syncViewSelection();
    m_enteredRow = m_list->anchorRow();
    m_enteredColumn = m_list->anchorColumn();
}

EditableList::~EditableList() = default;

void EditableList::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_grid->setEnabled(enabled);
}

QVariantMap EditableList::persistentState() const
{
    return {{QStringLiteral("ExtraEditor"), m_list->ExtraEditor()}, {QStringLiteral("Enabled"), Enabled()}};
}

void EditableList::restoreState(const QVariantMap& state)
{
    m_list->setExtraEditor(state.value(QStringLiteral("ExtraEditor"), true).toBool());
    setEnabled(state.value(QStringLiteral("Enabled"), true).toBool());
}

void EditableList::SelectAllPoints()
{
    if (m_list->rowCount() == 0)
        return;
    m_grid->setUpdatesEnabled(false);
    m_list->setSelection(1, CoordinateList::NumberColumn, m_list->rowCount(), CoordinateList::NordColumn);
    syncViewSelection();
    m_grid->verticalScrollBar()->setValue(0);
    m_grid->setUpdatesEnabled(true);
}

// ---- selection ----

void EditableList::viewSelectionChanged()
{
    if (m_syncing)
        return;
    EndCellEdit();
    const QModelIndex current = m_grid->selectionModel()->currentIndex();
    if (!current.isValid())
        return;
    int anchorRow = current.row();
    int anchorColumn = current.column();
    const QItemSelection selection = m_grid->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection) {
        if (!range.contains(current))
            continue;
        // The current index is the moving corner of the block; the anchor is the opposite one.
        anchorRow = current.row() == range.top() ? range.bottom() : range.top();
        anchorColumn = current.column() == range.left() ? range.right() : range.left();
        break;
    }
    m_list->setSelection(anchorRow + 1, anchorColumn, current.row() + 1, current.column());
    if (m_list->anchorRow() != m_enteredRow || m_list->anchorColumn() != m_enteredColumn) {
        const int leftRow = m_enteredRow;
        const int leftColumn = m_enteredColumn;
        m_enteredRow = m_list->anchorRow();
        m_enteredColumn = m_list->anchorColumn();
        m_list->LeaveCell(leftRow, leftColumn);
    }
    m_grid->viewport()->update();
}

void EditableList::syncViewSelection()
{
    if (m_syncing)
        return;
    m_syncing = true;
    QItemSelectionModel* selection = m_grid->selectionModel();
    if (m_list->rowCount() > 0) {
        const QModelIndex anchor = m_model->index(m_list->anchorRow() - 1, m_list->anchorColumn());
        const QModelIndex end = m_model->index(m_list->currentRow() - 1, m_list->currentColumn());
        selection->setCurrentIndex(end, QItemSelectionModel::NoUpdate);
        selection->select(QItemSelection(anchor, end), QItemSelectionModel::ClearAndSelect);
    } else {
        selection->clear();
    }
    m_enteredRow = m_list->anchorRow();
    m_enteredColumn = m_list->anchorColumn();
    m_syncing = false;
    m_grid->viewport()->update();
}

// ---- the cell editor ----

void EditableList::placeEditor()
{
    const QModelIndex index = m_model->index(m_editRow - 1, m_editColumn);
    m_editor->setGeometry(m_grid->visualRect(index));
}

void EditableList::BeginCellEdit(const std::optional<QString>& typed)
{
    if (m_editRow >= 0 || m_list->rowCount() == 0 || !m_enabled)
        return;
    // Scrolled into view before the edit opens: a scroll commits the open edit, which would
    // write the editor's stale text into this cell.
    m_grid->scrollTo(m_model->index(m_list->anchorRow() - 1, m_list->anchorColumn()));
    m_editRow = m_list->anchorRow();
    m_editColumn = m_list->anchorColumn();
    m_editOldText = m_list->cell(m_editRow, m_editColumn);
    placeEditor();
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, Yellow);
    m_editor->setPalette(palette);
    m_editor->setValidator(isCoordinateColumn(m_editColumn) ? m_coordinateCharacters : nullptr);
    if (typed) {
        m_editor->setText(*typed);
        m_editor->setCursorPosition(int(typed->size()));
    } else {
        m_editor->setText(m_editOldText);
        m_editor->selectAll();
    }
    m_editor->show();
    m_editor->setFocus();
}

void EditableList::EndCellEdit()
{
    if (m_editRow < 0)
        return;
    const int row = m_editRow;
    const int column = m_editColumn;
    const QString oldText = m_editOldText;
    const QString text = m_editor->text();
    // Forget the edit first: the messages of the commit move the focus, which commits again.
    m_editRow = m_editColumn = -1;
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, Qt::white);
    m_editor->setPalette(palette);
    const bool hadFocus = m_editor->hasFocus();
    m_editor->hide();
    if (hadFocus)
        m_grid->setFocus();
    m_list->CommitEdit(row, column, oldText, text);
}

bool EditableList::handleEditorKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndCellEdit();
        return true;
    default:
        break;
    }
    // Keys with Ctrl or Alt are commands (paste, undo), whatever text the platform gives them;
    // what a paste brings in passes the editor's validator.
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (isCoordinateColumn(m_editColumn) && !command && !event->text().isEmpty()) {
        const int code = event->text().at(0).unicode();
        if (code >= 32 || code == 8) {
            if (NumberText::numericKeyFilter(code) == 0)
                return true;
        }
    }
    return false;
}

// ---- keyboard ----

// Moving a row takes Alt+Up and Alt+Down (Ctrl+J still moves down): Ctrl+S is the window's
// save, which surveyors press out of habit and which must never reorder a contour.
bool EditableList::isCommandKey(const QKeyEvent* event) const
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::ControlModifier)
        return key == Qt::Key_A || key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X || key == Qt::Key_J;
    if (modifiers == Qt::AltModifier)
        return key == Qt::Key_Up || key == Qt::Key_Down;
    if (modifiers == Qt::NoModifier)
        return key == Qt::Key_Delete || key == Qt::Key_F2 || key == Qt::Key_F3 || key == Qt::Key_F4;
    return false;
}

bool EditableList::handleGridKey(QKeyEvent* event)
{
    if (isCommandKey(event)) {
        const bool extra = m_list->ExtraEditor();
        const bool ctrl = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
        switch (event->key()) {
        case Qt::Key_Up:
            m_list->MoveRowUp();
            return true;
        case Qt::Key_Down:
        case Qt::Key_J:
            m_list->MoveRowDown();
            return true;
        default:
            break;
        }
        if (!extra)
            return true; // the other commands are off, and the view's own must not run either
        if (ctrl) {
            switch (event->key()) {
            case Qt::Key_A:
                SelectAllPoints();
                break;
            case Qt::Key_C:
                m_list->CopySelection();
                break;
            case Qt::Key_V:
                m_list->PasteFromClipboard();
                break;
            case Qt::Key_X:
                m_list->CutSelection();
                break;
            default:
                break;
            }
            return true;
        }
        switch (event->key()) {
        case Qt::Key_Delete:
            m_list->RemoveRow();
            break;
        case Qt::Key_F2:
            m_list->AddNewRow();
            break;
        case Qt::Key_F3:
            m_list->AddEntity();
            break;
        case Qt::Key_F4:
            m_list->InsertRowAbove();
            break;
        default:
            break;
        }
        return true;
    }
    // A typed character opens the editor with it; in the coordinate columns only what the
    // numeric filter lets through.
    const QString text = event->text();
    if (text.size() != 1 || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    int code = text.at(0).unicode();
    if (isCoordinateColumn(m_list->currentColumn()))
        code = NumberText::numericKeyFilter(code);
    if (code == '.' || code == ',' || code >= 48) {
        BeginCellEdit(QString(QChar(code)));
        return true;
    }
    return code != 0 && code < 32 ? false : true;
}

bool EditableList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid) {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* keyEvent = static_cast<QKeyEvent*>(event);
            if (isCommandKey(keyEvent)) {
                event->accept();
                return true;
            }
        } else if (event->type() == QEvent::KeyPress) {
            return handleGridKey(static_cast<QKeyEvent*>(event));
        }
    } else if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress) {
            return handleEditorKey(static_cast<QKeyEvent*>(event));
        } else if (event->type() == QEvent::ShortcutOverride) {
            // Keys typed into the editor are text, not window shortcuts; saving is the exception.
            if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Save))
                event->accept();
            return false;
        } else if (event->type() == QEvent::FocusOut) {
            auto* focusEvent = static_cast<QFocusEvent*>(event);
            if (focusEvent->reason() != Qt::PopupFocusReason)
                EndCellEdit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- pop-up menu ----

QAction* EditableList::addItem(const QString& objectName, const QString& caption, const QString& shortcut)
{
    QAction* action = m_menu->addAction(shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut);
    action->setObjectName(objectName);
    return action;
}

void EditableList::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("mnuList"));
    auto separator = [this] { m_menu->addSeparator()->setObjectName(QStringLiteral("mnuSeparator")); };
    connect(addItem(QStringLiteral("mnuAddRow"), QStringLiteral("Adauga punct"), QStringLiteral("F2")),
            &QAction::triggered, m_list, &CoordinateList::AddNewRow);
    connect(addItem(QStringLiteral("mnuAddEntity"), QStringLiteral("Adauga entitate"), QStringLiteral("F3")),
            &QAction::triggered, m_list, &CoordinateList::AddEntity);
    connect(addItem(QStringLiteral("mnuInsert"), QStringLiteral("Adauga punct deasupra"), QStringLiteral("F4")),
            &QAction::triggered, m_list, &CoordinateList::InsertRowAbove);
    separator();
    QAction* autoNumber =
        addItem(QStringLiteral("mnuAutoNumber"), QStringLiteral("Numerotare automata numar punct "), QString());
    autoNumber->setCheckable(true);
    autoNumber->setChecked(m_list->AutoNumber());
    connect(autoNumber, &QAction::triggered, m_list, [this](bool checked) { m_list->setAutoNumber(checked); });
    connect(m_list, &CoordinateList::AutoNumberChanged, autoNumber, &QAction::setChecked);
    separator();
    connect(addItem(QStringLiteral("mnuRenumber"), QStringLiteral("Renumerotare numar punct"), QString()),
            &QAction::triggered, m_list, &CoordinateList::Renumber);
    separator();
    connect(addItem(QStringLiteral("mnuCut"), QStringLiteral("Cut"), QStringLiteral("Ctrl+X")), &QAction::triggered,
            m_list, &CoordinateList::CutSelection);
    connect(addItem(QStringLiteral("mnuCopy"), QStringLiteral("Copy"), QStringLiteral("Ctrl+C")), &QAction::triggered,
            m_list, &CoordinateList::CopySelection);
    connect(addItem(QStringLiteral("mnuCopyPointList"), QStringLiteral("Copiaza lista coordonate"), QString()),
            &QAction::triggered, m_list, &CoordinateList::CopyPointList);
    connect(addItem(QStringLiteral("mnuPaste"), QStringLiteral("Paste"), QStringLiteral("Ctrl+V")), &QAction::triggered,
            m_list, &CoordinateList::PasteFromClipboard);
    separator();
    connect(addItem(QStringLiteral("mnuRemove"), QStringLiteral("Sterge"), QStringLiteral("Del")), &QAction::triggered,
            m_list, &CoordinateList::RemoveRow);
    separator();
    connect(addItem(QStringLiteral("mnuMoveUp"), QStringLiteral("Muta sus"), QStringLiteral("Alt+Up")),
            &QAction::triggered, m_list, &CoordinateList::MoveRowUp);
    connect(addItem(QStringLiteral("mnuMoveDown"), QStringLiteral("Muta jos"), QStringLiteral("Alt+Down")),
            &QAction::triggered, m_list, &CoordinateList::MoveRowDown);
}

void EditableList::preparePopupMenu()
{
    const bool extra = m_list->ExtraEditor();
    for (QAction* action : m_menu->actions()) {
        const QString name = action->objectName();
        const bool always = name == QLatin1String("mnuCopyPointList") || name == QLatin1String("mnuMoveUp") ||
                            name == QLatin1String("mnuMoveDown");
        action->setVisible(always || extra);
        if (name == QLatin1String("mnuPaste"))
            action->setEnabled(!m_list->clipboard().text().isEmpty());
        else if (name == QLatin1String("mnuAddRow"))
            action->setEnabled(m_list->AllowAddNewRow());
        else if (name == QLatin1String("mnuInsert"))
            action->setEnabled(m_list->currentRow() != 1);
        else if (name == QLatin1String("mnuCopyPointList"))
            action->setEnabled(m_list->currentColumn() == CoordinateList::EntityColumn);
    }
}

void EditableList::showPopupMenu(const QPoint& viewportPosition)
{
    EndCellEdit();
    preparePopupMenu();
    m_menu->popup(m_grid->viewport()->mapToGlobal(viewportPosition));
}
