#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file only once its whole new content is on disk. On failure the
// old file is unchanged, no temporary file is left, and errorText holds the
// system's reason.
namespace SafeSave {

bool writeBytes(const QString &path, const QByteArray &content, QString *errorText);

// The message the window shows for a failed save: the path and the reason.
QString failureMessage(const QString &path, const QString &reason);

} // namespace SafeSave
