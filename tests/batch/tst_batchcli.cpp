#include "batch/BatchJobs.h"
#include "batch/BatchOptions.h"
#include "batch/BatchRunner.h"
#include "support/TestFiles.h"
#include "textio/SafeSave.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run {
    int code = -1;
    QByteArray out;
    QString err;
};

Run runCli(const QStringList &args)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Run r;
    r.code = Batch::runArguments(args, &out, &err);
    r.out = out.data();
    r.err = QString::fromUtf8(err.data());
    return r;
}

const QString defaultTitle = QStringLiteral("ここにタイトルを入れて下さい");
const QString footer = QStringLiteral(
    "<div align=\"right\"><A href=\"http://www.example.com/tabulink/\" target=\"_blank\"><b><FONT size=\"-2\">"
    "Tabulink ver 2.03</FONT></b></A></div>");

// A full page written out by hand: head (with the style lines), body, tail.
QStringList fullPage(const QString &title, const QString &backUrl, const QString &bodyLine,
                     const QStringList &style, const QStringList &body)
{
    QStringList lines{"<HTML>", "<HEAD>",
                      "<META HTTP-EQUIV=\"Content-type\" CONTENT=\"text/html; charset=Shift_JIS\">",
                      "<TITLE>" + title + "</TITLE>", "</HEAD>"};
    lines += style;
    lines << bodyLine << " " << "<div align=\"center\"><B><FONT size=\"+3\">";
    if (!backUrl.isEmpty())
        lines << QStringLiteral("　　");
    lines << title << "</FONT>";
    if (!backUrl.isEmpty())
        lines << QStringLiteral("　　　<A href=\"") + backUrl + QStringLiteral("\" target=\"_top\">戻る</A>");
    lines << "</B></div>" << "<FONT size=\"-3\"><br></FONT>" << "<HR>" << "<FONT size=\"-3\"><br></FONT>"
          << "<center>";
    lines += body;
    lines << "<FONT size=\"-3\"><br></FONT>" << "<HR>" << "<CENTER>";
    if (!backUrl.isEmpty())
        lines << "<A href=\"" + backUrl + "\">" << "<FONT size=\"+2\">" << QStringLiteral("<b>戻　る</b></FONT></A>")
              << "<BR>";
    lines << "</CENTER>" << footer << "</BODY>" << "</HTML>";
    return lines;
}

} // namespace

class TestBatchCli : public QObject
{
    Q_OBJECT
private slots:
    void parsesDefaultsAndEveryOption();
    void parseErrors_data();
    void parseErrors();
    void helpAndVersionFollowGnu();
    void textPageToStandardOutput();
    void imodePageWithBackLink();
    void linkPageWithDescriptions();
    void tablePageWithTableOptions();
    void csvResaveReplacesUnmappable();
    void replacesExistingOutputSafely();
    void badInputLeavesOutputAlone();
    void fifoOutputIsWrittenNeverReplaced();
    void streamedSaveReplacesOnlyOnSuccess();
    void editorTextAsTheWindowGivesItBack();
};

void TestBatchCli::parsesDefaultsAndEveryOption()
{
    Batch::ParseResult p = Batch::parseArguments({"table", "in.csv"});
    QVERIFY(p.ok);
    QCOMPARE(p.options.command, Batch::Command::Table);
    QCOMPARE(p.options.output, QStringLiteral("-"));
    QCOMPARE(p.options.page.title, defaultTitle);
    QCOMPARE(p.options.page.background, BackgroundChoice::White);
    QVERIFY(p.options.table.boldTopRow && p.options.table.border && p.options.table.stripQuotes);
    QVERIFY(!p.options.table.smallFont && !p.options.table.centreAll);
    QVERIFY(p.options.convertBreaks && !p.options.mincho);

    p = Batch::parseArguments({"--no-bold-top", "--no-bold-left", "--no-border", "--no-fill-empty",
                               "--no-strip-quotes", "--small-font", "--centre", "--no-br", "--mincho",
                               "-t", QStringLiteral("題"), "--back-url=http://example.org/", "-oout.html",
                               "--background", "7", "text", "--", "-in.txt"});
    QVERIFY2(p.ok, qPrintable(p.error));
    const Batch::Options &o = p.options;
    QCOMPARE(o.command, Batch::Command::Text);
    QCOMPARE(o.input, QStringLiteral("-in.txt"));
    QCOMPARE(o.output, QStringLiteral("out.html"));
    QCOMPARE(o.page.title, QStringLiteral("題"));
    QCOMPARE(o.page.backUrl, QStringLiteral("http://example.org/"));
    QCOMPARE(o.page.background, BackgroundChoice::Pink);
    QVERIFY(!o.table.boldTopRow && !o.table.boldLeftColumn && !o.table.border && !o.table.fillEmpty);
    QVERIFY(!o.table.stripQuotes && o.table.smallFont && o.table.centreAll);
    QVERIFY(!o.convertBreaks && o.mincho);

    // An image address alone picks the image; an explicit choice wins.
    p = Batch::parseArguments({"text", "a", "--background-image=bg.gif"});
    QCOMPARE(p.options.page.background, BackgroundChoice::ImageFile);
    QCOMPARE(p.options.page.backgroundImageUrl, QStringLiteral("bg.gif"));
    p = Batch::parseArguments({"--background=none", "text", "a", "--background-image=bg.gif"});
    QCOMPARE(p.options.page.background, BackgroundChoice::None);
    p = Batch::parseArguments({"links", "dir", "-d", "desc.txt", "--title="});
    QVERIFY(p.ok);
    QCOMPARE(p.options.descriptions, QStringLiteral("desc.txt"));
    QCOMPARE(p.options.page.title, QString());
}

