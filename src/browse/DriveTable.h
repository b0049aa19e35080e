#pragma once

#include <QList>
#include <QString>

namespace tabulink {

// The drives of the drive list: mounted volumes. Each remembers the folder
// last worked in on it, at first its root.
class DriveTable
{
public:
    struct Drive {
        QString mountPoint;
        QString label;
        QString remembered; // empty: the mount point
    };

    DriveTable() = default;
    explicit DriveTable(const QList<Drive> &drives);

    // The mounted volumes of this system, pseudo file systems left out.
    static DriveTable mounted();

    int count() const { return int(m_drives.size()); }
    const Drive &at(int index) const { return m_drives.at(index); }
    // The text the drive list shows: the mount point, then " [label]" when
    // the volume has a label.
    QString text(int index) const;
    // The drive holding path: the longest mount point that path lies within;
    // -1 when none does (a relative path, or no root volume).
    int indexFor(const QString &path) const;
    // The folder to land in when the drive is chosen.
    QString rememberedFolder(int index) const;
    // Remembers folder for the drive holding it.
    void remember(const QString &folder);

    // Takes the drives of current (a fresh look at the mounted volumes),
    // keeping what each drive still mounted remembers.
    void refreshFrom(const DriveTable &current);

private:
    QList<Drive> m_drives;
};

} // namespace tabulink
