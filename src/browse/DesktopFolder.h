#pragma once

#include <QString>

// The user's desktop folder (the XDG desktop directory), or empty text when
// it does not exist as a folder.
QString DesktopFolder();
