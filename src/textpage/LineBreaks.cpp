#include "textpage/LineBreaks.h"

namespace tabulink {

QString convertLineBreaks(const QString &text, bool enabled)
{
    if (!enabled)
        return text;
    QString result;
    result.reserve(text.size() + text.size() / 8);
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(QStringLiteral("\r\n"), from);
        if (at < 0)
            break;
        result += QStringView(text).mid(from, at - from);
        result += QStringLiteral("<br>\r\n");
        from = at + 2;
    }
    result += QStringView(text).mid(from);
    return result;
}

} // namespace tabulink
