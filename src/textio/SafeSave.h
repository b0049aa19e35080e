#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Replaces a file only once its whole new content is on disk. On failure the
// old file is unchanged, no temporary file is left, and errorText holds the
// system's reason.
namespace SafeSave {

bool writeBytes(const QString &path, const QByteArray &content, QString *errorText);

// The same for content made while it is written, so a large file is never
// held in memory whole: write() puts the bytes into the new file and returns
// false on any failure; the old file is replaced only after it succeeded and
// every byte it wrote is on disk.
bool writeWith(const QString &path, const std::function<bool(QIODevice *)> &write, QString *errorText);

// The message the window shows for a failed save: the path and the reason.
QString failureMessage(const QString &path, const QString &reason);

} // namespace SafeSave
