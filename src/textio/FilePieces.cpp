#include "textio/FilePieces.h"

#include <QtGlobal>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace tabulink {

FilePieces::FilePieces(int fd, qsizetype pieceBytes)
    : m_fd(fd), m_pieceBytes(qMax<qsizetype>(pieceBytes, 1))
{
}

FilePieces::~FilePieces()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qsizetype FilePieces::readAt(int fd, char *into, qsizetype size, qint64 offset)
{
    for (;;) {
        const ssize_t n = ::pread(fd, into, size_t(size), off_t(offset));
        if (n >= 0 || errno != EINTR)
            return qsizetype(n);
    }
}

bool FilePieces::start(qint64 maxBytes)
{
    m_usable = false;
    struct stat st;
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes)
        return true;
    m_size = st.st_size;
    m_firstSize = 0;
    // No larger than the file: most files of a run are small.
    const qsizetype want = qsizetype(qMin<qint64>(m_pieceBytes, m_size));
    m_buffer.resize(size_t(want));
    while (m_firstSize < want) {
        const qsizetype n = readAt(m_fd, m_buffer.data() + m_firstSize, want - m_firstSize, m_firstSize);
        if (n < 0) {
            m_error = errno;
            return false;
        }
        if (n == 0)
            break;
        m_firstSize += n;
    }
    // A file that shrank at once is read the ordinary way, as it is now.
    m_usable = m_firstSize == want;
    return true;
}

bool FilePieces::forEach(const std::function<void(QByteArrayView)> &take)
{
    if (m_firstSize > 0)
        take(first());
    const qsizetype piece = qsizetype(m_buffer.size());
    for (qint64 offset = m_firstSize; offset < m_size;) {
        const qsizetype n = readAt(m_fd, m_buffer.data(), qMin<qint64>(piece, m_size - offset), offset);
        if (n <= 0) {
            m_error = n < 0 ? errno : EIO; // the file shrank since it was looked at
            return false;
        }
        take(QByteArrayView(m_buffer.data(), n));
        offset += n;
    }
    // Before the next turn, the first piece is no longer in the buffer.
    m_firstSize = 0;
    return true;
}

} // namespace tabulink
