#include "shell/PreviewPlacement.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tabulink {

namespace PreviewPlacement {

namespace {

const char *const Keys[4] = {"x", "y", "width", "height"};

// As for the folder: the settings are read and written only when the file
// is a regular file or missing, never a FIFO or a device in its place.
bool settingsFileIsUsable()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    const QFileInfo file(folder + QStringLiteral("/tablomi.ini"));
    return !file.exists() || file.isFile();
}

} // namespace

std::optional<QRect> load()
{
    if (!settingsFileIsUsable())
        return std::nullopt;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tablomi"));
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    settings.beginGroup(QStringLiteral("preview"));
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = settings.value(QLatin1String(Keys[i])).toString().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    constexpr int Largest = 100'000;
    for (int n : numbers) {
        if (n < -Largest || n > Largest)
            return std::nullopt;
    }
    if (numbers[2] < 1 || numbers[3] < 1)
        return std::nullopt;
    return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

void store(const QRect &geometry)
{
    if (!settingsFileIsUsable())
        return;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tablomi"));
    settings.beginGroup(QStringLiteral("preview"));
    const int numbers[4] = {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
    for (int i = 0; i < 4; ++i)
        settings.setValue(QLatin1String(Keys[i]), numbers[i]);
    settings.endGroup();
    settings.sync();
}

} // namespace PreviewPlacement

} // namespace tabulink
