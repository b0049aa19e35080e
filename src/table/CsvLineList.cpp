#include "table/CsvLineList.h"

#include "textio/LineScanner.h"

namespace tabulink {

QStringView CsvLineList::view(qsizetype index) const
{
    if (index < 0 || index >= size())
        return QStringView();
    const Span &span = m_lines[size_t(index)];
    return QStringView(m_text).mid(span.offset, span.length);
}

void CsvLineList::clear()
{
    m_lines.clear();
    m_text = QString();
}

CsvLineList CsvLineList::keptLinesOf(const QString &text)
{
    CsvLineList list;
    list.m_text = text;
    // A spreadsheet ends its lines with CR LF and writes a line break inside
    // a cell as a lone LF, which stays in the line. Only a file without any
    // CR (made on Linux) ends its lines at LF.
    const bool lfEndsLines = !text.contains(u'\r');
    const QChar *data = text.constData();
    LineScanner::scan(text, lfEndsLines, [&](QStringView line, bool) {
        if (isKeptLine(line))
            list.m_lines.push_back({line.data() - data, line.size()});
    });
    return list;
}

namespace {
template<typename View>
bool hasMoreThanBlanks(View line)
{
    for (const auto c : line) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            return true;
    }
    return false;
}
} // namespace

bool isKeptLine(QStringView line)
{
    return hasMoreThanBlanks(line);
}

bool isKeptLine(QByteArrayView line)
{
    return hasMoreThanBlanks(line);
}

} // namespace tabulink
