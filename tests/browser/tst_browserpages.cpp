// Every kind of page as Chromium shows it: decoded as Shift_JIS, the
// Japanese text, the title and the links as the user sees them.

#include "browse/FolderListing.h"
#include "linkpage/LinkPageWriter.h"
#include "support/TestFiles.h"
#include "table/TableGrid.h"
#include "table/TableHtmlWriter.h"
#include "textio/SafeSave.h"
#include "textpage/ImodePageWriter.h"
#include "textpage/TextPageWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tabulink;

namespace {

// Loads the pages in one run of headless Chromium and tells what the browser
// made of each: the character set it decoded with, the title, the body text
// and the links as it resolved them. A UTF-8 wrapper page opens every page in
// a window of its own (a frame would inherit the wrapper's encoding) and
// writes what it finds into its own DOM, percent-encoded so the dump needs no
// unescaping.
QList<QJsonObject> loadInChromium(const QString &chromium, const QStringList &pages)
{
    QTemporaryDir work;
    QString html = QStringLiteral(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><script>\n"
        "function probe(i,url){var w=window.open(url);function check(){try{"
        "if(w.document.readyState==='complete'&&w.location.href===url){var d=w.document;"
        "var r={charset:d.characterSet,title:d.title,text:d.body?d.body.innerText:'',"
        "links:Array.from(d.links).map(function(a){return a.href;})};"
        "document.getElementById('o'+i).textContent=encodeURIComponent(JSON.stringify(r));return;}}catch(e){}"
        "setTimeout(check,20);}check();}\n</script></head><body>\n");
    QString calls;
    for (int i = 0; i < pages.size(); ++i) {
        html += QStringLiteral("<pre id=\"o%1\">pending</pre>\n").arg(i);
        const QUrl url = QUrl::fromLocalFile(QFileInfo(pages.at(i)).absoluteFilePath());
        calls += QStringLiteral("probe(%1,'%2');\n").arg(i).arg(url.toString(QUrl::FullyEncoded));
    }
    const QString wrapper = work.filePath(QStringLiteral("probe.html"));
    TestFiles::writeAll(wrapper, (html + "<script>\n" + calls + "</script></body></html>\n").toUtf8());
    QProcess process;
    process.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                             "--disable-background-networking", "--disable-component-update", "--disable-sync",
                             "--allow-file-access-from-files", "--disable-popup-blocking", "--virtual-time-budget=10000",
                             "--user-data-dir=" + work.filePath(QStringLiteral("profile")),
                             "--dump-dom", QUrl::fromLocalFile(wrapper).toString(QUrl::FullyEncoded)});
    if (!process.waitForFinished(120000))
        process.kill();
    process.waitForFinished();
    QList<QJsonObject> found(pages.size());
    static const QRegularExpression out(QStringLiteral("<pre id=\"o(\\d+)\">([^<]*)</pre>"));
    for (auto it = out.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).toInt() < pages.size() && m.captured(2) != QLatin1String("pending"))
            found[m.captured(1).toInt()] = QJsonDocument::fromJson(QUrl::fromPercentEncoding(m.captured(2).toLatin1()).toUtf8()).object();
    }
    return found;
}

} // namespace

class TestBrowserPages : public QObject
{
    Q_OBJECT
private slots:
    void pageOfEachKind();
};

