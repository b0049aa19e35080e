#pragma once

#include <QString>

namespace tabulink {

// Every text the file layer shows the user in its own words: the steps of a
// save that can fail (the system's reason follows each in brackets) and the
// reasons a file cannot be read. Paths come already shown.
namespace IoMessages {

// Saving.
QString saveFailed(const QString &path, const QString &reason); // the window's message
QString stepWithReason(const QString &step, const QString &reason);
QString shortWrite();
QString folderOfSameName();
QString notRegularForSave();
QString cannotCreateInFolder(const QString &folder);
QString cannotWrite();
QString cannotKeepOwnerAndMode();
QString cannotSyncToDisk();
QString cannotNameNewFile();
QString cannotClose();
QString cannotReplace();
QString replacedButFolderNotSynced();
QString mayRevertOnPowerCut();
// Rewriting in place where the folder takes no new file.
QString cannotWriteFileEither();
QString cannotKeepCopyIn(const QString &tempFolder);
QString cannotSetLength();
QString putBackOldContent();
QString cannotPutBack();
QString oldContentKeptIn(const QString &backupPath);

// Reading.
QString tooLarge(const QString &megabytes, const QString &path);
QString outOfMemory(const QString &path);
QString notFound(const QString &path);
QString notRegularForRead(const QString &path);
QString cannotOpen(const QString &path, const QString &reason);
QString cannotRead(const QString &path, const QString &reason);

} // namespace IoMessages

} // namespace tabulink
