#include "textio/SafeSave.h"

#include "textio/FileDescriptorDevice.h"
#include "textio/IoMessages.h"
#include "textio/WriteAll.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace tabulink {

namespace SafeSave {

namespace {

QString reasonFor(int error)
{
    return FileDescriptorDevice::reasonFor(error);
}

QString shown(const QByteArray &nativePath)
{
    return QDir::toNativeSeparators(QFile::decodeName(nativePath));
}

// What went wrong in one step of a save, with the system's reason.
QString stepFailed(const QString &step, int error)
{
    return IoMessages::stepWithReason(step, reasonFor(error));
}

// While the new file has a name in the target's folder, SIGINT, SIGTERM and
// SIGHUP remove it before the program ends: a later link page would list it.
// The handler uses async-signal-safe calls only, so the paths wait in static
// slots, one for each save running at the same time (the command line saves
// on several threads). A save takes a free slot without a lock. The handler
// first stops every thread from making a new name, then waits for a name
// being made on another thread, and removes every name made; a slot's count
// is odd while its path changes, so it never reads a path half-written. The
// handlers are in place while any save runs or a KeepSignalHandlers lives.
enum SlotState { Empty, Making, Named };
constexpr int kSlots = 64;
char g_temporaryPaths[kSlots][PATH_MAX];
std::atomic<unsigned> g_slotChanges[kSlots] = {};
std::atomic<int> g_slotStates[kSlots] = {};
std::atomic<bool> g_slotTaken[kSlots] = {};
std::atomic<bool> g_ending{false};
static_assert(std::atomic<unsigned>::is_always_lock_free && std::atomic<int>::is_always_lock_free
                  && std::atomic<bool>::is_always_lock_free,
              "the signal handler reads the slots");
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kEndingSignalCount = 3;
struct sigaction g_previousActions[kEndingSignalCount];
bool g_installed[kEndingSignalCount] = {};

std::mutex g_handlersMutex;
int g_handlerUsers = 0;
thread_local int t_slot = -1;

// Copies the slot's path whole into path; false while it is being changed.
bool readSlotPath(int slot, char (&path)[PATH_MAX])
{
    const unsigned before = g_slotChanges[slot].load(std::memory_order_acquire);
    if (before & 1u)
        return false;
    std::memcpy(path, g_temporaryPaths[slot], sizeof path);
    std::atomic_thread_fence(std::memory_order_acquire);
    path[PATH_MAX - 1] = '\0';
    return g_slotChanges[slot].load(std::memory_order_relaxed) == before;
}

void removeTemporaryThenEnd(int signal)
{
    const int savedErrno = errno;
    g_ending.store(true);
    struct timespec start;
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    for (int i = 0; i < kSlots; ++i) {
        char path[PATH_MAX];
        for (;;) {
            const int state = g_slotStates[i].load();
            // This thread's own name in the making: the call that makes it
            // was interrupted, done or not.
            const bool own = i == t_slot;
            if (state == Named || (state == Making && own)) {
                if (readSlotPath(i, path)) {
                    ::unlink(path);
                    break;
                }
                if (own)
                    break; // its path was being written: no file has it yet
            } else if (state == Empty) {
                break;
            }
            // Another thread is making a name or changing its path: it will
            // be done in a moment, unless its file system hangs.
            struct timespec now;
            ::clock_gettime(CLOCK_MONOTONIC, &now);
            if (now.tv_sec - start.tv_sec > 2)
                break;
            ::sched_yield();
        }
    }
    for (int i = 0; i < kEndingSignalCount; ++i) {
        if (kEndingSignals[i] == signal)
            ::sigaction(signal, &g_previousActions[i], nullptr);
    }
    ::raise(signal); // delivered with the old disposition once this returns
    errno = savedErrno;
}

void useHandlers()
{
    std::lock_guard<std::mutex> lock(g_handlersMutex);
    if (g_handlerUsers++ > 0)
        return;
    g_ending.store(false); // a signal whose earlier handler let the program go on
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = removeTemporaryThenEnd;
    sigemptyset(&action.sa_mask);
    for (int signal : kEndingSignals)
        sigaddset(&action.sa_mask, signal);
    for (int i = 0; i < kEndingSignalCount; ++i) {
        struct sigaction current;
        g_installed[i] = false;
        // A signal the program ignores (started with nohup) stays ignored.
        if (::sigaction(kEndingSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        g_installed[i] = ::sigaction(kEndingSignals[i], &action, &g_previousActions[i]) == 0;
    }
}

void releaseHandlers()
{
    std::lock_guard<std::mutex> lock(g_handlersMutex);
    if (--g_handlerUsers > 0)
        return;
    for (int i = 0; i < kEndingSignalCount; ++i) {
        if (g_installed[i])
            ::sigaction(kEndingSignals[i], &g_previousActions[i], nullptr);
    }
}

// Puts path into the slot; the count is odd meanwhile.
void setSlotPath(int slot, const char *path, size_t size)
{
    const unsigned count = g_slotChanges[slot].load(std::memory_order_relaxed);
    g_slotChanges[slot].store(count + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    std::memcpy(g_temporaryPaths[slot], path, size);
    g_temporaryPaths[slot][size] = '\0';
    g_slotChanges[slot].store(count + 2, std::memory_order_release);
}

class TemporaryNameGuard
{
public:
    TemporaryNameGuard()
    {
        useHandlers();
        for (;;) {
            for (int i = 0; i < kSlots; ++i) {
                bool free = false;
                if (g_slotTaken[i].compare_exchange_strong(free, true, std::memory_order_acquire)) {
                    t_slot = i;
                    return;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1)); // more saves at once than slots
        }
    }
    ~TemporaryNameGuard()
    {
        forget();
        g_slotTaken[t_slot].store(false, std::memory_order_release);
        t_slot = -1;
        releaseHandlers();
    }
    TemporaryNameGuard(const TemporaryNameGuard &) = delete;
    TemporaryNameGuard &operator=(const TemporaryNameGuard &) = delete;

    // Before a file is made under path: false (errno EINTR) when a signal
    // is ending the program and no new name may be made.
    static bool beginMaking(const QByteArray &path)
    {
        if (t_slot < 0 || path.size() >= qsizetype(PATH_MAX))
            return true; // no file of such a path can be made
        // Checked before and after the slot says Making: the handler waits
        // for a name in the making, and none follows once it has begun.
        if (g_ending.load()) {
            errno = EINTR;
            return false;
        }
        g_slotStates[t_slot].store(Making);
        if (g_ending.load()) {
            g_slotStates[t_slot].store(Empty);
            errno = EINTR;
            return false;
        }
        setSlotPath(t_slot, path.constData(), size_t(path.size()));
        return true;
    }
    static void made(bool named)
    {
        if (t_slot >= 0)
            g_slotStates[t_slot].store(named ? Named : Empty);
    }
    static void forget() { made(false); }
};

// The folders whose sync a DeferFolderSyncs holds back.
std::mutex g_deferMutex;
bool g_deferring = false;
QList<QByteArray> g_unsyncedFolders;

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// A save through a symbolic link writes the file it names and keeps the link.
// *st is the lstat() of the path given: the stat() of the result when that
// is no link (most saves then need no other call).
QByteArray followLinks(QByteArray path, int *lstatResult, struct stat *st)
{
    *lstatResult = ::lstat(path.constData(), st);
    if (*lstatResult != 0 || !S_ISLNK(st->st_mode))
        return path;
    *lstatResult = -2;
    for (int depth = 0; depth < 40; ++depth) {
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
        if (n <= 0 || n >= ssize_t(sizeof buffer))
            break;
        const QByteArray next(buffer, n);
        path = next.startsWith('/') ? next : folderOf(path) + '/' + next;
    }
    return path;
}

// The first room bytes of a UTF-8 name, without a character cut in half.
QByteArray cutToFit(QByteArray name, qsizetype room)
{
    if (name.size() <= room)
        return name;
    name.truncate(qMax<qsizetype>(room, 0));
    qsizetype start = name.size();
    while (start > 0 && (uchar(name[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start > 0) {
        const uchar lead = uchar(name[start - 1]);
        const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (name.size() - (start - 1) < length)
            name.truncate(start - 1);
    }
    return name;
}

// A name beside name that does not exist yet: "[.]name.xxxxxx", the name cut
// short where the whole would not fit the folder's limit (255 bytes here).
QByteArray freshName(const QByteArray &folder, const QByteArray &name, bool hidden)
{
    // The limit of the folder saved in last on this thread: a command that
    // writes many files into one folder asks once.
    thread_local QByteArray limitFolder;
    thread_local long folderLimit = -1;
    if (folder != limitFolder) {
        folderLimit = ::pathconf(folder.constData(), _PC_NAME_MAX);
        limitFolder = folder;
    }
    const long limit = folderLimit;
    const qsizetype room = (limit > 0 ? limit : NAME_MAX) - 7 - (hidden ? 1 : 0);
    QByteArray letters(6, 'a');
    for (char &c : letters)
        c = char('a' + QRandomGenerator::global()->bounded(26));
    return folder + '/' + (hidden ? "." : "") + cutToFit(name, room) + '.' + letters;
}

// Runs make(path) on fresh names beside name until one is free, and keeps
// that name in *chosen. make returns -1 with errno set on failure. A
// temporary name is hidden and removed if a signal ends the program.
template <typename Make>
int underFreshName(const QByteArray &folder, const QByteArray &name, bool temporary, QByteArray *chosen, Make make)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray path = freshName(folder, name, temporary);
        if (temporary && !TemporaryNameGuard::beginMaking(path))
            return -1;
        const int result = make(path.constData());
        const int error = errno;
        if (temporary)
            TemporaryNameGuard::made(result >= 0);
        if (result >= 0) {
            *chosen = path;
            return result;
        }
        if (error != EEXIST) {
            errno = error;
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

// The new file: closed and, if it has a name yet, removed unless it took the
// old file's place.
struct NewFile {
    int fd = -1;
    QByteArray name;

    NewFile() = default;
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;
    ~NewFile()
    {
        if (fd >= 0)
            ::close(fd);
        if (!name.isEmpty())
            ::unlink(name.constData());
        TemporaryNameGuard::forget();
    }
};

struct Target {
    QByteArray path;
    QByteArray folder;
    QByteArray name;
    bool exists = false;
    struct stat old = {};
};

// The new file in the target's folder: without a name where the file system
// allows it (nothing is left if the program dies while writing), else
// under a fresh hidden name.
bool createBeside(const Target &target, NewFile *file)
{
    // Made for the owner alone; the old file's mode follows once its owner
    // and group are set.
    const mode_t mode = target.exists ? 0600 : 0666;
    static const bool canNameLater = ::access("/proc/self/fd", X_OK) == 0;
    if (canNameLater) {
        file->fd = ::open(target.folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (file->fd >= 0)
            return true;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return false;
    }
    file->fd = underFreshName(target.folder, target.name, true, &file->name, [mode](const char *path) {
        return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    });
    return file->fd >= 0;
}

// A file that is new takes its name at once, complete and synced as it is;
// *placed then says so. Else (or if the name was taken meanwhile) it gets
// a temporary name for the rename.
bool nameUnnamedFile(const Target &target, NewFile *file, bool *placed)
{
    const QByteArray fdPath = "/proc/self/fd/" + QByteArray::number(file->fd);
    const auto link = [&fdPath](const char *path) {
        return ::linkat(AT_FDCWD, fdPath.constData(), AT_FDCWD, path, AT_SYMLINK_FOLLOW);
    };
    *placed = false;
    if (!target.exists) {
        *placed = link(target.path.constData()) == 0;
        if (*placed || errno != EEXIST)
            return *placed;
    }
    return underFreshName(target.folder, target.name, true, &file->name, link) >= 0;
}

// Owner and group as far as the system allows: only root gives a file away,
// and a user may give it only a group of his own.
bool keepOwnerAndMode(int fd, const struct stat &old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        if (errno != EPERM)
            return false;
        if (::fchown(fd, uid_t(-1), old.st_gid) != 0 && errno != EPERM)
            return false;
    }
    // A file system without modes (FAT) refuses with EPERM; its files all
    // have the mount's mode anyway.
    return ::fchmod(fd, old.st_mode & 07777) == 0 || errno == EPERM;
}

bool copyAll(int from, int to)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!WriteAll::toDescriptor(to, buffer, n))
            return false;
    }
}

// Writes the kept old content back over the file.
bool putBack(const QByteArray &path, int backup, off_t size)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = ::lseek(backup, 0, SEEK_SET) == 0 && copyAll(backup, fd) && ::ftruncate(fd, size) == 0
        && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0)
        return false;
    errno = error;
    return written;
}

// The folder takes no new file (a web server's folder where only the page
// itself is writable for its group): the file is rewritten in place, as the
// old program did, but its old content is kept in the user's temporary
// folder first and put back on any failure.
bool writeInPlace(const Target &target, const QString &folderReason,
                  const std::function<bool(QIODevice *)> &write, QString *errorText)
{
    const int fd = ::open(target.path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        *errorText = folderReason + u'\n' + stepFailed(IoMessages::cannotWriteFileEither(), errno);
        return false;
    }
    struct stat now;
    const off_t oldSize = ::fstat(fd, &now) == 0 ? now.st_size : target.old.st_size;

    const QByteArray tempFolder = QFile::encodeName(QDir::tempPath());
    QByteArray backupPath;
    const int backup = underFreshName(tempFolder, target.name, false, &backupPath, [](const char *path) {
        return ::open(path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    });
    if (backup < 0 || !copyAll(fd, backup) || ::fsync(backup) != 0) {
        const int error = errno;
        *errorText = folderReason + u'\n'
            + stepFailed(IoMessages::cannotKeepCopyIn(shown(tempFolder)), error);
        ::close(fd);
        if (backup >= 0) {
            ::close(backup);
            ::unlink(backupPath.constData());
        }
        return false;
    }

    QString failure;
    FileDescriptorDevice device(fd);
    if (::lseek(fd, 0, SEEK_SET) != 0)
        failure = stepFailed(IoMessages::cannotWrite(), errno);
    else if (!write(&device))
        failure = device.failure() ? stepFailed(IoMessages::cannotWrite(), device.failure()) : IoMessages::shortWrite();
    else if (::ftruncate(fd, device.written()) != 0)
        failure = stepFailed(IoMessages::cannotSetLength(), errno);
    else if (::fsync(fd) != 0)
        failure = stepFailed(IoMessages::cannotSyncToDisk(), errno);
    if (::close(fd) != 0 && failure.isEmpty())
        failure = stepFailed(IoMessages::cannotClose(), errno);

    if (failure.isEmpty() || putBack(target.path, backup, oldSize)) {
        ::close(backup);
        ::unlink(backupPath.constData());
        if (failure.isEmpty())
            return true;
        *errorText = folderReason + u'\n' + failure + u'\n' + IoMessages::putBackOldContent();
        return false;
    }
    const int error = errno;
    *errorText = folderReason + u'\n' + failure + u'\n'
        + stepFailed(IoMessages::cannotPutBack(), error)
        + u'\n' + IoMessages::oldContentKeptIn(shown(backupPath));
    ::close(backup);
    return false;
}

// 0 or the reason the folder's entries could not be synced. A folder the
// user may not open for reading is left to the system.
int syncFolder(const QByteArray &path)
{
    int error = 0;
    const int folder = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        if (errno != EACCES)
            error = errno;
    } else {
        if (::fsync(folder) != 0 && errno != EINVAL)
            error = errno;
        ::close(folder);
    }
    return error;
}

QString folderSyncFailed(int error)
{
    return stepFailed(IoMessages::replacedButFolderNotSynced(), error)
        + u'\n' + IoMessages::mayRevertOnPowerCut();
}

} // namespace

static bool replaceFile(const QString &path, const std::function<bool(QIODevice *)> &write, QString *errorText)
{
    auto fail = [errorText](const QString &reason) {
        *errorText = reason;
        return false;
    };

    Target target;
    int found = 0;
    target.path = followLinks(QFile::encodeName(path), &found, &target.old);
    target.folder = folderOf(target.path);
    target.name = target.path.mid(target.path.lastIndexOf('/') + 1);
    if (found == -2)
        found = ::stat(target.path.constData(), &target.old);
    if (found == 0) {
        if (S_ISDIR(target.old.st_mode))
            return fail(IoMessages::folderOfSameName());
        // A device or a FIFO is never replaced: the rename would put a plain
        // file in its place (for root even over /dev/null).
        if (!S_ISREG(target.old.st_mode))
            return fail(IoMessages::notRegularForSave());
        target.exists = true;
    } else if (errno != ENOENT) {
        return fail(reasonFor(errno));
    }

    TemporaryNameGuard signalGuard;
    NewFile file;
    if (!createBeside(target, &file)) {
        const int error = errno;
        const QString folderReason =
            stepFailed(IoMessages::cannotCreateInFolder(shown(target.folder)), error);
        if (target.exists && (error == EACCES || error == EPERM))
            return writeInPlace(target, folderReason, write, errorText);
        return fail(folderReason);
    }

    FileDescriptorDevice device(file.fd);
    if (!write(&device))
        return fail(device.failure() ? stepFailed(IoMessages::cannotWrite(), device.failure()) : IoMessages::shortWrite());
    if (target.exists && !keepOwnerAndMode(file.fd, target.old))
        return fail(stepFailed(IoMessages::cannotKeepOwnerAndMode(), errno));
    if (::fsync(file.fd) != 0)
        return fail(stepFailed(IoMessages::cannotSyncToDisk(), errno));
    bool placed = false;
    if (file.name.isEmpty() && !nameUnnamedFile(target, &file, &placed))
        return fail(stepFailed(IoMessages::cannotNameNewFile(), errno));
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        if (placed) // there was no file of the name: there is none again
            ::unlink(target.path.constData());
        return fail(stepFailed(IoMessages::cannotClose(), error));
    }
    if (!placed && ::rename(file.name.constData(), target.path.constData()) != 0)
        return fail(stepFailed(IoMessages::cannotReplace(), errno));
    file.name.clear();
    TemporaryNameGuard::forget();

    // The rename itself reaches the disk only with the folder.
    {
        std::lock_guard<std::mutex> lock(g_deferMutex);
        if (g_deferring) {
            if (!g_unsyncedFolders.contains(target.folder))
                g_unsyncedFolders.append(target.folder);
            return true;
        }
    }
    if (const int folderError = syncFolder(target.folder))
        return fail(folderSyncFailed(folderError));
    return true;
}

Outcome writeWith(const QString &path, const std::function<bool(QIODevice *)> &write)
{
    QString reason;
    if (replaceFile(path, write, &reason))
        return Outcome::success();
    return Outcome::failure(reason);
}

Outcome writeBytes(const QString &path, const QByteArray &content)
{
    return writeWith(path, [&content](QIODevice *file) {
        return file->write(content) == content.size();
    });
}

KeepSignalHandlers::KeepSignalHandlers()
{
    useHandlers();
}

KeepSignalHandlers::~KeepSignalHandlers()
{
    releaseHandlers();
}

DeferFolderSyncs::DeferFolderSyncs()
{
    std::lock_guard<std::mutex> lock(g_deferMutex);
    g_deferring = true;
}

DeferFolderSyncs::~DeferFolderSyncs()
{
    syncFolders();
    std::lock_guard<std::mutex> lock(g_deferMutex);
    g_deferring = false;
}

QList<QPair<QString, QString>> DeferFolderSyncs::syncFolders()
{
    QList<QByteArray> folders;
    {
        std::lock_guard<std::mutex> lock(g_deferMutex);
        folders.swap(g_unsyncedFolders);
    }
    QList<QPair<QString, QString>> failures;
    for (const QByteArray &folder : folders) {
        if (const int error = syncFolder(folder))
            failures.append({shown(folder), folderSyncFailed(error)});
    }
    return failures;
}

QString failureMessage(const QString &path, const QString &reason)
{
    return IoMessages::saveFailed(QDir::toNativeSeparators(path), reason);
}

} // namespace SafeSave

} // namespace tabulink
