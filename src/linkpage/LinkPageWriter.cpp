#include "linkpage/LinkPageWriter.h"

#include "linkpage/LinkListBody.h"
#include "page/PageFrame.h"
#include "textio/LineSink.h"

namespace tabulink {

namespace LinkPageWriter {

void writeLines(LineSink &sink, const PageOptions &options, const QList<FileListEntry> &entries)
{
    PageFrame::writeHead(sink, options);
    LinkListBody::write(sink, entries);
    PageFrame::writeTail(sink, options);
}

bool write(QIODevice *device, const PageOptions &options, const QList<FileListEntry> &entries)
{
    LineSink sink(device, Cp932::Unmappable::NumericReference);
    writeLines(sink, options, entries);
    return sink.finish();
}

} // namespace LinkPageWriter

} // namespace tabulink
