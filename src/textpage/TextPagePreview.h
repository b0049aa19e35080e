#pragma once

#include "page/PageOptions.h"
#include "textpage/TextPageWriter.h"

#include <QByteArray>
#include <QStringView>

namespace tabulink {

// The text page or i-mode page the save buttons would write now, for looking
// at before saving: written to memory, never to a file, from the start of the
// text only, so a long text stays quick to show.
namespace TextPagePreview {

constexpr qsizetype ShownLines = 1000;
constexpr qsizetype ShownChars = 100'000;

struct Cut {
    qsizetype length = 0;      // characters of the text shown
    qsizetype hiddenLines = 0; // lines, or rests of a line, left out
};

// The start of the editor's plain text ("\n" between lines) a preview shows:
// whole lines, at most maxLines of them and maxChars characters; a first line
// longer than that is cut, never inside a surrogate pair.
Cut cut(QStringView plainText, qsizetype maxLines = ShownLines, qsizetype maxChars = ShownChars);

struct Page {
    QByteArray bytes;          // the page as the save writes it, from the text shown
    qsizetype hiddenLines = 0;
};

// input holds the check boxes; its text is replaced by the start of plainText.
Page write(QStringView plainText, const PageOptions &options, TextPageInput input, bool imode);

} // namespace TextPagePreview

} // namespace tabulink
