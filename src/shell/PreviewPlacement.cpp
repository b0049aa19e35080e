#include "shell/PreviewPlacement.h"

#include "shell/SettingsFile.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tabulink {

namespace PreviewPlacement {

namespace {

const char *const Keys[4] = {"x", "y", "width", "height"};

} // namespace

std::optional<QRect> load()
{
    if (!SettingsFile::usable())
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
    if (!SettingsFile::usable())
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
