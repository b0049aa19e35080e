#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace tabulink {

// The table of cell texts behind the grid grd1: rowCount × colCount cells,
// addressed (row, column) from 0, plus the current cell and the column-width
// mode. Every row and column is data; the heading row of the width mode is
// only a way of showing row 0.
//
// The texts live in one shared character pool; a cell is an offset and a
// length into it, so a large table costs 8 bytes per cell plus its text and
// no heap object per cell. Replaced texts leave garbage in the pool, which is
// compacted once it outweighs the live text. Cells taken from the CSV lines
// view the lines' own text instead (see shareText), so a table filled from a
// large file costs no second copy of it.
class TableGrid
{
public:
    TableGrid() = default;

    int rowCount() const { return m_rows; }
    int colCount() const { return m_columns; }

    // Keeps the text of every cell that still exists; rows come and go at the
    // bottom, columns at the right; new cells are empty. Negative counts are
    // taken as 0. The caller checks the size with TableSize::fits first.
    void resize(int rows, int columns);
    void setRowCount(int rows) { resize(rows, m_columns); }
    void setColCount(int columns) { resize(m_rows, columns); }

    bool contains(qint64 row, qint64 column) const
    {
        return row >= 0 && column >= 0 && row < m_rows && column < m_columns;
    }
    // Cells outside the table read as empty; writing to one does nothing.
    QString cellText(qint64 row, qint64 column) const { return cellView(row, column).toString(); }
    QStringView cellView(qint64 row, qint64 column) const;
    void setCellText(qint64 row, qint64 column, QStringView text);
    // From now on a text given to setCellText that lies inside text is kept
    // as a view into it, without a copy and without allocating; the grid
    // holds text (implicitly shared) while any cell views it.
    void shareText(const QString &text);
    bool sharesText(const QString &text) const { return !text.isEmpty() && text.constData() == m_shared.constData(); }

    int currentRow() const { return m_currentRow; }
    int currentCol() const { return m_currentCol; }
    // False while the table has no row or no column.
    bool hasCurrentCell() const { return contains(m_currentRow, m_currentCol); }
    // Clamped into the table.
    void setCurrentCell(int row, int column);

    // Removes one row; the rows below move up. The current cell stays in the
    // same row number, or the new last row.
    void removeRow(int row);
    // Moves the texts of the columns right of `column` one place left and
    // drops the last column. Returns true when any text moved.
    bool removeColumnShifting(int column);
    // Empties every cell; sizes and the current cell stay.
    void clearTexts();

    bool firstRowFixed() const { return m_firstRowFixed; }
    void setFirstRowFixed(bool fixed) { m_firstRowFixed = fixed; }

    // Characters held by the pool, garbage included (for tests and benchmarks).
    qsizetype poolSize() const { return m_pool.size(); }

private:
    // A length with kShared set views the shared text, not the pool.
    static constexpr std::uint32_t kShared = 0x80000000u;
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    size_t indexOf(qint64 row, qint64 column) const { return size_t(row) * size_t(m_columns) + size_t(column); }
    void drop(const Span &span)
    {
        if (span.length & kShared) {
            if (--m_sharedCells == 0)
                m_shared = QString();
        } else {
            m_garbage += span.length;
        }
    }
    void compactIfWasteful();
    void compact();
    void clampCurrent();

    int m_rows = 0;
    int m_columns = 0;
    std::vector<Span> m_cells;
    QString m_pool;
    qsizetype m_garbage = 0;
    QString m_shared;
    qint64 m_sharedCells = 0;
    int m_currentRow = 0;
    int m_currentCol = 0;
    bool m_firstRowFixed = false;
};

} // namespace tabulink
