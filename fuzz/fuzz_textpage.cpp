// The text page from any editor text: the converted text keeps every line,
// and the page is written whole; the page made straight from the bytes of a
// code page 932 file is the page of the editor text loaded from it.
#include "page/PageOptions.h"
#include "textio/Cp932.h"
#include "textpage/EditorText.h"
#include "textpage/LineBreaks.h"
#include "textpage/TextPageWriter.h"

#include <QBuffer>

#include <cstdlib>

using namespace tabulink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const quint8 flags = data[0];
    const QString text = Cp932::decode(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));

    const QString converted = convertLineBreaks(text, true);
    QString stripped = converted;
    stripped.replace(QStringLiteral("<br>\r\n"), QStringLiteral("\r\n"));
    if (!text.contains(QStringLiteral("<br>")) && stripped != text)
        abort();
    if (convertLineBreaks(text, false) != text)
        abort();

    PageOptions options;
    options.title = text.left(40);
    options.backUrl = text.mid(40, 20);
    options.background = backgroundFromOption(flags % 10);
    auto render = [&](const TextPageInput &input) {
        QByteArray page;
        QBuffer buffer(&page);
        buffer.open(QIODevice::WriteOnly);
        if (!TextPageWriter::write(&buffer, options, input))
            abort();
        return page;
    };
    TextPageInput input;
    input.text = text;
    input.convertBreaks = flags & 0x10;
    input.mincho = flags & 0x20;
    const QByteArray page = render(input);

    TextPageInput loaded = input;
    loaded.text = EditorText::fromFile(text);
    TextPageInput streamed = input;
    streamed.text.clear();
    streamed.fromCp932File = true;
    streamed.cp932File = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (render(loaded) != render(streamed))
        abort();
    if (!page.startsWith("<HTML>\r\n") || !page.endsWith("</BODY>\r\n</HTML>\r\n"))
        abort();
    return 0;
}
