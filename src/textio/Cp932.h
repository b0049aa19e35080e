#pragma once

#include <QByteArray>
#include <QString>

namespace tabulink {

// Code page 932 (Windows Shift_JIS), with the mapping taken from glibc's
// iconv "CP932". The tables are built once, on first use.
namespace Cp932 {

// What to do with a character that code page 932 cannot hold.
enum class Unmappable {
    // "&#128512;": pages stay valid and show every character. Pages also get
    // ¥ and ‾ as references: their codes are ASCII "\" and "~".
    NumericReference,
    QuestionMark      // "?": plain text and CSV files
};

// Appends the encoding of text to out. Returns the number of characters
// (code points) that had to be replaced.
qsizetype encodeAppend(QStringView text, Unmappable mode, QByteArray &out);
QByteArray encode(QStringView text, Unmappable mode, qsizetype *replaced = nullptr);
// The same into out, which has room for 8 bytes per UTF-16 unit of text;
// returns the number of bytes written and adds the characters replaced to
// *replaced.
qsizetype encodeTo(QStringView text, Unmappable mode, char *out, qsizetype *replaced);

// Bytes that do not decode become U+FFFD; decoding never fails.
QString decode(const QByteArray &bytes);
// Appends what code page 932 bytes become when they are read and written
// again, exactly encode(decode(bytes), mode), without the text in between:
// most bytes are copied as they stand. Returns the number of characters
// replaced.
qsizetype recodeAppend(QByteArrayView bytes, QByteArray &out, Unmappable mode = Unmappable::NumericReference);
// The same into out, which has room for 8 bytes per byte of bytes; returns
// the number of bytes written and adds the characters replaced to *replaced.
qsizetype recodeTo(QByteArrayView bytes, char *out, qsizetype *replaced,
                   Unmappable mode = Unmappable::NumericReference);
// How many bytes from the start of bytes are whole characters that
// recodeTo copies as they stand.
qsizetype sameLength(QByteArrayView bytes);

// The text's length in code page 932 bytes: 2 for every double-byte
// character, 1 for everything else (an unmappable character, one outside the
// BMP included, counts 1, as the "?" it becomes in a text file).
qsizetype byteCount(QStringView text);

// True when the character has a code that reads back as another character:
// ¥ ‾ 〜 − — ‖ ¢ £ ¬ (¥ becomes "\", 〜 becomes ～).
bool isOneWay(char16_t ch);


// Reads file content: UTF-8 when it starts with a byte-order mark or is valid
// UTF-8 holding at least one sequence of three or more bytes; UTF-16 (little
// or big endian) when it starts with that byte-order mark; code page 932
// otherwise.
QString decodeFileContent(const QByteArray &bytes);
// True when decodeFileContent surely reads bytes as code page 932: no
// byte-order mark, and no byte of E0 or above or a plain UTF-8 mistake. False
// leaves it open.
bool surelyCp932(QByteArrayView bytes);
// The same for a file known by its first bytes only (all of it when whole):
// a UTF-8 mistake among them is enough.
bool surelyCp932FromStart(QByteArrayView start, bool whole);
// True when bytes start with a UTF-8 or UTF-16 byte-order mark.
bool hasByteOrderMark(QByteArrayView bytes);

} // namespace Cp932

} // namespace tabulink
