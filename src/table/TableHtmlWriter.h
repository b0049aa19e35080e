#pragma once

#include "page/PageOptions.h"
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
// ideographic space when asked, then the quote rule.
QStringView cellText(QStringView text, const TableHtmlOptions &options);
// From "<table border=…>" to "</CENTER>"; cells outside the table are empty.
void writeBody(LineSink &sink, const TableGrid &grid, const TableHtmlOptions &options);
void writeLines(LineSink &sink, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options);
// False when a write failed.
bool write(QIODevice *device, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options);

} // namespace TableHtmlWriter

} // namespace tabulink
