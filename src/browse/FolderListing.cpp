#include "browse/FolderListing.h"

#include "browse/NameOrder.h"
#include "textio/Cp932.h"
#include "textio/NativePath.h"

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

// Appends a file name as UTF-16 when it is UTF-8 that the file list shows
// as it reads, character for character. False for bytes that are not
// UTF-8 (shown in another form), a leading byte-order mark (which the
// decoder drops) and the noncharacters, which are left to listFolder too.
bool appendPlainUtf8(std::u16string &out, const char *name)
{
    const auto *p = reinterpret_cast<const unsigned char *>(name);
    if (p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        return false;
    while (const unsigned c = *p) {
        if (c < 0x80) {
            out.push_back(char16_t(c));
            ++p;
            continue;
        }
        char32_t cp;
        int more;
        if (c >= 0xC2 && c <= 0xDF) {
            cp = c & 0x1F;
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            cp = c & 0x0F;
            more = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            cp = c & 0x07;
            more = 3;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            const unsigned b = p[k]; // the terminating zero stops here too
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)))
            || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp & 0xFFFE) == 0xFFFE
            || (cp >= 0xFDD0 && cp <= 0xFDEF))
            return false;
        if (cp >= 0x10000) {
            out.push_back(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
        p += more + 1;
    }
    return true;
}

} // namespace

FileNames listFileNames(const QString &folder)
{
    FileNames result;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        result.message = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    const int fd = ::dirfd(dir);
    result.starts.push_back(0);
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.' && kindOf(fd, entry) == Kind::File) {
            if (!appendPlainUtf8(result.text, entry->d_name)) {
                result.plain = false;
                break;
            }
            result.starts.push_back(result.text.size());
        }
        errno = 0;
    }
    const int readError = result.plain ? errno : 0;
    ::closedir(dir);
    if (readError != 0)
        result.message = QString::fromLocal8Bit(std::strerror(readError));
    if (readError != 0 || !result.plain) {
        result.text.clear();
        result.starts.clear();
        return result;
    }
    result.ok = true;
    return result;
}

void sortNames(QStringList &names)
{
    const std::vector<QStringView> views(names.cbegin(), names.cend());
    const std::vector<uint32_t> order = NameOrder::sorted(views);
    QStringList sorted;
    sorted.reserve(names.size());
    for (uint32_t i : order)
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
            // A name may start with a byte-order mark like any character:
            // it stays, or the name would be another file's.
            QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
            const QString name = utf8.decode(bytes);
            if (utf8.hasError())
                nonUtf8Files.append(bytes);
            else
                result.files.append(name);
        } else if (kind == Kind::Folder && what == ListWhat::FoldersAndFiles) {
            result.folders.append(QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom)
                                      .decode(QByteArrayView(entry->d_name)));
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
