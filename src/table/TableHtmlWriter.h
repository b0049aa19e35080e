#pragma once

#include "page/PageOptions.h"
#include "table/TableChecks.h"

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
QString cellLine(QStringView cellText, qint64 row, qint64 column, const TableHtmlOptions &options);
// From "<table border=…>" to "</CENTER>"; cells outside the table are empty.
void writeBody(LineSink &sink, const TableGrid &grid, const TableHtmlOptions &options);
void writeLines(LineSink &sink, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options);
// False when a write failed.
bool write(QIODevice *device, const PageOptions &page, const TableGrid &grid, const TableHtmlOptions &options);

} // namespace TableHtmlWriter

} // namespace tabulink
