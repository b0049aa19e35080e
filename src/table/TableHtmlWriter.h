#pragma once

#include "page/PageOptions.h"
#include "table/CsvTransfer.h"
#include "table/TableChecks.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

namespace tabulink {

class LineSink;
class TableGrid;

// The table options of the "ＣＳＶ　／　ＨＴＭＬ" tab and the processing size,
// read from the controls when the page is written. Defaults as at start.
struct TableHtmlOptions : TableChecks {
    qint64 rows = 4;
    qint64 columns = 5;
};

// "ｈｔｍｌ 保存": the page frame with a style block around one table, one
// line per cell; cell texts go in unescaped.
namespace TableHtmlWriter {

QStringList styleLines(bool smallFont);

// The tags around a cell's text, [first row][first column]: its alignment
// and the bold of the first row and column.
struct CellMarkup {
    explicit CellMarkup(const TableHtmlOptions &options);
    QByteArray start[2][2];
    QByteArray end[2][2];
};
// What of a cell's text goes into the page: an empty cell filled with an
// ideographic space when asked (U+3000 as text, 81 40 as code page 932
// bytes), then the quote rule. Filling comes first: a cell of two quotes is
// not empty yet, and ends up empty after the quote rule.
template<typename View>
View cellText(View text, View ideographicSpace, const TableHtmlOptions &options)
{
    if (text.isEmpty() && options.fillEmpty)
        text = ideographicSpace;
    return CsvTransfer::applyQuoteRule(text, options.stripQuotes);
}
// From "<table border=…>" to "</CENTER>"; cells outside the table are empty.
void writeBody(LineSink &sink, const TableGrid &grid, const TableHtmlOptions &options);
void writeLines(LineSink &sink, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options);
// False when a write failed.
bool write(QIODevice *device, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options);

} // namespace TableHtmlWriter

} // namespace tabulink
