#pragma once

#include "page/PageOptions.h"

#include <QString>
#include <QStringList>

class UserDialogs;

// What the page makers need of the main window, so that their logic runs
// without widgets.
class WindowContext
{
public:
    virtual ~WindowContext() = default;

    virtual UserDialogs &dialogs() = 0;
    // The page options as the controls show them now.
    virtual PageOptions pageOptions() const = 0;
    // The folder list's path: where every dialog opens.
    virtual QString currentFolder() const = 0;
    // The name last picked in the file list; empty until one is picked.
    virtual QString selectedFileName() const = 0;
    virtual QString pathLabel() const = 0;
    virtual void setPathLabel(const QString &path) = 0;
    virtual void refreshFileList() = 0;
    // The entries of the file list File1, in list order.
    virtual QStringList fileListNames() const = 0;
};
