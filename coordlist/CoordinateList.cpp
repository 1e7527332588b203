#include "coordlist/CoordinateList.h"

#include "base/NumberText.h"
#include "coordlist/CoordinateFormat.h"
#include "coordlist/PasteText.h"
#include "model/Contours.h"

#include <algorithm>

namespace {
const QString OverBound = QStringLiteral("Valoarea coordonatelor depaseste ordinul milioanelor.");
const QString CrLf = QStringLiteral("\r\n");

bool isBlank(const QString& text)
{
    for (QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}
} // namespace

CoordinateList::CoordinateList(Prompter* prompter, QString decimalSeparator, QObject* parent)
    : QObject(parent), m_prompter(prompter),
      m_decimalSeparator(decimalSeparator.isEmpty() ? NumberText::systemDecimalSeparator()
                                                    : std::move(decimalSeparator))
{
    m_rows.resize(1); // a fresh list has one empty point row
}

bool CoordinateList::putOnClipboard(const QString& text)
{
    m_clipboard.setText(text);
    return true;
}

void CoordinateList::setAutoNumber(bool on)
{
    if (m_autoNumber == on)
        return;
    m_autoNumber = on;
    emit AutoNumberChanged(on);
}

void CoordinateList::message(const QString& text, Prompter::Icon icon)
{
    if (m_prompter)
        m_prompter->error(text, icon);
}

void CoordinateList::showError(const Error& error, bool noIcon)
{
    message(error.text(), noIcon ? Prompter::Icon::None : Prompter::Icon::Exclamation);
}

void CoordinateList::setCell(int row, int column, const QString& text)
{
    if (row < 1 || row > rowCount() || column < 0 || column >= ColumnCount)
        return;
    m_rows[std::size_t(row - 1)][std::size_t(column)] = text;
    emit cellsChanged(row, row);
}

bool CoordinateList::hasBothCoordinates(int row) const
{
    if (row < 1 || row > rowCount())
        return false;
    const Row& r = m_rows[std::size_t(row - 1)];
    return !r[EstColumn].isEmpty() && !r[NordColumn].isEmpty();
}

void CoordinateList::setSelection(int anchorRow, int anchorColumn, int endRow, int endColumn)
{
    m_anchorRow = anchorRow;
    m_anchorColumn = anchorColumn;
    m_endRow = endRow;
    m_endColumn = endColumn;
    clampSelection();
}

void CoordinateList::clampSelection()
{
    const int last = std::max(1, rowCount());
    m_anchorRow = std::clamp(m_anchorRow, 1, last);
    m_endRow = std::clamp(m_endRow, 1, last);
    m_anchorColumn = std::clamp(m_anchorColumn, 0, ColumnCount - 1);
    m_endColumn = std::clamp(m_endColumn, 0, ColumnCount - 1);
}

void CoordinateList::appendRows(int count)
{
    if (count <= 0)
        return;
    const int first = rowCount() + 1;
    emit rowsAboutToBeInserted(first, first + count - 1);
    m_rows.resize(m_rows.size() + std::size_t(count));
    emit rowsInserted();
}

void CoordinateList::removeRowAt(int row)
{
    removeRowsAt(row, row);
}

void CoordinateList::removeRowsAt(int first, int last)
{
    emit rowsAboutToBeRemoved(first, last);
    m_rows.erase(m_rows.begin() + (first - 1), m_rows.begin() + last);
    emit rowsRemoved();
}

// ---- user actions ----

CoordinateList::UserAction::UserAction(CoordinateList& list, const QString& name) : m_list(&list)
{
    if (m_list->m_actionDepth++ == 0)
        emit m_list->userActionStarted(name);
}

CoordinateList::UserAction::~UserAction()
{
    if (m_list && --m_list->m_actionDepth == 0)
        emit m_list->userActionFinished();
}

void CoordinateList::replaceRows(int first, int removeCount, std::vector<Row> rows, const Selection& selection)
{
    first = std::clamp(first, 1, rowCount() + 1);
    removeCount = std::clamp(removeCount, 0, rowCount() - first + 1);
    emit aboutToReset();
    const auto at = m_rows.begin() + (first - 1);
    const std::size_t common = std::min(std::size_t(removeCount), rows.size());
    std::move(rows.begin(), rows.begin() + std::ptrdiff_t(common), at);
    if (rows.size() > common)
        m_rows.insert(at + std::ptrdiff_t(common), std::make_move_iterator(rows.begin() + std::ptrdiff_t(common)),
                      std::make_move_iterator(rows.end()));
    else
        m_rows.erase(at + std::ptrdiff_t(common), at + removeCount);
    setSelection(selection.anchorRow, selection.anchorColumn, selection.endRow, selection.endColumn);
    emit resetDone();
    emit selectionMoved();
    emit CoordinateChanged();
}

// ---- Data ----

std::optional<CoordinateTable> CoordinateList::Data(Error* error) const
{
    if (error)
        *error = Error();
    const int n = rowCount();
    if (n == 0 || (n == 1 && m_rows[0][NumberColumn].isEmpty()))
        return CoordinateTable(0);
    CoordinateTable table(n);
    for (int r = 1; r <= n; ++r) {
        const Row& row = m_rows[std::size_t(r - 1)];
        if (row[EstColumn].trimmed().isEmpty() || row[NordColumn].trimmed().isEmpty())
            return std::nullopt;
        double est = 0;
        double nord = 0;
        if (!NumberText::parse(row[EstColumn], m_decimalSeparator, &est) ||
            !NumberText::parse(row[NordColumn], m_decimalSeparator, &nord)) {
            if (error)
                *error = Failure::typeMismatch().error();
            return std::nullopt;
        }
        table.setCell(r, CoordinateTable::EntityColumn, row[EntityColumn]);
        table.setCell(r, CoordinateTable::NumberColumn, row[NumberColumn]);
        table.setCell(r, CoordinateTable::XColumn, NumberText::fixedText(est, m_decimalNumber, m_decimalSeparator));
        table.setCell(r, CoordinateTable::YColumn, NumberText::fixedText(nord, m_decimalNumber, m_decimalSeparator));
    }
    return table;
}

QString CoordinateList::unreadableCellMessage() const
{
    const int n = rowCount();
    if (n == 0 || (n == 1 && m_rows[0][NumberColumn].isEmpty()))
        return QString();
    for (int r = 1; r <= n; ++r) {
        const Row& row = m_rows[std::size_t(r - 1)];
        for (const int column : {EstColumn, NordColumn}) {
            const QString& text = row[std::size_t(column)];
            const bool empty = text.trimmed().isEmpty();
            double value = 0;
            if (!empty && NumberText::parse(text, m_decimalSeparator, &value))
                continue;
            QString where = QStringLiteral("Valoarea %1 din randul %2")
                                .arg(column == EstColumn ? QStringLiteral("Est") : QStringLiteral("Nord"))
                                .arg(r);
            if (!row[EntityColumn].isEmpty() || !row[NumberColumn].isEmpty())
                where += QStringLiteral(" (%1, punctul %2)").arg(row[EntityColumn], row[NumberColumn]);
            return empty ? where + QStringLiteral(" nu este completata.")
                         : where + QStringLiteral(" este incorecta: ") + text;
        }
    }
    return QString();
}

bool CoordinateList::setData(const CoordinateTable& table, Error* error)
{
    const int n = table.upperRow();
    if (n > MaximumRows) {
        if (error)
            *error = Failure::overflow().error();
        return false;
    }
    auto coordinate = [this, &table](int r, int column, QString* text) {
        const QVariant& value = table.cell(r, column);
        double number = 0;
        if (CoordinateTable::isEmptyCell(value))
            number = 0;
        else if (value.typeId() == QMetaType::QString) {
            if (!NumberText::parse(value.toString(), m_decimalSeparator, &number))
                return false;
        } else {
            bool ok = false;
            number = value.toDouble(&ok);
            if (!ok)
                return false;
        }
        *text = NumberText::fixedText(number, m_decimalNumber, m_decimalSeparator);
        return true;
    };
    std::vector<Row> rows(static_cast<std::size_t>(n));
    for (int r = 1; r <= n; ++r) {
        Row& row = rows[std::size_t(r - 1)];
        row[EntityColumn] = table.text(r, CoordinateTable::EntityColumn);
        row[NumberColumn] = table.text(r, CoordinateTable::NumberColumn);
        if (!coordinate(r, CoordinateTable::XColumn, &row[EstColumn]) ||
            !coordinate(r, CoordinateTable::YColumn, &row[NordColumn])) {
            if (error)
                *error = Failure::typeMismatch().error();
            return false;
        }
    }
    emit aboutToReset();
    m_rows.swap(rows);
    clampSelection();
    emit resetDone();
    emit selectionMoved();
    if (error)
        *error = Error();
    return true;
}

bool CoordinateList::AllowAddNewRow() const
{
    if (m_endRow < 1 || m_endRow > rowCount())
        return false;
    const Row& row = m_rows[std::size_t(m_endRow - 1)];
    return std::all_of(row.begin(), row.end(), [](const QString& text) { return !text.isEmpty(); });
}

bool CoordinateList::HaveCoordinates() const
{
    for (const Row& row : m_rows) {
        if (row[EntityColumn].isEmpty())
            continue;
        if (row[EstColumn].isEmpty() || row[NordColumn].isEmpty())
            return false;
    }
    return true;
}

int CoordinateList::CountEntityRows(const QString& name) const
{
    int count = 0;
    for (const Row& row : m_rows) {
        if (row[EntityColumn].compare(name, Qt::CaseInsensitive) == 0)
            ++count;
    }
    return count;
}

bool CoordinateList::EntityExists(const QString& name) const
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [&name](const Row& row) { return row[EntityColumn].compare(name, Qt::CaseInsensitive) == 0; });
}

