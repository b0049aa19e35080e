#pragma once

#include "browse/Launcher.h"

namespace tabulink {

// The desktop's own file manager and default browser, through the desktop
// services: the path goes over as a file URL, never through a shell.
class DesktopLauncher : public Launcher
{
public:
    bool openFolder(const QString &folder) override;
    bool openPage(const QString &path) override;
};

} // namespace tabulink
