#pragma once

#include <QString>
#include <QStringList>

namespace tabulink {

// Path rules of the browser. A folder path is absolute, "/" separated, with
// no trailing "/" except the root "/".
namespace FolderPath {

// The folder in that form, or empty text when path is not absolute.
QString clean(const QString &path);

// The folder, a "/" unless the folder already ends in one, and the name.
QString fullPath(const QString &folder, const QString &name);

// A page opens in the browser: the path ends in "html" or "htm", any case,
// with no dot required (page.shtml and a file named xhtml are pages too).
bool isPage(const QString &path);

// True when folder is root itself or lies below it.
bool isWithin(const QString &folder, const QString &root);

// The folder above; the root stays the root.
QString parent(const QString &folder);

// Every folder from root down to folder, both included. folder must lie
// within root; otherwise the chain holds folder alone.
QStringList chain(const QString &root, const QString &folder);

// The last part of a folder path; the root and a volume root keep their
// whole path.
QString displayName(const QString &folder, const QString &root);

} // namespace FolderPath

} // namespace tabulink
