// Plain C++ helpers for the baseline programs: no framework, only the
// standard library, POSIX and glibc iconv. Each baseline does the job of one
// tabulink-batch command with the default options, the way a developer would
// write it by hand: decode the file to UTF-8, build the page, encode it back
// to code page 932, and replace the output through a temporary file.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace baseline {

[[noreturn]] inline void die(const std::string &what)
{
    std::cerr << what << '\n';
    std::exit(1);
}

inline std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        die("cannot open " + path);
    std::string bytes(size_t(in.tellg()), '\0');
    in.seekg(0);
    in.read(&bytes[0], std::streamsize(bytes.size()));
    return bytes;
}

// Converts with iconv. Unmappable input is written as a numeric character
// reference when encoding a page (toSjis) and as U+FFFD when decoding.
inline std::string convert(const std::string &input, const char *from, const char *to, bool toSjis)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1)
        die("iconv_open failed");
    // Code page 932 never takes more bytes than UTF-8; UTF-8 takes at most
    // three per code page 932 byte (half-width katakana).
    size_t capacity = (toSjis ? input.size() : input.size() * 3) + 64;
    char *out = static_cast<char *>(std::malloc(capacity));
    char *in = const_cast<char *>(input.data());
    size_t inLeft = input.size();
    size_t used = 0;
    auto room = [&](size_t need) {
        if (capacity - used < need) {
            capacity = capacity * 2 + need;
            out = static_cast<char *>(std::realloc(out, capacity));
        }
    };
    while (inLeft > 0) {
        char *outPtr = out + used;
        size_t outLeft = capacity - used;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        used = capacity - outLeft;
        if (r != (size_t)-1)
            break;
        if (errno == E2BIG) {
            room(capacity);
        } else if (errno == EILSEQ || errno == EINVAL) {
            if (toSjis) {
                // One UTF-8 sequence becomes "&#N;".
                unsigned char c = (unsigned char)*in;
                int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
                unsigned cp = len == 1 ? c : c & (0xFF >> (len + 1));
                for (int i = 1; i < len && i < (int)inLeft; ++i)
                    cp = (cp << 6) | ((unsigned char)in[i] & 0x3F);
                const std::string ref = "&#" + std::to_string(cp) + ";";
                room(ref.size());
                std::memcpy(out + used, ref.data(), ref.size());
                used += ref.size();
                const size_t skip = std::min<size_t>(size_t(len), inLeft);
                in += skip;
                inLeft -= skip;
            } else {
                room(3);
                std::memcpy(out + used, "\xEF\xBF\xBD", 3);
                used += 3;
                ++in;
                --inLeft;
            }
        } else {
            die("iconv failed");
        }
    }
    iconv_close(cd);
    std::string result(out, used);
    std::free(out);
    return result;
}

inline std::string fromSjis(const std::string &bytes) { return convert(bytes, "CP932", "UTF-8", false); }
inline std::string toSjis(const std::string &text) { return convert(text, "UTF-8", "CP932", true); }

// Writes a temporary file next to path, syncs it and renames it over path.
inline void saveFile(const std::string &path, const std::string &bytes)
{
    const std::string temp = path + ".tmp-baseline";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), (std::streamsize)bytes.size());
        out.flush();
        if (!out)
            die("cannot write " + temp);
    }
    FILE *f = std::fopen(temp.c_str(), "rb");
    if (!f || ::fsync(fileno(f)) != 0)
        die("cannot sync " + temp);
    std::fclose(f);
    if (std::rename(temp.c_str(), path.c_str()) != 0)
        die("cannot rename to " + path);
}

// Splits at CR LF, CR and LF; a final line break ends the last line.
inline std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text, start, i - start);
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.emplace_back(text, start, n - start);
    return lines;
}

const char *const kTitle = "ここにタイトルを入れて下さい";

// The page frame with the default options: white background, no back link.
inline void head(std::string &out, const std::vector<std::string> &style = {})
{
    out += "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-type\" CONTENT=\"text/html; charset=Shift_JIS\">\r\n";
    out += std::string("<TITLE>") + kTitle + "</TITLE>\r\n</HEAD>\r\n";
    for (const std::string &line : style)
        out += line + "\r\n";
    out += "<BODY bgcolor=\"#ffffff\">\r\n \r\n<div align=\"center\"><B><FONT size=\"+3\">\r\n";
    out += std::string(kTitle) + "\r\n</FONT>\r\n</B></div>\r\n<FONT size=\"-3\"><br></FONT>\r\n<HR>\r\n"
           "<FONT size=\"-3\"><br></FONT>\r\n<center>\r\n";
}

inline void tail(std::string &out)
{
    out += "<FONT size=\"-3\"><br></FONT>\r\n<HR>\r\n<CENTER>\r\n</CENTER>\r\n"
           "<div align=\"right\"><A href=\"http://www.example.com/tabulink/\" target=\"_blank\"><b><FONT size=\"-2\">"
           "Tabulink ver 2.03</FONT></b></A></div>\r\n</BODY>\r\n</HTML>\r\n";
}

inline void usage(int argc, const char *what)
{
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: " << what << '\n';
        std::exit(2);
    }
}

} // namespace baseline
