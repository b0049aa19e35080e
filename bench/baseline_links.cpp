// Baseline: the link page of a folder with a file of descriptions, as
// "tabulink-batch links FOLDER -d DESC -o OUT" writes it with the default
// options, in plain C++ (POSIX directory listing, iconv for the names).
//
// The names on disk are UTF-8 and the page is code page 932, so each name
// is encoded once, character by character through iconv with a cache; the
// description file is code page 932 already and is only split, never
// decoded (see baseline_common.h). The rules it follows:
// - The regular files of the folder (links followed), without hidden ones.
// - Sorted by their code page 932 bytes with ASCII letters folded. For the
//   bench names (ASCII, 写真, 資料, zero-padded numbers) that is the order
//   tabulink-batch's Japanese collator gives; the run checks it.
// - A description line is "name,text", cut at its first comma; a later
//   line for the same name wins, a line without text takes the text away.
// - The link target percent-encodes % # ? \, control characters and blanks
//   at either end, writes & < > " as entities, prefixes "./" to a name that
//   starts like a URL scheme, and writes as "&#N;" a character whose code
//   reads back as another one (the nine one-way characters of code page 932).
// - The label is the description as written, else the name with & < > "
//   as entities.
// - A character code page 932 lacks is "&#N;"; so are ¥ and ‾, whose codes
//   are "\" and "~".
// Left out, because the bench folder has none: names that are not UTF-8
// (refused), and the page itself lying in the listed folder.
#include "baseline_common.h"

#include <algorithm>
#include <cstdint>
#include <dirent.h>
#include <iconv.h>
#include <string_view>
#include <vector>

namespace {

// Characters whose code page 932 code decodes to another character, with
// that code (glibc CP932).
struct OneWay {
    char32_t cp;
    uint16_t code;
};
const OneWay kOneWay[] = {
    {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00A5, 0x005C}, {0x00AC, 0x81CA}, {0x2014, 0x815C},
    {0x2016, 0x8161}, {0x203E, 0x007E}, {0x2212, 0x817C}, {0x301C, 0x8160},
};

constexpr uint16_t kNone = 0xFFFF;

class Encoder
{
public:
    Encoder() : m_cd(iconv_open("CP932", "UTF-32LE")), m_cache(0x10000, 0)
    {
        if (m_cd == (iconv_t)-1)
            baseline::die("iconv has no CP932");
        for (const OneWay &o : kOneWay)
            m_oneWay[o.cp] = true;
    }
    ~Encoder() { iconv_close(m_cd); }

    // The code of a character above ASCII, or kNone.
    uint16_t code(char32_t cp)
    {
        if (cp > 0xFFFF)
            return kNone;
        uint16_t &c = m_cache[cp];
        if (c == 0)
            c = convert(cp);
        return c;
    }
    bool oneWay(char32_t cp) const { return cp < 0x10000 && m_oneWay[cp]; }

private:
    uint16_t convert(char32_t cp)
    {
        char in[4] = {char(cp & 0xFF), char((cp >> 8) & 0xFF), char((cp >> 16) & 0xFF), 0};
        char out[4];
        char *ip = in, *op = out;
        size_t il = 4, ol = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &ip, &il, &op, &ol) == size_t(-1))
            return kNone;
        return op - out == 1 ? uint16_t(uint8_t(out[0])) : uint16_t(uint8_t(out[0]) << 8 | uint8_t(out[1]));
    }

    iconv_t m_cd;
    std::vector<uint16_t> m_cache;
    std::vector<bool> m_oneWay = std::vector<bool>(0x10000, false);
};

// One UTF-8 character at p (p < e); false for a malformed one.
bool nextChar(const unsigned char *&p, const unsigned char *e, char32_t *cp)
{
    const unsigned c = *p;
    int len;
    char32_t v;
    if (c < 0x80) { *cp = c; ++p; return true; }
    if (c >= 0xC2 && c < 0xE0) { len = 2; v = c & 0x1F; }
    else if (c >= 0xE0 && c < 0xF0) { len = 3; v = c & 0x0F; }
    else if (c >= 0xF0 && c < 0xF5) { len = 4; v = c & 0x07; }
    else return false;
    if (e - p < len)
        return false;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return false;
        v = (v << 6) | (p[i] & 0x3F);
    }
    if ((len == 3 && (v < 0x800 || (v >= 0xD800 && v <= 0xDFFF))) || (len == 4 && (v < 0x10000 || v > 0x10FFFF)))
        return false;
    *cp = v;
    p += len;
    return true;
}

void putReference(std::string &out, char32_t cp)
{
    out += "&#";
    out += std::to_string(uint32_t(cp));
    out += ';';
}

