#include "table/CsvReader.h"

#include "textio/FileReading.h"

namespace CsvReader {

qint64 columnsFor(const CsvLineList &lines)
{
    return lines.view(0).count(u',') + 1;
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
    const FileReading::Result read = FileReading::readText(path);
    if (!read.ok) {
        Result r;
        r.errorText = read.errorText;
        return r;
    }
    return fromText(read.text);
}

QString missingFileText(const QString &path)
{
    return QStringLiteral("\n") + path + QStringLiteral("\nファイルがありません！\n");
}

QString noFileText()
{
    return QStringLiteral("ファイルが指定されておりません");
}

} // namespace CsvReader
