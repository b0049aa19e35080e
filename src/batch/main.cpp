#include "batch/BatchRunner.h"
#include "textio/FileDescriptorDevice.h"

#include <QCoreApplication>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // A standard stream that was closed gets /dev/null, read-only, in its
    // place: no file the program opens later takes its number, and every
    // write to it fails ("Bad file descriptor") instead of vanishing.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            ::open("/dev/null", O_RDONLY);
    }

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(Batch::programName());

    // Straight to the descriptors, with no stdio buffer whose failure at
    // exit nobody would see: every write is checked as it happens.
    FileDescriptorDevice out(STDOUT_FILENO);
    FileDescriptorDevice err(STDERR_FILENO);
    int code = Batch::runArguments(QCoreApplication::arguments().mid(1), &out, &err);
    // Some file systems (NFS) report a failed write only when it is closed.
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR && code == Batch::Success)
        code = Batch::standardOutputFailed(FileDescriptorDevice::reasonFor(errno), &err);
    return code;
}
