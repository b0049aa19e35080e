#include "browse/DroppedPath.h"

#include "browse/BrowseMessages.h"
#include "browse/FolderPath.h"
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

// The texts a file chosen in the open dialog gets when it cannot be read
// (see FileReading::readText).
QString missingText(const QString &path)
{
    return QStringLiteral("ファイルが見つかりません。\n%1").arg(QDir::toNativeSeparators(path));
}

QString notRegularText(const QString &path)
{
    return QStringLiteral("通常のファイルではないため読み込めません。\n%1").arg(QDir::toNativeSeparators(path));
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
        return refused(missingText(path));
    DroppedPath dropped;
    dropped.path = path;
    if (foldersToo && info.isDir()) {
        dropped.kind = Folder;
        return dropped;
    }
    if (!NativePath::isFile(path))
        return refused(notRegularText(path));
    dropped.kind = File;
    dropped.folder = FolderPath::parent(path);
    dropped.name = path.mid(path.lastIndexOf(u'/') + 1);
    return dropped;
}

} // namespace tabulink
