#pragma once

#include "textio/Cp932.h"

#include <QByteArray>
#include <QString>

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

    // Writes what is buffered; false once any write has failed.
    bool finish();
    bool ok() const { return m_ok; }
    qsizetype replaced() const { return m_replaced; }

private:
    void flushBuffer();

    QIODevice *m_device;
    Cp932::Unmappable m_mode;
    QByteArray m_buffer;
    qsizetype m_replaced = 0;
    bool m_ok = true;
};

} // namespace tabulink
