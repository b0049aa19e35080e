#include "browse/LocalFolders.h"

#include "browse/FolderPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tabulink {

FolderListing LocalFolders::list(const QString &folder, ListWhat what)
{
    return listFolder(folder, what);
}

bool LocalFolders::isFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}

QString LocalFolders::workingFolder()
{
    return QDir::currentPath();
}

void LocalFolders::enter(const QString &folder)
{
    QDir::setCurrent(folder);
}

QString LocalFolders::desktopFolder()
{
    const QString path = FolderPath::clean(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return QString();
    return path;
}

} // namespace tabulink
