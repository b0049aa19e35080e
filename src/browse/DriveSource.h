#pragma once

#include "browse/DriveTable.h"

namespace tabulink {

// Where the drive list comes from. The window gets the mounted volumes;
// tests give it folders as drives.
class DriveSource
{
public:
    virtual ~DriveSource() = default;

    virtual DriveTable mountedDrives() = 0;
    // A drive is ready when its mount point can be entered now.
    virtual bool isReady(const QString &mountPoint) = 0;
};

} // namespace tabulink
