#include "table/TableGrid.h"

#include <algorithm>

void TableGrid::resize(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (rows == m_rows && columns == m_columns)
        return;
    std::vector<QString> cells(size_t(rows) * size_t(columns));
    const int keepRows = std::min(rows, m_rows);
    const int keepColumns = std::min(columns, m_columns);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepColumns; ++c)
            cells[size_t(r) * columns + c] = std::move(m_cells[size_t(r) * m_columns + c]);
    m_cells.swap(cells);
    m_rows = rows;
    m_columns = columns;
}

QString TableGrid::cell(int row, int column) const
{
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns)
        return QString();
    return m_cells[size_t(row) * m_columns + column];
}

void TableGrid::setCell(int row, int column, const QString &text)
{
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns)
        return;
    m_cells[size_t(row) * m_columns + column] = text;
}

void TableGrid::clearCells()
{
    for (QString &c : m_cells)
        c.clear();
}
