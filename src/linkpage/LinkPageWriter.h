#pragma once

#include "linkpage/FileListEntry.h"
#include "page/PageOptions.h"

#include <QList>

class QIODevice;

namespace tabulink {

class LineSink;

// The link page: the common frame around the link list of the file list rows.
namespace LinkPageWriter {

void writeLines(LineSink &sink, const PageOptions &options, const QList<FileListEntry> &entries);
// Writes the whole page to device; false when a write failed.
bool write(QIODevice *device, const PageOptions &options, const QList<FileListEntry> &entries);

} // namespace LinkPageWriter

} // namespace tabulink
