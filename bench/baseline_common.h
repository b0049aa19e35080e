// Plain C++ helpers for the baseline programs: the standard library and
// POSIX, nothing else. Each baseline does the job of one tabulink-batch
// command with the default options the way a careful developer would write
// it by hand for code page 932 input: the file is mapped, lines and fields
// are split on the raw bytes (the separators "," "\"" CR LF and the markup
// "<" ">" "&" are all below 0x40, so they never occur as the second byte of
// a double-byte character), the page is built in a 1 MiB buffer written
// with write(2), and the output replaces the old file the way
// tabulink-batch replaces it: a new file beside it, fsync, rename, fsync of
// the folder.
//
// Input is taken as code page 932. What tabulink-batch does on top of that
// is left out, and the bench data is made so that it does not matter:
// gen_data.py writes only canonical code page 932 codes (every line reads
// back to the same bytes, so no NEC-selected IBM code is turned into its IBM
// code and no byte becomes "&#65533;"), no byte-order mark and nothing that
// reads as UTF-8. The run compares the pages byte for byte.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace baseline {

[[noreturn]] inline void die(const std::string &what)
{
    std::fprintf(stderr, "%s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

// A whole input file, mapped read-only (read into memory when it cannot be
// mapped: a pipe, an empty file).
class Input
{
public:
    explicit Input(const char *path)
    {
        const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            die(std::string("cannot open ") + path);
        struct stat st;
        if (::fstat(fd, &st) != 0)
            die(std::string("cannot stat ") + path);
        if (S_ISREG(st.st_mode) && st.st_size > 0) {
            void *p = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (p == MAP_FAILED)
                die(std::string("cannot map ") + path);
            ::madvise(p, size_t(st.st_size), MADV_SEQUENTIAL);
            m_map = p;
            m_data = static_cast<const char *>(p);
            m_size = size_t(st.st_size);
        } else {
            char chunk[1 << 16];
            for (;;) {
                const ssize_t n = ::read(fd, chunk, sizeof chunk);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    die(std::string("cannot read ") + path);
                if (n == 0)
                    break;
                m_copy.append(chunk, size_t(n));
            }
            m_data = m_copy.data();
            m_size = m_copy.size();
        }
        ::close(fd);
        const auto *b = reinterpret_cast<const unsigned char *>(m_data);
        if ((m_size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
            || (m_size >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)))) {
            errno = 0;
            die(std::string(path) + " has a byte-order mark; the baseline reads code page 932 only");
        }
    }
    ~Input()
    {
        if (m_map)
            ::munmap(m_map, m_size);
    }
    Input(const Input &) = delete;
    Input &operator=(const Input &) = delete;

    const char *begin() const { return m_data; }
    const char *end() const { return m_data + m_size; }
    size_t size() const { return m_size; }

private:
    void *m_map = nullptr;
    const char *m_data = nullptr;
    size_t m_size = 0;
    std::string m_copy;
};

inline void writeAll(int fd, const char *p, size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            die("cannot write");
        p += w;
        n -= size_t(w);
    }
}

// The page: appended to a 1 MiB buffer that goes out with one write each
// time it fills. "-" writes to standard output; a path is replaced only by
// a complete page.
class Output
{
public:
    explicit Output(const char *path) : m_path(path)
    {
        m_buffer = static_cast<char *>(std::malloc(kSize));
        if (!m_buffer)
            die("out of memory");
        if (m_path == "-") {
            m_fd = STDOUT_FILENO;
            return;
        }
        const size_t slash = m_path.rfind('/');
        m_folder = slash == std::string::npos ? std::string(".") : m_path.substr(0, slash + 1);
        m_temp = m_path + ".baseline-new";
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0)
            die("cannot create " + m_temp);
    }
    ~Output() { std::free(m_buffer); }
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;

    void put(const char *p, size_t n)
    {
        if (m_used + n > kSize) {
            flush();
            if (n > kSize) {
                writeAll(m_fd, p, n);
                return;
            }
        }
        std::memcpy(m_buffer + m_used, p, n);
        m_used += n;
    }
    void put(const char *from, const char *to) { put(from, size_t(to - from)); }
    void put(const std::string &s) { put(s.data(), s.size()); }
    template<size_t N>
    void put(const char (&literal)[N]) { put(literal, N - 1); }
    void put(char c)
    {
        if (m_used == kSize)
            flush();
        m_buffer[m_used++] = c;
    }

    void finish()
    {
        flush();
        if (m_fd == STDOUT_FILENO)
            return;
        if (::fsync(m_fd) != 0 || ::close(m_fd) != 0)
            die("cannot write " + m_temp);
        if (::rename(m_temp.c_str(), m_path.c_str()) != 0)
            die("cannot replace " + m_path);
        const int folder = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }

