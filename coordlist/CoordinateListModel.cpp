#include "coordlist/CoordinateListModel.h"

#include "coordlist/CoordinateList.h"

CoordinateListModel::CoordinateListModel(CoordinateList* list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list)
{
    connect(list, &CoordinateList::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows(QModelIndex(), first - 1, last - 1); });
    connect(list, &CoordinateList::rowsInserted, this, [this] { endInsertRows(); });
    connect(list, &CoordinateList::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows(QModelIndex(), first - 1, last - 1); });
    connect(list, &CoordinateList::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(list, &CoordinateList::aboutToReset, this, [this] { beginResetModel(); });
    connect(list, &CoordinateList::resetDone, this, [this] { endResetModel(); });
    connect(list, &CoordinateList::cellsChanged, this, [this](int firstRow, int lastRow) {
        emit dataChanged(index(firstRow - 1, 0), index(lastRow - 1, CoordinateList::ColumnCount - 1),
                         {Qt::DisplayRole, Qt::EditRole});
    });
}

int CoordinateListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list->rowCount();
}

int CoordinateListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : CoordinateList::ColumnCount;
}

QVariant CoordinateListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_list->rowCount() || index.column() >= CoordinateList::ColumnCount)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_list->cell(index.row() + 1, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
    default:
        return QVariant();
    }
}

QVariant CoordinateListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return caption(section);
    return section + 1;
}

Qt::ItemFlags CoordinateListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString CoordinateListModel::caption(int column)
{
    switch (column) {
    case 0:
        return QStringLiteral("Entitate");
    case 1:
        return QStringLiteral("Numar punct");
    case 2:
        return QStringLiteral("Est");
    case 3:
        return QStringLiteral("Nord");
    default:
        return QString();
    }
}
