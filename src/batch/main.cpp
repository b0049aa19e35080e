#include "batch/BatchRunner.h"
#include "batch/BatchMessages.h"
#include "batch/LocaleText.h"
#include "textio/FileDescriptorDevice.h"

#include <QCoreApplication>

#include <cerrno>
#include <clocale>

#include <fcntl.h>
#include <unistd.h>

using namespace tabulink;

int main(int argc, char *argv[])
{
    // A standard stream that was closed gets /dev/null, read-only, in its
    // place: no file the program opens later takes its number, and every
    // write to it fails ("Bad file descriptor") instead of vanishing.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            ::open("/dev/null", O_RDONLY);
    }

    std::setlocale(LC_ALL, "");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(Batch::programName());

    // Straight to the descriptors, with no stdio buffer whose failure at
    // exit nobody would see: every write is checked as it happens.
    FileDescriptorDevice out(STDOUT_FILENO);
    FileDescriptorDevice err(STDERR_FILENO);
    out.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(QIODevice::WriteOnly | QIODevice::Unbuffered);

    // Qt takes every argument as UTF-8; they come in the locale's encoding.
    // One not valid in it is refused rather than guessed at.
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        QString arg;
        if (!LocaleText::decode(QByteArray(argv[i]), &arg)) {
            const QString message = BatchMessages::badArgumentEncoding(Batch::programName(), i,
                                                                        QString::fromLatin1(LocaleText::codeset()));
            err.write(LocaleText::encode(message));
            return Batch::UsageError;
        }
        args.append(arg);
    }
    int code = Batch::runArguments(args, &out, &err);
    // Some file systems (NFS) report a failed write only when it is closed.
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR && code == Batch::Success)
        code = Batch::standardOutputFailed(LocaleText::systemReason(errno), &err);
    return code;
}
