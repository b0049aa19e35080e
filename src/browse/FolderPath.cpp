#include "browse/FolderPath.h"

#include <QDir>

namespace tabulink {

namespace FolderPath {

QString clean(const QString &path)
{
    if (!path.startsWith(u'/'))
        return QString();
    QString cleaned = QDir::cleanPath(path);
    // cleanPath keeps a leading "//"; on this platform it means "/".
    while (cleaned.startsWith(QLatin1String("//")))
        cleaned.remove(0, 1);
    return cleaned;
}

QString fullPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

bool isPage(const QString &path)
{
    return path.right(4).toLower() == QLatin1String("html")
        || path.right(3).toLower() == QLatin1String("htm");
}

bool isWithin(const QString &folder, const QString &root)
{
    if (root == QLatin1String("/"))
        return folder.startsWith(u'/');
    return folder == root
        || (folder.startsWith(root) && folder.at(root.size()) == u'/');
}

QString parent(const QString &folder)
{
    const qsizetype slash = folder.lastIndexOf(u'/');
    if (slash <= 0)
        return QStringLiteral("/");
    return folder.left(slash);
}

QStringList chain(const QString &root, const QString &folder)
{
    if (!isWithin(folder, root))
        return {folder};
    QStringList result;
    for (QString p = folder; ; p = parent(p)) {
        result.prepend(p);
        if (p == root || p == QLatin1String("/"))
            break;
    }
    return result;
}

QString displayName(const QString &folder, const QString &root)
{
    if (folder == root || folder == QLatin1String("/"))
        return folder;
    return folder.mid(folder.lastIndexOf(u'/') + 1);
}

} // namespace FolderPath

} // namespace tabulink
