#include "shell/SettingsFile.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tabulink {

namespace SettingsFile {

bool usable()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // QSettings works out this folder once per process; point it at the one
    // checked here, so both always mean the same file.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    const QFileInfo file(folder + QStringLiteral("/tablomi.ini"));
    return !file.exists() || file.isFile();
}

} // namespace SettingsFile

} // namespace tabulink