void putCode(std::string &out, uint16_t code)
{
    if (code > 0xFF)
        out += char(code >> 8);
    out += char(code & 0xFF);
}

bool putEntity(std::string &out, unsigned char c)
{
    switch (c) {
    case '&': out += "&amp;"; return true;
    case '<': out += "&lt;"; return true;
    case '>': out += "&gt;"; return true;
    case '"': out += "&quot;"; return true;
    default: return false;
    }
}

void putPercent(std::string &out, unsigned char c)
{
    static const char hex[] = "0123456789ABCDEF";
    out += '%';
    out += hex[c >> 4];
    out += hex[c & 0xF];
}

bool looksLikeScheme(std::string_view name)
{
    const size_t colon = name.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!letter(name[0]))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const char c = name[i];
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// One UTF-8 name walked character by character: ASCII goes to ascii(c),
// anything else to other(cp, code) with its code page 932 code (kNone when
// it has none). A name that is not UTF-8 ends the program.
template<typename Ascii, typename Other>
void forEachChar(std::string_view name, Encoder &encoder, Ascii ascii, Other other)
{
    const auto *p = reinterpret_cast<const unsigned char *>(name.data());
    const auto *e = p + name.size();
    while (p < e) {
        if (*p < 0x80) {
            ascii(*p++);
            continue;
        }
        char32_t cp;
        if (!nextChar(p, e, &cp)) {
            errno = 0;
            baseline::die("a file name that is not UTF-8: " + std::string(name));
        }
        other(cp, encoder.code(cp));
    }
}

struct Entry {
    uint32_t name, nameLen; // in the arena of UTF-8 names
    uint32_t key, keyLen;   // in the arenas of code page 932 names (plain and folded)
    bool exact;             // every character has its own code
    std::string_view description;
};

// The code page 932 form of a name, without escapes (the description key),
// appended to plain, and the same with ASCII letters folded (the sort key)
// to folded. Returns whether every character has a code of its own.
bool encodeKey(std::string_view name, Encoder &encoder, std::string &plain, std::string &folded)
{
    bool exact = true;
    forEachChar(name, encoder,
        [&](unsigned char c) {
            plain += char(c);
            folded += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : char(c);
        },
        [&](char32_t cp, uint16_t code) {
            if (code == kNone || code < 0x80 || encoder.oneWay(cp))
                exact = false;
            if (code == kNone || code < 0x80) {
                putReference(plain, cp);
                putReference(folded, cp);
            } else {
                putCode(plain, code);
                putCode(folded, code);
            }
        });
    return exact;
}

// The name as page text: & < > " as entities; a character without a code
// of its own above ASCII as "&#N;".
void putLabel(std::string &out, std::string_view name, Encoder &encoder)
{
    forEachChar(name, encoder,
        [&](unsigned char c) {
            if (!putEntity(out, c))
                out += char(c);
        },
        [&](char32_t cp, uint16_t code) {
            if (code == kNone || code < 0x80)
                putReference(out, cp);
            else
                putCode(out, code);
        });
}

// The name as a relative link.
void putTarget(std::string &out, std::string_view name, Encoder &encoder)
{
    const size_t first = name.find_first_not_of(' ');
    const size_t last = name.find_last_not_of(' ');
    if (looksLikeScheme(name))
        out += "./";
    size_t at = 0;
    forEachChar(name, encoder,
        [&](unsigned char c) {
            const bool edge = first == std::string_view::npos || at < first || at > last;
            if (c == '%' || c == '#' || c == '?' || c == '\\' || c < 0x20 || c == 0x7F || (c == ' ' && edge))
                putPercent(out, c);
            else if (!putEntity(out, c))
                out += char(c);
            ++at;
        },
        [&](char32_t cp, uint16_t code) {
            if (code == kNone || code < 0x80 || encoder.oneWay(cp))
                putReference(out, cp);
            else
                putCode(out, code);
            at += cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        });
}

