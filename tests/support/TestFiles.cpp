#include "support/TestFiles.h"

#include <QBuffer>
#include <QFile>

#include <iconv.h>

#include <vector>

namespace tabulink {

namespace TestFiles {

QByteArray sjis(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::vector<char> out(utf8.size() * 2 + 16);
    char *in = const_cast<char *>(utf8.constData());
    size_t inLeft = utf8.size();
    char *op = out.data();
    size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &op, &outLeft);
    iconv_close(cd);
    return QByteArray(out.data(), op - out.data());
}

QByteArray crlfSjis(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += sjis(line);
        bytes += "\r\n";
    }
    return bytes;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray render(const std::function<bool(QIODevice *)> &write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return write(&buffer) ? bytes : QByteArray("write failed");
}

QStringList pageLines(const QString &title, const QString &backUrl, const QString &bodyTag,
                      const QStringList &style, const QStringList &body)
{
    const bool back = !backUrl.isEmpty();
    QStringList lines{"<HTML>", "<HEAD>", "<META HTTP-EQUIV=\"Content-type\" CONTENT=\"text/html; charset=Shift_JIS\">",
                      "<TITLE>" + title + "</TITLE>", "</HEAD>"};
    lines += style;
    lines += bodyTag.isEmpty() ? QStringList() : QStringList{bodyTag};
    lines << " " << "<div align=\"center\"><B><FONT size=\"+3\">";
    lines += back ? QStringList{QStringLiteral("　　"), title, "</FONT>", QStringLiteral("　　　<A href=\"") + backUrl
                                    + QStringLiteral("\" target=\"_top\">戻る</A>")} : QStringList{title, "</FONT>"};
    lines << "</B></div>" << "<FONT size=\"-3\"><br></FONT>" << "<HR>" << "<FONT size=\"-3\"><br></FONT>" << "<center>";
    lines += body;
    lines << "<FONT size=\"-3\"><br></FONT>" << "<HR>" << "<CENTER>";
    if (back)
        lines << "<A href=\"" + backUrl + "\">" << "<FONT size=\"+2\">" << QStringLiteral("<b>戻　る</b></FONT></A>") << "<BR>";
    lines << "</CENTER>"
          << "<div align=\"right\"><A href=\"http://www.example.com/tabulink/\" target=\"_blank\"><b>"
             "<FONT size=\"-2\">Tabulink ver 2.03</FONT></b></A></div>"
          << "</BODY>" << "</HTML>";
    return lines;
}

} // namespace TestFiles

} // namespace tabulink
