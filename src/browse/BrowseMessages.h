#pragma once

#include <QString>

namespace tabulink {

// What the drive, folder and file lists tell the user, all in one place.
namespace BrowseMessages {

// folder could not be listed for reason; shown is the folder shown instead.
QString folderCannotOpen(const QString &folder, const QString &reason, const QString &shown);
QString desktopMissing();
QString desktopCannotOpen(const QString &desktop, const QString &reason);
QString networkPath();
QString clipboardEmpty();
QString clipboardLineBreak();
// text: the clipboard text as it was copied.
QString clipboardNotAbsolute(const QString &text);
QString clipboardMissing(const QString &text);
QString clipboardCannotOpen(const QString &folder, const QString &reason);
QString fileManagerFailed(const QString &folder);

} // namespace BrowseMessages

} // namespace tabulink
