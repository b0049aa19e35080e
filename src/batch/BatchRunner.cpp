#include "batch/BatchRunner.h"

#include "batch/BatchJobs.h"
#include "batch/BatchMessages.h"
#include "batch/LocaleText.h"
#include "page/AppInfo.h"
#include "page/PageMessages.h"
#include "textio/FileDescriptorDevice.h"
#include "textio/LineFile.h"
#include "textio/LineSink.h"
#include "textio/SafeSave.h"
#include "textio/WriteAll.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabulink {

namespace Batch {

namespace {

// Closes a descriptor the program opened itself when it goes out of scope.
struct OwnedDescriptor {
    int fd = -1;
    ~OwnedDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

void say(QIODevice *err, const QString &text)
{
    // One line a message: a reason with line breaks of its own is joined.
    WriteAll::toDevice(err, LocaleText::encode(programName() + QStringLiteral(": ") + text.simplified() + u'\n'));
}

void sayAbout(QIODevice *err, const QString &file, const QString &reason)
{
    say(err, file + QStringLiteral(": ") + reason);
}

// The notes that follow a written file: warnings of the job, and how many
// characters became "?".
int finish(const QString &output, const Job &job, qsizetype replaced, QIODevice *err)
{
    for (const QString &warning : job.warnings)
        say(err, warning);
    if (replaced > 0 && job.unmappable == Cp932::Unmappable::QuestionMark)
        sayAbout(err, output, PageMessages::replacedNotice(replaced));
    return Success;
}

QString standardOutputName()
{
    return BatchMessages::standardOutput();
}

// Why a write to device failed: the system's text in the user's locale
// where the device knows the errno value.
QString writeFailure(QIODevice *device)
{
    if (const auto *fd = dynamic_cast<FileDescriptorDevice *>(device); fd && fd->failure())
        return LocaleText::systemReason(fd->failure());
    return device->errorString();
}

// Help and version text: a write that fails (a full disk, a closed
// standard output) is a failure like any other.
int print(const QString &text, QIODevice *out, QIODevice *err)
{
    if (WriteAll::toDevice(out, LocaleText::encode(text)))
        return Success;
    return standardOutputFailed(writeFailure(out), err);
}

QString tryHelp()
{
    return BatchMessages::tryHelp(programName());
}

// The descriptor an output names: "-", /dev/stdout, /dev/stderr, /dev/fd/N
// and /proc/self/fd/N are written through the open descriptor, never
// replaced: the file behind one is the shell's, opened for appending or
// after a header. -1 for any other path.
int descriptorNamed(const QString &path)
{
    if (path == QLatin1String("-") || path == QLatin1String("/dev/stdout"))
        return STDOUT_FILENO;
    if (path == QLatin1String("/dev/stderr"))
        return STDERR_FILENO;
    if (path == QLatin1String("/dev/stdin"))
        return STDIN_FILENO;
    for (const QLatin1String prefix : {QLatin1String("/dev/fd/"), QLatin1String("/proc/self/fd/")}) {
        if (!path.startsWith(prefix))
            continue;
        bool ok = false;
        const int fd = path.mid(prefix.size()).toInt(&ok);
        if (ok && fd >= 0 && path.at(prefix.size()).isDigit())
            return fd;
    }
    return -1;
}

// Whether path names the file whose status is target (nullptr: no file).
bool sameFile(const QString &path, const struct stat *target)
{
    struct stat st;
    return target && ::stat(QFile::encodeName(path).constData(), &st) == 0 && st.st_dev == target->st_dev
        && st.st_ino == target->st_ino;
}

// A character device or a FIFO: there is nothing to replace, only to write to.
bool isStream(const struct stat *target)
{
    return target && (S_ISCHR(target->st_mode) || S_ISFIFO(target->st_mode));
}

// The page streams out as it is made, as a shell redirection takes it.
int writeToStream(const Job &job, const QString &output, QIODevice *device, bool isStandardOutput, QIODevice *err)
{
    LineSink sink(device, job.unmappable);
    job.body(sink);
    if (!sink.finish()) {
        if (isStandardOutput)
            return standardOutputFailed(writeFailure(device), err);
        sayAbout(err, output, writeFailure(device));
        return Failure;
    }
    return finish(output, job, sink.replaced(), err);
}

// One input to one output.
int runOne(const Options &options, QIODevice *out, QIODevice *err)
{
    const QString &input = options.inputs.value(0);
    const QString &output = options.output;
    struct stat outputStatus;
    const struct stat *target = ::stat(QFile::encodeName(output).constData(), &outputStatus) == 0 ? &outputStatus : nullptr;
    // As cp refuses to copy a file onto itself: whatever the spelling or link.
    for (const QString &source : {input, options.descriptions}) {
        if (!source.isEmpty() && source != QLatin1String("-") && sameFile(source, target)) {
            sayAbout(err, output, BatchMessages::sameAsInput(source));
            return Failure;
        }
    }

    const Job job = prepare(options);
    if (!job.ok) {
        say(err, job.message);
        return Failure;
    }

    const int fd = descriptorNamed(output);
    if (fd == STDOUT_FILENO)
        return writeToStream(job, output, out, output == QLatin1String("-"), err);
    if (fd >= 0) {
        if (::fcntl(fd, F_GETFD) < 0) {
            sayAbout(err, output, LocaleText::systemReason(errno));
            return Failure;
        }
        FileDescriptorDevice device(fd);
        device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        return writeToStream(job, output, &device, false, err);
    }
    if (isStream(target)) {
        // /dev/null, a terminal or a named pipe.
        OwnedDescriptor stream;
        stream.fd = ::open(QFile::encodeName(output).constData(), O_WRONLY | O_CLOEXEC);
        if (stream.fd < 0) {
            sayAbout(err, output, LocaleText::systemReason(errno));
            return Failure;
        }
        FileDescriptorDevice device(stream.fd);
        device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        return writeToStream(job, output, &device, false, err);
    }

    // Written through the safe save as the window's save is, but streamed
    // into the new file, so a page of hundreds of megabytes is never held in
    // memory whole; the old file is replaced only by a complete page.
    qsizetype replaced = 0;
    const Outcome saved = LineFile::save(output, job.unmappable, job.body, &replaced);
    if (!saved.ok) {
        sayAbout(err, output, saved.message);
        return Failure;
    }
    return finish(output, job, replaced, err);
}

// The cores the program may run on (taskset, a container's share), not
// all the machine has.
qsizetype usableCores()
{
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    return std::max(1u, std::thread::hardware_concurrency());
}

// Every input to its own page in the output folder, on as many threads as
// there are cores. Messages come in the inputs' order once all are done;
// a failed input leaves the others written and the status 1. Status 0 says
// every page is on disk: the folders are synced once, after all renames.
int runMany(const Options &options, QIODevice *err)
{
    const QString folder = options.outputFolder;
    if (!QFileInfo(folder).isDir()) {
        struct stat st;
        const int reason = ::stat(QFile::encodeName(folder).constData(), &st) == 0 ? ENOTDIR : errno;
        sayAbout(err, folder, LocaleText::systemReason(reason));
        return Failure;
    }
    const qsizetype count = options.inputs.size();
    struct InputRun {
        int code = Success;
        QByteArray messages;
        QString output; // empty when the input may not be written
    };
    std::vector<InputRun> outcomes(static_cast<size_t>(count));
    QSet<QString> taken;
    for (qsizetype i = 0; i < count; ++i) {
        const QString &input = options.inputs.at(i);
        const QString name = outputName(options.command, input);
        InputRun &outcome = outcomes[size_t(i)];
        if (input == QLatin1String("-")) {
            outcome.code = Failure;
            outcome.messages = LocaleText::encode(programName() + BatchMessages::standardInputToFolder());
        } else if (taken.contains(name)) {
            outcome.code = Failure;
            outcome.messages = LocaleText::encode(
                programName() + BatchMessages::outputOverlaps(input, name));
        } else {
            taken.insert(name);
            outcome.output = folder + u'/' + name;
        }
    }

    const SafeSave::KeepSignalHandlers signalHandlers;
    SafeSave::DeferFolderSyncs folderSyncs;
    std::atomic<qsizetype> next{0};
    auto work = [&] {
        for (qsizetype i = next++; i < count; i = next++) {
            InputRun &outcome = outcomes[size_t(i)];
            if (outcome.output.isEmpty())
                continue;
            Options one = options;
            one.inputs = QStringList{options.inputs.at(i)};
            one.output = outcome.output;
            QBuffer messages(&outcome.messages);
            messages.open(QIODevice::WriteOnly);
            QBuffer unused;
            outcome.code = runOne(one, &unused, &messages);
        }
    };
    const qsizetype threads = std::min<qsizetype>(count, usableCores());
    std::vector<std::thread> pool;
    for (qsizetype t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread &thread : pool)
        thread.join();

    const QList<QPair<QString, QString>> unsynced = folderSyncs.syncFolders();

    int code = Success;
    for (const InputRun &outcome : outcomes) {
        WriteAll::toDevice(err, outcome.messages);
        code = std::max(code, outcome.code);
    }
    for (const auto &[folderName, reason] : unsynced) {
        sayAbout(err, folderName, reason);
        code = Failure;
    }
    return code;
}

} // namespace

int standardOutputFailed(const QString &reason, QIODevice *err)
{
    sayAbout(err, standardOutputName(), reason);
    return Failure;
}

QString programName()
{
    return QStringLiteral("tabulink-batch");
}

QString versionText()
{
    // The number is the last word of the footer's version text, "Tabulink ver 2.03".
    const QString footer = AppInfo::footerVersion();
    const QString number = footer.section(u' ', -1);
    return QStringLiteral("%1 (%2) %3\n"
                          "Copyright (C) 2004 the Tabulink authors.\n"
                          "License: see the copyright file of the Tabulink package.\n")
        .arg(programName(), AppInfo::applicationTitle(), number);
}

QString helpText()
{
    return BatchMessages::help(AppInfo::downloadPageUrl());
}

int run(const Options &options, QIODevice *out, QIODevice *err)
{
    if (!options.outputFolder.isEmpty())
        return runMany(options, err);
    return runOne(options, out, err);
}

int runArguments(const QStringList &args, QIODevice *out, QIODevice *err)
{
    const ParseResult parsed = parseArguments(args);
    if (!parsed.ok) {
        say(err, parsed.message);
        WriteAll::toDevice(err, LocaleText::encode(tryHelp() + u'\n'));
        return UsageError;
    }
    if (parsed.options.showHelp)
        return print(helpText(), out, err);
    if (parsed.options.showVersion)
        return print(versionText(), out, err);
    return run(parsed.options, out, err);
}

} // namespace Batch

} // namespace tabulink
