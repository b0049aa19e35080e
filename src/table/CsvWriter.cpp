#include "table/CsvWriter.h"

#include "table/CsvTransfer.h"
#include "table/TableGrid.h"
#include "textio/LineSink.h"

namespace tabulink {

namespace CsvWriter {

namespace {
// The transfer takes one pair of quotes off a field that begins and ends
// with one, so such a cell gets one pair more here: a saved file reads back
// into the same cells.
template<typename View>
bool needsQuotes(View cell)
{
    return !cell.isEmpty() && CsvTransfer::isQuote(cell.front()) && CsvTransfer::isQuote(cell.back());
}
} // namespace

void writeLines(LineSink &sink, const TableGrid &grid, qint64 rows, qint64 columns)
{
    QByteArray recoded;
    for (qint64 i = 0; i < rows; ++i) {
        for (qint64 j = 0; j < columns; ++j) {
            if (j > 0)
                sink.put(",");
            // A cell still in a code page 932 file's bytes is copied from
            // them; where a character is replaced, the text is encoded
            // instead, so that the sink counts it.
            if (const auto bytes = grid.cellBytes(i, j)) {
                const bool quoted = needsQuotes(*bytes);
                recoded.resize(0);
                if (quoted)
                    recoded += '"';
                if (Cp932::recodeAppend(*bytes, recoded, Cp932::Unmappable::QuestionMark) == 0) {
                    if (quoted)
                        recoded += '"';
                    sink.put(recoded);
                    continue;
                }
            }
            const QStringView cell = grid.cellView(i, j);
            const bool quoted = needsQuotes(cell);
            if (quoted)
                sink.put("\"");
            sink.putEncoded(cell);
            if (quoted)
                sink.put("\"");
        }
        sink.endLine();
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
