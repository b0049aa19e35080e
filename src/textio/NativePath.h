#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tabulink {

// File names that are not UTF-8 (a Windows archive unpacked here keeps its
// Shift_JIS names) are shown decoded as code page 932. Qt's path functions
// cannot give such a name's bytes back, so the listing remembers them here
// and everything that opens a file by its shown path asks for its bytes.
namespace NativePath {

// Remembers the shown names of folder's files that are not UTF-8, with
// their bytes, in place of what was remembered for folder before.
void remember(const QString &folder, const QHash<QString, QByteArray> &names);
// Every such name of folder, shown name -> bytes.
QHash<QString, QByteArray> namesIn(const QString &folder);
// The bytes of the name shown as name in folder; empty when the name is
// an ordinary UTF-8 name.
QByteArray nameIn(const QString &folder, const QString &name);
// path (folder "/" name) as the file system holds it.
QByteArray encode(const QString &path);
// True when path names a regular file (following links).
bool isFile(const QString &path);

} // namespace NativePath

} // namespace tabulink
