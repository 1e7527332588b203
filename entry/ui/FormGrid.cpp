#include "entry/ui/FormGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The editor of a choice-list column: a combo box that commits as soon as a value is chosen.
class ChoiceDelegate : public QStyledItemDelegate
{
public:
    ChoiceDelegate(const QStringList& choices, const QStringList& labels, QObject* parent)
        : QStyledItemDelegate(parent), m_choices(choices), m_labels(labels.size() == choices.size() ? labels : choices)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* combo = new QComboBox(parent);
        for (int i = 0; i < m_choices.size(); ++i)
            combo->addItem(m_labels.at(i), m_choices.at(i));
        connect(combo, &QComboBox::activated, this, [this, combo](int) {
            auto* self = const_cast<ChoiceDelegate*>(this);
            emit self->commitData(combo);
            emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
        });
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* combo = static_cast<QComboBox*>(editor);
        combo->setCurrentIndex(combo->findData(index.data(Qt::EditRole).toString(), Qt::UserRole, Qt::MatchExactly));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const auto* combo = static_cast<QComboBox*>(editor);
        if (combo->currentIndex() >= 0)
            model->setData(index, combo->currentData().toString(), Qt::EditRole);
    }

private:
    QStringList m_choices;
    QStringList m_labels;
};

} // namespace

void FormTable::commitPendingEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    while (editor && editor->parentWidget() != viewport())
        editor = editor->parentWidget();
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

FormGrid::FormGrid(QWidget* parent) : QGroupBox(parent), m_table(new FormTable(this)), m_strip(new QWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    auto* stripLayout = new QHBoxLayout(m_strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->addStretch();
    layout->addWidget(m_strip);
    layout->addWidget(m_table);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumHeight(90);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_programmatic != 0)
            return;
        // What the cell's own checks rewrite after the edit belongs to the same action.
        beginAction(m_editActionName);
        emit cellEdited(item->row(), item->column() + 1);
        endAction();
    });
}

void FormGrid::setCommands(const QString& addKey, const QString& addCaption, const QString& deleteKey,
                           const QString& deleteCaption)
{
    auto* layout = static_cast<QHBoxLayout*>(m_strip->layout());
    int position = 0;
    for (const auto& [key, caption] : {std::pair{addKey, addCaption}, std::pair{deleteKey, deleteCaption}}) {
        auto* button = new QToolButton(m_strip);
        button->setObjectName(key);
        button->setText(caption);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, key = key] { emit command(key); });
        layout->insertWidget(position++, button);
    }
}

QToolButton* FormGrid::commandButton(const QString& key) const
{
    return m_strip->findChild<QToolButton*>(key);
}

void FormGrid::setColumns(const QStringList& captions)
{
    ++m_programmatic;
    m_table->setColumnCount(int(captions.size()));
    m_table->setHorizontalHeaderLabels(captions);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            if (!m_table->item(row, column))
                m_table->setItem(row, column, new QTableWidgetItem);
        }
    }
    --m_programmatic;
    for (int column = 1; column <= int(captions.size()); ++column) {
        if (m_table->itemDelegateForColumn(column - 1) && !m_choices.contains(column))
            m_table->setItemDelegateForColumn(column - 1, nullptr);
    }
    fitColumns();
}

void FormGrid::fitColumns()
{
    QHeaderView* header = m_table->horizontalHeader();
    const int last = m_table->columnCount() - 1;
    for (int column = 0; column <= last; ++column) {
        header->setSectionResizeMode(column, column == last ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (column < last) {
            m_table->resizeColumnToContents(column);
            header->resizeSection(column, std::max(header->sectionSize(column) + 8, 70));
        }
    }
}

void FormGrid::setColumnCaption(int column, const QString& caption)
{
    if (QTableWidgetItem* header = m_table->horizontalHeaderItem(column - 1))
        header->setText(caption);
    else
        m_table->setHorizontalHeaderItem(column - 1, new QTableWidgetItem(caption));
}

void FormGrid::setChoices(int column, const QStringList& choices, const QStringList& labels)
{
    QAbstractItemDelegate* old = m_table->itemDelegateForColumn(column - 1);
    if (choices.isEmpty()) {
        m_choices.remove(column);
        m_table->setItemDelegateForColumn(column - 1, nullptr);
    } else {
        m_choices.insert(column, choices);
        m_table->setItemDelegateForColumn(column - 1, new ChoiceDelegate(choices, labels, this));
    }
    if (old)
        old->deleteLater();
}

QString FormGrid::cell(int row, int column) const
{
    const QTableWidgetItem* item = m_table->item(row, column - 1);
    return item ? item->text() : QString();
}

void FormGrid::setCell(int row, int column, const QString& text)
{
    ++m_programmatic;
    if (QTableWidgetItem* item = m_table->item(row, column - 1))
        item->setText(text);
    else
        m_table->setItem(row, column - 1, new QTableWidgetItem(text));
    --m_programmatic;
    changedByProgram();
}

void FormGrid::addRow(const QStringList& cells)
{
    ++m_programmatic;
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_table->setItem(row, column, new QTableWidgetItem(column < cells.size() ? cells.at(column) : QString()));
    --m_programmatic;
    changedByProgram();
}

void FormGrid::removeRow(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->removeRow(row);
    changedByProgram();
}

void FormGrid::clearRows()
{
    if (m_table->rowCount() == 0)
        return;
    m_table->setRowCount(0);
    changedByProgram();
}

void FormGrid::setRows(const QList<QStringList>& rows, int current)
{
    ++m_programmatic;
    m_table->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            const QString text = column < rows.at(row).size() ? rows.at(row).at(column) : QString();
            if (QTableWidgetItem* item = m_table->item(row, column))
                item->setText(text);
            else
                m_table->setItem(row, column, new QTableWidgetItem(text));
        }
    }
    --m_programmatic;
    if (current >= 0 && current < m_table->rowCount())
        m_table->setCurrentCell(current, std::max(m_table->currentColumn(), 0));
    emit rowsReplaced();
    changedByProgram();
}

void FormGrid::beginAction(const QString& name)
{
    if (m_actionDepth++ == 0)
        m_actionName = name;
}

void FormGrid::endAction()
{
    if (m_actionDepth > 0 && --m_actionDepth == 0)
        emit actionFinished(m_actionName);
}

void FormGrid::changedByProgram()
{
    if (m_actionDepth != 0)
        return;
    if (m_held > 0)
        m_changedWhileHeld = true;
    else
        emit changedOutsideAction();
}

void FormGrid::releaseChanges()
{
    if (m_held > 0 && --m_held == 0 && m_changedWhileHeld) {
        m_changedWhileHeld = false;
        emit changedOutsideAction();
    }
}

int FormGrid::currentRow() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_table->rowCount() ? row : -1;
}

void FormGrid::startTyping(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    QTableWidgetItem* first = m_table->item(row, 0);
    m_table->setCurrentCell(row, 0);
    m_table->scrollToItem(first);
    m_table->setFocus(Qt::OtherFocusReason);
    if (first)
        m_table->editItem(first);
}

GridRows FormGrid::rows() const
{
    GridRows grid;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column <= m_table->columnCount(); ++column)
            cells.append(cell(row, column));
        grid.rows.append(cells);
    }
    return grid;
}

#include "moc_FormGrid.cpp"
