#pragma once

#include <QIODevice>
#include <QString>

namespace tabulink {

// Writes straight to an open file descriptor with the system's write(), with
// no buffer of its own: a failed write (a full disk, a closed or broken
// standard output) shows at once in write()'s result, with the system's
// reason in errorString(). Does not close the descriptor.
class FileDescriptorDevice : public QIODevice
{
public:
    explicit FileDescriptorDevice(int fd);

    bool isSequential() const override { return true; }
    // The bytes written so far.
    qint64 written() const { return m_written; }
    // errno of the failed write; 0 while every write went through.
    int failure() const { return m_failure; }

    // The system's text for errno value error, in the user's language.
    static QString reasonFor(int error);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    int m_fd;
    qint64 m_written = 0;
    int m_failure = 0;
};

} // namespace tabulink
