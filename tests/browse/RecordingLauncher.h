#pragma once

#include "browse/Launcher.h"

#include <QStringList>

namespace tabulink {

// A Launcher that starts nothing and notes what it was asked to open.
class RecordingLauncher : public Launcher
{
public:
    bool openFolder(const QString &folder) override { folders.append(folder); return succeed; }
    bool openPage(const QString &path) override { pages.append(path); return succeed; }
    QStringList folders, pages;
    bool succeed = true;
};

} // namespace tabulink
