#include "ui/TableGridModel.h"

#include <QColor>

TableGridModel::TableGridModel(TableGrid *grid, QObject *parent)
    : QAbstractTableModel(parent), m_grid(grid)
{
}

int TableGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid->rowCount();
}

int TableGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_grid->colCount();
}

QVariant TableGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_grid->cellText(index.row(), index.column());
    if (role == Qt::BackgroundRole)
        return QColor(255, 255, 192);
    return QVariant();
}

void TableGridModel::cellChanged(int row, int column)
{
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
}
