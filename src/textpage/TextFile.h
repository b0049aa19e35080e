#pragma once

#include "page/FileKind.h"
#include "textio/FileReading.h"

#include <QString>

class QIODevice;

namespace tabulink {

class LineSink;

// The editor's plain text files: Shift_JIS (or UTF-8 when the file is UTF-8)
// read whole, written whole, with nothing added at either end.
namespace TextFile {

// Always proposed as "txt.txt"; "?" for characters Shift_JIS lacks.
FileKind fileKind();

// The largest text file read for the editor. The editor holds about seven
// bytes of memory for every byte of Japanese text and takes about a tenth of
// a second per megabyte to show it; past this size it turns sluggish, and a
// page written from it would be far beyond what a browser shows well.
constexpr qint64 MaxFileBytes = 16 * FileReading::MiB;

// Reads a file for the editor. On success text has CR LF line breaks,
// whatever the file used (CR LF, lone CR or lone LF). A file above
// MaxFileBytes, or one that does not fit in memory, gives an error text.
FileReading::Result read(const QString &path);

// Writes the editor text (CR LF line breaks) byte for byte.
void writeLines(LineSink &sink, const QString &text);
// Returns false when a write failed; replaced gets the number of characters
// written as "?".
bool write(QIODevice *device, const QString &text, qsizetype *replaced = nullptr);

// Label7's text: the count after one leading blank.
QString byteCountText(qsizetype count);

} // namespace TextFile

} // namespace tabulink
