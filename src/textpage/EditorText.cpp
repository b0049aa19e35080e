#include "textpage/EditorText.h"

#include "textio/Cp932.h"
#include "textio/FileReading.h"
#include "textio/LineSink.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tabulink {

namespace EditorText {

QString fromEditor(const QString &plainText)
{
    // The editor holds lines separated by "\n"; the pages want CR LF.
    QString text = plainText;
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

QString fromFile(const QString &fileText)
{
    QString text = FileReading::toCrLf(fileText);
    // The window's editor hands back a no-break space as a blank and a line
    // or paragraph separator as a line break; the pages are written from that.
    bool changed = false;
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (u == 0x00A0 || u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1) {
            changed = true;
            break;
        }
    }
    if (!changed)
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : std::as_const(text)) {
        switch (c.unicode()) {
        case 0x00A0: out += u' '; break;
        case 0x2028:
        case 0x2029:
        case 0xFDD0:
        case 0xFDD1: out += QStringLiteral("\r\n"); break;
        default: out += c;
        }
    }
    return out;
}

void Cp932FileLines::endLine()
{
    if (m_convertBreaks)
        m_sink.put("<br>");
    m_sink.endLine();
}

void Cp932FileLines::feed(QByteArrayView piece)
{
    const char *data = piece.data();
    const qsizetype n = piece.size();
    qsizetype start = 0;
    if (m_skipLf && n > 0) {
        m_skipLf = false;
        if (data[0] == '\n')
            start = 1;
    }
    // Where the next CR and the next LF are; each is looked for again only
    // once passed, so a file with one kind of line end is searched for the
    // other kind once per piece.
    auto next = [&](qsizetype from, char c) {
        const void *at = from < n ? std::memchr(data + from, c, size_t(n - from)) : nullptr;
        return at ? qsizetype(static_cast<const char *>(at) - data) : n;
    };
    qsizetype cr = -1;
    qsizetype lf = -1;
    qsizetype clean = -1; // the bytes from the line's start up to here read back
    while (start < n) {
        if (cr < start)
            cr = next(start, '\r');
        if (lf < start)
            lf = next(start, '\n');
        const qsizetype end = std::min(cr, lf);
        if (end == n) {
            m_carry.append(data + start, n - start);
            return;
        }
        if (m_carry.isEmpty()) {
            // Most lines read back as they stand and are copied.
            if (clean < start)
                clean = start + Cp932::sameLength(piece.sliced(start));
            if (clean >= end)
                m_sink.put(QByteArrayView(data + start, end - start));
            else
                m_sink.putRecoded(QByteArrayView(data + start, end - start));
        } else {
            m_carry.append(data + start, end - start);
            m_sink.putRecoded(m_carry);
            m_carry.resize(0);
        }
        endLine();
        start = end + 1;
        if (data[end] == '\r') {
            if (start < n && data[start] == '\n')
                ++start;
            else if (start == n)
                m_skipLf = true;
        }
    }
}

void Cp932FileLines::finish()
{
    m_sink.putRecoded(m_carry);
    m_carry.clear();
    m_skipLf = false;
    m_sink.endLine();
}

void writeCp932File(LineSink &sink, QByteArrayView bytes, bool convertBreaks)
{
    Cp932FileLines lines(sink, convertBreaks);
    lines.feed(bytes);
    lines.finish();
}

} // namespace EditorText

} // namespace tabulink
