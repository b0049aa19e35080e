#include "textpage/TextFile.h"

#include "textio/LineSink.h"

#include <new>

namespace tabulink {

namespace TextFile {

FileKind fileKind()
{
    return {QStringLiteral(".txt"), QStringLiteral("txt.txt"), Cp932::Unmappable::QuestionMark};
}

FileReading::Result read(const QString &path)
{
    FileReading::Result r = FileReading::readText(path, MaxFileBytes);
    if (!r.ok)
        return r;
    try {
        r.text = FileReading::toCrLf(r.text);
    } catch (const std::bad_alloc &) {
        r = FileReading::Result();
        r.message = FileReading::outOfMemoryText(path);
    }
    return r;
}

void writeLines(LineSink &sink, const QString &text)
{
    sink.raw(text);
}

bool write(QIODevice *device, const QString &text, qsizetype *replaced)
{
    LineSink sink(device, Cp932::Unmappable::QuestionMark);
    writeLines(sink, text);
    const bool ok = sink.finish();
    if (replaced)
        *replaced = sink.replaced();
    return ok;
}

QString byteCountText(qsizetype count)
{
    return QStringLiteral(" ") + QString::number(count);
}

} // namespace TextFile

} // namespace tabulink
