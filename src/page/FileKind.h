#pragma once

#include "textio/Cp932.h"

#include <QString>

namespace tabulink {

// What a saved file is, whoever saves it: the ending of the name proposed
// for it, the name proposed when the picked file has no ".", and what
// becomes of characters code page 932 lacks.
struct FileKind {
    QString nameEnding;   // ".html" or ".txt"
    QString fallbackName; // "index.html" or "csv.txt"
    Cp932::Unmappable unmappable = Cp932::Unmappable::NumericReference;

    // Every HTML page: ".html", "index.html", numeric character references.
    static FileKind page();

    // The part of selectedFileName before its first "." plus the ending, or
    // the fallback name when there is no ".".
    QString proposeFileName(const QString &selectedFileName) const;
};

} // namespace tabulink
