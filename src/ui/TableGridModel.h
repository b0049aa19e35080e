#pragma once

#include "table/TableGrid.h"

#include <QAbstractTableModel>

// Shows a TableGrid in grd1.
class TableGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TableGridModel(TableGrid *grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Call around every change made to the grid behind the model's back.
    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }
    void cellChanged(int row, int column);

private:
    TableGrid *m_grid;
};
