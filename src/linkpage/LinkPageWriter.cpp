#include "linkpage/LinkPageWriter.h"

#include "linkpage/LinkListBody.h"
#include "page/PageFrame.h"
#include "textio/LineSink.h"

namespace tabulink {

namespace LinkPageWriter {

SaveTarget::Params saveParams()
{
    return SaveTarget::pageParams(SaveTarget::OverwriteForm::A, QStringLiteral("ｈｔｍｌファイル作成完了"));
}

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
