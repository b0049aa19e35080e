#include "browse/FolderListing.h"

#include "textio/Cp932.h"
#include "textio/NativePath.h"

#include <QCollator>
#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace tabulink {

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

// The shown form of a file name that is not UTF-8: its code page 932
// reading when every byte decodes to a printable character and no other
// name of the folder reads the same; otherwise the name with each byte
// above ASCII written as "%XX".
QString shownName(const QByteArray &bytes, const QSet<QString> &taken)
{
    const QString decoded = Cp932::decode(bytes);
    bool clean = true;
    for (QChar c : decoded) {
        if (c == QChar::ReplacementCharacter || c.unicode() < 0x20 || c.unicode() == 0x7F) {
            clean = false;
            break;
        }
    }
    if (clean && !taken.contains(decoded))
        return decoded;
    static const char hex[] = "0123456789ABCDEF";
    QString escaped;
    for (char b : bytes) {
        const auto u = quint8(b);
        if (u < 0x80) {
            escaped += QLatin1Char(b);
        } else {
            escaped += u'%';
            escaped += QLatin1Char(hex[u >> 4]);
            escaped += QLatin1Char(hex[u & 0xF]);
        }
    }
    return escaped;
}

} // namespace

void sortNames(QStringList &names)
{
    // One sort key per name, computed once: comparing keys is a byte
    // comparison, far cheaper than collating inside every comparison of a
    // sort over a hundred thousand names. The sort moves plain indices, not
    // the keys.
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setNumericMode(true);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(names.size()));
    std::vector<qsizetype> order;
    order.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        keys.push_back(collator.sortKey(names.at(i)));
        order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)]);
        if (c != 0)
            return c < 0;
        return QStringView(names.at(a)).compare(names.at(b)) < 0;
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (qsizetype i : order)
        sorted.append(names.at(i));
    names.swap(sorted);
}

FolderListing listFolder(const QString &folder, ListWhat what)
{
    FolderListing result;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir) {
        result.message = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    const int fd = ::dirfd(dir);
    QList<QByteArray> nonUtf8Files;
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') // hidden, and "." and ".."
            continue;
        const Kind kind = kindOf(fd, entry);
        if (kind == Kind::File) {
            const QByteArray bytes(entry->d_name);
            QStringDecoder utf8(QStringConverter::Utf8);
            const QString name = utf8.decode(bytes);
            if (utf8.hasError())
                nonUtf8Files.append(bytes);
            else
                result.files.append(name);
        } else if (kind == Kind::Folder && what == ListWhat::FoldersAndFiles) {
            result.folders.append(QFile::decodeName(entry->d_name));
        }
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        result.message = QString::fromLocal8Bit(std::strerror(readError));
        result.folders.clear();
        result.files.clear();
        return result;
    }
    if (!nonUtf8Files.isEmpty()) {
        const QStringList utf8Names = result.files;
        QSet<QString> taken(utf8Names.cbegin(), utf8Names.cend());
        for (const QByteArray &bytes : std::as_const(nonUtf8Files)) {
            const QString shown = shownName(bytes, taken);
            taken.insert(shown);
            result.files.append(shown);
            result.nativeFiles.insert(shown, bytes);
        }
    }
    NativePath::remember(folder, result.nativeFiles);
    sortNames(result.folders);
    sortNames(result.files);
    result.ok = true;
    return result;
}

} // namespace tabulink
