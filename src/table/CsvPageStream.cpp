#include "table/CsvPageStream.h"

#include "table/CsvLineList.h"
#include "table/CsvReader.h"
#include "table/CsvTransfer.h"
#include "textio/Cp932.h"
#include "textio/FilePieces.h"
#include "textio/LineSink.h"
#include "textio/Utf8Mistakes.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace tabulink {

namespace {

constexpr qsizetype kChunk = 32 * 1024;

// A small file gets a buffer of its size: a run over many small files
// would otherwise spend more on mapping and clearing buffers than on the
// files.
qsizetype chunkSize(qint64 fileSize)
{
    return qsizetype(qBound<qint64>(1, fileSize, kChunk));
}

} // namespace

CsvPageStream::CsvPageStream(int fd)
    : m_fd(fd)
{
}

CsvPageStream::~CsvPageStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

// Calls onLine(line) for every line of the file, as LineScanner splits a
// text: CR LF and a lone CR end a line, a lone LF too in a file without CR.
template<typename OnLine>
bool CsvPageStream::scanLines(OnLine &&onLine)
{
    std::vector<char> chunk(static_cast<size_t>(chunkSize(m_size)));
    QByteArray carry; // the start of a line that goes on in the next chunk
    bool skipLf = false;
    const char end = m_lfEndsLines ? '\n' : '\r';
    qint64 offset = 0;
    while (offset < m_size) {
        const qsizetype n = FilePieces::readAt(m_fd, chunk.data(), qMin<qint64>(kChunk, m_size - offset), offset);
        if (n <= 0) {
            m_error = n < 0 ? errno : EIO; // the file shrank since it was looked at
            return false;
        }
        offset += n;
        const char *p = chunk.data();
        const char *e = p + n;
        if (skipLf && *p == '\n')
            ++p;
        skipLf = false;
        while (p < e) {
            const char *t = static_cast<const char *>(std::memchr(p, end, size_t(e - p)));
            if (!t) {
                carry.append(p, e - p);
                break;
            }
            if (carry.isEmpty()) {
                onLine(QByteArrayView(p, t - p));
            } else {
                carry.append(p, t - p);
                onLine(QByteArrayView(carry));
                carry.clear();
            }
            if (*t == '\r') {
                if (t + 1 < e && t[1] == '\n')
                    ++t;
                else if (t + 1 == e)
                    skipLf = true;
            }
            p = t + 1;
        }
    }
    if (!carry.isEmpty())
        onLine(QByteArrayView(carry));
    return true;
}

bool CsvPageStream::survey()
{
    m_usable = false;
    struct stat st;
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > CsvReader::MaxFileBytes)
        return true;
    m_size = st.st_size;

    // The encoding, as Cp932::decodeFileContent decides it, and whether any
    // CR is there. Japanese code page 932 text shows that it is not UTF-8
    // within its first characters; after that only a CR is looked for.
    std::vector<char> chunk(static_cast<size_t>(chunkSize(m_size)));
    Utf8Mistakes utf8;
    bool highByte = false; // E0 or above: the mark of three-byte UTF-8
    bool anyCr = false;
    for (qint64 offset = 0; offset < m_size && !(anyCr && utf8.found());) {
        const qsizetype n = FilePieces::readAt(m_fd, chunk.data(), qMin<qint64>(kChunk, m_size - offset), offset);
        if (n < 0) {
            m_error = errno;
            return false;
        }
        if (n == 0)
            break;
        const auto *b = reinterpret_cast<const quint8 *>(chunk.data());
        if (offset == 0) {
            const QByteArrayView start(chunk.data(), n);
            if (Cp932::hasByteOrderMark(start))
                return true;
        }
        if (!utf8.found())
            utf8.feed(b, n);
        if (!highByte) {
            for (qsizetype i = 0; i < n && !highByte; ++i)
                highByte = b[i] >= 0xE0;
        }
        if (!anyCr)
            anyCr = std::memchr(chunk.data(), '\r', size_t(n)) != nullptr;
        offset += n;
    }
    if (highByte && !utf8.found())
        return true; // may be UTF-8: the ordinary reading decides
    m_lfEndsLines = !anyCr;

    m_rows = 0;
    QByteArray firstLine;
    const bool read = scanLines([&](QByteArrayView line) {
        if (!isKeptLine(line))
            return;
        if (m_rows == 0)
            firstLine = line.toByteArray();
        ++m_rows;
    });
    if (!read)
        return false;
    m_columns = firstLine.count(',') + 1;
    m_usable = true;
    return true;
}

void CsvPageStream::writeBody(LineSink &sink, bool stripQuotes, const TableHtmlOptions &options)
{
    sink.line(QStringLiteral("<table border=\"%1\">").arg(options.border ? 1 : 0));
    const TableHtmlWriter::CellMarkup markup(options);

    qint64 row = 0;
    const qint64 columns = m_columns;
    const bool read = scanLines([&](QByteArrayView line) {
        if (!isKeptLine(line))
            return;
        if (row >= m_rows) {
            ++row; // more lines than the survey found: the file changed
            return;
        }
        sink.put("<tr>");
        sink.endLine();
        const bool top = row == 0;
        // Cells start after a comma or a quote, never within a character:
        // when the whole line reads back as it stands, so does every cell.
        const bool lineReadsBack = Cp932::sameLength(line) == line.size();
        // The transfer's cells, as the table page writes them.
        CsvTransfer::splitRow(line, columns, stripQuotes, [&](qint64 column, QByteArrayView cell) {
            const bool left = column == 0;
            sink.put(markup.start[top][left]);
            const QByteArrayView text = TableHtmlWriter::cellText(cell, QByteArrayView("\x81\x40"), options);
            if (lineReadsBack)
                sink.put(text);
            else
                sink.putRecoded(text);
            sink.put(markup.end[top][left]);
            sink.endLine();
        });
        sink.put("</tr>");
        sink.endLine();
        ++row;
    });
    if (!read || row != m_rows)
        sink.fail();
    sink.line(u"</TABLE>");
    sink.line(u"</CENTER>");
}

} // namespace tabulink
