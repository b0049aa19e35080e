#include "browse/MountedDrives.h"

#include <QFileInfo>

namespace tabulink {

DriveTable MountedDrives::mountedDrives()
{
    return DriveTable::mounted();
}

bool MountedDrives::isReady(const QString &mountPoint)
{
    const QFileInfo root(mountPoint);
    return root.isDir() && root.isExecutable();
}

} // namespace tabulink
