#include "table/TableEditor.h"

#include "page/PageMessages.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/CsvWriter.h"
#include "table/TableHtmlWriter.h"
#include "table/TableMessages.h"
#include "table/TableSize.h"
#include "textio/NativePath.h"

#include <QDir>

#include <algorithm>
#include <new>

namespace tabulink {

namespace {
using Result = TableEditor::Result;

Result notice(const QString &text)
{
    Result result;
    result.message = UserMessage::notice(text);
    return result;
}

Result error(const QString &text)
{
    Result result;
    result.message = UserMessage::warning(text);
    return result;
}

TableEditor::CellRange wholeTable(const TableGrid &grid)
{
    return {0, 0, grid.rowCount(), grid.colCount()};
}
} // namespace

TableEditor::TableEditor()
    : m_rowsText(QStringLiteral("4")), m_colsText(QStringLiteral("5"))
{
    m_grid.resize(4, 5);
}

TableEditor::Result TableEditor::resizeTo(qint64 rows, qint64 columns)
{
    if (!TableSize::fits(rows, columns))
        return error(TableMessages::tooLarge(rows, columns));
    try {
        m_grid.resize(int(rows), int(columns));
    } catch (const std::bad_alloc &) {
        return error(PageMessages::outOfMemory());
    }
    return Result();
}

TableEditor::Result TableEditor::commit(bool rows)
{
    const TableSize::Commit commit = TableSize::parseCommit(rows ? m_rowsText : m_colsText);
    if (commit.kind != TableSize::Kind::Number)
        return Result();
    return rows ? resizeTo(commit.rounded, m_grid.colCount()) : resizeTo(m_grid.rowCount(), commit.rounded);
}

TableEditor::Result TableEditor::commitRows()
{
    return commit(true);
}

TableEditor::Result TableEditor::commitColumns()
{
    return commit(false);
}

TableEditor::Result TableEditor::readCsvFile(const QString &path, const QString &currentFolder)
{
    if (!path.isEmpty() && !NativePath::isFile(path)) {
        Result result = notice(TableMessages::missingFile(path));
        result.fileMissing = true;
        return result;
    }
    QDir::setCurrent(currentFolder);
    if (path.size() < 4)
        return notice(TableMessages::noFile());

    CsvReader::Result read = CsvReader::readFile(path);
    // A failed read or a size too large leaves the list and the table as they were.
    if (!read.ok)
        return error(read.message);
    Result result = resizeTo(read.rows, read.columns);
    if (result.message.kind != UserMessage::Kind::None)
        return result;
    m_lines = std::move(read.lines);
    m_rowsText = QString::number(read.rows);
    m_colsText = QString::number(read.columns);
    result.changes.lines = true;
    result.changes.selectors = true;
    return result;
}

TableEditor::Result TableEditor::transferToGrid(bool stripQuotes)
{
    const TableSize::Commit rows = TableSize::parseCommit(m_rowsText);
    const TableSize::Commit columns = TableSize::parseCommit(m_colsText);
    if (rows.kind == TableSize::Kind::NotNumber || columns.kind == TableSize::Kind::NotNumber)
        return notice(TableMessages::notANumber());
    const qint64 r = rows.kind == TableSize::Kind::Number ? TableSize::wholePart(rows.number) : 0;
    const qint64 c = columns.kind == TableSize::Kind::Number ? TableSize::wholePart(columns.number) : 0;
    // A size typed without Enter may reach past the table: the table grows
    // to hold it, but never shrinks, so cells outside R x C keep their texts.
    const qint64 wantRows = std::max<qint64>(r, m_grid.rowCount());
    const qint64 wantColumns = std::max<qint64>(c, m_grid.colCount());
    Result result = resizeTo(wantRows, wantColumns);
    if (result.message.kind != UserMessage::Kind::None)
        return result;
    qint64 stored = 0;
    try {
        stored = CsvTransfer::run(m_grid, m_lines, r, c, stripQuotes);
    } catch (const std::bad_alloc &) {
        return error(PageMessages::outOfMemory());
    }
    if (stored > 0)
        result.changes.cells = {0, 0, int(r), int(c)};
    return result;
}

TableEditor::Result TableEditor::storeCellText(const QString &text)
{
    Result result;
    if (!m_grid.hasCurrentCell())
        return result;
    const int row = m_grid.currentRow();
    const int column = m_grid.currentCol();
    m_grid.setCellText(row, column, text);
    result.changes.cells = {row, column, 1, 1};
    // The table never grows by input.
    if (column == m_grid.colCount() - 1)
        m_grid.setCurrentCell(std::min(row + 1, m_grid.rowCount() - 1), 0);
    else
        m_grid.setCurrentCell(row, column + 1);
    return result;
}

std::optional<QString> TableEditor::currentCellText() const
{
    if (!m_grid.hasCurrentCell())
        return std::nullopt;
    return m_grid.cellText(m_grid.currentRow(), m_grid.currentCol());
}

std::optional<TableEditor::Question> TableEditor::rowDeletionQuestion() const
{
    if (m_grid.rowCount() == 0)
        return std::nullopt;
    return Question{TableMessages::rowDeletionTitle(), TableMessages::rowDeletion(m_grid.currentRow())};
}

std::optional<TableEditor::Question> TableEditor::columnDeletionQuestion() const
{
    if (m_grid.colCount() == 0)
        return std::nullopt;
    return Question{TableMessages::columnDeletionTitle(), TableMessages::columnDeletion(m_grid.currentCol())};
}

TableEditor::Result TableEditor::deleteRow()
{
    Result result;
    if (m_grid.rowCount() == 0)
        return result;
    const int row = m_grid.currentRow();
    try {
        m_grid.removeRow(row);
    } catch (const std::bad_alloc &) {
        return error(PageMessages::outOfMemory());
    }
    result.changes.removedRow = row;
    m_rowsText = QString::number(m_grid.rowCount());
    result.changes.selectors = true;
    return result;
}

TableEditor::Result TableEditor::deleteColumn()
{
    Result result;
    if (m_grid.colCount() == 0)
        return result;
    const int column = m_grid.currentCol();
    bool moved = false;
    try {
        moved = m_grid.removeColumnShifting(column);
    } catch (const std::bad_alloc &) {
        return error(PageMessages::outOfMemory());
    }
    if (moved) {
        m_grid.setCurrentCell(m_grid.rowCount() - 1, m_grid.colCount() - 1);
        result.changes.cells = {0, column, m_grid.rowCount(), m_grid.colCount() - column};
    }
    m_colsText = QString::number(m_grid.colCount());
    result.changes.selectors = true;
    return result;
}

TableEditor::Result TableEditor::setWidthMode(bool firstRowFixed)
{
    Result result;
    result.changes.widthMode = m_grid.firstRowFixed() != firstRowFixed;
    m_grid.setFirstRowFixed(firstRowFixed);
    // Row 0 is the heading now; input goes on below it.
    if (firstRowFixed && m_grid.currentRow() == 0 && m_grid.rowCount() >= 2)
        m_grid.setCurrentCell(1, m_grid.currentCol());
    return result;
}

TableEditor::Result TableEditor::clear()
{
    m_rowsText = QStringLiteral("4");
    m_colsText = QStringLiteral("5");
    Result result = resizeTo(4, 5);
    m_grid.clearTexts();
    m_lines.clear();
    result.changes.cells = wholeTable(m_grid);
    result.changes.lines = true;
    result.changes.selectors = true;
    return result;
}

TableEditor::TableSave TableEditor::tableSave(const std::function<void(LineSink &, qint64, qint64)> &write)
{
    const qint64 rows = TableSize::leadingCount(m_rowsText);
    const qint64 columns = TableSize::leadingCount(m_colsText);
    TableSave save;
    if (!TableSize::fits(rows, columns)) {
        save.message = TableMessages::tooLarge(rows, columns);
        return save;
    }
    save.ok = true;
    save.body = [this, write, rows, columns](LineSink &sink) {
        write(sink, rows, columns);
        // Cells past an uncommitted selector text were written empty; the
        // current cell stays inside the table.
        if (rows <= 0 || columns <= 0)
            return;
        const qint64 row = std::min<qint64>(rows, m_grid.rowCount()) - 1;
        const qint64 column = std::min<qint64>(columns, m_grid.colCount()) - 1;
        if (row >= 0 && column >= 0)
            m_grid.setCurrentCell(int(row), int(column));
    };
    return save;
}

TableEditor::TableSave TableEditor::csvSave()
{
    return tableSave([this](LineSink &sink, qint64 rows, qint64 columns) {
        CsvWriter::writeLines(sink, m_grid, rows, columns);
    });
}

TableEditor::TableSave TableEditor::pageSave(const PageOptions &page, TableHtmlOptions options)
{
    return tableSave([this, page, options](LineSink &sink, qint64 rows, qint64 columns) mutable {
        options.rows = rows;
        options.columns = columns;
        TableHtmlWriter::writeLines(sink, page, m_grid, options);
    });
}

} // namespace tabulink
