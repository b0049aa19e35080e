#pragma once

#include <QString>

// Checks the clipboard text that "move to the clipboard's folder" acts on.
// One line break at the end, quotes around the path and a "file://" prefix
// (with its %-escapes decoded) are taken off, as terminals and file managers
// add them; blanks are kept, a folder's name may begin or end with one.
struct ClipboardFolder {
    enum Verdict {
        Folder,      // an existing folder: folder holds it in the list's form
        Network,     // begins with "\": a network path without a drive
        NoText,
        LineBreak,   // holds a line break inside, so it names no folder
        NotAbsolute,
        Missing,     // no such folder
    };
    Verdict verdict;
    QString folder;

    static ClipboardFolder check(const QString &text);
    // The message that tells the user why nothing changed; empty for Folder.
    static QString message(const ClipboardFolder &result, const QString &text);
};
