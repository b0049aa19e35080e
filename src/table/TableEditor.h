#pragma once

#include "page/PageOptions.h"
#include "table/CsvLineList.h"
#include "table/TableGrid.h"
#include "textio/Outcome.h"

#include <QString>

#include <functional>
#include <optional>

namespace tabulink {

class LineSink;
struct TableHtmlOptions;

// The table of the "ＣＳＶ　／　ＨＴＭＬ" tab without its widgets: the grid,
// the CSV lines, the texts of the two size selectors, and every edit the tab
// offers. Each edit returns what it changed, so that the views can follow,
// and at most one message for the user.
class TableEditor
{
public:
    // Cells (row, column) with firstRow <= row < firstRow + rows, and the
    // same for the columns.
    struct CellRange {
        int firstRow = 0;
        int firstColumn = 0;
        int rows = 0;
        int columns = 0;
        bool isEmpty() const { return rows <= 0 || columns <= 0; }
    };

    // What an edit changed besides the table's size, which the views compare
    // with their own.
    struct Changes {
        CellRange cells;        // cells that got new texts
        int removedRow = -1;    // this row went; the rows below moved up
        bool lines = false;     // the line list was replaced or emptied
        bool selectors = false; // the selector texts were set from the table
        bool widthMode = false;
    };

    struct Result {
        UserMessage message;
        Changes changes;
        bool fileMissing = false; // the file list may be out of date
    };

    struct Question {
        QString title;
        QString text;
    };

    // What a save of the table writes. Not ok, with the message, when the
    // size is too large; otherwise body writes the lines, and once it has
    // run the last cell written is current.
    struct TableSave : Outcome {
        std::function<void(LineSink &)> body;
    };

    // The start: selectors "4" and "5", a 4 × 5 table of empty cells.
    TableEditor();

    const TableGrid &grid() const { return m_grid; }
    const CsvLineList &lines() const { return m_lines; }

    // The selectors hold any text; the table follows them only on a commit.
    QString rowsText() const { return m_rowsText; }
    QString colsText() const { return m_colsText; }
    void setRowsText(const QString &text) { m_rowsText = text; }
    void setColsText(const QString &text) { m_colsText = text; }
    // The whole text must be a number, rounded with halves to even; other
    // texts and negative numbers change nothing and say nothing.
    Result commitRows();
    Result commitColumns();

    void setCurrentCell(int row, int column) { m_grid.setCurrentCell(row, column); }

    // "csvﾌｧｲﾙ読込": the path label's file becomes the line list, and the
    // table and the selectors take its size; the cells keep their texts.
    // A relative path is looked up, then read, in currentFolder, which
    // becomes the process's working folder.
    Result readCsvFile(const QString &path, const QString &currentFolder);
    // "ｸﾞﾘｯﾄﾞに転送": the lines split into R × C cells, R and C the whole
    // parts of the selector texts. The table grows to hold them but never
    // shrinks. Running out of memory leaves the cells as they were.
    Result transferToGrid(bool stripQuotes);

    // The input box's Enter: the text goes into the current cell, which then
    // moves right, or to the start of the next row (the last row stays).
    Result storeCellText(const QString &text);
    // The text a double-click puts into the input box; none without a cell.
    std::optional<QString> currentCellText() const;

    // The questions before a deletion; none while there is nothing to delete.
    std::optional<Question> rowDeletionQuestion() const;
    std::optional<Question> columnDeletionQuestion() const;
    Result deleteRow();
    // Texts move left, the last column goes; the current cell ends in the
    // last row and column when texts moved.
    Result deleteColumn();

    // "ｾﾙ幅変更" (true) and "不可" (false): row 0 shown as a heading row.
    Result setWidthMode(bool firstRowFixed);
    // "ｸﾘｱ": selectors "4" and "5", a 4 × 5 table of empty cells, no lines.
    Result clear();

    // "csv 保存" and "ｈｔｍｌ 保存" write rows × columns from the leading
    // numbers of the selector texts; cells past the table are written empty.
    // options gets the size here.
    TableSave csvSave();
    TableSave pageSave(const PageOptions &page, TableHtmlOptions options);

private:
    Result commit(bool rows);
    Result resizeTo(qint64 rows, qint64 columns);
    TableSave tableSave(const std::function<void(LineSink &, qint64, qint64)> &write);

    TableGrid m_grid;
    CsvLineList m_lines;
    QString m_rowsText;
    QString m_colsText;
};

} // namespace tabulink