void TestBrowserPages::pageOfEachKind()
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        QSKIP("chromium is not installed (scripts/test.sh installs it)");
    QTemporaryDir dir;
    auto save = [&](const QString &name, const std::function<bool(QIODevice *)> &writer) {
        const QString path = dir.filePath(name);
        return SafeSave::writeBytes(path, TestFiles::render(writer)).ok ? path : QString();
    };
    PageOptions o;
    o.title = QStringLiteral("題名 ｸﾞﾘｯﾄﾞ ①😀");
    o.backUrl = QStringLiteral("http://example.jp/top.html");
    // Kanji, kana, half-width katakana, characters only code page 932 has and
    // characters it lacks, in prose: the i-mode page declares no character
    // set (handsets assume Shift_JIS), so a desktop browser guesses it.
    const QString prose = QStringLiteral("携帯電話向けのページです。今日の天気は晴れ、気温は２０度でした。ｶﾀｶﾅ ①髙～ 😀한");
    TextPageInput text;
    text.text = prose + QStringLiteral("\r\n二行目");
    const QString textPage = save(QStringLiteral("テキスト 頁.html"), [&](QIODevice *d) { return TextPageWriter::write(d, o, text); });
    const QString imodePage = save(QStringLiteral("i.html"), [&](QIODevice *d) { return ImodePageWriter::write(d, o, text); });
    TableGrid grid;
    grid.resize(2, 3);
    const QStringList cells = {QStringLiteral("品名"), QStringLiteral("ｶﾅ"), QStringLiteral("①髙～"),
                               QStringLiteral("😀"), QStringLiteral("한국"), QStringLiteral("a&b")};
    for (int i = 0; i < cells.size(); ++i)
        grid.setCellText(i / 3, i % 3, cells.at(i));
    TableHtmlOptions table;
    table.rows = 2;
    table.columns = 3;
    const QString tablePage = save(QStringLiteral("表.html"), [&](QIODevice *d) { return TableHtmlWriter::write(d, o, grid, table); });

    // A folder of names with blanks, markup and URL syntax, Japanese, and a
    // name unpacked from a Windows archive (Shift_JIS bytes, not UTF-8).
    const QStringList names = {QStringLiteral("my memo.txt"), QStringLiteral("a&b #1 50% q?.png"),
                               QStringLiteral("x\"><b>it's.txt"), QStringLiteral("夏の写真 ①.jpg"),
                               QStringLiteral("ｶﾀｶﾅ 髙橋～.csv"), QStringLiteral("¥1200 ‾.txt")};
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("files"))));
    for (const QString &name : names)
        QVERIFY(TestFiles::writeAll(dir.filePath(QStringLiteral("files/") + name), "x"));
    const QByteArray sjisName = QFile::encodeName(dir.filePath(QStringLiteral("files/"))) + "\x8E\xCA\x90\x5E \x83\x5C.jpg";
    QVERIFY(::close(::open(sjisName.constData(), O_CREAT | O_WRONLY, 0644)) == 0);
    const FolderListing listing = listFolder(dir.filePath(QStringLiteral("files")), ListWhat::FilesOnly);
    QList<FileListEntry> entries;
    for (const QString &name : listing.files) {
        entries << FileListEntry::named(name, listing.nativeFiles.value(name));
        if (name == names.first())
            entries.last().description = QStringLiteral("説明文 ①😀");
    }
    const QString linkPage = save(QStringLiteral("files/一覧.html"), [&](QIODevice *d) { return LinkPageWriter::write(d, o, entries); });

    const QList<QJsonObject> pages = loadInChromium(chromium, {textPage, imodePage, tablePage, linkPage});
    const QList<QStringList> shown = {{prose, QStringLiteral("二行目")}, {prose, QStringLiteral("二行目")}, cells,
                                      QStringList(names.mid(1)) << QStringLiteral("説明文 ①😀")};
    for (int i = 0; i < pages.size(); ++i) {
        const QJsonObject &p = pages.at(i);
        QCOMPARE(p.value("charset").toString(), QStringLiteral("Shift_JIS")); // and loaded at all
        QCOMPARE(p.value("title").toString(), o.title);
        for (const QString &t : shown.at(i)) // names show as text: no markup got in
            QVERIFY2(p.value("text").toString().contains(t), qPrintable(t + u'\n' + p.value("text").toString()));
        QVERIFY(p.value("links").toArray().contains(o.backUrl));
    }
    // Every file's link reaches it, the Shift_JIS name too.
    int reached = 0;
    for (const auto &link : pages.at(3).value("links").toArray()) {
        const QUrl url(link.toString());
        const QByteArray target = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        struct stat st;
        reached += url.isLocalFile() && ::stat(target.constData(), &st) == 0 && S_ISREG(st.st_mode) && target.contains("/files/");
    }
    QCOMPARE(reached, names.size() + 1);
    QCOMPARE(::unlink(sjisName.constData()), 0); // the temporary folder cannot remove it
}

QTEST_GUILESS_MAIN(TestBrowserPages)
#include "tst_browserpages.moc"
