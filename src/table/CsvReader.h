#pragma once

#include "table/CsvLineList.h"
#include "textio/FileReading.h"

#include <QString>

namespace tabulink {

// Reading a CSV file into the line list ("csvﾌｧｲﾙ読込"). Nothing in the file
// is interpreted here: commas, quotes and blanks stay in the lines.
namespace CsvReader {

struct Result : Outcome {
    CsvLineList lines;
    qint64 rows = 0;    // the number of kept lines
    qint64 columns = 1; // commas in the first kept line, plus one
};

// The table size a line list asks for.
qint64 columnsFor(const CsvLineList &lines);
Result fromText(const QString &text);
// The largest CSV file read. The grid holds up to TableSize::MaxCells cells;
// filled with short texts (about ten bytes and a comma each) such a table
// comes from a file of about 220 MB. A code page 932 file is held as its
// bytes; another is decoded, and reading holds its bytes and its text (two
// bytes a character) at once, about 768 MB at this limit.
constexpr qint64 MaxFileBytes = 256 * FileReading::MiB;

// Only regular files up to MaxFileBytes are read; the content is decoded as
// UTF-8, UTF-16 or code page 932, and undecodable bytes become U+FFFD. Running
// out of memory gives an error text, never an exception.
Result readFile(const QString &path);

} // namespace CsvReader

} // namespace tabulink
