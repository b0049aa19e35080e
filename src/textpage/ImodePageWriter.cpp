#include "textpage/ImodePageWriter.h"

#include "textio/LineSink.h"
#include "textpage/TextPageWriter.h"

namespace tabulink {

namespace ImodePageWriter {

void writeLines(LineSink &sink, const PageOptions &options, const TextPageInput &input)
{
    // The background choice and image are deliberately not read: phones of
    // this kind ignore them, and the BODY line stays bare.
    sink.line("<HTML>");
    sink.line("<HEAD>");
    sink.line(QStringLiteral("<TITLE>") + options.title + QStringLiteral("</TITLE>"));
    sink.line("</HEAD>");
    sink.line("<BODY>");
    sink.line(options.title);
    sink.line("<HR>");
    TextPageWriter::writeEditorText(sink, input);
    sink.line("<HR>");
    if (options.hasBackLink())
        sink.line(QStringLiteral("<A href=\"") + options.backUrl + QStringLiteral("\">戻　る</A>"));
    sink.line("</BODY>");
    sink.line("</HTML>");
}

bool write(QIODevice *device, const PageOptions &options, const TextPageInput &input)
{
    LineSink sink(device, Cp932::Unmappable::NumericReference);
    writeLines(sink, options, input);
    return sink.finish();
}

} // namespace ImodePageWriter

} // namespace tabulink
