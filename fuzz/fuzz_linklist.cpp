// File list rows and the link page body: a row splits at its first comma, and
// a file name never becomes markup or URL syntax in the page.
#include "linkpage/FileListEntry.h"
#include "linkpage/LinkListBody.h"
#include "textio/Cp932.h"
#include "textio/LineSink.h"

#include <QBuffer>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Cp932::decodeFileContent(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QStringList rows = text.split(u'\n');
    for (const QString &row : rows) {
        const FileListEntry e = FileListEntry::split(row);
        if (e.fileName.contains(u','))
            abort();
        if (e.hasComma != row.contains(u','))
            abort();
        const FileListEntry again = FileListEntry::split(FileListEntry::build(e.fileName, e.description));
        if (again.fileName != e.fileName || again.description != e.description)
            abort();

        const QString target = LinkListBody::linkTarget(e.fileName);
        for (QChar c : {u'"', u'<', u'>', u'#', u'?'}) {
            if (target.contains(c))
                abort();
        }
        const QString label = LinkListBody::escapeText(e.fileName);
        if (label.contains(u'<') || label.contains(u'>') || label.contains(u'"'))
            abort();
    }
    QByteArray page;
    QBuffer buffer(&page);
    buffer.open(QIODevice::WriteOnly);
    LineSink sink(&buffer, Cp932::Unmappable::NumericReference);
    LinkListBody::write(sink, rows);
    if (!sink.finish())
        abort();
    return 0;
}
