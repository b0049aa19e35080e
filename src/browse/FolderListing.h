#pragma once

#include "textio/Outcome.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

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

// The visible regular files of a folder as listFolder(folder, FilesOnly)
// lists them, for a program that only writes them out: the UTF-16 names one
// after another in text, name i from starts[i] to starts[i + 1], unsorted.
// plain is false, and the names are left out, when a name is not UTF-8 or
// not shown exactly as its UTF-8 reads: listFolder then has the names.
struct FileNames : Outcome {
    bool plain = true;
    std::u16string text;
    std::vector<size_t> starts;
    size_t count() const { return starts.empty() ? 0 : starts.size() - 1; }
    QStringView name(size_t i) const
    {
        return QStringView(text.data() + starts[i], qsizetype(starts[i + 1] - starts[i]));
    }
};
FileNames listFileNames(const QString &folder);

// Orders names as the lists show them: Japanese collation with numbers
// compared by value ("写真 2" before "写真 10", "２日目" before kanji),
// ties in plain code-point order so that equal-looking names keep one order.
void sortNames(QStringList &names);

} // namespace tabulink
