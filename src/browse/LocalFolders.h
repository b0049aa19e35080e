#pragma once

#include "browse/FolderAccess.h"

namespace tabulink {

// The folders of this system. The desktop folder is the XDG desktop
// directory, when it exists as a folder.
class LocalFolders : public FolderAccess
{
public:
    FolderListing list(const QString &folder, ListWhat what) override;
    bool isFolder(const QString &path) override;
    QString workingFolder() override;
    void enter(const QString &folder) override;
    QString desktopFolder() override;
};

} // namespace tabulink
