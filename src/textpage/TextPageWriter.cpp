#include "textpage/TextPageWriter.h"

#include "page/PageFrame.h"
#include "textio/FilePieces.h"
#include "textio/LineSink.h"
#include "textpage/EditorText.h"
#include "textpage/LineBreaks.h"

namespace tabulink {

namespace TextPageWriter {

void writeEditorText(LineSink &sink, const TextPageInput &input)
{
    if (input.mincho)
        sink.line(QStringLiteral("<FONT face=\"ＭＳ 明朝\">"));
    if (input.cp932File) {
        EditorText::Cp932FileLines lines(sink, input.convertBreaks);
        if (!input.cp932File->forEach([&lines](QByteArrayView piece) { lines.feed(piece); }))
            sink.fail();
        lines.finish();
    } else {
        sink.line(convertLineBreaks(input.text, input.convertBreaks));
    }
    if (input.mincho)
        sink.line("</FONT>");
}

void writeLines(LineSink &sink, const PageOptions &options, const TextPageInput &input)
{
    PageFrame::writeHead(sink, options);
    sink.line("<table border=0>");
    sink.line("<tr><td align=left>");
    writeEditorText(sink, input);
    sink.line("</td></tr>");
    sink.line("</table>");
    sink.line("</center>");
    PageFrame::writeTail(sink, options);
}

bool write(QIODevice *device, const PageOptions &options, const TextPageInput &input)
{
    LineSink sink(device, Cp932::Unmappable::NumericReference);
    writeLines(sink, options, input);
    return sink.finish();
}

} // namespace TextPageWriter

} // namespace tabulink
