#pragma once

#include <QString>

namespace tabulink {

// Reads the folder path out of the clipboard text that "move to the
// clipboard's folder" acts on. One line break at the end, quotes around the
// path and a "file://" prefix (with its %-escapes decoded) are taken off, as
// terminals and file managers add them; blanks are kept, a folder's name may
// begin or end with one.
struct ClipboardFolder {
    enum Verdict {
        Path,        // an absolute path: folder holds it in the list's form
        Network,     // begins with "\": a network path without a drive
        NoText,
        LineBreak,   // holds a line break inside, so it names no folder
        NotAbsolute,
    };
    Verdict verdict;
    QString folder;

    static ClipboardFolder read(const QString &text);
};

} // namespace tabulink
