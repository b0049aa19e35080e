#include "textio/NativePath.h"

#include <QFile>
#include <QMutex>

#include <sys/stat.h>

namespace tabulink {

namespace NativePath {
namespace {

QMutex &lock()
{
    static QMutex mutex;
    return mutex;
}

// Folder -> shown name -> bytes; only folders that hold such names.
QHash<QString, QHash<QString, QByteArray>> &table()
{
    static QHash<QString, QHash<QString, QByteArray>> names;
    return names;
}

} // namespace

void remember(const QString &folder, const QHash<QString, QByteArray> &names)
{
    const QMutexLocker locker(&lock());
    if (names.isEmpty())
        table().remove(folder);
    else
        table().insert(folder, names);
}

QHash<QString, QByteArray> namesIn(const QString &folder)
{
    const QMutexLocker locker(&lock());
    return table().value(folder);
}

QByteArray nameIn(const QString &folder, const QString &name)
{
    const QMutexLocker locker(&lock());
    const auto folderIt = table().constFind(folder);
    if (folderIt == table().constEnd())
        return QByteArray();
    return folderIt->value(name);
}

QByteArray encode(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash >= 0) {
        const QString folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
        const QByteArray name = nameIn(folder, path.mid(slash + 1));
        if (!name.isEmpty())
            return QFile::encodeName(path.left(slash + 1)) + name;
    }
    return QFile::encodeName(path);
}

bool isFile(const QString &path)
{
    struct stat st;
    return ::stat(encode(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace NativePath

} // namespace tabulink
