#include "textio/FileReading.h"

#include "textio/Cp932.h"
#include "textio/IoMessages.h"
#include "textio/LineScanner.h"
#include "textio/NativePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulink {

namespace FileReading {

namespace {

QString megabytes(qint64 bytes)
{
    return QString::number(bytes / MiB);
}

// Reads up to one chunk past limit, so that a file past the limit shows as
// one. A regular file may report no size (most of /proc) or grow while it is
// read, so the size fstat gave is only where the buffer starts. Reads of a
// file without a size ask for whole chunks: /proc/self/pagemap, for one,
// refuses a read that is not a multiple of 8 bytes.
bool readUpTo(int fd, qint64 sizeHint, qint64 limit, QByteArray &bytes, int *error)
{
    constexpr qint64 chunk = 64 * 1024;
    const qint64 cap = (limit / chunk + 2) * chunk;
    qint64 capacity = std::min<qint64>(cap, std::max<qint64>(sizeHint + 1, chunk));
    bytes = QByteArray(capacity, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == capacity) {
            if (capacity == cap)
                break;
            capacity = std::min<qint64>(cap, capacity * 2);
            bytes.resize(capacity);
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(capacity - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(filled);
    return true;
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { ::close(m_fd); }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

QString tooLargeText(const QString &path, qint64 maxBytes)
{
    return IoMessages::tooLarge(megabytes(maxBytes), QDir::toNativeSeparators(path));
}

QString outOfMemoryText(const QString &path)
{
    return IoMessages::outOfMemory(QDir::toNativeSeparators(path));
}

Content readContent(const QString &path, qint64 maxBytes)
{
    Content r;
    const QString shown = QDir::toNativeSeparators(path);
    // A name that is not UTF-8 is shown decoded: open it by its own bytes.
    const QByteArray native = NativePath::encode(path);
    struct stat info;
    if (::stat(native.constData(), &info) != 0) {
        r.message = IoMessages::notFound(shown);
        return r;
    }
    if (!S_ISREG(info.st_mode)) {
        r.message = IoMessages::notRegularForRead(shown);
        return r;
    }
    // Open without blocking and check the opened object itself: the name may
    // have been replaced by a FIFO between the check above and this call.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        r.message = IoMessages::cannotOpen(shown, QString::fromLocal8Bit(strerror(errno)));
        return r;
    }
    const FileDescriptor file(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.message = IoMessages::notRegularForRead(shown);
        return r;
    }
    if (st.st_size > maxBytes) {
        r.message = tooLargeText(path, maxBytes);
        return r;
    }
    try {
        int error = 0;
        if (!readUpTo(file.get(), st.st_size, maxBytes, r.bytes, &error)) {
            r.bytes = QByteArray();
            r.message = IoMessages::cannotRead(shown, QString::fromLocal8Bit(strerror(error)));
            return r;
        }
    } catch (const std::bad_alloc &) {
        r = Content();
        r.message = outOfMemoryText(path);
        return r;
    }
    if (r.bytes.size() > maxBytes) {
        r.bytes = QByteArray();
        r.message = tooLargeText(path, maxBytes);
        return r;
    }
    r.ok = true;
    return r;
}

Result readText(const QString &path, qint64 maxBytes)
{
    Result r;
    const Content content = readContent(path, maxBytes);
    if (!content.ok) {
        r.message = content.message;
        return r;
    }
    try {
        r.text = Cp932::decodeFileContent(content.bytes);
    } catch (const std::bad_alloc &) {
        r.message = outOfMemoryText(path);
        return r;
    }
    r.ok = true;
    return r;
}

Bytes readOpen(int fd, qint64 maxBytes)
{
    Bytes r;
    struct stat st;
    const qint64 sizeHint = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
    if (sizeHint > maxBytes) {
        r.error = EFBIG;
        return r;
    }
    try {
        if (!readUpTo(fd, sizeHint, maxBytes, r.bytes, &r.error)) {
            r.bytes.clear();
            return r;
        }
    } catch (const std::bad_alloc &) {
        r.bytes = QByteArray();
        r.error = ENOMEM;
        return r;
    }
    if (r.bytes.size() > maxBytes) {
        r.bytes.clear();
        r.error = EFBIG;
        return r;
    }
    r.ok = true;
    return r;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    LineScanner::scan(text, true, [&](QStringView line, bool) { lines.append(line.toString()); });
    return lines;
}

QString toCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    LineScanner::scan(text, true, [&](QStringView line, bool ended) {
        out += line;
        if (ended)
            out += u"\r\n";
    });
    return out;
}

} // namespace FileReading

} // namespace tabulink
