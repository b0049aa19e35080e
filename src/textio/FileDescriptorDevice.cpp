#include "textio/FileDescriptorDevice.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

FileDescriptorDevice::FileDescriptorDevice(int fd)
    : m_fd(fd)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QString FileDescriptorDevice::reasonFor(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

qint64 FileDescriptorDevice::writeData(const char *data, qint64 size)
{
    if (m_failure)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // write() taking nothing without an error: the device is full.
            m_failure = n < 0 ? errno : ENOSPC;
            setErrorString(reasonFor(m_failure));
            return -1;
        }
        done += n;
        m_written += n;
    }
    return done;
}
