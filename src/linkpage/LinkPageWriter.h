#pragma once

#include "page/PageOptions.h"

#include <QStringList>

class LineSink;
class QIODevice;

// The link page: the common frame around the link list of the file list rows.
namespace LinkPageWriter {

void writeLines(LineSink &sink, const PageOptions &options, const QStringList &rows);
// Writes the whole page to device; false when a write failed.
bool write(QIODevice *device, const PageOptions &options, const QStringList &rows);

} // namespace LinkPageWriter
