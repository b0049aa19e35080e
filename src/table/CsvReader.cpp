#include "table/CsvReader.h"

#include "textio/FileReading.h"

#include <new>

namespace tabulink {

namespace CsvReader {

qint64 columnsFor(const CsvLineList &lines)
{
    return lines.commasIn(0) + 1;
}

Result fromText(const QString &text)
{
    Result r;
    r.ok = true;
    r.lines = CsvLineList::keptLinesOf(text);
    r.rows = r.lines.size();
    r.columns = columnsFor(r.lines);
    return r;
}

Result readFile(const QString &path)
{
    FileReading::Content read = FileReading::readContent(path, MaxFileBytes);
    Result r;
    if (!read.ok) {
        r.message = read.message;
        return r;
    }
    try {
        r.lines = CsvLineList::keptLinesOfFile(read.bytes);
        read.bytes = QByteArray(); // a decoded file's bytes go before the grid takes its size
        r.ok = true;
        r.rows = r.lines.size();
        r.columns = columnsFor(r.lines);
    } catch (const std::bad_alloc &) {
        r = Result();
        r.message = FileReading::outOfMemoryText(path);
    }
    return r;
}

} // namespace CsvReader

} // namespace tabulink