// ---- row operations ----

void CoordinateList::AddNewRow()
{
    const auto action = userAction(QStringLiteral("adaugare punct"));
    if (rowCount() == 0 || m_rows[0][EntityColumn].isEmpty())
        return;
    if (rowCount() >= MaximumRows) {
        showError(Failure::overflow().error(), true);
        return;
    }
    const Row previous = m_rows.back();
    appendRows(1);
    const int added = rowCount();
    m_rows.back()[EntityColumn] = previous[EntityColumn];
    if (m_autoNumber) {
        const double number = NumberText::roundHalfEven(NumberText::leadingNumber(previous[NumberColumn]));
        if (number < -32768 || number > 32767) {
            emit cellsChanged(added, added);
            if (m_prompter)
                m_prompter->error(QStringLiteral("Numar punct incorect."), Prompter::Icon::None);
            return;
        }
        m_rows.back()[NumberColumn] = QString::number(qint64(number) + 1);
    }
    emit cellsChanged(added, added);
}

void CoordinateList::AddNewEntity(const QString& name)
{
    const auto action = userAction(QStringLiteral("adaugare entitate"));
    double previous = 0;
    if (rowCount() > 0 && !m_rows[0][EntityColumn].isEmpty()) {
        if (rowCount() >= MaximumRows) {
            showError(Failure::overflow().error());
            return;
        }
        previous = NumberText::roundHalfEven(NumberText::leadingNumber(m_rows.back()[NumberColumn]));
        appendRows(1);
    } else if (rowCount() == 0) {
        appendRows(1);
    }
    const int target = m_rows[0][EntityColumn].isEmpty() ? 1 : rowCount();
    Row& row = m_rows[std::size_t(target - 1)];
    row[EntityColumn] = name;
    if (m_autoNumber) {
        if (previous < -32768 || previous > 32767) {
            emit cellsChanged(target, target);
            if (m_prompter)
                m_prompter->error(QStringLiteral("Numar punct incorect."), Prompter::Icon::None);
            return;
        }
        row[NumberColumn] = QString::number(qint64(previous) + 1);
    }
    emit cellsChanged(target, target);
}

