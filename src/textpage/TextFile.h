#pragma once

#include "page/SaveTarget.h"
#include "textio/FileReading.h"

#include <QString>

class LineSink;
class QIODevice;

// The editor's plain text files: Shift_JIS (or UTF-8 when the file is UTF-8)
// read whole, written whole, with nothing added at either end.
namespace TextFile {

QString openFilter(); // "text|*.txt|All Files|*.*|"
QString saveFilter(); // "text|*.txt|html|*.html|All Files|*.*|"
QString proposedName(); // "txt.txt"

// The save procedure's settings for the text file: no overwrite question, no
// notice, the path label left alone, "?" for characters Shift_JIS lacks.
SaveTarget::Params saveParams();

// Reads a file for the editor. On success text has CR LF line breaks,
// whatever the file used (CR LF, lone CR or lone LF).
FileReading::Result read(const QString &path);

// Writes the editor text (CR LF line breaks) byte for byte.
void writeLines(LineSink &sink, const QString &text);
// Returns false when a write failed; replaced gets the number of characters
// written as "?".
bool write(QIODevice *device, const QString &text, qsizetype *replaced = nullptr);

// Label7's text: the count after one leading blank.
QString byteCountText(qsizetype count);

} // namespace TextFile
