#pragma once

#include "page/PageOptions.h"
#include "table/TableHtmlWriter.h"
#include "textio/Outcome.h"

#include <memory>

namespace tabulink {

class LineSink;

// The table page of a large code page 932 CSV file, made straight from its
// bytes and never held whole: the same page as reading the file, taking it
// into the table and writing the page, byte for byte. Every separator the
// table cares about (comma, quote, blanks, CR, LF) is below 0x40, so none
// of them is ever the second byte of a double-byte character; the cell
// texts are copied except for the few bytes that do not read back as
// themselves.
class CsvPageStream
{
public:
    // Takes the open file fd (closed with this object). Only a regular file
    // that is read as code page 932 qualifies; usable() is false for
    // anything else (a pipe, a file with a byte-order mark, UTF-8), which
    // goes the ordinary way.
    explicit CsvPageStream(int fd);
    ~CsvPageStream();
    CsvPageStream(const CsvPageStream &) = delete;
    CsvPageStream &operator=(const CsvPageStream &) = delete;

    // Looks the file through once: its encoding, how its lines end, how
    // many lines it keeps and the columns of the first. False on a read
    // error (errno is kept in error()).
    bool survey();
    bool usable() const { return m_usable; }
    int error() const { return m_error; }
    qint64 rows() const { return m_rows; }
    qint64 columns() const { return m_columns; }

    // From "<table border=…>" to "</CENTER>", as TableHtmlWriter::writeBody
    // writes it for the file taken into a table of rows() × columns() with
    // the transfer's quote rule stripQuotes. A read error, or a file that
    // changed since the survey, fails the sink.
    void writeBody(LineSink &sink, bool stripQuotes, const TableHtmlOptions &options);

private:
    template<typename OnLine>
    bool scanLines(OnLine &&onLine);

    int m_fd;
    qint64 m_size = 0;
    bool m_usable = false;
    bool m_lfEndsLines = true;
    int m_error = 0;
    qint64 m_rows = 0;
    qint64 m_columns = 1;
};

} // namespace tabulink
