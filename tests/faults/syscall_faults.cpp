// Preloaded into a program (LD_PRELOAD) to make its system calls fail as a
// sick disk, a full quota or a broken network file system would. Only calls
// on files under TABULINK_FAULT_DIR count: opens of paths below it, renames
// and links into it, and the reads, writes, syncs, owner and mode changes,
// truncations and closes of descriptors those opens returned.
//   TABULINK_FAULT_AT=N        the Nth counted call fails with EIO
//   TABULINK_FAULT_CALLS=a,b   every counted call of these names fails with EIO
//   TABULINK_FAULT_NO_TMPFILE=1  O_TMPFILE opens fail with EOPNOTSUPP, as on FAT or NFS
//   TABULINK_FAULT_STALL=name  the first counted call of that name waits for a signal
//   TABULINK_FAULT_LOG=file    each failed or stalled call appends its name there
// A test in the same process sets the variables, then calls
// tabulink_faults_configure().

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

char g_dir[4096];
size_t g_dirLength = 0;
long g_failAt = 0;
long g_counted = 0;
char g_calls[256];
bool g_noTmpfile = false;
char g_stall[64];
char g_log[4096];
unsigned char g_tracked[65536];

void copyVariable(const char *name, char *to, size_t size)
{
    const char *value = std::getenv(name);
    std::snprintf(to, size, "%s", value ? value : "");
}

template <typename F>
F real(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool under(const char *path)
{
    return g_dirLength && path && std::strncmp(path, g_dir, g_dirLength) == 0
        && (path[g_dirLength] == '\0' || path[g_dirLength] == '/');
}

bool tracked(int fd)
{
    return fd >= 0 && fd < int(sizeof g_tracked) && g_tracked[fd];
}

void track(int fd, bool on)
{
    if (fd >= 0 && fd < int(sizeof g_tracked))
        g_tracked[fd] = on;
}

bool listed(const char *call)
{
    const size_t n = std::strlen(call);
    for (const char *p = g_calls; (p = std::strstr(p, call)); p += n) {
        if ((p == g_calls || p[-1] == ',') && (p[n] == '\0' || p[n] == ','))
            return true;
    }
    return false;
}

void note(const char *what)
{
    if (!g_log[0])
        return;
    static auto realOpen = real<int (*)(const char *, int, ...)>("open");
    static auto realWrite = real<ssize_t (*)(int, const void *, size_t)>("write");
    static auto realClose = real<int (*)(int)>("close");
    const int fd = realOpen(g_log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%s %ld\n", what, g_counted);
    if (realWrite(fd, line, size_t(n)) < 0) { }
    realClose(fd);
}

// Counts one call; true (errno EIO) when it is to fail.
bool strike(const char *call)
{
    ++g_counted;
    if (g_stall[0] && std::strcmp(g_stall, call) == 0) {
        g_stall[0] = '\0';
        note("stalled");
        for (;;)
            pause();
    }
    if ((g_failAt && g_counted == g_failAt) || listed(call)) {
        note(call);
        errno = EIO;
        return true;
    }
    return false;
}

} // namespace

extern "C" {

void tabulink_faults_configure(void)
{
    copyVariable("TABULINK_FAULT_DIR", g_dir, sizeof g_dir);
    g_dirLength = std::strlen(g_dir);
    const char *at = std::getenv("TABULINK_FAULT_AT");
    g_failAt = at ? std::atol(at) : 0;
    copyVariable("TABULINK_FAULT_CALLS", g_calls, sizeof g_calls);
    const char *noTmpfile = std::getenv("TABULINK_FAULT_NO_TMPFILE");
    g_noTmpfile = noTmpfile && *noTmpfile == '1';
    copyVariable("TABULINK_FAULT_STALL", g_stall, sizeof g_stall);
    copyVariable("TABULINK_FAULT_LOG", g_log, sizeof g_log);
    g_counted = 0;
    std::memset(g_tracked, 0, sizeof g_tracked);
}

__attribute__((constructor)) static void configureAtStart()
{
    tabulink_faults_configure();
}

int open(const char *path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(args, int)) : 0;
    va_end(args);
    const bool counted = under(path);
    if (counted && g_noTmpfile && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    if (counted && strike("open"))
        return -1;
    static auto realOpen = real<int (*)(const char *, int, ...)>("open");
    const int fd = realOpen(path, flags, mode);
    track(fd, counted);
    return fd;
}

#define COUNTED_ON_FD(name, signature, ...)                 \
    int name signature                                      \
    {                                                       \
        if (tracked(fd) && strike(#name))                   \
            return -1;                                      \
        static auto realCall = real<int(*) signature>(#name); \
        return realCall(__VA_ARGS__);                       \
    }

COUNTED_ON_FD(fsync, (int fd), fd)
COUNTED_ON_FD(fdatasync, (int fd), fd)
COUNTED_ON_FD(fchown, (int fd, uid_t owner, gid_t group) noexcept, fd, owner, group)
COUNTED_ON_FD(fchmod, (int fd, mode_t mode) noexcept, fd, mode)
COUNTED_ON_FD(ftruncate, (int fd, off_t length) noexcept, fd, length)

ssize_t write(int fd, const void *data, size_t size)
{
    if (tracked(fd) && strike("write"))
        return -1;
    static auto realWrite = real<ssize_t (*)(int, const void *, size_t)>("write");
    return realWrite(fd, data, size);
}

ssize_t read(int fd, void *data, size_t size)
{
    if (tracked(fd) && strike("read"))
        return -1;
    static auto realRead = real<ssize_t (*)(int, void *, size_t)>("read");
    return realRead(fd, data, size);
}

// A failed close still frees the descriptor, as the kernel's does.
int close(int fd)
{
    static auto realClose = real<int (*)(int)>("close");
    if (!tracked(fd))
        return realClose(fd);
    track(fd, false);
    const bool fail = strike("close");
    const int result = realClose(fd);
    if (fail) {
        errno = EIO;
        return -1;
    }
    return result;
}

int rename(const char *from, const char *to) noexcept
{
    if (under(to) && strike("rename"))
        return -1;
    static auto realRename = real<int (*)(const char *, const char *)>("rename");
    return realRename(from, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags) noexcept
{
    if (under(to) && strike("linkat"))
        return -1;
    static auto realLinkat = real<int (*)(int, const char *, int, const char *, int)>("linkat");
    return realLinkat(fromDir, from, toDir, to, flags);
}

} // extern "C"
