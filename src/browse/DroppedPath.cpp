#include "browse/DroppedPath.h"

#include "browse/BrowseMessages.h"
#include "browse/FolderPath.h"
#include "textio/IoMessages.h"
#include "textio/NativePath.h"

#include <QDir>
#include <QFileInfo>

namespace tabulink {

namespace {

DroppedPath refused(const QString &message, bool notice = false)
{
    DroppedPath dropped;
    dropped.kind = DroppedPath::Refused;
    dropped.message = notice ? UserMessage::notice(message) : UserMessage::warning(message);
    return dropped;
}

} // namespace

DroppedPath DroppedPath::take(const QList<QUrl> &urls, bool foldersToo)
{
    if (urls.isEmpty())
        return {};
    const QUrl &first = urls.first();
    // A remote address (http, smb, sftp…) is never fetched; it gets the
    // message a network path gets from the clipboard.
    if (!first.isLocalFile())
        return refused(BrowseMessages::networkPath(), true);
    const QString path = FolderPath::clean(first.toLocalFile());
    if (path.isEmpty())
        return refused(BrowseMessages::networkPath(), true);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return refused(IoMessages::notFound(QDir::toNativeSeparators(path)));
    DroppedPath dropped;
    dropped.path = path;
    if (foldersToo && info.isDir()) {
        dropped.kind = Folder;
        return dropped;
    }
    if (!NativePath::isFile(path))
        return refused(IoMessages::notRegularForRead(QDir::toNativeSeparators(path)));
    dropped.kind = File;
    dropped.folder = FolderPath::parent(path);
    dropped.name = path.mid(path.lastIndexOf(u'/') + 1);
    return dropped;
}

} // namespace tabulink
