#pragma once

#include "textio/Outcome.h"

#include <QList>
#include <QString>
#include <QUrl>

namespace tabulink {

// What was dropped on the window, before anything acts on it: the first of
// the dropped items, when it is a local folder or regular file. A drop only
// ever reads; nothing here writes.
struct DroppedPath {
    enum Kind {
        Nothing,    // no item at all: the drop is not taken
        Folder,     // path is a folder
        File,       // path is a regular file in folder, named name
        Refused     // message says why (not local, not a regular file)
    };
    Kind kind = Nothing;
    QString path;   // clean and absolute
    QString folder; // a file's folder
    QString name;   // a file's name
    UserMessage message; // for a refusal

    // The first of urls, looked at on disk. A folder is refused unless
    // foldersToo: a folder cannot be read as a CSV file or a text.
    static DroppedPath take(const QList<QUrl> &urls, bool foldersToo);
};

} // namespace tabulink
