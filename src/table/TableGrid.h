#pragma once

#include "table/CsvLineList.h"
#include "table/CsvTransfer.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace tabulink {

// The table of cell texts behind the grid grd1: rowCount × colCount cells,
// addressed (row, column) from 0, plus the current cell and the column-width
// mode. Every row and column is data; the heading row of the width mode is
// only a way of showing row 0.
//
// A table filled from the CSV lines does not store its cells: a cell of the
// filled rectangle is split out of its line when it is read, so a table of a
// million lines costs the lines and little more. Texts set cell by cell are
// kept apart and come first; empty cells cost nothing. Reading a cell moves
// a cursor inside the grid: one thread at a time reads a grid.
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
    // A view stays valid until the table changes or a cell of another row
    // is read.
    QString cellText(qint64 row, qint64 column) const { return cellView(row, column).toString(); }
    QStringView cellView(qint64 row, qint64 column) const;
    // The cell's code page 932 bytes, which decode to its text, where it is
    // split out of lines held as a file's bytes; none otherwise. Valid as a
    // view from cellView is.
    std::optional<QByteArrayView> cellBytes(qint64 row, qint64 column) const;
    void setCellText(qint64 row, qint64 column, QStringView text);
    // Rows 0..rows-1 and columns 0..columns-1 (inside the table) take the
    // cells the transfer splits out of lines 0..rows-1; rows beyond the
    // lines become empty. Nothing is stored per cell. Running out of memory
    // leaves the table as it was.
    void fillFromLines(const CsvLineList &lines, int rows, int columns, bool stripQuotes);

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

    // Characters held by the cells set one by one (for tests and benchmarks).
    qsizetype poolSize() const;

private:
    // One fill from the lines: rows 0..rows-1 and columns
    // 0..fieldOf.size()-1, until a later fill covers it. Deletions make row
    // r show line lineOf[r] (row r is line r while lineOf is empty) and
    // column c show field fieldOf[c].
    struct Fill {
        CsvLineList lines;
        int rows = 0;
        std::vector<std::uint32_t> lineOf;
        std::vector<int> fieldOf;
        bool stripQuotes = false;
    };
    // Where the last cell read from a fill was split, so that reading a row
    // left to right splits its line once.
    template<typename View>
    struct Cursor {
        size_t fill = 0;
        qint64 row = -1;
        int field = -1;
        CsvTransfer::FieldCursor<View> fields;
        View cell;
    };

    static quint64 keyOf(qint64 row, qint64 column) { return quint64(row) << 32 | quint64(column); }
    static int rowOf(quint64 key) { return int(key >> 32); }
    static int columnOf(quint64 key) { return int(key & 0xFFFFFFFFu); }
    // The fill that shows the cell, if any, the cell set one by one aside.
    const Fill *fillOf(qint64 row, qint64 column, size_t *index) const;
    template<typename View, typename LineOf>
    static View fieldOf(Cursor<View> &cursor, const Fill &fill, size_t index, qint64 row, int column, LineOf &&lineOf);
    void forgetCursors() const;
    bool isFilled(qint64 row, qint64 column) const;
    void clampCurrent();

    int m_rows = 0;
    int m_columns = 0;
    std::vector<Fill> m_fills; // oldest first; a later one covers an earlier one
    QHash<quint64, QString> m_set; // cells set one by one, by keyOf
    mutable Cursor<QStringView> m_cursor;
    mutable Cursor<QByteArrayView> m_byteCursor;
    mutable QString m_decodedLine; // the line m_cursor splits, where decoded
    int m_currentRow = 0;
    int m_currentCol = 0;
    bool m_firstRowFixed = false;
};

} // namespace tabulink
