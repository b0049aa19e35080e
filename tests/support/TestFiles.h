#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TestFiles {

// The expected bytes of a file: every line in code page 932, each followed by
// CR LF. Built from the literal lines, never by the code under test.
QByteArray crlfSjis(const QStringList &lines);
// Encodes through iconv directly.
QByteArray sjis(const QString &text);
QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

} // namespace TestFiles
