#include "table/TablePagePreview.h"

#include "table/TableEditor.h"
#include "table/TableMessages.h"
#include "table/TableSize.h"

#include <QBuffer>

#include <algorithm>

namespace tabulink {

namespace TablePagePreview {

Page write(const TableEditor &editor, const PageOptions &page, TableHtmlOptions options, qint64 shownRows)
{
    Page result;
    const qint64 rows = TableSize::leadingCount(editor.rowsText());
    const qint64 columns = TableSize::leadingCount(editor.colsText());
    if (!TableSize::fits(rows, columns)) {
        result.message = TableMessages::tooLarge(rows, columns);
        return result;
    }
    // The writer takes its rows from the grid up to options.rows: the
    // first rows of the page come out exactly as the save writes them.
    options.rows = std::min(rows, std::max<qint64>(shownRows, 0));
    options.columns = columns;
    result.hiddenRows = rows - options.rows;
    QBuffer buffer(&result.bytes);
    buffer.open(QIODevice::WriteOnly);
    TableHtmlWriter::write(&buffer, page, editor.grid(), options);
    result.ok = true;
    return result;
}

} // namespace TablePagePreview

} // namespace tabulink
