#include "table/CsvLineList.h"

#include "textio/Cp932.h"
#include "textio/LineScanner.h"

#include <QStringDecoder>

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
    if (m_data->kind == Kind::Text)
        return QStringView(m_data->text).mid(span.offset, span.length);
    // A character never spans two lines: a line's bytes decode alone to the
    // text they are part of in the whole file.
    const QByteArrayView line(m_data->bytes.constData() + span.offset, span.length);
    if (m_data->kind == Kind::Cp932) {
        buffer = Cp932::decode(QByteArray::fromRawData(line.data(), line.size()));
    } else {
        // A line may start with U+FEFF, which stays, as it does inside the file.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        buffer = utf8.decode(line);
    }
    return buffer;
}

QByteArrayView CsvLineList::bytes(qsizetype index) const
{
    if (index < 0 || index >= size() || !holdsCp932())
        return QByteArrayView();
    const Span &span = m_data->lines[size_t(index)];
    return QByteArrayView(m_data->bytes.constData() + span.offset, span.length);
}

qsizetype CsvLineList::commasIn(qsizetype index) const
{
    if (index < 0 || index >= size())
        return 0;
    const Span &span = m_data->lines[size_t(index)];
    // A comma is never part of a character of two or more bytes.
    if (m_data->kind != Kind::Text) {
        const auto start = m_data->bytes.cbegin() + span.offset;
        return std::count(start, start + span.length, ',');
    }
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

CsvLineList CsvLineList::ofBytes(const QByteArray &bytes, Kind kind)
{
    auto data = std::make_shared<Data>();
    data->lines = keptSpans(QByteArrayView(bytes));
    data->kind = kind;
    data->bytes = bytes;
    CsvLineList list;
    list.m_data = std::move(data);
    return list;
}

namespace {
// Whether UTF-8 decoding of the whole content meets no error, without
// holding the whole text.
bool decodesAsUtf8(QByteArrayView bytes)
{
    constexpr qsizetype kPiece = qsizetype(1) << 20;
    QStringDecoder utf8(QStringConverter::Utf8);
    for (qsizetype at = 0; at < bytes.size() && !utf8.hasError(); at += kPiece) {
        // Decoding happens only when the result is taken.
        const QString piece = utf8.decode(bytes.sliced(at, std::min(kPiece, bytes.size() - at)));
    }
    return !utf8.hasError();
}

// Whether the content stops inside a character of two or more bytes.
bool endsInsideCharacter(QByteArrayView bytes)
{
    for (qsizetype back = 1; back <= 4 && back <= bytes.size(); ++back) {
        const auto b = quint8(bytes[bytes.size() - back]);
        if (b < 0x80)
            return false;
        if (b >= 0xC0)
            return back < (b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2);
    }
    return false;
}
} // namespace

CsvLineList CsvLineList::keptLinesOfFile(const QByteArray &bytes)
{
    // The same choice as Cp932::decodeFileContent makes.
    if (Cp932::surelyCp932(bytes))
        return ofBytes(bytes, Kind::Cp932);
    if (Cp932::hasByteOrderMark(bytes))
        return keptLinesOf(Cp932::decodeFileContent(bytes));
    if (!decodesAsUtf8(bytes))
        return ofBytes(bytes, Kind::Cp932);
    // A last character cut short is left out of the text, which no line's
    // bytes alone would tell.
    if (endsInsideCharacter(bytes))
        return keptLinesOf(Cp932::decodeFileContent(bytes));
    return ofBytes(bytes, Kind::Utf8);
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
