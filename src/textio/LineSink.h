#pragma once

#include "textio/Cp932.h"

#include <QByteArray>
#include <QString>

#include <cstring>

class QIODevice;

namespace tabulink {

// Every file the program writes goes through one of these: each unit is
// encoded to code page 932 and followed by CR LF, the last one included.
class LineSink
{
public:
    LineSink(QIODevice *device, Cp932::Unmappable mode);
    ~LineSink();
    LineSink(const LineSink &) = delete;
    LineSink &operator=(const LineSink &) = delete;

    void line(QStringView unit);
    void line(const QString &unit) { line(QStringView(unit)); }
    void line(const char *asciiOrUtf8) { line(QString::fromUtf8(asciiOrUtf8)); }
    // Writes text as it stands, with no line end: a plain text file holds the
    // editor text byte for byte, its last line ended or not.
    void raw(QStringView text);

    // A unit in pieces: markup as it stands, text encoded, or text read as
    // code page 932 and written again for a page made straight from such
    // bytes (see Cp932::recodeAppend), then the line end.
    void put(QByteArrayView ascii)
    {
        if (ascii.isEmpty())
            return;
        if (ascii.size() <= m_buffer.size() - m_used) {
            std::memcpy(m_buffer.data() + m_used, ascii.data(), size_t(ascii.size()));
            m_used += ascii.size();
        } else {
            putLarge(ascii);
        }
    }
    void putRecoded(QByteArrayView cp932);
    void putEncoded(QStringView text);
    void endLine()
    {
        put("\r\n");
        if (m_used >= kFlushAt)
            flushBuffer();
    }
    // The content could not be made (its source failed): the file is not
    // to be kept.
    void fail() { m_ok = false; }

    // Writes what is buffered; false once any write has failed.
    bool finish();
    qsizetype replaced() const { return m_replaced; }

private:
    static constexpr qsizetype kFlushAt = 1 << 20;

    void putLarge(QByteArrayView bytes);
    // True when bytes fit after what is taken, the buffer grown if need be.
    bool makeRoom(qsizetype bytes) { return bytes <= m_buffer.size() - m_used || grow(bytes); }
    bool grow(qsizetype bytes);
    void flushBuffer();

    QIODevice *m_device;
    Cp932::Unmappable m_mode;
    // Its whole size is room, m_used of it taken. It starts small, as most
    // files are, and grows up to the flush mark and some slack: a large
    // buffer for every small file of a run costs more than its writes.
    QByteArray m_buffer;
    qsizetype m_used = 0;
    QByteArray m_scratch; // a unit being encoded
    qsizetype m_replaced = 0;
    bool m_ok = true;
};

} // namespace tabulink
