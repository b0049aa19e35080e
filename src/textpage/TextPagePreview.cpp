#include "textpage/TextPagePreview.h"

#include "textpage/EditorText.h"
#include "textpage/ImodePageWriter.h"

#include <QBuffer>

namespace tabulink {

namespace TextPagePreview {

Cut cut(QStringView plainText, qsizetype maxLines, qsizetype maxChars)
{
    Cut result;
    qsizetype shownEnd = 0; // the end of the last line shown
    qsizetype start = 0;
    qsizetype lines = 0;
    while (lines < maxLines) {
        qsizetype lineEnd = plainText.indexOf(u'\n', start);
        if (lineEnd < 0)
            lineEnd = plainText.size();
        if (lineEnd > maxChars) {
            if (lines == 0) {
                shownEnd = maxChars;
                if (shownEnd > 0 && plainText.at(shownEnd - 1).isHighSurrogate())
                    --shownEnd;
            }
            break;
        }
        shownEnd = lineEnd;
        ++lines;
        if (lineEnd == plainText.size())
            break;
        start = lineEnd + 1;
    }
    result.length = shownEnd;
    // Each "\n" left starts a line left out; so does the rest of a cut line.
    const QStringView rest = plainText.mid(shownEnd);
    if (!rest.isEmpty())
        result.hiddenLines = rest.count(u'\n') + (rest.front() == u'\n' ? 0 : 1);
    return result;
}

Page write(QStringView plainText, const PageOptions &options, TextPageInput input, bool imode)
{
    Page page;
    const Cut shown = cut(plainText);
    page.hiddenLines = shown.hiddenLines;
    input.text = EditorText::fromEditor(plainText.left(shown.length).toString());
    QBuffer buffer(&page.bytes);
    buffer.open(QIODevice::WriteOnly);
    if (imode)
        ImodePageWriter::write(&buffer, options, input);
    else
        TextPageWriter::write(&buffer, options, input);
    return page;
}

} // namespace TextPagePreview

} // namespace tabulink
