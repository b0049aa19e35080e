#pragma once

#include "page/PageOptions.h"

#include <QString>

namespace tabulink {

class UserDialogs;

// What the tabs need of the window around them: the dialogs, the page options
// as the controls show them, where dialogs open, the picked file name, the
// path label and the file list to re-read. The save procedure runs against it
// without widgets.
class SaveContext
{
public:
    virtual ~SaveContext() = default;

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
};

} // namespace tabulink
