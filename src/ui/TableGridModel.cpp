#include "ui/TableGridModel.h"

#include "ui/Controls.h"

#include <QColor>

#include <algorithm>

namespace tabulink {

TableGridModel::TableGridModel(const TableGrid *grid, QObject *parent)
    : QAbstractTableModel(parent), m_grid(grid), m_rows(grid->rowCount()), m_columns(grid->colCount())
{
}

int TableGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant TableGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_grid->cellText(index.row(), index.column());
    if (role == Qt::BackgroundRole)
        return Controls::paleYellow();
    return QVariant();
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && m_grid->firstRowFixed()) {
        if (role == Qt::DisplayRole)
            return m_grid->cellText(0, section);
        if (role == Qt::BackgroundRole)
            return QColor(192, 192, 192);
        return QVariant();
    }
    if (role == Qt::DisplayRole)
        return QVariant();
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TableGridModel::follow(const TableEditor::Changes &changes)
{
    const int removed = changes.removedRow;
    if (removed >= 0 && removed < m_rows) {
        beginRemoveRows(QModelIndex(), removed, removed);
        --m_rows;
        endRemoveRows();
    }
    followSize();
    const bool fixed = m_grid->firstRowFixed();
    const TableEditor::CellRange &cells = changes.cells;
    const int lastRow = std::min(cells.firstRow + cells.rows, m_rows) - 1;
    const int lastColumn = std::min(cells.firstColumn + cells.columns, m_columns) - 1;
    if (!cells.isEmpty() && lastRow >= cells.firstRow && lastColumn >= cells.firstColumn) {
        emit dataChanged(index(cells.firstRow, cells.firstColumn), index(lastRow, lastColumn), {Qt::DisplayRole});
        if (fixed && cells.firstRow == 0)
            emit headerDataChanged(Qt::Horizontal, cells.firstColumn, lastColumn);
    }
    const bool headingMoved = changes.widthMode || (removed == 0 && fixed);
    if (headingMoved && m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void TableGridModel::followSize()
{
    const int rows = m_grid->rowCount();
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    const int columns = m_grid->colCount();
    if (columns > m_columns) {
        beginInsertColumns(QModelIndex(), m_columns, columns - 1);
        m_columns = columns;
        endInsertColumns();
    } else if (columns < m_columns) {
        beginRemoveColumns(QModelIndex(), columns, m_columns - 1);
        m_columns = columns;
        endRemoveColumns();
    }
}

} // namespace tabulink
