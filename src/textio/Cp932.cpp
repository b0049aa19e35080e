#include "textio/Cp932.h"

#include "textio/Utf8Mistakes.h"

#include <QStringDecoder>
#include <QtEndian>

#include <iconv.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tabulink {

namespace Cp932 {
namespace {

constexpr char16_t kInvalid = 0xFFFF;
constexpr char16_t kLead = 0xFFFE;
constexpr quint16 kNoCode = 0xFFFF;

struct Tables {
    std::array<char16_t, 256> single{};   // byte -> character, kLead or kInvalid
    std::vector<char16_t> pair;           // (lead << 8 | trail) -> character or kInvalid
    std::vector<quint16> code;            // BMP character -> code page 932 code or kNoCode
    // Whether a byte (not a lead byte) or a pair reads back as itself once
    // decoded and encoded again for a page.
    std::array<quint8, 256> singleSame{};
    std::array<bool, 256> isLead{};
    // Indexed by a byte and the next one (first | second << 8): 1 when a
    // character starting at the first would not read back as itself.
    std::vector<quint8> startsOther;

    Tables() : pair(65536, kInvalid), code(65536, kNoCode), startsOther(65536)
    {
        iconv_t toU = iconv_open("UTF-16LE", "CP932");
        if (toU == reinterpret_cast<iconv_t>(-1))
            qFatal("iconv has no CP932 converter (glibc's gconv modules are missing)");

        auto toUnicode = [&](const char *in, size_t len) -> char16_t {
            char inBuf[2];
            std::memcpy(inBuf, in, len);
            char outBuf[8];
            char *ip = inBuf;
            char *op = outBuf;
            size_t il = len, ol = sizeof outBuf;
            iconv(toU, nullptr, nullptr, nullptr, nullptr);
            if (iconv(toU, &ip, &il, &op, &ol) == size_t(-1) || il != 0 || op - outBuf != 2)
                return kInvalid;
            return char16_t(quint8(outBuf[0]) | (quint8(outBuf[1]) << 8));
        };

        for (int b = 0; b < 256; ++b) {
            const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            if (lead) {
                single[b] = kLead;
                continue;
            }
            const char c = char(b);
            single[b] = toUnicode(&c, 1);
        }
        // A whole lead row goes through the converter in one call; a code
        // that does not convert stops it and is stepped over. Every code of
        // the page is one UTF-16 unit, so the n-th unit out is the n-th code.
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (single[lead] != kLead)
                continue;
            char in[2 * 189];
            int codes = 0;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                in[2 * codes] = char(lead);
                in[2 * codes + 1] = char(trail);
                ++codes;
            }
            char16_t out[189];
            int done = 0; // codes decided so far
            iconv(toU, nullptr, nullptr, nullptr, nullptr);
            while (done < codes) {
                char *ip = in + 2 * done;
                char *op = reinterpret_cast<char *>(out + done);
                size_t il = size_t(2 * (codes - done));
                size_t ol = sizeof out - size_t(2 * done);
                const bool stopped = iconv(toU, &ip, &il, &op, &ol) == size_t(-1);
                const int taken = int(ip - in) / 2;
                const int units = int(op - reinterpret_cast<char *>(out)) / 2;
                if (units != taken || (ip - in) % 2 != 0) {
                    // Not one unit per code: decide this row code by code.
                    for (int k = done; k < codes; ++k)
                        out[k] = toUnicode(in + 2 * k, 2);
                    done = codes;
                    break;
                }
                done = taken;
                if (stopped) {
                    out[done++] = kInvalid;
                    iconv(toU, nullptr, nullptr, nullptr, nullptr);
                }
            }
            for (int k = 0; k < codes; ++k)
                pair[(quint8(in[2 * k]) << 8) | quint8(in[2 * k + 1])] = out[k];
        }
        // Encoding is decoding read backwards, which needs no converter
        // calls: a character read from one code is written as that code;
        // one read from several codes (the NEC and IBM duplicates) is written
        // as Windows writes it: a JIS X 0208 code first, then the NEC row 13,
        // then the IBM extension, the NEC-selected IBM extension last.
        auto rank = [](quint16 bytes) {
            const int lead = bytes >> 8;
            if (lead == 0)
                return 0;
            if (lead == 0x87)
                return 2;
            if (lead >= 0xFA)
                return 3;
            if (lead == 0xED || lead == 0xEE)
                return 4;
            return 1;
        };
        auto offer = [&](char16_t ch, quint16 bytes) {
            if (ch == kInvalid)
                return;
            quint16 &c = code[ch];
            if (c == kNoCode || rank(bytes) < rank(c))
                c = bytes;
        };
        for (int b = 0; b < 256; ++b) {
            if (single[b] != kLead)
                offer(single[b], quint16(b));
        }
        for (int p = 0x8100; p < 65536; ++p)
            offer(pair[p], quint16(p));
        // And the characters only ever written, never read back: what
        // Windows writes for ¥ ‾ 〜 − — ‖ ¢ £ ¬.
        const std::pair<char16_t, quint16> writtenOnly[] = {
            {0x00A5, 0x5C}, {0x203E, 0x7E}, {0x301C, 0x8160}, {0x2212, 0x817C}, {0x2014, 0x815C},
            {0x2016, 0x8161}, {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA}};
        for (const auto &[ch, bytes] : writtenOnly)
            code[ch] = bytes;
        iconv_close(toU);

