#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

namespace tabulink {

namespace TestFiles {

// The expected bytes of a file: every line in code page 932, each followed by
// CR LF. Built from the literal lines, never by the code under test.
QByteArray crlfSjis(const QStringList &lines);
// Encodes through iconv directly.
QByteArray sjis(const QString &text);
QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

// What a writer puts into an in-memory device; "write failed" if it says so.
QByteArray render(const std::function<bool(QIODevice *)> &write);

// A whole page written out by hand: head, style lines, body tag (none if
// empty), title block with the optional back link, body lines, back link, footer.
QStringList pageLines(const QString &title, const QString &backUrl, const QString &bodyTag,
                      const QStringList &style, const QStringList &body);

} // namespace TestFiles

} // namespace tabulink
