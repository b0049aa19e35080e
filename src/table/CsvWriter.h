#pragma once

#include "page/FileKind.h"

class QIODevice;

namespace tabulink {

class LineSink;
class TableGrid;

// "csv 保存": one line per row, the cells joined by commas as they are
// stored (no escaping), in code page 932. A cell that begins and ends with a
// double quote gets one more pair around it, which reading back with the
// quote option on takes off again.
namespace CsvWriter {

// Rows 0..rows-1 and columns 0..columns-1; cells outside the table are
// written as empty. rows <= 0 writes nothing, columns <= 0 empty lines.
void writeLines(LineSink &sink, const TableGrid &grid, qint64 rows, qint64 columns);
// Characters outside code page 932 become "?"; false when a write failed.
bool write(QIODevice *device, const TableGrid &grid, qint64 rows, qint64 columns);

// Proposed name "<name>.txt" or "csv.txt", "?" for characters outside code
// page 932.
FileKind fileKind();

} // namespace CsvWriter

} // namespace tabulink
