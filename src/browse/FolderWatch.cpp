#include "browse/FolderWatch.h"

#include <QSocketNotifier>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace tabulink {

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent)
{
    m_pace.setSingleShot(true);
    connect(&m_pace, &QTimer::timeout, this, [this] {
        // A folder removed and made again under the same name has left the
        // watch list; take it back.
        if (!m_folder.isEmpty() && !m_watcher.directories().contains(m_folder))
            m_watcher.addPath(m_folder);
        m_sinceLast.start();
        emit folderChanged(); // the lists reread the folder before this returns
        m_lastCostMs = m_sinceLast.elapsed();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noteFolderChange);
    m_mountSettle.setSingleShot(true);
    m_mountSettle.setInterval(SettleMs);
    connect(&m_mountSettle, &QTimer::timeout, this, &FolderWatch::drivesChanged);
    watchMounts();
}

FolderWatch::~FolderWatch()
{
    delete m_mounts;
    if (m_mountsFd >= 0)
        ::close(m_mountsFd);
}

void FolderWatch::watchFolder(const QString &folder)
{
    if (folder == m_folder && m_watcher.directories().contains(folder))
        return;
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_folder = folder;
    m_pace.stop(); // a change noted for the folder before is of no interest now
    if (!folder.isEmpty())
        m_watcher.addPath(folder); // false past the system's watch limit: the lists stay as read
}

void FolderWatch::noteFolderChange()
{
    if (m_pace.isActive())
        return; // the reread to come sees this change too
    qint64 wait = SettleMs;
    if (m_sinceLast.isValid()) {
        // A message shown during the last reread (the folder went) is not
        // its cost: the pause is capped.
        const qint64 interval = std::clamp<qint64>(3 * m_lastCostMs, MinIntervalMs, 10 * MinIntervalMs);
        wait = std::max<qint64>(wait, interval - m_sinceLast.elapsed());
    }
    m_pace.start(int(wait));
}

// The kernel marks /proc/self/mountinfo with POLLPRI | POLLERR each time a
// volume is mounted or unmounted, which a socket notifier of type Exception
// sees; the file need not be read again.
void FolderWatch::watchMounts()
{
    m_mountsFd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (m_mountsFd < 0)
        return; // no /proc: the drive list stays as read at start
    m_mounts = new QSocketNotifier(m_mountsFd, QSocketNotifier::Exception);
    connect(m_mounts, &QSocketNotifier::activated, this, [this] {
        if (!m_mountSettle.isActive())
            m_mountSettle.start();
    });
}

} // namespace tabulink
