#pragma once

#include <QStringView>

namespace tabulink {

class CsvLineList;
class TableGrid;

// "ｸﾞﾘｯﾄﾞに転送": splits the CSV lines at their commas into the cells.
namespace CsvTransfer {

// The quote rule ("両脇の"を取る"): when on and the text both begins and ends
// with a double quote, the first and last characters go; a lone quote becomes
// empty. Otherwise the text is unchanged.
QStringView applyQuoteRule(QStringView text, bool stripQuotes);

// Fills rows 0..rows-1, columns 0..columns-1 from lines 0..rows-1. Every
// comma separates fields; a line with fewer fields repeats its last field
// (stripped again per column), extra fields are dropped, rows beyond the list
// become empty. The caller makes sure the rectangle lies inside the table.
// The current cell ends on the last cell stored. Returns the cells stored.
qint64 run(TableGrid &grid, const CsvLineList &lines, qint64 rows, qint64 columns, bool stripQuotes);

} // namespace CsvTransfer

} // namespace tabulink