void TestBatchCli::parseErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << QStringLiteral("コマンドがありません");
    QTest::newRow("unknown command") << QStringList{"page", "x"} << QStringLiteral("不明なコマンドです: page");
    QTest::newRow("no input") << QStringList{"text"} << QStringLiteral("入力が必要です");
    QTest::newRow("extra") << QStringList{"text", "a", "b"} << QStringLiteral("余分な引数があります: b");
    QTest::newRow("unknown option") << QStringList{"--colour=red", "text", "a"} << QStringLiteral("--colour");
    QTest::newRow("missing value") << QStringList{"text", "a", "-o"} << QStringLiteral("-o には値が必要です");
    QTest::newRow("flag with value") << QStringList{"--border=1", "table", "a"}
                                     << QStringLiteral("--border には値を付けられません");
    QTest::newRow("bad background") << QStringList{"--background=blue", "text", "a"}
                                    << QStringLiteral("「blue」が正しくありません");
    QTest::newRow("empty output") << QStringList{"text", "a", "-o", ""} << QStringLiteral("出力先が空です");
    QTest::newRow("descriptions for text") << QStringList{"text", "a", "-d", "x"}
                                           << QStringLiteral("links コマンドでだけ");
}

void TestBatchCli::parseErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run r = runCli(args);
    QCOMPARE(r.code, int(Batch::UsageError));
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.startsWith(QStringLiteral("tabulink-batch: ")), qPrintable(r.err));
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.err.contains(QStringLiteral("'tabulink-batch --help'")));
}

