#pragma once

#include <QByteArrayView>
#include <QStringView>

namespace tabulink {

class CsvLineList;
class TableGrid;

// "ｸﾞﾘｯﾄﾞに転送": splits the CSV lines at their commas into the cells.
namespace CsvTransfer {

// The rules below work on text and on code page 932 bytes alike: a comma
// and a double quote are never part of a double-byte character.
inline bool isQuote(QChar c) { return c == u'"'; }
inline bool isQuote(char c) { return c == '"'; }
inline qsizetype commaIn(QStringView line) { return line.indexOf(u','); }
inline qsizetype commaIn(QByteArrayView line) { return line.indexOf(','); }

// The quote rule ("両脇の"を取る"): when on and the text both begins and ends
// with a double quote, the first and last characters go; a lone quote becomes
// empty. Otherwise the text is unchanged.
template<typename View>
View applyQuoteRule(View text, bool stripQuotes)
{
    if (!stripQuotes || text.isEmpty() || !isQuote(text.front()) || !isQuote(text.back()))
        return text;
    return text.size() == 1 ? View() : text.sliced(1, text.size() - 2);
}

// The fields of one line in order, as the transfer takes them: every comma
// separates fields; once the fields run out, the last one is given again,
// stripped again each time.
template<typename View>
class FieldCursor
{
public:
    FieldCursor() = default;
    FieldCursor(View line, bool stripQuotes) : m_rest(line), m_stripQuotes(stripQuotes) {}
    View next()
    {
        const qsizetype comma = commaIn(m_rest);
        if (comma >= 0) {
            const View field = applyQuoteRule(m_rest.first(comma), m_stripQuotes);
            m_rest = m_rest.sliced(comma + 1);
            return field;
        }
        m_rest = applyQuoteRule(m_rest, m_stripQuotes);
        return m_rest;
    }

private:
    View m_rest;
    bool m_stripQuotes = false;
};

// The cells one line gives a row of columns cells, each passed to
// onCell(column, text); fields past columns are dropped.
template<typename View, typename OnCell>
void splitRow(View line, qint64 columns, bool stripQuotes, OnCell &&onCell)
{
    FieldCursor<View> fields(line, stripQuotes);
    for (qint64 column = 0; column < columns; ++column)
        onCell(column, fields.next());
}

// Fills rows 0..rows-1, columns 0..columns-1 from lines 0..rows-1. Every
// comma separates fields; a line with fewer fields repeats its last field
// (stripped again per column), extra fields are dropped, rows beyond the list
// become empty. The caller makes sure the rectangle lies inside the table.
// The current cell ends on the last cell stored. Returns the cells stored.
// Running out of memory leaves the table as it was.
qint64 run(TableGrid &grid, const CsvLineList &lines, qint64 rows, qint64 columns, bool stripQuotes);

} // namespace CsvTransfer

} // namespace tabulink
