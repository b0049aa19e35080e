#pragma once

#include <QByteArrayView>

#include <functional>
#include <vector>

namespace tabulink {

// A regular file read in pieces into one buffer, so that a large file is
// never held whole. The first piece is read ahead: its bytes may decide how
// the file is to be read.
class FilePieces
{
public:
    static constexpr qsizetype DefaultPieceBytes = 32 * 1024;

    // Takes the open file fd (closed with this object).
    explicit FilePieces(int fd, qsizetype pieceBytes = DefaultPieceBytes);
    ~FilePieces();
    FilePieces(const FilePieces &) = delete;
    FilePieces &operator=(const FilePieces &) = delete;

    // Looks at the file and reads its first piece. usable() is false for
    // anything but a regular file of at most maxBytes (a pipe, a device),
    // which is to be read the ordinary way. False on a read error.
    bool start(qint64 maxBytes);
    bool usable() const { return m_usable; }
    int error() const { return m_error; }
    QByteArrayView first() const { return QByteArrayView(m_buffer.data(), m_firstSize); }
    bool firstIsAll() const { return m_firstSize == m_size; }

    // Hands the file's bytes to take piece by piece, the first one included,
    // as far as the size the file had at start(); false when a read fails
    // or the file has shrunk since.
    bool forEach(const std::function<void(QByteArrayView)> &take);

    // Reads up to size bytes at offset, again when interrupted: 0 at the
    // end of the file, -1 on an error (errno set).
    static qsizetype readAt(int fd, char *into, qsizetype size, qint64 offset);

private:
    int m_fd;
    qsizetype m_pieceBytes;
    std::vector<char> m_buffer;
    qsizetype m_firstSize = 0;
    qint64 m_size = 0;
    bool m_usable = false;
    int m_error = 0;
};

} // namespace tabulink
