// Preloaded into a program (LD_PRELOAD) to make its system calls fail as a
// sick disk, a full quota or a broken network file system would. Only calls
// on files under TABULINK_FAULT_DIR count: opens of paths below it, renames
// and links into it, and the reads, writes, syncs, owner and mode changes,
// truncations and closes of descriptors those opens returned.
//   TABULINK_FAULT_AT=N        the Nth counted call fails with EIO
//   TABULINK_FAULT_NO_TMPFILE=1  O_TMPFILE opens fail with EOPNOTSUPP, as on FAT or NFS
//   TABULINK_FAULT_STALL=name  the first counted call of that name waits for a signal
//   TABULINK_FAULT_LOG=file    each failed or stalled call appends its name there (a
//                              file outside the folder)
// A test in the same process sets the variables, then calls
// tabulink_faults_configure().

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

char g_dir[4096], g_stall[64], g_log[4096];
size_t g_dirLength = 0;
long g_failAt = 0;
std::atomic<long> g_counted{0};
bool g_noTmpfile = false;
unsigned char g_tracked[65536];

void copyVariable(const char *name, char *to, size_t size)
{
    std::snprintf(to, size, "%s", std::getenv(name) ? std::getenv(name) : "");
}

template <typename F>
F real(const char *name) { return reinterpret_cast<F>(dlsym(RTLD_NEXT, name)); }

bool under(const char *path)
{
    return g_dirLength && path && std::strncmp(path, g_dir, g_dirLength) == 0
        && (path[g_dirLength] == '\0' || path[g_dirLength] == '/');
}

bool tracked(int fd) { return fd >= 0 && fd < int(sizeof g_tracked) && g_tracked[fd]; }
void track(int fd, bool on) { fd >= 0 && fd < int(sizeof g_tracked) ? void(g_tracked[fd] = on) : void(); }

// The log lies outside the folder: these calls are not counted.
void note(const char *what, long counted)
{
    const int fd = g_log[0] ? open(g_log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644) : -1;
    if (fd < 0)
        return;
    dprintf(fd, "%s %ld\n", what, counted);
    close(fd);
}

// Counts one call; true (errno EIO) when it is to fail.
bool strike(const char *call)
{
    // Threads of one program count alike: each call gets its own number.
    const long counted = ++g_counted;
    if (g_stall[0] && std::strcmp(g_stall, call) == 0) {
        g_stall[0] = '\0';
        note("stalled", counted);
        for (;;)
            pause();
    }
    if (g_failAt && counted == g_failAt)
        note(call, counted);
    return g_failAt && counted == g_failAt && (errno = EIO);
}

} // namespace

extern "C" {

void tabulink_faults_configure(void)
{
    char at[32], noTmpfile[8];
    copyVariable("TABULINK_FAULT_DIR", g_dir, sizeof g_dir);
    copyVariable("TABULINK_FAULT_AT", at, sizeof at);
    copyVariable("TABULINK_FAULT_NO_TMPFILE", noTmpfile, sizeof noTmpfile);
    copyVariable("TABULINK_FAULT_STALL", g_stall, sizeof g_stall);
    copyVariable("TABULINK_FAULT_LOG", g_log, sizeof g_log);
    g_dirLength = std::strlen(g_dir);
    g_failAt = std::atol(at);
    g_noTmpfile = noTmpfile[0] == '1';
    g_counted = 0;
    std::memset(g_tracked, 0, sizeof g_tracked);
}

__attribute__((constructor)) static void configureAtStart() { tabulink_faults_configure(); }

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(args, int)) : 0;
    va_end(args);
    const bool counted = under(path);
    if (counted && g_noTmpfile && (flags & O_TMPFILE) == O_TMPFILE)
        return errno = EOPNOTSUPP, -1;
    if (counted && strike("open"))
        return -1;
    static auto realOpen = real<int (*)(const char *, int, ...)>("open");
    const int fd = realOpen(path, flags, mode);
    track(fd, counted);
    return fd;
}

#define COUNTED(type, name, signature, test, ...)                    \
    type name signature                                              \
    {                                                                \
        if ((test) && strike(#name))                                 \
            return -1;                                               \
        static auto realCall = real<type(*) signature>(#name);       \
        return realCall(__VA_ARGS__);                                \
    }

COUNTED(int, fsync, (int fd), tracked(fd), fd)
COUNTED(int, fchown, (int fd, uid_t owner, gid_t group) noexcept, tracked(fd), fd, owner, group)
COUNTED(int, fchmod, (int fd, mode_t mode) noexcept, tracked(fd), fd, mode)
COUNTED(int, ftruncate, (int fd, off_t length) noexcept, tracked(fd), fd, length)
COUNTED(ssize_t, write, (int fd, const void *data, size_t size), tracked(fd), fd, data, size)
COUNTED(ssize_t, read, (int fd, void *data, size_t size), tracked(fd), fd, data, size)
COUNTED(int, rename, (const char *from, const char *to) noexcept, under(to), from, to)
COUNTED(int, linkat, (int fromDir, const char *from, int toDir, const char *to, int flags) noexcept, under(to),
        fromDir, from, toDir, to, flags)

// A failed close still frees the descriptor, as the kernel's does.
int close(int fd)
{
    static auto realClose = real<int (*)(int)>("close");
    const bool fail = tracked(fd) && (track(fd, false), strike("close"));
    const int result = realClose(fd);
    if (fail)
        errno = EIO;
    return fail ? -1 : result;
}

} // extern "C"
