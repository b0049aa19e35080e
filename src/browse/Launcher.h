#pragma once

#include <QString>
#include <QUrl>

namespace tabulink {

// Hands a folder to the desktop's file manager and a page to the default
// browser. The window gets the real one; tests record the calls.
class Launcher
{
public:
    virtual ~Launcher() = default;

    // Both start another program without waiting for it and without a shell;
    // the path reaches it as one argument, untouched. False when it could not
    // be started.
    virtual bool openFolder(const QString &folder) = 0;
    virtual bool openPage(const QString &path) = 0;

    // The address handed over for a local path: a file URL, so that blanks
    // and shell characters in the name stay part of the one path.
    static QUrl urlFor(const QString &path) { return QUrl::fromLocalFile(path); }
};

} // namespace tabulink
