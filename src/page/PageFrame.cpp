#include "page/PageFrame.h"

#include "page/AppInfo.h"
#include "textio/LineSink.h"

namespace tabulink {

BackgroundChoice backgroundFromOption(int optionNumber)
{
    if (optionNumber < 1 || optionNumber > 9)
        return BackgroundChoice::None;
    return static_cast<BackgroundChoice>(optionNumber);
}

namespace PageFrame {

QString bodyLine(const PageOptions &options, bool *present)
{
    *present = true;
    auto colour = [](const char *hex) {
        return QStringLiteral("<BODY bgcolor=\"#%1\">").arg(QLatin1String(hex));
    };
    switch (options.background) {
    case BackgroundChoice::None:
        *present = false;
        return QString();
    case BackgroundChoice::White: return colour("ffffff");
    case BackgroundChoice::SkyBlue: return colour("84FFFF");
    case BackgroundChoice::Yellow: return colour("FFFF84");
    case BackgroundChoice::Orange: return colour("FFC384");
    case BackgroundChoice::Green: return colour("84FF84");
    case BackgroundChoice::Indigo: return colour("C6C3FF");
    case BackgroundChoice::Pink: return colour("FFC3C6");
    case BackgroundChoice::Purple: return colour("FFC3FF");
    case BackgroundChoice::ImageFile:
        if (options.backgroundImageUrl == QLatin1String("http://"))
            return colour("ffffff");
        return QStringLiteral("<BODY background=\"") + options.backgroundImageUrl + QStringLiteral("\">");
    }
    *present = false;
    return QString();
}

QStringList headLines(const PageOptions &options, const QStringList &styleLines)
{
    QStringList lines;
    lines << QStringLiteral("<HTML>")
          << QStringLiteral("<HEAD>")
          << QStringLiteral("<META HTTP-EQUIV=\"Content-type\" CONTENT=\"text/html; charset=Shift_JIS\">")
          << QStringLiteral("<TITLE>") + options.title + QStringLiteral("</TITLE>")
          << QStringLiteral("</HEAD>");
    lines << styleLines;
    bool hasBody = false;
    const QString body = bodyLine(options, &hasBody);
    if (hasBody)
        lines << body;
    lines << QStringLiteral(" ")
          << QStringLiteral("<div align=\"center\"><B><FONT size=\"+3\">");
    if (options.hasBackLink())
        lines << QStringLiteral("　　");
    lines << options.title << QStringLiteral("</FONT>");
    if (options.hasBackLink())
        lines << QStringLiteral("　　　<A href=\"") + options.backUrl + QStringLiteral("\" target=\"_top\">戻る</A>");
    lines << QStringLiteral("</B></div>")
          << QStringLiteral("<FONT size=\"-3\"><br></FONT>")
          << QStringLiteral("<HR>")
          << QStringLiteral("<FONT size=\"-3\"><br></FONT>")
          << QStringLiteral("<center>");
    return lines;
}

QStringList tailLines(const PageOptions &options)
{
    QStringList lines;
    lines << QStringLiteral("<FONT size=\"-3\"><br></FONT>")
          << QStringLiteral("<HR>")
          << QStringLiteral("<CENTER>");
    if (options.hasBackLink()) {
        lines << QStringLiteral("<A href=\"") + options.backUrl + QStringLiteral("\">")
              << QStringLiteral("<FONT size=\"+2\">")
              << QStringLiteral("<b>戻　る</b></FONT></A>")
              << QStringLiteral("<BR>");
    }
    lines << QStringLiteral("</CENTER>")
          << QStringLiteral("<div align=\"right\"><A href=\"") + AppInfo::downloadPageUrl()
                 + QStringLiteral("\" target=\"_blank\"><b><FONT size=\"-2\">") + AppInfo::footerVersion()
                 + QStringLiteral("</FONT></b></A></div>")
          << QStringLiteral("</BODY>")
          << QStringLiteral("</HTML>");
    return lines;
}

void writeHead(LineSink &sink, const PageOptions &options, const QStringList &styleLines)
{
    for (const QString &line : headLines(options, styleLines))
        sink.line(line);
}

void writeTail(LineSink &sink, const PageOptions &options)
{
    for (const QString &line : tailLines(options))
        sink.line(line);
}

} // namespace PageFrame

} // namespace tabulink