void CoordinateList::AddEntity()
{
    const auto action = userAction(QStringLiteral("adaugare entitate"));
    if (!m_prompter)
        return;
    const std::optional<QString> answer =
        m_prompter->inputText(QStringLiteral("Denumire entitate"), QStringLiteral("Adauga entitate"), QString());
    if (!answer || answer->trimmed().isEmpty())
        return;
    AddNewEntity(answer->toUpper());
}

void CoordinateList::RemoveRow()
{
    const auto action = userAction(QStringLiteral("stergere punct"));
    const int n = rowCount();
    if (n == 0)
        return;
    if (n == 1) {
        if (m_endRow == 1) {
            m_rows[0] = Row();
            emit cellsChanged(1, 1);
        }
    } else {
        removeRowAt(m_anchorRow);
        m_endRow = m_anchorRow;
        clampSelection();
        m_anchorRow = m_endRow;
        emit selectionMoved();
    }
    if (hasBothCoordinates(m_endRow))
        emit CoordinateChanged();
}

void CoordinateList::InsertRowAbove()
{
    const auto action = userAction(QStringLiteral("inserare punct"));
    const int row = m_endRow;
    if (!AllowAddNewRow() || row == 1 || rowCount() >= MaximumRows)
        return;
    emit rowsAboutToBeInserted(row, row);
    Row inserted;
    inserted[EntityColumn] = m_rows[std::size_t(row - 1)][EntityColumn];
    m_rows.insert(m_rows.begin() + (row - 1), inserted);
    emit rowsInserted();
    m_anchorRow = m_endRow = row;
    emit selectionMoved();
}

