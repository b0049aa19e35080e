#pragma once

#include "browse/FolderListing.h"

#include <QString>

namespace tabulink {

// What the navigator needs of the file system. The window gets the local
// one; tests give it a tree of their own.
class FolderAccess
{
public:
    virtual ~FolderAccess() = default;

    virtual FolderListing list(const QString &folder, ListWhat what) = 0;
    virtual bool isFolder(const QString &path) = 0;
    // The process's working folder, and making folder the working folder.
    virtual QString workingFolder() = 0;
    virtual void enter(const QString &folder) = 0;
    // The user's desktop folder; empty text when there is none.
    virtual QString desktopFolder() = 0;
};

} // namespace tabulink
