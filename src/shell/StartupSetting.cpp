#include "shell/StartupSetting.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tabulink {

namespace {

// QSettings opens its file with a plain blocking open and reads it to the
// end, so a FIFO in its place would hang the program and a device such as
// /dev/zero would never end; on storing, it would replace the FIFO with a
// file. Anything there but a regular file is left alone: the setting reads
// as missing and is not stored.
bool settingsFileIsUsable()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // QSettings works out this folder once per process; point it at the one
    // checked here, so both always mean the same file.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    const QFileInfo file(folder + QStringLiteral("/tablomi.ini"));
    return !file.exists() || file.isFile();
}

} // namespace

QString StartupSetting(int mode, int key, const QString &value)
{
    if (!settingsFileIsUsable())
        return QString();
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tablomi"));
    settings.beginGroup(QStringLiteral("startup2"));
    const QString name = QString::number(key);
    if (mode == 1) {
        if (settings.status() != QSettings::NoError)
            return QString();
        const QVariant stored = settings.value(name);
        return stored.canConvert<QString>() ? stored.toString() : QString();
    }
    settings.setValue(name, value);
    settings.endGroup();
    settings.sync();
    return QString();
}

} // namespace tabulink
