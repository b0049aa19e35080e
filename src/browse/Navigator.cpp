#include "browse/Navigator.h"

#include "browse/BrowseMessages.h"
#include "browse/ClipboardFolder.h"
#include "browse/ClipboardText.h"
#include "browse/DriveSource.h"
#include "browse/FolderAccess.h"
#include "browse/FolderPath.h"
#include "browse/Launcher.h"

namespace tabulink {

namespace {

const QString rootFolder = QStringLiteral("/");

Navigator::Result error(const QString &text)
{
    Navigator::Result result;
    result.message = UserMessage::warning(text);
    return result;
}

} // namespace

Navigator::Navigator(FolderAccess &folders, DriveSource &drives, Launcher &launcher,
                     ClipboardText &clipboard)
    : m_folders(folders), m_driveSource(&drives), m_launcher(launcher), m_clipboard(clipboard)
{
}

Navigator::Result Navigator::start(const QString &storedFolder)
{
    QString working = FolderPath::clean(m_folders.workingFolder());
    if (working.isEmpty())
        working = rootFolder;
    FolderListing listing = m_folders.list(working, ListWhat::FoldersAndFiles);
    while (!listing.ok && working != rootFolder) {
        working = FolderPath::parent(working);
        listing = m_folders.list(working, ListWhat::FoldersAndFiles);
    }
    m_drives = m_driveSource->mountedDrives();
    Result result = show(working, listing);
    const int drive = m_drives.indexFor(storedFolder);
    if (drive >= 0 && drive != m_driveIndex)
        chooseDrive(drive);
    setFolder(storedFolder);
    result.changes |= Result::DriveList | Result::Folder | Result::Files;
    return result;
}

Navigator::Result Navigator::useDrives(DriveSource &source)
{
    m_driveSource = &source;
    return refreshDrives();
}

Navigator::Result Navigator::refreshDrives()
{
    const QString chosen = m_driveIndex >= 0 ? m_drives.at(m_driveIndex).mountPoint : QString();
    m_drives.refreshFrom(m_driveSource->mountedDrives());
    m_drives.remember(m_folder);
    m_driveIndex = m_drives.indexFor(m_folder);
    for (int i = 0; i < m_drives.count(); ++i) {
        if (m_drives.at(i).mountPoint == chosen)
            m_driveIndex = i;
    }
    Result result;
    result.changes = Result::DriveList;
    return result;
}

Navigator::Result Navigator::chooseDrive(int index)
{
    if (index < 0 || index >= m_drives.count())
        return {};
    m_driveIndex = index; // shown even when the drive is not ready
    const QString mount = m_drives.at(index).mountPoint;
    if (!m_driveSource->isReady(mount))
        return {};
    // The remembered folder may have gone since: walk up, not off the drive.
    QString target = m_drives.rememberedFolder(index);
    for (;;) {
        const FolderListing listing = m_folders.list(target, ListWhat::FoldersAndFiles);
        if (listing.ok)
            return show(target, listing);
        if (target == mount || target == rootFolder)
            return {};
        target = FolderPath::isWithin(target, mount) ? FolderPath::parent(target) : mount;
    }
}

Navigator::Result Navigator::openFolder(const QString &folder)
{
    if (folder.isEmpty() || folder == m_folder)
        return {};
    const FolderListing listing = m_folders.list(folder, ListWhat::FoldersAndFiles);
    if (!listing.ok)
        return moveToNearest(folder, listing.message);
    return show(folder, listing);
}

Navigator::Result Navigator::setFolder(const QString &path)
{
    const QString folder = FolderPath::clean(path);
    if (folder.isEmpty())
        return {};
    const FolderListing listing = m_folders.list(folder, ListWhat::FoldersAndFiles);
    if (!listing.ok)
        return {};
    return show(folder, listing);
}

Navigator::Result Navigator::refreshFiles()
{
    const FolderListing listing = m_folders.list(m_folder, ListWhat::FilesOnly);
    if (!listing.ok)
        return moveToNearest(m_folder, listing.message);
    m_files = listing.files;
    Result result;
    result.changes = Result::Files;
    return result;
}

Navigator::Result Navigator::reread()
{
    const FolderListing listing = m_folders.list(m_folder, ListWhat::FoldersAndFiles);
    if (!listing.ok)
        return moveToNearest(m_folder, listing.message);
    Result result;
    if (listing.folders != m_subfolders)
        result.changes |= Result::Folder;
    if (listing.files != m_files)
        result.changes |= Result::Files;
    m_subfolders = listing.folders;
    m_files = listing.files;
    return result;
}

Navigator::Result Navigator::openDropped(const QString &folder, const QString &fileName)
{
    const FolderListing listing = m_folders.list(folder, ListWhat::FoldersAndFiles);
    if (!listing.ok)
        return error(BrowseMessages::folderCannotOpen(folder, listing.message, m_folder));
    Result result = show(folder, listing);
    if (!fileName.isEmpty())
        m_selectedFileName = fileName;
    return result;
}

Navigator::Result Navigator::openDesktop()
{
    const QString desktop = m_folders.desktopFolder();
    if (desktop.isEmpty())
        return error(BrowseMessages::desktopMissing());
    const FolderListing listing = m_folders.list(desktop, ListWhat::FoldersAndFiles);
    if (!listing.ok)
        return error(BrowseMessages::desktopCannotOpen(desktop, listing.message));
    return show(desktop, listing);
}

Navigator::Result Navigator::openClipboardFolder()
{
    const QString text = m_clipboard.text();
    const ClipboardFolder copied = ClipboardFolder::read(text);
    switch (copied.verdict) {
    case ClipboardFolder::Network: {
        Result result;
        result.message = UserMessage::notice(BrowseMessages::networkPath());
        return result;
    }
    case ClipboardFolder::NoText:
        return error(BrowseMessages::clipboardEmpty());
    case ClipboardFolder::LineBreak:
        return error(BrowseMessages::clipboardLineBreak());
    case ClipboardFolder::NotAbsolute:
        return error(BrowseMessages::clipboardNotAbsolute(text));
    case ClipboardFolder::Path:
        break;
    }
    if (!m_folders.isFolder(copied.folder))
        return error(BrowseMessages::clipboardMissing(text));
    const FolderListing listing = m_folders.list(copied.folder, ListWhat::FoldersAndFiles);
    if (!listing.ok)
        return error(BrowseMessages::clipboardCannotOpen(copied.folder, listing.message));
    Result result = show(copied.folder, listing);
    result.changes |= refreshDrives().changes;
    return result;
}

void Navigator::copyFolderToClipboard()
{
    m_clipboard.setText(m_folder);
}

Navigator::Result Navigator::openInFileManager()
{
    if (m_launcher.openFolder(m_folder))
        return {};
    return error(BrowseMessages::fileManagerFailed(m_folder));
}

std::optional<QString> Navigator::pickFile(const QString &name)
{
    if (name.isEmpty())
        return std::nullopt;
    const QString path = FolderPath::fullPath(m_folder, name);
    if (FolderPath::isPage(path)) {
        m_launcher.openPage(path); // like the browser itself, failure stays silent
        return std::nullopt;
    }
    m_selectedFileName = name;
    return path;
}

// Shows folder from a listing just read.
Navigator::Result Navigator::show(const QString &folder, const FolderListing &listing)
{
    m_folder = folder;
    m_folders.enter(folder);
    m_drives.remember(folder);
    m_driveIndex = m_drives.indexFor(folder);
    m_root = m_driveIndex >= 0 ? m_drives.at(m_driveIndex).mountPoint : rootFolder;
    m_subfolders = listing.folders;
    m_files = listing.files;
    Result result;
    result.changes = Result::Folder | Result::Files;
    return result;
}

// The folder cannot be listed (removed while shown, or no access): show the
// nearest folder above it that can be, and say why. failed is a copy: callers pass
// the shown folder, which changes on the way.
Navigator::Result Navigator::moveToNearest(QString failed, const QString &reason)
{
    QString target = failed;
    FolderListing listing;
    do {
        target = FolderPath::parent(target);
        listing = m_folders.list(target, ListWhat::FoldersAndFiles);
    } while (!listing.ok && target != rootFolder);
    Result result;
    if (listing.ok) {
        result = show(target, listing);
    } else {
        m_root = m_folder;
        m_subfolders.clear();
        m_files.clear();
        result.changes = Result::Folder | Result::Files;
        target = m_folder;
    }
    result.message = UserMessage::warning(BrowseMessages::folderCannotOpen(failed, reason, target));
    return result;
}

} // namespace tabulink
