#include "shell/StartupSetting.h"

#include "shell/SettingsFile.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tabulink {

QString StartupSetting(int mode, int key, const QString &value)
{
    if (!SettingsFile::usable())
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
