#include "textio/WriteAll.h"

#include <QIODevice>

#include <cerrno>

#include <unistd.h>

namespace tabulink {

namespace WriteAll {

bool toDevice(QIODevice *device, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const qint64 n = device->write(data + done, size - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool toDescriptor(int fd, const char *data, qint64 size, qint64 *written)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            if (written)
                *written += done;
            return false;
        }
        done += n;
    }
    if (written)
        *written += done;
    return true;
}

} // namespace WriteAll

} // namespace tabulink
