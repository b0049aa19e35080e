#include "browse/DriveTable.h"

#include "browse/FolderPath.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace tabulink {

namespace {

bool isPseudo(const QStorageInfo &volume)
{
    static const QByteArrayList pseudoTypes = {
        "proc", "sysfs", "devpts", "devtmpfs", "cgroup", "cgroup2", "securityfs", "pstore",
        "debugfs", "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs", "bpf", "autofs",
        "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "ramfs", "squashfs"};
    const QByteArray type = volume.fileSystemType();
    if (pseudoTypes.contains(type))
        return true;
    const QString root = volume.rootPath();
    for (const char *system : {"/proc", "/sys", "/dev", "/run"}) {
        if (FolderPath::isWithin(root, QLatin1String(system)))
            return true;
    }
    // Container runtimes bind single files (/etc/hosts); only folders are drives.
    return !QFileInfo(root).isDir();
}

} // namespace

DriveTable::DriveTable(const QList<Drive> &drives)
    : m_drives(drives)
{
    std::sort(m_drives.begin(), m_drives.end(), [](const Drive &a, const Drive &b) {
        return a.mountPoint < b.mountPoint;
    });
}

DriveTable DriveTable::mounted()
{
    QList<Drive> drives;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || isPseudo(volume))
            continue;
        const QString root = FolderPath::clean(volume.rootPath());
        if (root.isEmpty())
            continue;
        const bool seen = std::any_of(drives.cbegin(), drives.cend(),
                                      [&](const Drive &d) { return d.mountPoint == root; });
        if (!seen)
            drives.append({root, volume.name(), QString()});
    }
    if (std::none_of(drives.cbegin(), drives.cend(),
                     [](const Drive &d) { return d.mountPoint == QLatin1String("/"); }))
        drives.append({QStringLiteral("/"), QString(), QString()});
    return DriveTable(drives);
}

QString DriveTable::text(int index) const
{
    const Drive &drive = m_drives.at(index);
    if (drive.label.isEmpty())
        return drive.mountPoint;
    return drive.mountPoint + QLatin1String(" [") + drive.label + u']';
}

int DriveTable::indexFor(const QString &path) const
{
    const QString folder = FolderPath::clean(path);
    if (folder.isEmpty())
        return -1;
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        const QString &mount = m_drives.at(i).mountPoint;
        if (FolderPath::isWithin(folder, mount)
            && (best < 0 || mount.size() > m_drives.at(best).mountPoint.size()))
            best = i;
    }
    return best;
}

QString DriveTable::rememberedFolder(int index) const
{
    const Drive &drive = m_drives.at(index);
    return drive.remembered.isEmpty() ? drive.mountPoint : drive.remembered;
}

void DriveTable::remember(const QString &folder)
{
    const int index = indexFor(folder);
    if (index >= 0)
        m_drives[index].remembered = FolderPath::clean(folder);
}

void DriveTable::refreshFrom(const DriveTable &current)
{
    QList<Drive> merged = current.m_drives;
    for (Drive &drive : merged) {
        for (const Drive &old : std::as_const(m_drives)) {
            if (old.mountPoint == drive.mountPoint)
                drive.remembered = old.remembered;
        }
    }
    *this = DriveTable(merged);
}

} // namespace tabulink
