#pragma once

#include <QString>

namespace tabulink {

// The numbers in the size selectors Combo1 (rows) and Combo2 (columns), and
// the largest table the program will hold.
namespace TableSize {

// Limits chosen so that the table, its view and a page written from it stay
// within the memory of an ordinary desktop: the view takes some bytes a row,
// cells filled from the CSV lines take nothing of their own, and cells set
// one by one their text and an entry each.
constexpr qint64 MaxRows = 10'000'000;
constexpr qint64 MaxColumns = 100'000;
constexpr qint64 MaxCells = 20'000'000;

bool fits(qint64 rows, qint64 columns);
// Why a size was refused (TableMessages::tooLarge), for the command line.
QString tooLargeText(qint64 rows, qint64 columns);

enum class Kind { Number, NotNumber, Negative };

struct Commit {
    Kind kind = Kind::NotNumber;
    double number = 0;   // the number the text holds
    qint64 rounded = 0;  // to the nearest whole number, halves to even
};

// A selector commit: the whole text (blanks at both ends aside) must be a
// decimal number. 4.5 rounds to 4, 5.5 to 6.
Commit parseCommit(const QString &text);

// The processing size of the transfer and the writers: the whole part of the
// leading decimal number of the text; a text that does not start with a
// number, or a negative number, gives 0. Large numbers are capped well above
// every limit above, so the caller's fits() check still refuses them.
qint64 leadingCount(const QString &text);

// The whole part of a committed number, 0 for a negative one.
qint64 wholePart(double number);

} // namespace TableSize

} // namespace tabulink