        // A character whose code is below 0x80 but which is not ASCII (¥, ‾)
        // is written as a reference on a page, so it is not the same.
        auto same = [&](char16_t ch, quint16 bytes) {
            return ch != kInvalid && code[ch] == bytes && (ch < 0x80 || code[ch] >= 0x80);
        };
        for (int b = 0; b < 256; ++b) {
            isLead[b] = single[b] == kLead;
            singleSame[b] = !isLead[b] && same(single[b], quint16(b));
        }
        for (int w = 0; w < 65536; ++w) {
            const quint8 first = quint8(w);
            const quint8 second = quint8(w >> 8);
            const quint16 code = quint16(first << 8 | second);
            const bool pairSame = isLead[first] && isTrail(second) && same(pair[code], code);
            startsOther[w] = isLead[first] ? !pairSame : !singleSame[first];
        }
    }

    static bool isTrail(quint8 b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

bool isTrailByte(quint8 b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

} // namespace

qsizetype encodeTo(QStringView text, Unmappable mode, char *out, qsizetype *replaced)
{
    const Tables &t = tables();
    const quint16 *codes = t.code.data();
    char *o = out;
    const qsizetype n = text.size();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.data());
    auto reference = [&o](uint codePoint) {
        char digits[16];
        const int count = std::snprintf(digits, sizeof digits, "&#%u;", codePoint);
        std::memcpy(o, digits, size_t(count));
        o += count;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = s[i];
        if (ch < 0x80) {
            *o++ = char(ch);
            continue;
        }
        if (QChar::isHighSurrogate(ch) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            const uint cp = QChar::surrogateToUcs4(ch, s[i + 1]);
            ++i;
            ++*replaced;
            if (mode == Unmappable::NumericReference)
                reference(cp);
            else
                *o++ = '?';
            continue;
        }
        const quint16 code = codes[ch];
        if (code < 0x80 && mode == Unmappable::NumericReference) {
            // ¥ and ‾: their codes are "\" and "~", which is what a reader
            // of the page would see.
            reference(ch);
        } else if (code == kNoCode) {
            ++*replaced;
            if (mode == Unmappable::NumericReference)
                reference(QChar::isSurrogate(ch) ? 0xFFFD : ch);
            else
                *o++ = '?';
        } else if (code > 0xFF) {
            *o++ = char(code >> 8);
            *o++ = char(code & 0xFF);
        } else {
            *o++ = char(code);
        }
    }
    return o - out;
}

qsizetype encodeAppend(QStringView text, Unmappable mode, QByteArray &out)
{
    qsizetype replaced = 0;
    // In pieces, so that the room for the worst case stays small; a piece
    // never ends between the two halves of a surrogate pair.
    constexpr qsizetype kPiece = 32 * 1024;
    while (!text.isEmpty()) {
        qsizetype piece = qMin(text.size(), kPiece);
        if (piece < text.size() && text.at(piece - 1).isHighSurrogate())
            ++piece;
        const qsizetype at = out.size();
        const qsizetype need = at + piece * 8;
        // Grow geometrically: callers append line after line to one array.
        if (out.capacity() < need)
            out.reserve(qMax(need, out.capacity() * 2));
        out.resize(need);
        out.resize(at + encodeTo(text.first(piece), mode, out.data() + at, &replaced));
        text = text.sliced(piece);
    }
    return replaced;
}

QByteArray encode(QStringView text, Unmappable mode, qsizetype *replaced)
{
    QByteArray out;
    const qsizetype r = encodeAppend(text, mode, out);
    if (replaced)
        *replaced = r;
    return out;
}

namespace {

// Where the first byte of 0x80 or above is, from i on (n when there is none).
inline qsizetype skipAscii(const quint8 *b, qsizetype i, qsizetype n)
{
#ifdef __SSE2__
    for (; i + 16 <= n; i += 16) {
        const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(b + i)));
        if (high != 0)
            return i + __builtin_ctz(unsigned(high));
    }
#endif
    while (i < n && b[i] < 0x80)
        ++i;
    return i;
}

} // namespace