void CoordinateList::MoveRowUp()
{
    const auto action = userAction(QStringLiteral("mutare punct"));
    const int row = m_endRow;
    if (row <= 1 || row > rowCount())
        return;
    const QString name = m_rows[std::size_t(row - 2)][EntityColumn];
    std::swap(m_rows[std::size_t(row - 2)], m_rows[std::size_t(row - 1)]);
    m_rows[std::size_t(row - 2)][EntityColumn] = name;
    emit cellsChanged(row - 1, row);
    m_anchorRow = m_endRow = row - 1;
    emit selectionMoved();
    if (hasBothCoordinates(row - 1))
        emit CoordinateChanged();
}

void CoordinateList::MoveRowDown()
{
    const auto action = userAction(QStringLiteral("mutare punct"));
    const int row = m_endRow;
    if (row < 1 || row >= rowCount())
        return;
    const QString name = m_rows[std::size_t(row)][EntityColumn];
    std::swap(m_rows[std::size_t(row - 1)], m_rows[std::size_t(row)]);
    m_rows[std::size_t(row)][EntityColumn] = name;
    emit cellsChanged(row, row + 1);
    m_anchorRow = m_endRow = row + 1;
    emit selectionMoved();
    if (hasBothCoordinates(row + 1))
        emit CoordinateChanged();
}

void CoordinateList::Renumber()
{
    const auto action = userAction(QStringLiteral("renumerotare"));
    for (int r = 1; r <= rowCount(); ++r)
        m_rows[std::size_t(r - 1)][NumberColumn] = QString::number(r);
    if (rowCount() > 0)
        emit cellsChanged(1, rowCount());
}

void CoordinateList::SwapCols()
{
    const auto action = userAction(QStringLiteral("inversare XY"));
    for (Row& row : m_rows)
        row[EstColumn].swap(row[NordColumn]);
    if (rowCount() > 0)
        emit cellsChanged(1, rowCount());
    emit CoordinateChanged();
}

