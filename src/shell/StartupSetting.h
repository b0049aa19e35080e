#pragma once

#include <QString>

namespace tabulink {

// The one stored setting: application "tablomi", section "startup2".
constexpr int FolderKey = 1;

// Mode 1 reads the key (empty text when nothing is stored); any other mode
// stores value under the key and returns empty text. A damaged or
// unwritable settings file never stops the program.
QString StartupSetting(int mode, int key, const QString &value = QString());

} // namespace tabulink
