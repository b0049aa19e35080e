#pragma once

#include "textio/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class QIODevice;

namespace tabulink {

// Every file the program writes is saved through here. A save either puts
// the whole new content in place, durably on disk, or leaves the old file
// byte for byte as it was and says why:
// - the new content goes into a new file in the target's folder, which is
//   written, given the old file's owner, group and mode (as far as the system
//   lets the user), synced and closed, each step checked, and only then
//   renamed over the old file; the folder is synced after the rename;
// - no temporary file is left behind, also when the program is ended by
//   SIGINT, SIGTERM or SIGHUP during the save;
// - a symbolic link is written through to the file it names; a device or a
//   FIFO is never replaced;
// - where the folder takes no new file but the file itself may be written,
//   the file is rewritten in place after a copy of its old content has been
//   kept in the user's temporary folder; any failure puts the old content back.
namespace SafeSave {

// On failure the message is the reason: the step and the system's text.
Outcome writeBytes(const QString &path, const QByteArray &content);

// The same for content made while it is written, so a large file is never
// held in memory whole: write() puts the bytes into the new file and returns
// false on any failure.
Outcome writeWith(const QString &path, const std::function<bool(QIODevice *)> &write);

// The message the window shows for a failed save: the path and the reason.
QString failureMessage(const QString &path, const QString &reason);

// While one lives, the handlers that remove a temporary file on SIGINT,
// SIGTERM and SIGHUP stay in place between saves: a program that saves many
// files installs them once instead of once a save. Any thread may save.
class KeepSignalHandlers
{
public:
    KeepSignalHandlers();
    ~KeepSignalHandlers();
    KeepSignalHandlers(const KeepSignalHandlers &) = delete;
    KeepSignalHandlers &operator=(const KeepSignalHandlers &) = delete;
};

// While one lives, a save on any thread syncs the new file before its rename
// as always, but leaves the sync of the folder (which makes the rename
// itself durable) to syncFolders(), which syncs each folder once: many files
// written into one folder cost one folder sync, not one each. Until then a
// power cut may bring back a file's old content, never a part of the new.
// One at a time.
class DeferFolderSyncs
{
public:
    DeferFolderSyncs();
    ~DeferFolderSyncs(); // syncs what syncFolders() has not: call that to learn of a failure
    DeferFolderSyncs(const DeferFolderSyncs &) = delete;
    DeferFolderSyncs &operator=(const DeferFolderSyncs &) = delete;

    // Syncs every folder a save renamed a file in; returns each folder that
    // failed with the reason.
    QList<QPair<QString, QString>> syncFolders();
};

} // namespace SafeSave

} // namespace tabulink
