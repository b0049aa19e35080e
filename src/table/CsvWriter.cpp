#include "table/CsvWriter.h"

#include "table/TableGrid.h"
#include "textio/LineSink.h"

namespace tabulink {

namespace CsvWriter {

void writeLines(LineSink &sink, const TableGrid &grid, qint64 rows, qint64 columns)
{
    QString line;
    for (qint64 i = 0; i < rows; ++i) {
        line.resize(0); // keeps the capacity, unlike clear()
        for (qint64 j = 0; j < columns; ++j) {
            if (j > 0)
                line += u',';
            const QStringView cell = grid.cellView(i, j);
            // The transfer takes one pair of quotes off a field that begins
            // and ends with one, so such a cell gets one pair more here: a
            // saved file reads back into the same cells.
            const bool quoted = !cell.isEmpty() && cell.front() == u'"' && cell.back() == u'"';
            if (quoted)
                line += u'"';
            line += cell;
            if (quoted)
                line += u'"';
        }
        sink.line(line);
    }
}

bool write(QIODevice *device, const TableGrid &grid, qint64 rows, qint64 columns)
{
    LineSink sink(device, Cp932::Unmappable::QuestionMark);
    writeLines(sink, grid, rows, columns);
    return sink.finish();
}

FileKind fileKind()
{
    return {QStringLiteral(".txt"), QStringLiteral("csv.txt"), Cp932::Unmappable::QuestionMark};
}

} // namespace CsvWriter

} // namespace tabulink
