#pragma once

#include "browse/FolderWatch.h"
#include "browse/LocalFolders.h"
#include "browse/MountedDrives.h"
#include "browse/Navigator.h"
#include "ui/SystemClipboard.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QModelIndex;
class QPoint;
class QWidget;

namespace tabulink {

class DriveSource;
struct DroppedPath;
class FileNameListModel;
class FolderListModel;
class Launcher;
class UserDialogs;

// The drive, folder and file lists on the left of the window with their
// buttons and the folder list's pop-up menu: reads the controls, asks the
// navigator, shows what it answers.
class BrowsePanel : public QObject
{
    Q_OBJECT
public:
    // pathLabel: where a picked file's path shows.
    BrowsePanel(QWidget *area, QLabel *pathLabel, UserDialogs &dialogs, Launcher &launcher);

    QString currentFolder() const { return m_navigator.folder(); }
    QString selectedFileName() const { return m_navigator.selectedFileName(); }
    QStringList fileNames() const { return m_navigator.files(); }
    QMenu *dirclk1Menu() const { return m_folderMenu; }

    // Shows the stored folder, or the working folder when it cannot be listed.
    void start(const QString &storedFolder);
    // Shows folder; false, with nothing changed, when it cannot be listed.
    bool setFolder(const QString &folder);
    // Where the drive list comes from: the mounted volumes unless replaced
    // (tests use folders as drives).
    void setDriveSource(DriveSource &drives);
    // A folder or file dropped (see Navigator::openDropped); a picked file
    // shows in the path label and the file list. False when nothing changed.
    bool openDropped(const DroppedPath &dropped);

public slots:
    void changeDrive(int index);
    void openFolder(const QModelIndex &index);
    void pickFile();
    void refreshFiles();
    void openDesktop();
    void openInFileManager();
    void openClipboardFolder();
    void copyFolderToClipboard();
    // The shown folder changed on disk: the lists follow in place.
    void rereadFolder();
    void refreshDrives();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(const Navigator::Result &result);
    void fillDriveList();
    void showFolderMenu(const QPoint &pos);
    void takeDrop(const QList<QUrl> &urls);

    QLabel *m_pathLabel;
    UserDialogs &m_dialogs;
    LocalFolders m_localFolders;
    MountedDrives m_mountedDrives;
    SystemClipboard m_clipboard;
    Navigator m_navigator;
    QComboBox *m_driveList = nullptr;
    QListView *m_folderList = nullptr;
    FolderListModel *m_folderModel = nullptr;
    QListView *m_fileList = nullptr;
    FileNameListModel *m_fileModel = nullptr;
    QMenu *m_folderMenu = nullptr;
    FolderWatch m_watch;
};

} // namespace tabulink
