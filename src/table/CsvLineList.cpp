#include "table/CsvLineList.h"

#include "textio/Cp932.h"
#include "textio/LineScanner.h"

#include <algorithm>
#include <limits>
#include <new>

namespace tabulink {

QString CsvLineList::entry(qsizetype index) const
{
    QString buffer;
    const QStringView line = view(index, buffer);
    return line.data() == buffer.constData() ? buffer : line.toString();
}

QStringView CsvLineList::view(qsizetype index, QString &buffer) const
{
    if (index < 0 || index >= size())
        return QStringView();
    const Span &span = m_data->lines[size_t(index)];
    if (m_data->cp932.isNull())
        return QStringView(m_data->text).mid(span.offset, span.length);
    // A character never spans two lines: a line's bytes decode alone to the
    // text they are part of in the whole file.
    buffer = Cp932::decode(QByteArray::fromRawData(m_data->cp932.constData() + span.offset, span.length));
    return buffer;
}

QByteArrayView CsvLineList::bytes(qsizetype index) const
{
    if (index < 0 || index >= size() || !holdsBytes())
        return QByteArrayView();
    const Span &span = m_data->lines[size_t(index)];
    return QByteArrayView(m_data->cp932.constData() + span.offset, span.length);
}

qsizetype CsvLineList::commasIn(qsizetype index) const
{
    if (index < 0 || index >= size())
        return 0;
    const Span &span = m_data->lines[size_t(index)];
    // A comma is never the second byte of a character.
    if (!m_data->cp932.isNull())
        return std::count(m_data->cp932.cbegin() + span.offset, m_data->cp932.cbegin() + span.offset + span.length, ',');
    return QStringView(m_data->text).mid(span.offset, span.length).count(u',');
}

namespace {
bool containsCr(QStringView text)
{
    return text.contains(u'\r');
}
bool containsCr(QByteArrayView bytes)
{
    return bytes.indexOf('\r') >= 0;
}
} // namespace

template<typename View>
std::vector<CsvLineList::Span> CsvLineList::keptSpans(View text)
{
    // Offsets of 32 bits: a file the reader takes in is far smaller.
    if (quint64(text.size()) > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    // A spreadsheet ends its lines with CR LF and writes a line break inside
    // a cell as a lone LF, which stays in the line. Only a file without any
    // CR (made on Linux) ends its lines at LF.
    const bool lfEndsLines = !containsCr(text);
    // Counted first, so that the list takes no more memory than it needs.
    size_t kept = 0;
    LineScanner::scan(text, lfEndsLines, [&](View line, bool) { kept += isKeptLine(line) ? 1 : 0; });
    std::vector<Span> spans;
    spans.reserve(kept);
    const auto *start = text.data();
    LineScanner::scan(text, lfEndsLines, [&](View line, bool) {
        if (isKeptLine(line))
            spans.push_back({std::uint32_t(line.data() - start), std::uint32_t(line.size())});
    });
    return spans;
}

CsvLineList CsvLineList::keptLinesOf(const QString &text)
{
    auto data = std::make_shared<Data>();
    data->lines = keptSpans(QStringView(text));
    data->text = text;
    CsvLineList list;
    list.m_data = std::move(data);
    return list;
}

CsvLineList CsvLineList::keptLinesOfFile(const QByteArray &bytes)
{
    if (!Cp932::surelyCp932(bytes))
        return keptLinesOf(Cp932::decodeFileContent(bytes));
    auto data = std::make_shared<Data>();
    data->lines = keptSpans(QByteArrayView(bytes));
    // An empty file's bytes may be null: they must still read as bytes.
    data->cp932 = bytes.isNull() ? QByteArray("") : bytes;
    CsvLineList list;
    list.m_data = std::move(data);
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
