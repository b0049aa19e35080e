#pragma once

#include "page/PageOptions.h"
#include "textpage/TextPageWriter.h"

class QIODevice;

namespace tabulink {

class LineSink;

// The reduced page for i-mode phones: its own small frame (no META line, no
// style, no background, no footer) around the editor text, and at most one
// plain back link.
namespace ImodePageWriter {

void writeLines(LineSink &sink, const PageOptions &options, const TextPageInput &input);
// Writes the whole page to device; false when a write failed.
bool write(QIODevice *device, const PageOptions &options, const TextPageInput &input);

} // namespace ImodePageWriter

} // namespace tabulink
