#include "textpage/EditorText.h"

#include "textio/FileReading.h"

#include <utility>

namespace tabulink {

namespace EditorText {

QString fromEditor(const QString &plainText)
{
    // The editor holds lines separated by "\n"; the pages want CR LF.
    QString text = plainText;
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

QString fromFile(const QString &fileText)
{
    QString text = FileReading::toCrLf(fileText);
    // The window's editor hands back a no-break space as a blank and a line
    // or paragraph separator as a line break; the pages are written from that.
    bool changed = false;
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (u == 0x00A0 || u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1) {
            changed = true;
            break;
        }
    }
    if (!changed)
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : std::as_const(text)) {
        switch (c.unicode()) {
        case 0x00A0: out += u' '; break;
        case 0x2028:
        case 0x2029:
        case 0xFDD0:
        case 0xFDD1: out += QStringLiteral("\r\n"); break;
        default: out += c;
        }
    }
    return out;
}

} // namespace EditorText

} // namespace tabulink
