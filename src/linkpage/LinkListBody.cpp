#include "linkpage/LinkListBody.h"

#include "linkpage/FileListEntry.h"
#include "textio/LineSink.h"

namespace LinkListBody {

namespace {

void appendPercent(QString &out, char16_t c)
{
    static const char hex[] = "0123456789ABCDEF";
    out += u'%';
    out += QLatin1Char(hex[(c >> 4) & 0xF]);
    out += QLatin1Char(hex[c & 0xF]);
}

// True when the characters before the first ":" form a URL scheme, so that
// a browser would not read the name as a relative path.
bool looksLikeScheme(QStringView name)
{
    const qsizetype colon = name.indexOf(u':');
    if (colon <= 0)
        return false;
    const QChar first = name.at(0);
    if (!((first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z')))
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const char16_t c = name.at(i).unicode();
        const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'+' || c == u'-' || c == u'.';
        if (!ok)
            return false;
    }
    return true;
}

bool appendEntity(QString &out, char16_t c)
{
    switch (c) {
    case u'&': out += QLatin1String("&amp;"); return true;
    case u'<': out += QLatin1String("&lt;"); return true;
    case u'>': out += QLatin1String("&gt;"); return true;
    case u'"': out += QLatin1String("&quot;"); return true;
    default: return false;
    }
}

} // namespace

QString escapeText(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar ch : text) {
        if (!appendEntity(out, ch.unicode()))
            out += ch;
    }
    return out;
}

QString linkTarget(QStringView fileName)
{
    QString out;
    out.reserve(fileName.size() + 8);
    if (looksLikeScheme(fileName))
        out += QLatin1String("./");
    // Browsers strip blanks at either end of a URL; inside they keep them.
    qsizetype first = 0;
    qsizetype last = fileName.size() - 1;
    while (first <= last && fileName.at(first) == u' ')
        ++first;
    while (last >= first && fileName.at(last) == u' ')
        --last;
    for (qsizetype i = 0; i < fileName.size(); ++i) {
        const char16_t c = fileName.at(i).unicode();
        if (c == u'%' || c == u'#' || c == u'?' || c == u'\\' || c < 0x20 || c == 0x7F
            || (c == u' ' && (i < first || i > last)))
            appendPercent(out, c);
        else if (!appendEntity(out, c))
            out += QChar(c);
    }
    return out;
}

QString linkLine(const QString &row)
{
    const FileListEntry entry = FileListEntry::split(row);
    const QString label = entry.hasComma ? entry.description : escapeText(entry.fileName);
    return QLatin1String("<A href=\"") + linkTarget(entry.fileName) + QLatin1String("\">") + label
        + QLatin1String("</A></td></tr>");
}

void write(LineSink &sink, const QStringList &rows)
{
    sink.line("<table border=0>");
    for (const QString &row : rows) {
        sink.line("<tr><td align=left nowrap>");
        sink.line(linkLine(row));
        sink.line("<tr><td> </td></tr>");
    }
    sink.line("</table>");
    sink.line("</center>");
}

} // namespace LinkListBody
