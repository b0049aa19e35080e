#pragma once

#include <QString>

#include <vector>

// The table of cell texts behind the grid grd1: rows × columns, row-major.
class TableGrid
{
public:
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }

    // Keeps the texts of the cells that stay inside the new size.
    void resize(int rows, int columns);
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    void clearCells();

private:
    int m_rows = 0;
    int m_columns = 0;
    std::vector<QString> m_cells;
};