void TestBatchCli::helpAndVersionFollowGnu()
{
    Run r = runCli({"--version"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.err.isEmpty());
    QCOMPARE(QString::fromUtf8(r.out).section(u'\n', 0, 0), QStringLiteral("tabulink-batch (Tabulink) 2.03"));
    QCOMPARE(runCli({"-V"}).out, r.out);

    // --help wins over everything else on the line and runs nothing.
    r = runCli({"table", "/nonexistent.csv", "--help"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.err.isEmpty());
    const QString help = QString::fromUtf8(r.out);
    QVERIFY(help.startsWith(QStringLiteral("使い方: tabulink-batch ")));
    for (const char *option : {"--output", "--title", "--back-url", "--background", "--background-image",
                               "--descriptions", "--bold-top", "--bold-left", "--border", "--fill-empty",
                               "--strip-quotes", "--small-font", "--center", "--br", "--mincho", "--version"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
}

void TestBatchCli::textPageToStandardOutput()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    // Shift_JIS with a lone LF and a lone CR: the editor makes both CR LF.
    QVERIFY(TestFiles::writeAll(in, TestFiles::sjis(QStringLiteral("一行目\r\n<i>二</i>\nc\rd"))));
    const Run r = runCli({"text", in, "--no-br", "--mincho", "-t", QStringLiteral("題名"), "-b",
                          "http://a.example/", "--background=skyblue"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.err, QString());
    const QStringList body{"<table border=0>", "<tr><td align=left>",
                           QStringLiteral("<FONT face=\"ＭＳ 明朝\">"),
                           QStringLiteral("一行目"), "<i>二</i>", "c", "d",
                           "</FONT>", "</td></tr>", "</table>", "</center>"};
    QCOMPARE(r.out, TestFiles::crlfSjis(fullPage(QStringLiteral("題名"), "http://a.example/",
                                                 "<BODY bgcolor=\"#84FFFF\">", {}, body)));
}

void TestBatchCli::imodePageWithBackLink()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    QVERIFY(TestFiles::writeAll(in, QByteArray("a\r\nb\r\n")));
    const QString out = dir.filePath("i.html");
    const Run r = runCli({"imode", in, "-o", out, "--back-url", "http://b.example/", "--background=image"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(TestFiles::readAll(out),
             TestFiles::crlfSjis({"<HTML>", "<HEAD>", "<TITLE>" + defaultTitle + "</TITLE>", "</HEAD>", "<BODY>",
                                  defaultTitle, "<HR>", "a<br>", "b<br>", "", "<HR>",
                                  QStringLiteral("<A href=\"http://b.example/\">戻　る</A>"), "</BODY>",
                                  "</HTML>"}));
}

void TestBatchCli::linkPageWithDescriptions()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("pics");
    QVERIFY(QDir().mkpath(folder + "/sub"));
    for (const char *name : {"b.txt", "A.jpg", "c d.png", ".hidden"})
        QVERIFY(TestFiles::writeAll(folder + "/" + QString::fromUtf8(name), "x"));
    const QString desc = dir.filePath("desc.txt");
    QVERIFY(TestFiles::writeAll(desc, TestFiles::sjis(QStringLiteral(
                                          "A.jpg,夏の写真,海\r\n\r\nx.gif,ない\r\nb.txt,\r\nc d.png,<b>太字</b>\r\n"))));
    const Run r = runCli({"links", folder, "-d", desc});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains(QStringLiteral("x.gif")), qPrintable(r.err));
    auto item = [](const QString &link) {
        return QStringList{"<tr><td align=left nowrap>", link, "<tr><td> </td></tr>"};
    };
    QStringList body{"<table border=0>"};
    body += item(QStringLiteral("<A href=\"A.jpg\">夏の写真,海</A></td></tr>"));
    body += item("<A href=\"b.txt\">b.txt</A></td></tr>");
    body += item(QStringLiteral("<A href=\"c d.png\"><b>太字</b></A></td></tr>"));
    body << "</table>" << "</center>";
    QCOMPARE(r.out, TestFiles::crlfSjis(fullPage(defaultTitle, {}, "<BODY bgcolor=\"#ffffff\">", {}, body)));

    QCOMPARE(runCli({"links", dir.filePath("missing")}).code, int(Batch::Failure));
}

void TestBatchCli::tablePageWithTableOptions()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("t.csv");
    QVERIFY(TestFiles::writeAll(in, TestFiles::sjis(QStringLiteral(
                                        "\"名前\",値,備考\r\n  \r\n\"\"\"x\"\"\",,\"\"\r\nshort\n"))));
    const Run r = runCli({"table", in, "--no-bold-left", "--no-border", "--small-font", "--center",
                          "--background=0"});
    QCOMPARE(r.code, 0);
    const QStringList style{"<STYLE TYPE =\"text/css\">", "<!--", "TABLE{font-size:8pt}", "P{font-size:12pt}",
                            "div{font-size:12pt}", "body{font-size:12pt}", "-->", "</STYLE>"};
    auto cell = [](const QString &text) { return "<td nowrap align=\"center\">" + text + "</td>"; };
    const QStringList body{"<table border=\"0\">",
                           "<tr>", cell(QStringLiteral("<b>名前</b>")), cell(QStringLiteral("<b>値</b>")),
                           cell(QStringLiteral("<b>備考</b>")), "</tr>",
                           // Quotes go once in the transfer and once more in the writer.
                           "<tr>", cell("\"x\""), cell(QStringLiteral("　")), cell(QStringLiteral("　")), "</tr>",
                           "<tr>", cell("short"), cell("short"), cell("short"), "</tr>",
                           "</TABLE>", "</CENTER>"};
    QStringList page = fullPage(defaultTitle, {}, "REMOVE", style, body);
    page.removeOne("REMOVE");
    QCOMPARE(r.out, TestFiles::crlfSjis(page));
}

void TestBatchCli::csvResaveReplacesUnmappable()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.csv");
    QVERIFY(TestFiles::writeAll(in, QStringLiteral("a,\"b\",😀\r\n1,2\r\n").toUtf8()));
    const QString out = dir.filePath("out.csv");
    Run r = runCli({"csv", in, "-o", out});
    QCOMPARE(r.code, 0);
    QCOMPARE(TestFiles::readAll(out), QByteArray("a,b,?\r\n1,2,2\r\n"));
    QVERIFY2(r.err.contains(QStringLiteral("1 文字")), qPrintable(r.err));

    r = runCli({"csv", in, "--no-strip-quotes"});
    QCOMPARE(r.out, QByteArray("a,\"b\",?\r\n1,2,2\r\n"));
}

void TestBatchCli::replacesExistingOutputSafely()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    QVERIFY(TestFiles::writeAll(in, "x"));
    const QString out = dir.filePath("page.html");
    QVERIFY(TestFiles::writeAll(out, QByteArray(100000, 'z')));
    QCOMPARE(runCli({"text", in, "-o", out}).code, 0);
    QCOMPARE(TestFiles::readAll(out), runCli({"text", in}).out);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

void TestBatchCli::badInputLeavesOutputAlone()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("keep.html");
    QVERIFY(TestFiles::writeAll(out, "old"));
    const QString fifo = dir.filePath("x.csv");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    for (const QStringList &args : {QStringList{"table", dir.filePath("none.csv"), "-o", out},
                                    QStringList{"table", fifo, "-o", out}, QStringList{"text", dir.path(), "-o", out},
                                    QStringList{"links", dir.path(), "-d", dir.filePath("none"), "-o", out}}) {
        const Run r = runCli(args);
        QCOMPARE(r.code, int(Batch::Failure));
        QVERIFY2(r.err.startsWith(QStringLiteral("tabulink-batch: ")), qPrintable(r.err));
        QCOMPARE(TestFiles::readAll(out), QByteArray("old"));
    }
    // An output that is a folder fails with the system's reason, and writes nothing.
    QVERIFY(TestFiles::writeAll(dir.filePath("in.txt"), "x"));
    const Run r = runCli({"text", dir.filePath("in.txt"), "-o", dir.path()});
    QCOMPARE(r.code, int(Batch::Failure));
    QVERIFY(r.err.contains(dir.path()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 3);
}

void TestBatchCli::fifoOutputIsWrittenNeverReplaced()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    QVERIFY(TestFiles::writeAll(in, "x"));
    const QString fifo = dir.filePath("pipe.html");
    const QByteArray native = QFile::encodeName(fifo);
    QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    auto stillFifo = [&] {
        struct stat st;
        return ::stat(native.constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    };

    // The safe save refuses to rename a plain file over it.
    QString reason;
    QVERIFY(!SafeSave::writeBytes(fifo, "page", &reason));
    QVERIFY(reason.contains(QStringLiteral("通常のファイルではない")));
    QVERIFY(stillFifo());

    // The command line writes into it, as "> pipe.html" would.
    const int reader = ::open(native.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    const Run r = runCli({"text", in, "-o", fifo});
    QCOMPARE(r.code, 0);
    QByteArray got(65536, '\0');
    const ssize_t n = ::read(reader, got.data(), got.size());
    ::close(reader);
    QVERIFY(n > 0);
    got.resize(n);
    QCOMPARE(got, runCli({"text", in}).out);
    QVERIFY(stillFifo());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2);
}

void TestBatchCli::streamedSaveReplacesOnlyOnSuccess()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.html");
    QVERIFY(TestFiles::writeAll(path, "old"));
    QString reason;
    // A writer that fails half-way leaves the old file and no temporary file.
    QVERIFY(!SafeSave::writeWith(path, [](QIODevice *d) { return d->write("half", 4) == 4 && false; }, &reason));
    QCOMPARE(TestFiles::readAll(path), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QVERIFY(SafeSave::writeWith(path, [](QIODevice *d) { return d->write("new", 3) == 3; }, &reason));
    QCOMPARE(TestFiles::readAll(path), QByteArray("new"));
    QVERIFY(!SafeSave::writeWith(dir.path(), [](QIODevice *) { return true; }, &reason));
    QCOMPARE(reason, QStringLiteral("同じ名前のフォルダがあります"));
}

void TestBatchCli::editorTextAsTheWindowGivesItBack()
{
    QCOMPARE(Batch::editorText(QStringLiteral("a\nb\rc\r\nd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    QCOMPARE(Batch::editorText(QString::fromUtf16(u"x\u00a0y\u2028z\u2029w")),
             QStringLiteral("x y\r\nz\r\nw"));
    QStringList unknown;
    QCOMPARE(Batch::linkRows({"a", "b"}, {"b,", "a,x,y", "c,z", "a"}, &unknown), QStringList({"a", "b"}));
    QCOMPARE(unknown, QStringList({"c"}));
    QCOMPARE(Batch::linkRows({"a", "b"}, {"a,1", "a,2"}, nullptr), QStringList({"a,2", "b"}));
}

QTEST_GUILESS_MAIN(TestBatchCli)
#include "tst_batchcli.moc"