qsizetype sameLength(QByteArrayView bytes)
{
    const Tables &t = tables();
    const auto *b = reinterpret_cast<const quint8 *>(bytes.data());
    const qsizetype n = bytes.size();
    const quint8 *startsOther = t.startsOther.data();
    // Every byte is looked at as if a character started there, which needs
    // no knowledge of where characters start and so runs without stalls.
    // Only at a byte that would start one not read back is it worked out
    // whether a character starts there: after a byte that cannot lead, one
    // does, and lead bytes in a row pair off.
    qsizetype known = 0; // a character starts here
    for (;;) {
        qsizetype p = skipAscii(b, known, n);
        auto at = [&](qsizetype i) {
            quint16 w; // b[i] | b[i + 1] << 8 on this machine's byte order
            std::memcpy(&w, b + i, 2);
            return startsOther[qFromLittleEndian(w)];
        };
        // Eight at a time, with one test for the eight.
        while (p + 9 <= n && !(at(p) | at(p + 1) | at(p + 2) | at(p + 3) | at(p + 4) | at(p + 5) | at(p + 6) | at(p + 7)))
            p += 8;
        while (p + 1 < n && !at(p))
            ++p;
        if (p >= n)
            return n;
        qsizetype q = p - 1;
        while (q >= known && t.isLead[b[q]])
            --q;
        if ((p - (q + 1)) % 2 != 0) {
            // The second byte of a character that reads back.
            known = p + 1;
            continue;
        }
        // A character starts at p.
        if (p + 1 < n)
            return p;
        return (t.isLead[b[p]] || !t.singleSame[b[p]]) ? p : n;
    }
}

qsizetype recodeTo(QByteArrayView bytes, char *out, qsizetype *replaced, Unmappable mode)
{
    const qsizetype n = bytes.size();
    if (n == 0)
        return 0;
    const Tables &t = tables();
    const auto *b = reinterpret_cast<const quint8 *>(bytes.data());
    char *o = out;
    qsizetype run = 0; // start of the bytes copied as they stand
    qsizetype i = 0;
    QByteArray encoded;
    for (;;) {
        // Every ASCII byte reads back as itself.
        i = skipAscii(b, i, n);
        // Then the double-byte characters and half-width katakana that do.
        while (i < n) {
            const quint8 c = b[i];
            if (c < 0x80)
                break;
            if (t.isLead[c]) {
                if (i + 1 < n && !t.startsOther[c | (b[i + 1] << 8)]) {
                    i += 2;
                    continue;
                }
            } else if (t.singleSame[c]) {
                ++i;
                continue;
            }
            std::memcpy(o, bytes.data() + run, size_t(i - run));
            o += i - run;
            // What decode() makes of this byte or pair, encoded again.
            char16_t ch = t.single[c];
            qsizetype used = 1;
            if (ch == kLead) {
                ch = kInvalid;
                if (i + 1 < n && Tables::isTrail(b[i + 1])) {
                    ch = t.pair[(c << 8) | b[i + 1]];
                    used = 2;
                }
            }
            if (ch == kInvalid)
                ch = 0xFFFD;
            encoded.resize(0);
            *replaced += encodeAppend(QStringView(&ch, 1), mode, encoded);
            std::memcpy(o, encoded.constData(), size_t(encoded.size()));
            o += encoded.size();
            i += used;
            run = i;
        }
        if (i >= n)
            break;
    }
    if (run < n) {
        std::memcpy(o, bytes.data() + run, size_t(n - run));
        o += n - run;
    }
    return o - out;
}

qsizetype recodeAppend(QByteArrayView bytes, QByteArray &out, Unmappable mode)
{
    const qsizetype at = out.size();
    out.resize(at + bytes.size() * 8);
    qsizetype replaced = 0;
    out.resize(at + recodeTo(bytes, out.data() + at, &replaced, mode));
    return replaced;
}

