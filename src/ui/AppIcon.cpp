#include "ui/AppIcon.h"

#include <QDir>
#include <QIcon>

namespace tabulink {

namespace AppIcon {

QString themeName()
{
    return QStringLiteral("tabulink");
}

QIcon builtIn()
{
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString &name : icons.entryList({QStringLiteral("tabulink-*.png")}, QDir::Files))
        icon.addFile(icons.filePath(name));
    return icon;
}

QIcon load()
{
    return QIcon::fromTheme(themeName(), builtIn());
}

} // namespace AppIcon

} // namespace tabulink
