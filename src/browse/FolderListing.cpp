#include "browse/FolderListing.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

enum class Kind { Folder, File, Other };

Kind kindOf(int dirFd, const dirent *entry)
{
    switch (entry->d_type) {
    case DT_DIR:
        return Kind::Folder;
    case DT_REG:
        return Kind::File;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return Kind::Other;
    }
    struct stat st;
    if (::fstatat(dirFd, entry->d_name, &st, 0) != 0)
        return Kind::Other; // a dangling link shows nowhere
    if (S_ISDIR(st.st_mode))
        return Kind::Folder;
    if (S_ISREG(st.st_mode))
        return Kind::File;
    return Kind::Other;
}

} // namespace

void sortNames(QStringList &names)
{
    // Folding each name once is much cheaper than folding inside every
    // comparison of a sort over a hundred thousand names.
    struct Keyed {
        QString key;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        keyed.push_back({names.at(i).toCaseFolded(), i});
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed &a, const Keyed &b) {
        const int c = QStringView(a.key).compare(b.key);
        if (c != 0)
            return c < 0;
        return QStringView(names.at(a.index)).compare(names.at(b.index)) < 0;
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const Keyed &k : keyed)
        sorted.append(names.at(k.index));
    names.swap(sorted);
}

bool canList(const QString &folder, QString *reason)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        if (reason)
            *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    ::closedir(dir);
    return true;
}

FolderListing listFolder(const QString &folder, ListWhat what)
{
    FolderListing result;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir) {
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    const int fd = ::dirfd(dir);
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') // hidden, and "." and ".."
            continue;
        const Kind kind = kindOf(fd, entry);
        if (kind == Kind::File)
            result.files.append(QFile::decodeName(entry->d_name));
        else if (kind == Kind::Folder && what == ListWhat::FoldersAndFiles)
            result.folders.append(QFile::decodeName(entry->d_name));
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        result.error = QString::fromLocal8Bit(std::strerror(readError));
        result.folders.clear();
        result.files.clear();
        return result;
    }
    sortNames(result.folders);
    sortNames(result.files);
    result.ok = true;
    return result;
}
