// The text page from any editor text: the converted text keeps every line,
// and the page is written whole; the page made straight from the bytes of a
// code page 932 file is the page of the editor text loaded from it.
#include "page/PageOptions.h"
#include "textio/Cp932.h"
#include "textio/FilePieces.h"
#include "textpage/EditorText.h"
#include "textpage/LineBreaks.h"
#include "textpage/TextPageWriter.h"

#include <QBuffer>

#include <cstdlib>
#include <memory>

#include <sys/mman.h>
#include <unistd.h>

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
    // The file read in small pieces, so that line ends and double-byte
    // characters fall across them.
    const int fd = ::memfd_create("fuzz_textpage", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, data + 1, size - 1) != ssize_t(size - 1))
        abort();
    streamed.cp932File = std::make_shared<FilePieces>(fd, qsizetype(1 + size % 13));
    if (!streamed.cp932File->start(1 << 30) || !streamed.cp932File->usable())
        abort();
    if (render(loaded) != render(streamed))
        abort();
    if (!page.startsWith("<HTML>\r\n") || !page.endsWith("</BODY>\r\n</HTML>\r\n"))
        abort();
    return 0;
}