private:
    static constexpr size_t kSize = 1 << 20;
    void flush()
    {
        writeAll(m_fd, m_buffer, m_used);
        m_used = 0;
    }

    std::string m_path, m_folder, m_temp;
    int m_fd = -1;
    char *m_buffer = nullptr;
    size_t m_used = 0;
};

// The page frame with the default options (white background, no back
// link), in code page 932: the title is "ここにタイトルを入れて下さい".
#define BASELINE_TITLE \
    "\x82\xb1\x82\xb1\x82\xc9\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xf0\x93\xfc\x82\xea\x82\xc4\x89\xba\x82\xb3\x82\xa2"

inline void head(Output &out, bool tableStyle)
{
    out.put("<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-type\" CONTENT=\"text/html; charset=Shift_JIS\">\r\n"
            "<TITLE>" BASELINE_TITLE "</TITLE>\r\n</HEAD>\r\n");
    if (tableStyle)
        out.put("<STYLE TYPE =\"text/css\">\r\n<!--\r\nTABLE{font-size:12pt}\r\nP{font-size:12pt}\r\n"
                "div{font-size:12pt}\r\nbody{font-size:12pt}\r\n-->\r\n</STYLE>\r\n");
    out.put("<BODY bgcolor=\"#ffffff\">\r\n \r\n<div align=\"center\"><B><FONT size=\"+3\">\r\n" BASELINE_TITLE
            "\r\n</FONT>\r\n</B></div>\r\n<FONT size=\"-3\"><br></FONT>\r\n<HR>\r\n"
            "<FONT size=\"-3\"><br></FONT>\r\n<center>\r\n");
}

inline void tail(Output &out)
{
    out.put("<FONT size=\"-3\"><br></FONT>\r\n<HR>\r\n<CENTER>\r\n</CENTER>\r\n"
            "<div align=\"right\"><A href=\"http://www.example.com/tabulink/\" target=\"_blank\"><b><FONT size=\"-2\">"
            "Tabulink ver 2.03</FONT></b></A></div>\r\n</BODY>\r\n</HTML>\r\n");
}

// The next line end at or after p: CR LF, a lone CR, or (where lfEnds) a
// lone LF. Two memchr scans, each remembered until passed, so every byte is
// looked at about twice in total whatever the line length.
class LineEnds
{
public:
    LineEnds(const char *end, bool lfEnds) : m_end(end), m_lfEnds(lfEnds) {}

    // The end of the line starting at p, and in *next where the next line starts.
    const char *find(const char *p, const char **next)
    {
        if (m_cr < p)
            m_cr = scan(p, '\r');
        if (m_lfEnds && m_lf < p)
            m_lf = scan(p, '\n');
        const char *e = m_lfEnds && m_lf < m_cr ? m_lf : m_cr;
        if (e == m_end)
            *next = m_end;
        else
            *next = (*e == '\r' && e + 1 < m_end && e[1] == '\n') ? e + 2 : e + 1;
        return e;
    }

private:
    const char *scan(const char *p, char c) const
    {
        const void *hit = std::memchr(p, c, size_t(m_end - p));
        return hit ? static_cast<const char *>(hit) : m_end;
    }
    const char *m_end;
    bool m_lfEnds;
    const char *m_cr = nullptr;
    const char *m_lf = nullptr;
};

} // namespace baseline
