#include "browse/DesktopFolder.h"

#include "browse/FolderPath.h"

#include <QFileInfo>
#include <QStandardPaths>

QString DesktopFolder()
{
    const QString path = FolderPath::clean(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return QString();
    return path;
}
