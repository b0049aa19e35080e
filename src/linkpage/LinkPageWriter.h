#pragma once

#include "linkpage/FileListEntry.h"
#include "page/PageOptions.h"
#include "page/SaveTarget.h"

#include <QList>

class QIODevice;

namespace tabulink {

class LineSink;

// The link page: the common frame around the link list of the file list rows.
namespace LinkPageWriter {

// How the page is saved: an .html name, the first overwrite question, and
// "ｈｔｍｌファイル作成完了" when it is written.
SaveTarget::Params saveParams();

void writeLines(LineSink &sink, const PageOptions &options, const QList<FileListEntry> &entries);
// Writes the whole page to device; false when a write failed.
bool write(QIODevice *device, const PageOptions &options, const QList<FileListEntry> &entries);

} // namespace LinkPageWriter

} // namespace tabulink
