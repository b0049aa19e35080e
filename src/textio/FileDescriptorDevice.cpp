#include "textio/FileDescriptorDevice.h"

#include "textio/WriteAll.h"

#include <cerrno>
#include <cstring>

namespace tabulink {

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
    if (!WriteAll::toDescriptor(m_fd, data, size, &m_written)) {
        m_failure = errno;
        setErrorString(reasonFor(m_failure));
        return -1;
    }
    return size;
}

} // namespace tabulink
