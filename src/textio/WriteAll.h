#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

namespace tabulink {

// Writes that go on until every byte is written: a device may take fewer
// bytes than it is given (a full disk, a pipe), and a short write that is
// not repeated loses the rest of the file.
namespace WriteAll {

// False as soon as the device takes nothing or fails.
bool toDevice(QIODevice *device, const char *data, qint64 size);
inline bool toDevice(QIODevice *device, const QByteArray &bytes)
{
    return toDevice(device, bytes.constData(), bytes.size());
}

// The system's write() on a descriptor, repeated after a signal. False with
// errno set on failure; a write() that takes nothing without an error sets
// ENOSPC (the device is full). written, if given, counts the bytes that went.
bool toDescriptor(int fd, const char *data, qint64 size, qint64 *written = nullptr);

} // namespace WriteAll

} // namespace tabulink
