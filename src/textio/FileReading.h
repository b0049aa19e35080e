#pragma once

#include <QString>
#include <QStringList>

// Reading files the program did not write itself: only regular files are
// opened (a FIFO or a device must never block the window), and the content is
// decoded as UTF-8 or code page 932 (see Cp932::decodeFileContent).
namespace FileReading {

struct Result {
    bool ok = false;
    QString text;      // decoded content
    QString errorText; // a message for the user when !ok
};

Result readText(const QString &path);

// Splits at CR LF, lone CR and lone LF. A final line break ends the last
// line; it does not start an empty one.
QStringList splitLines(const QString &text);

// Every line break (CR LF, lone CR, lone LF) becomes CR LF.
QString toCrLf(const QString &text);

} // namespace FileReading
