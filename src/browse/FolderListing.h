#pragma once

#include <QString>
#include <QStringList>

// What one folder holds, as the folder and file lists show it: visible
// subfolders and visible regular files (symbolic links count as what they
// point to), each ordered by name without regard to case.
struct FolderListing {
    bool ok = false;
    QString error;        // the system's reason when the folder cannot be read
    QStringList folders;  // bare names
    QStringList files;    // bare names
};

enum class ListWhat { FoldersAndFiles, FilesOnly };

FolderListing listFolder(const QString &folder, ListWhat what = ListWhat::FoldersAndFiles);

// True when folder can be opened for listing now; otherwise reason holds
// the system's reason.
bool canList(const QString &folder, QString *reason = nullptr);

// Orders names as the lists show them: case-insensitively, ties in plain
// code-point order so that the order never depends on the locale.
void sortNames(QStringList &names);
