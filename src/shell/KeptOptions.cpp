#include "shell/KeptOptions.h"

#include "shell/SettingsFile.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tabulink {

namespace {

const QString group = QStringLiteral("options");
const QString titleKey = QStringLiteral("title");
const QString backUrlKey = QStringLiteral("backUrl");
const QString backgroundKey = QStringLiteral("background");
const QString imageKey = QStringLiteral("backgroundImage");
const QString checkPrefix = QStringLiteral("Check");

// A value the file holds as one piece of text; a list ("a, b" unquoted) or
// anything else is damage.
std::optional<QString> text(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

} // namespace

bool KeptOptions::operator==(const KeptOptions &other) const
{
    return title == other.title && backUrl == other.backUrl && backgroundOption == other.backgroundOption
        && backgroundImageUrl == other.backgroundImageUrl && ticks == other.ticks;
}

KeptOptions KeptOptions::read()
{
    KeptOptions kept;
    if (!SettingsFile::usable())
        return kept;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tablomi"));
    if (settings.status() != QSettings::NoError)
        return kept;
    settings.beginGroup(group);
    kept.title = text(settings, titleKey);
    kept.backUrl = text(settings, backUrlKey);
    kept.backgroundImageUrl = text(settings, imageKey);
    if (const std::optional<QString> option = text(settings, backgroundKey)) {
        bool number = false;
        const int value = option->toInt(&number);
        if (number && value >= 1 && value <= 9)
            kept.backgroundOption = value;
    }
    for (const QString &key : settings.childKeys()) {
        if (!key.startsWith(checkPrefix))
            continue;
        const std::optional<QString> tick = text(settings, key);
        if (tick == QLatin1String("true"))
            kept.ticks.insert(key, true);
        else if (tick == QLatin1String("false"))
            kept.ticks.insert(key, false);
    }
    return kept;
}

void KeptOptions::store() const
{
    if (!SettingsFile::usable())
        return;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tablomi"));
    settings.beginGroup(group);
    if (title)
        settings.setValue(titleKey, *title);
    if (backUrl)
        settings.setValue(backUrlKey, *backUrl);
    if (backgroundOption)
        settings.setValue(backgroundKey, QString::number(*backgroundOption));
    if (backgroundImageUrl)
        settings.setValue(imageKey, *backgroundImageUrl);
    for (auto tick = ticks.cbegin(); tick != ticks.cend(); ++tick)
        settings.setValue(tick.key(), tick.value() ? QStringLiteral("true") : QStringLiteral("false"));
    settings.endGroup();
    settings.sync();
}

} // namespace tabulink
