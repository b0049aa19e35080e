#include "linkpage/FileListEntry.h"

namespace tabulink {

FileListEntry FileListEntry::named(const QString &fileName, const QByteArray &nativeName)
{
    FileListEntry entry;
    entry.fileName = fileName;
    entry.nativeName = nativeName;
    return entry;
}

FileListEntry FileListEntry::split(const QString &row)
{
    FileListEntry entry;
    const qsizetype comma = row.indexOf(u',');
    if (comma < 0) {
        entry.fileName = row;
        return entry;
    }
    entry.fileName = row.left(comma);
    entry.description = row.mid(comma + 1);
    entry.hasComma = true;
    return entry;
}

QString FileListEntry::build(const QString &fileName, const QString &description)
{
    if (description.isEmpty())
        return fileName;
    return fileName + u',' + description;
}

} // namespace tabulink
