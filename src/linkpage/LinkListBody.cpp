#include "linkpage/LinkListBody.h"

#include "linkpage/FileListEntry.h"
#include "textio/Cp932.h"
#include "textio/LineSink.h"

namespace tabulink {

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
    if (name.isEmpty())
        return false;
    const QChar first = name.at(0);
    if (!((first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z')))
        return false;
    for (qsizetype i = 1; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (c == u':')
            return true;
        const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'+' || c == u'-' || c == u'.';
        if (!ok)
            return false;
    }
    return false;
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

void appendEscaped(QString &out, QStringView text)
{
    for (QChar ch : text) {
        if (!appendEntity(out, ch.unicode()))
            out += ch;
    }
}

void appendReference(QString &out, char32_t codePoint)
{
    out += QLatin1String("&#");
    out += QString::number(uint(codePoint));
    out += u';';
}

// A name that is not UTF-8: every byte but the plain ASCII letters, digits
// and "-._~" is percent-encoded, so the browser asks for exactly those bytes.
void appendNativeTarget(QString &out, const QByteArray &nativeName)
{
    for (char b : nativeName) {
        const auto c = char16_t(quint8(b));
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'-' || c == u'.' || c == u'_' || c == u'~';
        if (plain)
            out += QChar(c);
        else
            appendPercent(out, c);
    }
}

void appendLinkTarget(QString &out, QStringView fileName)
{
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
        else if (Cp932::isOneWay(c))
            // Its code would read back as another character (¥ as "\",
            // 〜 as ～): the reference makes the browser ask for this one.
            appendReference(out, c);
        else if (!appendEntity(out, c))
            out += QChar(c);
    }
}

// description is the label when labelled, else the escaped file name is.
void appendLinkLine(QString &out, QStringView fileName, const QByteArray &nativeName, bool labelled,
                    QStringView description)
{
    out += QLatin1String("<A href=\"");
    if (nativeName.isEmpty())
        appendLinkTarget(out, fileName);
    else
        appendNativeTarget(out, nativeName);
    out += QLatin1String("\">");
    // The label is page text: a file name never becomes markup. A typed
    // description goes in as the user wrote it.
    if (labelled)
        out += description;
    else
        appendEscaped(out, fileName);
    out += QLatin1String("</A></td></tr>");
}

void appendLinkLine(QString &out, const FileListEntry &entry)
{
    appendLinkLine(out, entry.fileName, entry.nativeName, entry.hasComma || !entry.description.isEmpty(),
                   entry.description);
}

void writeRowLines(LineSink &sink, QString &scratch, QStringView fileName, const QByteArray &nativeName,
                   bool labelled, QStringView description)
{
    // The fixed markup is ASCII: it goes in as it stands.
    sink.put("<tr><td align=left nowrap>");
    sink.endLine();
    scratch.clear();
    appendLinkLine(scratch, fileName, nativeName, labelled, description);
    sink.line(scratch);
    sink.put("<tr><td> </td></tr>");
    sink.endLine();
}

} // namespace

QString escapeText(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    appendEscaped(out, text);
    return out;
}

QString linkTarget(QStringView fileName, const QByteArray &nativeName)
{
    QString out;
    out.reserve(fileName.size() + 8);
    if (nativeName.isEmpty())
        appendLinkTarget(out, fileName);
    else
        appendNativeTarget(out, nativeName);
    return out;
}

QString linkLine(const FileListEntry &entry)
{
    QString out;
    appendLinkLine(out, entry);
    return out;
}

void writeStart(LineSink &sink)
{
    sink.line("<table border=0>");
}

void writeRow(LineSink &sink, QString &scratch, QStringView fileName, const QByteArray &nativeName,
              QStringView description)
{
    writeRowLines(sink, scratch, fileName, nativeName, !description.isEmpty(), description);
}

void writeEnd(LineSink &sink)
{
    sink.line("</table>");
    sink.line("</center>");
}

void write(LineSink &sink, const QList<FileListEntry> &entries)
{
    writeStart(sink);
    QString link;
    for (const FileListEntry &entry : entries)
        writeRowLines(sink, link, entry.fileName, entry.nativeName,
                      entry.hasComma || !entry.description.isEmpty(), entry.description);
    writeEnd(sink);
}

} // namespace LinkListBody

} // namespace tabulink
