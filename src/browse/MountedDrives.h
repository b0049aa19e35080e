#pragma once

#include "browse/DriveSource.h"

namespace tabulink {

// The mounted volumes of this system, pseudo file systems left out.
class MountedDrives : public DriveSource
{
public:
    DriveTable mountedDrives() override;
    bool isReady(const QString &mountPoint) override;
};

} // namespace tabulink
