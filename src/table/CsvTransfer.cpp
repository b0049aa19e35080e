#include "table/CsvTransfer.h"

#include "table/CsvLineList.h"
#include "table/TableGrid.h"

#include <algorithm>

namespace tabulink {

namespace CsvTransfer {

qint64 run(TableGrid &grid, const CsvLineList &lines, qint64 rows, qint64 columns, bool stripQuotes)
{
    rows = std::min<qint64>(rows, grid.rowCount());
    columns = std::min<qint64>(columns, grid.colCount());
    if (rows <= 0 || columns <= 0)
        return 0;
    grid.fillFromLines(lines, int(rows), int(columns), stripQuotes);
    grid.setCurrentCell(int(rows - 1), int(columns - 1));
    return rows * columns;
}

} // namespace CsvTransfer

} // namespace tabulink
