#include "linkpage/LinkPageWriter.h"

#include "linkpage/LinkListBody.h"
#include "page/PageFrame.h"
#include "textio/LineSink.h"

namespace LinkPageWriter {

void writeLines(LineSink &sink, const PageOptions &options, const QStringList &rows)
{
    PageFrame::writeHead(sink, options);
    LinkListBody::write(sink, rows);
    PageFrame::writeTail(sink, options);
}

bool write(QIODevice *device, const PageOptions &options, const QStringList &rows)
{
    LineSink sink(device, Cp932::Unmappable::NumericReference);
    writeLines(sink, options, rows);
    return sink.finish();
}

} // namespace LinkPageWriter
