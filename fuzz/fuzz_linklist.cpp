// File list rows and the link page body: a row splits at its first comma, and
// a file name never becomes markup or URL syntax in the page.
#include "linkpage/FileListEntry.h"
#include "linkpage/LinkListBody.h"
#include "textio/Cp932.h"
#include "textio/LineSink.h"

#include <QBuffer>
#include <QRegularExpression>

#include <cstdlib>

using namespace tabulink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = Cp932::decodeFileContent(bytes);
    const QStringList rows = text.split(u'\n');
    static const QRegularExpression reference(QStringLiteral("&#[0-9]+;"));
    QList<FileListEntry> entries;
    for (const QString &row : rows) {
        const FileListEntry e = FileListEntry::split(row);
        if (e.fileName.contains(u','))
            abort();
        if (e.hasComma != row.contains(u','))
            abort();
        const FileListEntry again = FileListEntry::split(FileListEntry::build(e.fileName, e.description));
        if (again.fileName != e.fileName || again.description != e.description)
            abort();

        // Whole rows as file names: a comma in a name stays in its link.
        for (const QByteArray &native : {QByteArray(), row.toUtf8() + bytes.left(4)}) {
            QString target = LinkListBody::linkTarget(row, native);
            target.remove(reference);
            for (QChar c : {u'"', u'<', u'>', u'#', u'?'}) {
                if (target.contains(c))
                    abort();
            }
            for (QChar c : target) {
                if (Cp932::isOneWay(c.unicode()))
                    abort();
            }
        }
        const QString label = LinkListBody::escapeText(e.fileName);
        if (label.contains(u'<') || label.contains(u'>') || label.contains(u'"'))
            abort();
        entries.append(FileListEntry::named(row));
        entries.append(e);
    }
    QByteArray page;
    QBuffer buffer(&page);
    buffer.open(QIODevice::WriteOnly);
    LineSink sink(&buffer, Cp932::Unmappable::NumericReference);
    LinkListBody::write(sink, entries);
    if (!sink.finish())
        abort();
    return 0;
}
