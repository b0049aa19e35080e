#pragma once

#include "textio/Outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tabulink {

// Reading files the program did not write itself: only regular files are
// opened (a FIFO or a device must never block the window), no file larger
// than the program can hold is taken in, and the content is decoded as
// UTF-8, UTF-16 or code page 932 (see Cp932::decodeFileContent).
namespace FileReading {

constexpr qint64 MiB = 1024 * 1024;
// The largest file any read takes in unless the caller asks for less: what
// the table grid can hold (see CsvReader::MaxFileBytes).
constexpr qint64 DefaultMaxBytes = 256 * MiB;

struct Result : Outcome {
    QString text; // decoded content
};

// The file's bytes as they stand, with the checks and messages of readText.
struct Content : Outcome {
    QByteArray bytes;
};
Content readContent(const QString &path, qint64 maxBytes = DefaultMaxBytes);

// A file above maxBytes is refused before it is read. A file whose size the
// system does not report (most of /proc says 0) is read up to maxBytes and
// refused past that. Running out of memory gives an error, never an exception.
Result readText(const QString &path, qint64 maxBytes = DefaultMaxBytes);

// For the command line, which reads what the user names, pipes and
// standard input included: reads the open descriptor fd to its end, taking
// no more than maxBytes. error gets the errno value on failure: the read's
// own, EFBIG past maxBytes, ENOMEM when memory runs out.
struct Bytes {
    bool ok = false;
    QByteArray bytes;
    int error = 0;
};
Bytes readOpen(int fd, qint64 maxBytes = DefaultMaxBytes);

// "ファイルが大きすぎるため読み込めません（上限 N MB）。" and the path.
QString tooLargeText(const QString &path, qint64 maxBytes);
// "メモリが足りないため読み込めません。" and the path.
QString outOfMemoryText(const QString &path);

// Splits at CR LF, lone CR and lone LF. A final line break ends the last
// line; it does not start an empty one.
QStringList splitLines(const QString &text);

// Every line break (CR LF, lone CR, lone LF) becomes CR LF.
QString toCrLf(const QString &text);

} // namespace FileReading

} // namespace tabulink
