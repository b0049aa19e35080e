#include "table/CsvTransfer.h"

#include "table/CsvLineList.h"
#include "table/TableGrid.h"

#include <algorithm>

namespace tabulink {

namespace CsvTransfer {

QStringView applyQuoteRule(QStringView text, bool stripQuotes)
{
    if (!stripQuotes || text.isEmpty() || text.front() != u'"' || text.back() != u'"')
        return text;
    if (text.size() == 1)
        return QStringView();
    return text.mid(1, text.size() - 2);
}

qint64 run(TableGrid &grid, const CsvLineList &lines, qint64 rows, qint64 columns, bool stripQuotes)
{
    rows = std::min<qint64>(rows, grid.rowCount());
    columns = std::min<qint64>(columns, grid.colCount());
    if (rows <= 0 || columns <= 0)
        return 0;
    grid.shareText(lines.text());
    for (qint64 i = 0; i < rows; ++i) {
        QStringView line = lines.view(i);
        for (qint64 j = 0; j < columns; ++j) {
            const qsizetype comma = line.indexOf(u',');
            if (comma >= 0) {
                grid.setCellText(i, j, applyQuoteRule(line.left(comma), stripQuotes));
                line = line.mid(comma + 1);
            } else {
                line = applyQuoteRule(line, stripQuotes);
                grid.setCellText(i, j, line);
            }
        }
    }
    grid.setCurrentCell(int(rows - 1), int(columns - 1));
    return rows * columns;
}

} // namespace CsvTransfer

} // namespace tabulink
