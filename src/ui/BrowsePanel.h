#pragma once

#include "browse/DriveTable.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class FileNameListModel;
class FolderListModel;
class Launcher;
class QComboBox;
class QListView;
class QMenu;
class QModelIndex;
class QPoint;
class QPushButton;
class QWidget;
class WindowContext;
struct FolderListing;

// The drive, folder and file lists on the left of the window with their
// buttons and the folder list's pop-up menu. The folder list's path is the
// program's current folder and the process's working folder.
class BrowsePanel : public QObject
{
    Q_OBJECT
public:
    BrowsePanel(QWidget *area, WindowContext &context, Launcher &launcher);

    QString currentFolder() const { return m_folder; }
    QString selectedFileName() const { return m_selectedFileName; }
    QStringList fileNames() const;
    QMenu *dirclk1Menu() const { return m_dirclk1; }

    // Selects the drive holding path in Drive1 (Drive1_Change follows when
    // the drive changes).
    void selectDriveFor(const QString &path);
    // Makes path the folder list's path; Dir1_Change follows when it changes.
    // False, with nothing changed, when path is no folder that can be listed.
    bool setFolder(const QString &path);
    void refreshDrives();
    void refreshFolders();
    void refreshFiles();

    // Where the drive list comes from: the mounted volumes unless replaced
    // (tests use folders as drives). Re-reads the drive list.
    void setDriveSource(std::function<DriveTable()> source);

public slots:
    void Drive1_Change(int index);
    void Dir1_Change();
    void Dir1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &pos);
    void Dir1_Open(const QModelIndex &index);
    void File1_DblClick();
    void fileupdate_Click();
    void Command7_Click();
    void Command13_Click();
    void dirclkr1_Click();
    void dirclip_Click();
    void expdir_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showListing(const QString &folder, const FolderListing &listing);
    void fillDriveList();
    void syncDriveQuietly();
    void moveToNearest(QString failed, const QString &reason);
    void openInFileManager();

    WindowContext &m_context;
    Launcher &m_launcher;
    std::function<DriveTable()> m_driveSource;
    DriveTable m_drives;
    QString m_folder;
    QString m_selectedFileName;
    // Files read together with the folder, used by the next file list re-read.
    std::optional<QStringList> m_freshFiles;
    QComboBox *m_drive1 = nullptr;
    QListView *m_dir1 = nullptr;
    FolderListModel *m_dirModel = nullptr;
    QListView *m_file1 = nullptr;
    FileNameListModel *m_fileModel = nullptr;
    QPushButton *m_command7 = nullptr;
    QPushButton *m_command13 = nullptr;
    QMenu *m_dirclk1 = nullptr;
};
