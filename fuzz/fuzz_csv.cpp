// A CSV file read, moved into the grid and written both ways: nothing
// crashes, the CSV file has one line per row, and the page is whole.
#include "page/PageOptions.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "table/CsvWriter.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "textio/Cp932.h"

#include <QBuffer>

#include <algorithm>
#include <cstdlib>

using namespace tabulink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const quint8 flags = data[0];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const CsvReader::Result read = CsvReader::fromText(Cp932::decodeFileContent(bytes));
    if (read.rows < 0 || read.columns < 1)
        abort();

    const int rows = int(std::min<qint64>(read.rows + (flags & 3), 300));
    const int columns = int(std::min<qint64>(read.columns + ((flags >> 2) & 3), 60));
    // The CSV file and the page of the lines moved into the grid.
    auto written = [&](const CsvLineList &lines) {
        TableGrid grid;
        grid.resize(rows, columns);
        CsvTransfer::run(grid, lines, rows, columns, flags & 0x10);

        QByteArray csv;
        QBuffer csvBuffer(&csv);
        csvBuffer.open(QIODevice::WriteOnly);
        if (!CsvWriter::write(&csvBuffer, grid, rows, columns))
            abort();
        if (csv.count("\r\n") < rows)
            abort();

        TableHtmlOptions options;
        options.rows = rows + ((flags & 0x20) ? 1 : 0); // a size beyond the table reads empty cells
        options.columns = columns;
        options.boldTopRow = flags & 0x40;
        options.fillEmpty = flags & 0x80;
        QByteArray page;
        QBuffer pageBuffer(&page);
        pageBuffer.open(QIODevice::WriteOnly);
        if (!TableHtmlWriter::write(&pageBuffer, PageOptions(), grid, options))
            abort();
        if (!page.startsWith("<HTML>\r\n") || !page.endsWith("</HTML>\r\n"))
            abort();
        return csv + page;
    };
    // A file read keeps its bytes where it can and decodes lines as they
    // are read: the same lines and the same files as its decoded text.
    const CsvLineList fileLines = CsvLineList::keptLinesOfFile(bytes);
    if (fileLines.size() != read.lines.size())
        abort();
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        if (fileLines.entry(i) != read.lines.entry(i))
            abort();
    }
    if (written(read.lines) != written(fileLines))
        abort();
    return 0;
}
