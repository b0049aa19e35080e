#pragma once

#include <QString>

// Checks the clipboard text that "move to the clipboard's folder" acts on.
// The text is taken whole: blanks, quotes and line breaks are not trimmed.
struct ClipboardFolder {
    enum Verdict {
        Folder,      // an existing folder: folder holds it in the list's form
        Network,     // begins with "\": a network path without a drive
        NoText,
        LineBreak,   // holds a line break, so it names no folder
        NotAbsolute,
        Missing,     // no such folder
    };
    Verdict verdict;
    QString folder;

    static ClipboardFolder check(const QString &text);
    // The message that tells the user why nothing changed; empty for Folder.
    static QString message(const ClipboardFolder &result, const QString &text);
};
