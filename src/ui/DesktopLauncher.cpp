#include "ui/DesktopLauncher.h"

#include <QDesktopServices>

namespace tabulink {

bool DesktopLauncher::openFolder(const QString &folder)
{
    return QDesktopServices::openUrl(urlFor(folder));
}

bool DesktopLauncher::openPage(const QString &path)
{
    return QDesktopServices::openUrl(urlFor(path));
}

} // namespace tabulink
