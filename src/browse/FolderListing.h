#pragma once

#include "textio/Outcome.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tabulink {

// What one folder holds, as the folder and file lists show it: visible
// subfolders and visible regular files (symbolic links count as what they
// point to), each ordered by name as a Japanese file manager orders them.
// When the folder cannot be read, message holds the system's reason.
struct FolderListing : Outcome {
    QStringList folders;  // bare names
    QStringList files;    // bare names
    // The file names that are not UTF-8: shown name -> the name's bytes.
    QHash<QString, QByteArray> nativeFiles;
};

enum class ListWhat { FoldersAndFiles, FilesOnly };

// A file name that is not UTF-8 is shown decoded as code page 932 when
// that decodes cleanly; its bytes are kept in nativeFiles and remembered for
// NativePath, so that it can be opened by its shown path.
FolderListing listFolder(const QString &folder, ListWhat what = ListWhat::FoldersAndFiles);

// Orders names as the lists show them: Japanese collation with numbers
// compared by value ("写真 2" before "写真 10", "２日目" before kanji),
// ties in plain code-point order so that equal-looking names keep one order.
void sortNames(QStringList &names);

} // namespace tabulink
