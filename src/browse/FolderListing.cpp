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
// UTF-8 (shown in another form) and the noncharacters, which are left to
// listFolder too.
bool appendPlainUtf8(std::u16string &out, const char *name)
{
    const auto *p = reinterpret_cast<const unsigned char *>(name);
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

// Calls take(name, kind) for every entry of folder but the hidden ones
// (and "." and ".."), until take returns false. Empty when the folder was
// read, else the system's reason.
template<typename Take>
QString forEachEntry(const QString &folder, Take &&take)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return QString::fromLocal8Bit(std::strerror(errno));
    const int fd = ::dirfd(dir);
    int readError = 0;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            readError = errno;
            break;
        }
        if (entry->d_name[0] != '.' && !take(entry->d_name, kindOf(fd, entry)))
            break;
    }
    ::closedir(dir);
    return readError != 0 ? QString::fromLocal8Bit(std::strerror(readError)) : QString();
}

} // namespace

FileNames listFileNames(const QString &folder)
{
    FileNames result;
    result.starts.push_back(0);
    result.message = forEachEntry(folder, [&result](const char *name, Kind kind) {
        if (kind != Kind::File)
            return true;
        result.plain = appendPlainUtf8(result.text, name);
        result.starts.push_back(result.text.size());
        return result.plain;
    });
    if (!result.message.isEmpty() || !result.plain) {
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
    QList<QByteArray> nonUtf8Files;
    // A name may start with a byte-order mark like any character: it stays,
    // or the name would be another file's.
    const auto flags = QStringConverter::Flag::ConvertInitialBom;
    result.message = forEachEntry(folder, [&](const char *name, Kind kind) {
        if (kind == Kind::File) {
            QStringDecoder utf8(QStringConverter::Utf8, flags);
            const QString decoded = utf8.decode(QByteArrayView(name));
            if (utf8.hasError())
                nonUtf8Files.append(QByteArray(name));
            else
                result.files.append(decoded);
        } else if (kind == Kind::Folder && what == ListWhat::FoldersAndFiles) {
            result.folders.append(QStringDecoder(QStringConverter::Utf8, flags).decode(QByteArrayView(name)));
        }
        return true;
    });
    if (!result.message.isEmpty()) {
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
