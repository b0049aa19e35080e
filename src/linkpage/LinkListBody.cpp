#include "linkpage/LinkListBody.h"

#include "linkpage/FileListEntry.h"
#include "textio/Cp932.h"
#include "textio/LineSink.h"

#include <string>

namespace tabulink {

namespace LinkListBody {

namespace {

// The pieces of a link line are made in a plain UTF-16 buffer: appending
// one unit is then a store, and a row of the list allocates nothing.
using Text = std::u16string;

// Unit for unit: a leading U+FEFF or U+FFFE is part of a file name, not a
// byte-order mark to drop or to swap the rest by.
QString toQString(const Text &text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

void appendPercent(Text &out, char16_t c)
{
    static const char16_t hex[] = u"0123456789ABCDEF";
    out += u'%';
    out += hex[(c >> 4) & 0xF];
    out += hex[c & 0xF];
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

bool appendEntity(Text &out, char16_t c)
{
    switch (c) {
    case u'&': out += u"&amp;"; return true;
    case u'<': out += u"&lt;"; return true;
    case u'>': out += u"&gt;"; return true;
    case u'"': out += u"&quot;"; return true;
    default: return false;
    }
}

void appendEscaped(Text &out, QStringView text)
{
    for (QChar ch : text) {
        if (!appendEntity(out, ch.unicode()))
            out += ch.unicode();
    }
}

void appendReference(Text &out, char16_t codePoint)
{
    char16_t digits[5];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + codePoint % 10);
        codePoint /= 10;
    } while (codePoint != 0);
    out += u"&#";
    while (n > 0)
        out += digits[--n];
    out += u';';
}

// A name that is not UTF-8: every byte but the plain ASCII letters, digits
// and "-._~" is percent-encoded, so the browser asks for exactly those bytes.
void appendNativeTarget(Text &out, const QByteArray &nativeName)
{
    for (char b : nativeName) {
        const auto c = char16_t(quint8(b));
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'-' || c == u'.' || c == u'_' || c == u'~';
        if (plain)
            out += c;
        else
            appendPercent(out, c);
    }
}

void appendLinkTarget(Text &out, QStringView fileName)
{
    if (looksLikeScheme(fileName))
        out += u"./";
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
        else if (c >= 0x80 && Cp932::isOneWay(c))
            // Its code would read back as another character (¥ as "\",
            // 〜 as ～): the reference makes the browser ask for this one.
            // ASCII reads back as itself.
            appendReference(out, c);
        else if (!appendEntity(out, c))
            out += c;
    }
}

void appendTarget(Text &out, QStringView fileName, const QByteArray &nativeName)
{
    if (nativeName.isEmpty())
        appendLinkTarget(out, fileName);
    else
        appendNativeTarget(out, nativeName);
}

// description is the label when labelled, else the escaped file name is.
void appendLinkLine(Text &out, QStringView fileName, const QByteArray &nativeName, bool labelled,
                    QStringView description)
{
    out += u"<A href=\"";
    appendTarget(out, fileName, nativeName);
    out += u"\">";
    // The label is page text: a file name never becomes markup. A typed
    // description goes in as the user wrote it.
    if (labelled)
        out.append(reinterpret_cast<const char16_t *>(description.utf16()), size_t(description.size()));
    else
        appendEscaped(out, fileName);
    out += u"</A></td></tr>";
}

bool labelled(const FileListEntry &entry)
{
    return entry.hasComma || !entry.description.isEmpty();
}

void writeRowLines(LineSink &sink, Text &scratch, QStringView fileName, const QByteArray &nativeName,
                   bool labelled, QStringView description)
{
    // The fixed markup is ASCII: it goes in as it stands; only the file
    // name and the label are encoded.
    sink.put("<tr><td align=left nowrap>\r\n<A href=\"");
    scratch.clear();
    appendTarget(scratch, fileName, nativeName);
    sink.putEncoded(QStringView(scratch.data(), qsizetype(scratch.size())));
    sink.put("\">");
    if (labelled) {
        sink.putEncoded(description);
    } else {
        scratch.clear();
        appendEscaped(scratch, fileName);
        sink.putEncoded(QStringView(scratch.data(), qsizetype(scratch.size())));
    }
    sink.put("</A></td></tr>\r\n<tr><td> </td></tr>");
    sink.endLine();
}

} // namespace

QString escapeText(QStringView text)
{
    Text out;
    out.reserve(size_t(text.size()) + 8);
    appendEscaped(out, text);
    return toQString(out);
}

QString linkTarget(QStringView fileName, const QByteArray &nativeName)
{
    Text out;
    out.reserve(size_t(fileName.size()) + 8);
    appendTarget(out, fileName, nativeName);
    return toQString(out);
}

QString linkLine(const FileListEntry &entry)
{
    Text out;
    appendLinkLine(out, entry.fileName, entry.nativeName, labelled(entry), entry.description);
    return toQString(out);
}

void writeStart(LineSink &sink)
{
    sink.line("<table border=0>");
}

void writeRow(LineSink &sink, std::u16string &scratch, QStringView fileName, const QByteArray &nativeName,
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
    Text scratch;
    for (const FileListEntry &entry : entries)
        writeRowLines(sink, scratch, entry.fileName, entry.nativeName, labelled(entry), entry.description);
    writeEnd(sink);
}

} // namespace LinkListBody

} // namespace tabulink
