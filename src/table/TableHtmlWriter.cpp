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

namespace {
void appendCellLine(QString &line, QStringView cellText, qint64 row, qint64 column, const TableHtmlOptions &options)
{
    QStringView align;
    if (options.centreAll || row == 0)
        align = u"center";
    else if (column == 0)
        align = u"left";
    else
        align = u"right";

    // Filling comes first: a cell of two quotes is not empty yet, and ends
    // up empty after the quote rule.
    QStringView text = cellText;
    if (text.isEmpty() && options.fillEmpty)
        text = u"\u3000";
    text = CsvTransfer::applyQuoteRule(text, options.stripQuotes);

    const bool boldTop = options.boldTopRow && row == 0;
    const bool boldLeft = options.boldLeftColumn && column == 0;
    line += u"<td nowrap align=\"";
    line += align;
    line += u"\">";
    if (boldTop)
        line += u"<b>";
    if (boldLeft)
        line += u"<b>";
    line += text;
    if (boldLeft)
        line += u"</b>";
    if (boldTop)
        line += u"</b>";
    line += u"</td>";
}
} // namespace

QString cellLine(QStringView cellText, qint64 row, qint64 column, const TableHtmlOptions &options)
{
    QString line;
    appendCellLine(line, cellText, row, column, options);
    return line;
}

void writeBody(LineSink &sink, const TableGrid &grid, const TableHtmlOptions &options)
{
    sink.line(QStringLiteral("<table border=\"%1\">").arg(options.border ? 1 : 0));
    // One buffer for every cell line: no allocation per cell.
    QString line;
    for (qint64 r = 0; r < options.rows; ++r) {
        sink.line(u"<tr>");
        for (qint64 c = 0; c < options.columns; ++c) {
            line.resize(0); // keeps the capacity, unlike clear()
            appendCellLine(line, grid.cellView(r, c), r, c, options);
            sink.line(line);
        }
        sink.line(u"</tr>");
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
