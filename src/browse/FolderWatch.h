#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace tabulink {

// Tells the lists when the disk changed under them: the shown folder (a file
// or folder made, renamed or removed by another program) and the mounted
// volumes. A burst of changes, such as a folder of 100,000 files being
// filled, gives at most one folderChanged() a second.
class FolderWatch : public QObject
{
    Q_OBJECT
public:
    // The least time between two folderChanged() (longer when rereading the
    // folder takes long: the window stays free at least twice that long),
    // and the time a burst gets to settle before the first.
    static constexpr int MinIntervalMs = 1000;
    static constexpr int SettleMs = 100;

    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches folder in place of the folder watched before.
    void watchFolder(const QString &folder);

signals:
    void folderChanged();
    void drivesChanged();

private:
    void noteFolderChange();
    void watchMounts();

    QFileSystemWatcher m_watcher;
    QString m_folder;
    QTimer m_pace;
    QElapsedTimer m_sinceLast;
    qint64 m_lastCostMs = 0;
    QTimer m_mountSettle;
    int m_mountsFd = -1;
    QSocketNotifier *m_mounts = nullptr;
};

} // namespace tabulink
