#pragma once

#include <QString>

class QIcon;

namespace tabulink {

namespace AppIcon {

// The name under which the icon is installed into the icon theme and which
// the desktop entry names.
QString themeName();
// The copy of the icon built into the program, at every size it is drawn in.
QIcon builtIn();
// The icon installed into the desktop's icon theme, or the built-in copy when
// the program runs uninstalled.
QIcon load();

} // namespace AppIcon

} // namespace tabulink