QString decode(const QByteArray &bytes)
{
    const Tables &t = tables();
    const qsizetype n = bytes.size();
    const auto *b = reinterpret_cast<const quint8 *>(bytes.constData());
    // The characters are counted first, so that a large file's text takes
    // no more memory than it needs (a pair is one character).
    qsizetype characters = n;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (t.single[b[i]] == kLead && isTrailByte(b[i + 1])) {
            --characters;
            ++i;
        }
    }
    QString out;
    out.resize(characters);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    qsizetype w = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const quint8 c = b[i];
        const char16_t s = t.single[c];
        if (s != kLead) {
            o[w++] = (s == kInvalid) ? char16_t(0xFFFD) : s;
            continue;
        }
        if (i + 1 < n && isTrailByte(b[i + 1])) {
            const char16_t p = t.pair[(c << 8) | b[i + 1]];
            o[w++] = (p == kInvalid) ? char16_t(0xFFFD) : p;
            ++i;
        } else {
            // A lead byte without a trail byte: the next byte starts afresh.
            o[w++] = 0xFFFD;
        }
    }
    Q_ASSERT(w == characters);
    return out;
}

bool isOneWay(char16_t ch)
{
    const Tables &t = tables();
    const quint16 code = t.code[ch];
    if (code == kNoCode)
        return false;
    const char16_t back = code > 0xFF ? t.pair[code] : t.single[code];
    return back != ch;
}

qsizetype byteCount(QStringView text)
{
    const Tables &t = tables();
    const quint16 *code = t.code.data();
    qsizetype count = 0;
    const char16_t *s = reinterpret_cast<const char16_t *>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        // A character outside the BMP is one "?" in a text file, not two.
        if (QChar::isHighSurrogate(s[i]) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            ++i;
            ++count;
            continue;
        }
        const quint16 c = code[s[i]];
        count += (c != kNoCode && c > 0xFF) ? 2 : 1;
    }
    return count;
}

namespace {

// UTF-16 after its byte-order mark. A surrogate without its partner and an
// odd byte at the end become U+FFFD, like any other byte that does not decode.
QString decodeUtf16(const QByteArray &bytes, bool bigEndian)
{
    const auto *b = reinterpret_cast<const quint8 *>(bytes.constData()) + 2;
    const qsizetype units = (bytes.size() - 2) / 2;
    const bool oddByte = (bytes.size() - 2) % 2 != 0;
    auto unitAt = [&](qsizetype i) -> char16_t {
        const quint8 *p = b + 2 * i;
        return bigEndian ? char16_t(p[0] << 8 | p[1]) : char16_t(p[1] << 8 | p[0]);
    };
    QString out;
    out.resize(units + (oddByte ? 1 : 0));
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    qsizetype w = 0;
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t u = unitAt(i);
        if (QChar::isHighSurrogate(u) && i + 1 < units && QChar::isLowSurrogate(unitAt(i + 1))) {
            o[w++] = u;
            o[w++] = unitAt(++i);
        } else {
            o[w++] = QChar::isSurrogate(u) ? char16_t(0xFFFD) : u;
        }
    }
    if (oddByte)
        o[w++] = 0xFFFD;
    out.resize(w);
    return out;
}

} // namespace

bool hasByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

namespace {

// Without a mark, UTF-8 is recognised by a sequence of three or more bytes
// (lead byte E0 or above), which every Japanese text in UTF-8 has.
// Shift_JIS half-width katakana alone (ﾃｽ is C3 BD) can be valid two-byte
// UTF-8 and must stay code page 932.
bool mayBeUtf8(QByteArrayView bytes)
{
    bool longSequence = false;
    for (char c : bytes) {
        if (quint8(c) >= 0xE0) {
            longSequence = true;
            break;
        }
    }
    if (!longSequence)
        return false;
    // Code page 932 text shows a mistake within its first characters: the
    // whole decoding is tried only for text that may pass it.
    Utf8Mistakes mistakes;
    mistakes.feed(reinterpret_cast<const quint8 *>(bytes.data()), bytes.size());
    return !mistakes.found();
}

} // namespace

bool surelyCp932(QByteArrayView bytes)
{
    return !hasByteOrderMark(bytes) && !mayBeUtf8(bytes);
}

bool surelyCp932FromStart(QByteArrayView start, bool whole)
{
    if (whole || hasByteOrderMark(start))
        return surelyCp932(start);
    Utf8Mistakes mistakes;
    mistakes.feed(reinterpret_cast<const quint8 *>(start.data()), start.size());
    return mistakes.found();
}

QString decodeFileContent(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringConverter::Utf8);
        return utf8.decode(QByteArrayView(bytes).sliced(3));
    }
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(bytes, false);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes, true);
    if (mayBeUtf8(bytes)) {
        QStringDecoder utf8(QStringConverter::Utf8);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decode(bytes);
}

} // namespace Cp932

} // namespace tabulink
