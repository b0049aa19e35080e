#include "table/TableHtmlWriter.h"

#include "page/PageFrame.h"
#include "table/CsvTransfer.h"
#include "table/TableGrid.h"
#include "textio/LineSink.h"

namespace tabulink {

namespace TableHtmlWriter {

QStringList styleLines(bool smallFont)
{
    return {
        QStringLiteral("<STYLE TYPE =\"text/css\">"),
        QStringLiteral("<!--"),
        smallFont ? QStringLiteral("TABLE{font-size:8pt}") : QStringLiteral("TABLE{font-size:12pt}"),
        QStringLiteral("P{font-size:12pt}"),
        QStringLiteral("div{font-size:12pt}"),
        QStringLiteral("body{font-size:12pt}"),
        QStringLiteral("-->"),
        QStringLiteral("</STYLE>"),
    };
}

CellMarkup::CellMarkup(const TableHtmlOptions &options)
{
    for (int top = 0; top < 2; ++top) {
        for (int left = 0; left < 2; ++left) {
            const bool boldTop = options.boldTopRow && top;
            const bool boldLeft = options.boldLeftColumn && left;
            QByteArray &s = start[top][left];
            s = "<td nowrap align=\"";
            s += (options.centreAll || top) ? "center" : left ? "left" : "right";
            s += "\">";
            if (boldTop)
                s += "<b>";
            if (boldLeft)
                s += "<b>";
            QByteArray &e = end[top][left];
            if (boldLeft)
                e += "</b>";
            if (boldTop)
                e += "</b>";
            e += "</td>";
        }
    }
}

void writeBody(LineSink &sink, const TableGrid &grid, const TableHtmlOptions &options)
{
    sink.line(QStringLiteral("<table border=\"%1\">").arg(options.border ? 1 : 0));
    const CellMarkup markup(options);
    for (qint64 r = 0; r < options.rows; ++r) {
        sink.put("<tr>");
        sink.endLine();
        const bool top = r == 0;
        for (qint64 c = 0; c < options.columns; ++c) {
            const bool left = c == 0;
            sink.put(markup.start[top][left]);
            // A cell still in a code page 932 file's bytes is written from
            // them, as the streamed page writes it.
            if (const auto bytes = grid.cellBytes(r, c))
                sink.putRecoded(cellText(*bytes, QByteArrayView("\x81\x40"), options));
            else
                sink.putEncoded(cellText(grid.cellView(r, c), QStringView(u"\u3000"), options));
            sink.put(markup.end[top][left]);
            sink.endLine();
        }
        sink.put("</tr>");
        sink.endLine();
    }
    sink.line("</TABLE>");
    sink.line("</CENTER>");
}

void writeLines(LineSink &sink, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options)
{
    PageFrame::writeHead(sink, page, styleLines(options.smallFont));
    writeBody(sink, grid, options);
    PageFrame::writeTail(sink, page);
}

bool write(QIODevice *device, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options)
{
    LineSink sink(device, Cp932::Unmappable::NumericReference);
    writeLines(sink, page, grid, options);
    return sink.finish();
}

} // namespace TableHtmlWriter

} // namespace tabulink
