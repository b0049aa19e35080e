#include "support/BrowserProbe.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace tabulink {

namespace BrowserProbe {

QString chromiumPath()
{
    for (const char *name : {"chromium", "chromium-browser"}) {
        const QString p = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!p.isEmpty())
            return p;
    }
    return QString();
}

QList<Page> load(const QStringList &pagePaths, QString *errorText)
{
    QList<Page> pages(pagePaths.size());
    auto fail = [&](const QString &why) {
        if (errorText)
            *errorText = why;
        return pages;
    };
    const QString chromium = chromiumPath();
    if (chromium.isEmpty())
        return fail(QStringLiteral("chromium not installed"));

    QTemporaryDir work;
    // A UTF-8 wrapper page opens every page in a window of its own (a frame
    // would inherit the wrapper's encoding) and writes what it finds into its
    // own DOM, percent-encoded so the dump needs no unescaping.
    QString html = QStringLiteral(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><script>\n"
        "function probe(i,url){var w=window.open(url);function check(){try{"
        "if(w.document.readyState==='complete'&&w.location.href===url){var d=w.document;"
        "var r={charset:d.characterSet,title:d.title,text:d.body?d.body.innerText:'',"
        "links:Array.from(d.links).map(function(a){return a.href;}),"
        "images:d.body&&d.body.getAttribute('background')!==null?[new URL(d.body.getAttribute('background'),d.baseURI).href]:[]};"
        "document.getElementById('o'+i).textContent=encodeURIComponent(JSON.stringify(r));return;}}catch(e){}"
        "setTimeout(check,20);}check();}\n"
        "</script></head><body>\n");
    for (int i = 0; i < pagePaths.size(); ++i)
        html += QStringLiteral("<pre id=\"o%1\">pending</pre>\n").arg(i);
    html += QStringLiteral("<script>\n");
    for (int i = 0; i < pagePaths.size(); ++i) {
        const QString url = QUrl::fromLocalFile(QFileInfo(pagePaths.at(i)).absoluteFilePath()).toString(QUrl::FullyEncoded);
        html += QStringLiteral("probe(%1,'%2');\n").arg(i).arg(url);
    }
    html += QStringLiteral("</script></body></html>\n");
    const QString wrapper = work.filePath(QStringLiteral("probe.html"));
    QFile f(wrapper);
    if (!f.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write the wrapper page"));
    f.write(html.toUtf8());
    f.close();

    QProcess process;
    process.setProgram(chromium);
    process.setArguments({
        "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync",
        "--allow-file-access-from-files", "--disable-popup-blocking", "--virtual-time-budget=10000",
        "--user-data-dir=" + work.filePath(QStringLiteral("profile")),
        "--dump-dom", QUrl::fromLocalFile(wrapper).toString(QUrl::FullyEncoded)});
    process.start();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return fail(QStringLiteral("chromium did not finish"));
    }
    const QString dom = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression out(QStringLiteral("<pre id=\"o(\\d+)\">([^<]*)</pre>"));
    auto it = out.globalMatch(dom);
    while (it.hasNext()) {
        const auto m = it.next();
        const int i = m.captured(1).toInt();
        if (i < 0 || i >= pages.size() || m.captured(2) == QLatin1String("pending"))
            continue;
        const QJsonObject o = QJsonDocument::fromJson(
            QUrl::fromPercentEncoding(m.captured(2).toLatin1()).toUtf8()).object();
        Page &p = pages[i];
        p.loaded = true;
        p.characterSet = o.value("charset").toString();
        p.title = o.value("title").toString();
        p.text = o.value("text").toString();
        for (const auto &v : o.value("links").toArray())
            p.links << v.toString();
        for (const auto &v : o.value("images").toArray())
            p.images << v.toString();
    }
    return pages;
}

} // namespace BrowserProbe

} // namespace tabulink