void CoordinateList::ClearControl()
{
    emit aboutToReset();
    m_rows.clear();
    clampSelection();
    emit resetDone();
    emit selectionMoved();
}

// ---- clipboard ----

namespace {
// "number<TAB>Est<TAB>Nord" and a line break: the copied form of one point.
void appendPointLine(QString& text, const CoordinateList::Row& row)
{
    text += row[CoordinateList::NumberColumn];
    text += QLatin1Char('\t');
    text += row[CoordinateList::EstColumn];
    text += QLatin1Char('\t');
    text += row[CoordinateList::NordColumn];
    text += CrLf;
}
} // namespace

bool CoordinateList::CopySelection()
{
    QString text;
    if (rowCount() > 0) {
        const int first = std::min(m_anchorRow, m_endRow);
        const int last = std::max(m_anchorRow, m_endRow);
        qsizetype size = 0;
        for (int r = first; r <= last; ++r) {
            for (const QString& cellText : m_rows[std::size_t(r - 1)])
                size += cellText.size() + 1;
            size += 1;
        }
        text.reserve(size);
        for (int r = first; r <= last; ++r) {
            const Row& row = m_rows[std::size_t(r - 1)];
            text += row[EntityColumn];
            text += QLatin1Char('\t');
            appendPointLine(text, row);
        }
    }
    return putOnClipboard(text);
}

bool CoordinateList::CutSelection()
{
    const auto action = userAction(QStringLiteral("decupare"));
    if (!CopySelection())
        return false;
    // Cut removes exactly the rows it copied: deleting only the anchor row left the others
    // in the list, and pasting them back doubled them.
    const int first = std::min(m_anchorRow, m_endRow);
    const int last = std::max(m_anchorRow, m_endRow);
    if (first == last || rowCount() == 0) {
        RemoveRow();
        return true;
    }
    removeRowsAt(first, last);
    if (rowCount() == 0)
        appendRows(1); // as when the only row is deleted: one empty row stays
    m_anchorRow = m_endRow = first;
    clampSelection();
    emit selectionMoved();
    if (hasBothCoordinates(m_endRow))
        emit CoordinateChanged();
    return true;
}

bool CoordinateList::CopyPointList()
{
    if (rowCount() == 0)
        return putOnClipboard(QString());
    const QString name = cell(m_endRow, m_endColumn);
    if (name.isEmpty())
        return putOnClipboard(QString());
    QString text;
    for (const Row& row : m_rows) {
        if (row[EntityColumn] != name)
            continue;
        appendPointLine(text, row);
    }
    return putOnClipboard(text);
}

bool CoordinateList::PasteFromClipboard()
{
    return PasteText(m_clipboard.text());
}

