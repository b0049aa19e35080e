#pragma once

#include "browse/DriveTable.h"
#include "textio/Outcome.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tabulink {

class ClipboardText;
class DriveSource;
class FolderAccess;
class Launcher;
struct FolderListing;

// The rules of the drive, folder and file lists, without widgets: which
// folder is shown and what the lists hold, where each action lands, and what
// the user is told when it cannot. The shown folder is also the process's
// working folder, and each drive remembers the folder last shown on it.
class Navigator
{
public:
    // What an action changed, for the lists to show, and what to tell the user.
    struct Result {
        enum Change { DriveList = 1, Folder = 2, Files = 4 };
        int changes = 0;
        UserMessage message;
    };

    Navigator(FolderAccess &folders, DriveSource &drives, Launcher &launcher, ClipboardText &clipboard);

    // What the lists show.
    const DriveTable &drives() const { return m_drives; }
    int driveIndex() const { return m_driveIndex; } // the drive list's choice
    QString folder() const { return m_folder; }
    QString volumeRoot() const { return m_root; } // where the folder chain starts
    const QStringList &subfolders() const { return m_subfolders; }
    const QStringList &files() const { return m_files; }
    // The name last picked in the file list; empty until one is picked.
    QString selectedFileName() const { return m_selectedFileName; }

    // The working folder (or the nearest folder above it that can be listed),
    // then the stored folder's drive, then the stored folder when it can be
    // listed. Nothing is reported.
    Result start(const QString &storedFolder);
    // Takes the drives of source; each drive still there keeps its folder.
    Result useDrives(DriveSource &source);
    Result refreshDrives();
    // Lands on the drive's remembered folder, or the nearest folder above it
    // on the drive. A drive that is not ready changes nothing but the choice.
    Result chooseDrive(int index);
    // A folder the user opens; one that cannot be listed shows the nearest
    // folder above it that can, with a message.
    Result openFolder(const QString &folder);
    // A folder the program sets: no changes and no message when it cannot
    // be listed.
    Result setFolder(const QString &folder);
    Result refreshFiles();
    // The shown folder read again after it changed on disk: its subfolders
    // and files, the chain and the picked name as they were.
    Result reread();
    // Something dropped on the lists: a folder becomes the shown folder; a
    // file's folder does, and the file is picked (a page too: a drop opens
    // nothing). A folder that cannot be listed changes nothing and says why.
    Result openDropped(const QString &folder, const QString &fileName = QString());
    Result openDesktop();
    Result openClipboardFolder();
    void copyFolderToClipboard();
    Result openInFileManager();
    // A file of the file list: a page opens in the browser and gives nothing;
    // any other file is picked and gives the path for the path label.
    std::optional<QString> pickFile(const QString &name);

private:
    Result show(const QString &folder, const FolderListing &listing);
    Result moveToNearest(QString failed, const QString &reason);

    FolderAccess &m_folders;
    DriveSource *m_driveSource;
    Launcher &m_launcher;
    ClipboardText &m_clipboard;
    DriveTable m_drives;
    int m_driveIndex = -1;
    QString m_folder;
    QString m_root;
    QStringList m_subfolders;
    QStringList m_files;
    QString m_selectedFileName;
};

} // namespace tabulink