// Names by their code page 932 bytes: open addressing, no allocation per name.
class NameIndex
{
public:
    NameIndex(const std::string &arena, size_t count) : m_arena(arena)
    {
        size_t size = 16;
        while (size < count * 2)
            size *= 2;
        m_slots.assign(size, Slot{0, 0, kEmpty});
    }
    void insert(uint32_t key, uint32_t len, uint32_t index)
    {
        for (size_t i = hash(m_arena.data() + key, len);; i = (i + 1) & (m_slots.size() - 1))
            if (m_slots[i].index == kEmpty) {
                m_slots[i] = Slot{key, len, index};
                return;
            }
    }
    uint32_t find(const char *p, size_t len) const
    {
        for (size_t i = hash(p, len);; i = (i + 1) & (m_slots.size() - 1)) {
            const Slot &s = m_slots[i];
            if (s.index == kEmpty)
                return kEmpty;
            if (s.len == len && std::memcmp(m_arena.data() + s.key, p, len) == 0)
                return s.index;
        }
    }
    static constexpr uint32_t kEmpty = 0xFFFFFFFF;

private:
    struct Slot {
        uint32_t key, len, index;
    };
    size_t hash(const char *p, size_t len) const
    {
        uint64_t h = 1469598103934665603ull;
        for (size_t i = 0; i < len; ++i)
            h = (h ^ uint8_t(p[i])) * 1099511628211ull;
        return size_t(h ^ (h >> 29)) & (m_slots.size() - 1);
    }
    const std::string &m_arena;
    std::vector<Slot> m_slots;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: baseline_links FOLDER DESCRIPTIONS OUT.html\n");
        return 2;
    }
    DIR *dir = opendir(argv[1]);
    if (!dir)
        baseline::die(std::string("cannot open ") + argv[1]);
    std::string names; // every name, one after another
    std::vector<Entry> entries;
    entries.reserve(1 << 12);
    errno = 0;
    while (const dirent *d = readdir(dir)) {
        if (d->d_name[0] == '.')
            continue;
        bool regular = d->d_type == DT_REG;
        if (d->d_type == DT_UNKNOWN || d->d_type == DT_LNK) {
            struct stat st;
            regular = fstatat(dirfd(dir), d->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular) {
            const size_t len = std::strlen(d->d_name);
            entries.push_back(Entry{uint32_t(names.size()), uint32_t(len), 0, 0, true, {}});
            names.append(d->d_name, len);
        }
        errno = 0;
    }
    if (errno != 0)
        baseline::die(std::string("cannot list ") + argv[1]);
    closedir(dir);
    auto nameOf = [&](const Entry &e) { return std::string_view(names.data() + e.name, e.nameLen); };

    Encoder encoder;
    std::string plain, folded;
    plain.reserve(names.size() + names.size() / 4);
    folded.reserve(plain.capacity());
    for (Entry &e : entries) {
        e.key = uint32_t(plain.size());
        e.exact = encodeKey(nameOf(e), encoder, plain, folded);
        e.keyLen = uint32_t(plain.size() - e.key);
    }
    NameIndex index(plain, entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].exact)
            index.insert(entries[i].key, entries[i].keyLen, uint32_t(i));

    // Descriptions: "name,text" lines of code page 932, split on the bytes.
    const baseline::Input desc(argv[2]);
    baseline::LineEnds ends(desc.end(), true);
    for (const char *p = desc.begin(); p < desc.end();) {
        const char *next;
        const char *e = ends.find(p, &next);
        const void *comma = std::memchr(p, ',', size_t(e - p));
        const char *nameEnd = comma ? static_cast<const char *>(comma) : e;
        const uint32_t i = index.find(p, size_t(nameEnd - p));
        if (i != NameIndex::kEmpty)
            entries[i].description = comma ? std::string_view(nameEnd + 1, size_t(e - nameEnd - 1))
                                            : std::string_view();
        p = next;
    }

    struct SortKey {
        const char *key;
        uint32_t len;
        uint32_t index;
    };
    std::vector<SortKey> order;
    order.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        order.push_back(SortKey{folded.data() + entries[i].key, entries[i].keyLen, uint32_t(i)});
    std::sort(order.begin(), order.end(), [&](const SortKey &a, const SortKey &b) {
        const int c = std::memcmp(a.key, b.key, std::min(a.len, b.len));
        if (c != 0)
            return c < 0;
        if (a.len != b.len)
            return a.len < b.len;
        return nameOf(entries[a.index]) < nameOf(entries[b.index]);
    });

    baseline::Output out(argv[3]);
    baseline::head(out, false);
    out.put("<table border=0>\r\n");
    std::string line;
    for (const SortKey &k : order) {
        const Entry &e = entries[k.index];
        line.assign("<tr><td align=left nowrap>\r\n<A href=\"");
        putTarget(line, nameOf(e), encoder);
        line += "\">";
        if (!e.description.empty())
            line += e.description;
        else
            putLabel(line, nameOf(e), encoder);
        line += "</A></td></tr>\r\n<tr><td> </td></tr>\r\n";
        out.put(line);
    }
    out.put("</table>\r\n</center>\r\n");
    baseline::tail(out);
    out.finish();
    return 0;
}