bool CoordinateList::PasteText(const QString& text)
{
    const auto action = userAction(QStringLiteral("lipire"));
    const int start = rowCount() == 0 ? 1 : m_endRow;
    std::optional<QString> fixedEntity;
    if (start != 1) {
        const QString& entity = m_rows[std::size_t(start - 1)][EntityColumn];
        fixedEntity = entity.isEmpty() ? Contours::LandName : entity;
    }
    PasteText::Result parsed = PasteText::parse(text, m_delimiters, m_decimalNumber, m_decimalSeparator, fixedEntity);
    if (parsed.outcome != PasteText::Result::Parsed) {
        message(PasteText::message(parsed));
        return false;
    }
    const int lines = int(parsed.rows.size());
    if (start + lines - 1 > MaximumRows) {
        showError(Failure::overflow().error());
        return false;
    }
    if (start <= rowCount() && !isBlank(m_rows[std::size_t(start - 1)][EntityColumn]) && m_prompter) {
        const Prompter::Answer answer =
            m_prompter->askNamed(Prompter::Question::OverwriteRows,
                                 QStringLiteral("Se vor suprascrie inregistrarile din lista.\rContinuati?"),
                                 Prompter::CaptionConfirm, Prompter::Buttons::YesNo, Prompter::Icon::Exclamation);
        if (answer != Prompter::Answer::Yes)
            return false;
    }
    appendRows(start + lines - 1 - rowCount());
    for (int k = 0; k < lines; ++k) {
        PasteText::Row& source = parsed.rows[std::size_t(k)];
        Row& target = m_rows[std::size_t(start + k - 1)];
        target[EntityColumn] = std::move(source.entity);
        target[NumberColumn] = std::move(source.number);
        // Rounding to the shown decimals never lifts a value over the bound, so only values
        // read above it need the check on their text.
        auto overBound = [this](double value, const QString& text) {
            return value > CoordinateFormat::MaximumCoordinate &&
                   CoordinateFormat::boundValue(text, m_decimalSeparator) > CoordinateFormat::MaximumCoordinate;
        };
        if (overBound(source.estValue, source.est))
            message(OverBound);
        else
            target[EstColumn] = std::move(source.est);
        if (overBound(source.nordValue, source.nord))
            message(OverBound);
        else
            target[NordColumn] = std::move(source.nord);
    }
    emit cellsChanged(start, start + lines - 1);
    emit CoordinateChanged();
    return true;
}

QString CoordinateList::FormatCoordinate(const QString& text) const
{
    return CoordinateFormat::FormatCoordinate(text, m_decimalNumber, m_decimalSeparator);
}

// ---- the grid's cell editor ----

void CoordinateList::CommitEdit(int row, int column, const QString& oldTextRef, const QString& newText)
{
    const auto action = userAction(QStringLiteral("editare celula"));
    const QString oldText = oldTextRef; // the caller may pass the cell itself
    if (row < 1 || row > rowCount() || column < 0 || column >= ColumnCount)
        return;
    if (column == EntityColumn || column == NumberColumn) {
        // A run of equal cells is shown as one merged cell, so an edit renames the whole run.
        int last = row;
        m_rows[std::size_t(row - 1)][std::size_t(column)] = newText;
        while (last < rowCount() && m_rows[std::size_t(last)][std::size_t(column)] == oldText) {
            m_rows[std::size_t(last)][std::size_t(column)] = newText;
            ++last;
        }
        emit cellsChanged(row, last);
        return;
    }
    QString text = newText;
    text.replace(QLatin1Char('.'), m_decimalSeparator);
    text.replace(QLatin1Char(','), m_decimalSeparator);
    // A value that came in another way (a file, a drawing) and is committed as it was is the
    // user's data, not a typing slip: it stays, whatever its size.
    const bool unchanged = newText == oldText;
    if (!unchanged && CoordinateFormat::boundValue(text, m_decimalSeparator) > CoordinateFormat::MaximumCoordinate) {
        message(OverBound);
        text.clear();
    }
    m_rows[std::size_t(row - 1)][std::size_t(column)] = unchanged ? oldText : text;
    emit cellsChanged(row, row);
    if (hasBothCoordinates(row))
        emit CoordinateChanged();
}

void CoordinateList::LeaveCell(int row, int column)
{
    if (row < 1 || row > rowCount() || (column != EstColumn && column != NordColumn))
        return;
    const QString text = cell(row, column);
    if (text.trimmed().isEmpty())
        return;
    QString formatted;
    try {
        if (text == QLatin1String(",") || text == QLatin1String("."))
            formatted = FormatCoordinate(QStringLiteral("0.0"));
        else
            formatted = FormatCoordinate(text);
    } catch (const Failure&) {
        message(QStringLiteral("Valorea introdusa este incorecta."));
        return;
    }
    if (formatted != text) {
        const auto action = userAction(CellFormatAction);
        setCell(row, column, formatted);
    }
}
