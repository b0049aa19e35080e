#pragma once

#include "page/PageOptions.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

namespace tabulink {

class FilePieces;
class LineSink;

// The editor text and its two options, as the text and i-mode pages use them.
struct TextPageInput {
    QString text;             // lines separated by CR LF
    bool convertBreaks = true; // "改行を<br>に置き換える"
    bool mincho = false;       // "ＭＳ明朝を使用"
    // Instead of text, for a file read as code page 932: the file, read as
    // the page is written, as the editor would hold it after loading it.
    std::shared_ptr<FilePieces> cp932File;
};

namespace TextPageWriter {

// The editor text as both text pages carry it: line breaks converted when
// asked, wrapped in the Mincho FONT element when asked.
void writeEditorText(LineSink &sink, const TextPageInput &input);
void writeLines(LineSink &sink, const PageOptions &options, const TextPageInput &input);
// Writes the whole page to device; false when a write failed.
bool write(QIODevice *device, const PageOptions &options, const TextPageInput &input);

} // namespace TextPageWriter

} // namespace tabulink
