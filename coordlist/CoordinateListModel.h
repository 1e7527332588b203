#pragma once

#include <QAbstractTableModel>

class CoordinateList;

// The item model a grid shows the coordinate list through: model row i is point row i + 1,
// four columns with the captions "Entitate", "Numar punct", "Est", "Nord". Read-only for
// views: edits go through CoordinateList (the grid's own cell editor commits them).
class CoordinateListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CoordinateListModel(CoordinateList* list, QObject* parent = nullptr);

    CoordinateList* list() const { return m_list; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QString caption(int column);

private:
    CoordinateList* m_list;
};
