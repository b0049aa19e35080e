#include "ui/TableGridModel.h"

#include "ui/Controls.h"

#include <QColor>

#include <algorithm>

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

void TableGridModel::resize(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    const int oldRows = m_grid->rowCount();
    if (rows > oldRows) {
        beginInsertRows(QModelIndex(), oldRows, rows - 1);
        m_grid->setRowCount(rows);
        endInsertRows();
    } else if (rows < oldRows) {
        beginRemoveRows(QModelIndex(), rows, oldRows - 1);
        m_grid->setRowCount(rows);
        endRemoveRows();
    }
    const int oldColumns = m_grid->colCount();
    if (columns > oldColumns) {
        beginInsertColumns(QModelIndex(), oldColumns, columns - 1);
        m_grid->setColCount(columns);
        endInsertColumns();
    } else if (columns < oldColumns) {
        beginRemoveColumns(QModelIndex(), columns, oldColumns - 1);
        m_grid->setColCount(columns);
        endRemoveColumns();
    }
}

void TableGridModel::setCellText(int row, int column, const QString &text)
{
    if (!m_grid->contains(row, column))
        return;
    m_grid->setCellText(row, column, text);
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
    if (row == 0 && m_grid->firstRowFixed())
        emit headerDataChanged(Qt::Horizontal, column, column);
}

void TableGridModel::cellsChanged(qint64 rows, qint64 columns)
{
    rows = std::min<qint64>(rows, m_grid->rowCount());
    columns = std::min<qint64>(columns, m_grid->colCount());
    if (rows <= 0 || columns <= 0)
        return;
    emit dataChanged(index(0, 0), index(int(rows - 1), int(columns - 1)), {Qt::DisplayRole});
    if (m_grid->firstRowFixed())
        emit headerDataChanged(Qt::Horizontal, 0, int(columns - 1));
}

void TableGridModel::removeRow(int row)
{
    if (row < 0 || row >= m_grid->rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_grid->removeRow(row);
    endRemoveRows();
    if (row == 0 && m_grid->firstRowFixed() && m_grid->colCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_grid->colCount() - 1);
}

bool TableGridModel::removeColumnShifting(int column)
{
    const int last = m_grid->colCount() - 1;
    if (column < 0 || column > last)
        return false;
    beginRemoveColumns(QModelIndex(), last, last);
    const bool moved = m_grid->removeColumnShifting(column);
    endRemoveColumns();
    if (moved) {
        emit dataChanged(index(0, column), index(m_grid->rowCount() - 1, m_grid->colCount() - 1), {Qt::DisplayRole});
        if (m_grid->firstRowFixed())
            emit headerDataChanged(Qt::Horizontal, column, m_grid->colCount() - 1);
    }
    return moved;
}

void TableGridModel::clearTexts()
{
    m_grid->clearTexts();
    cellsChanged(m_grid->rowCount(), m_grid->colCount());
}

void TableGridModel::setFirstRowFixed(bool fixed)
{
    if (m_grid->firstRowFixed() == fixed)
        return;
    m_grid->setFirstRowFixed(fixed);
    if (m_grid->colCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_grid->colCount() - 1);
}
