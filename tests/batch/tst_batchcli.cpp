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

using namespace tabulink;

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

// The parsed options in one line: command, input, output, title, back link,
// background, image, descriptions, then the nine check boxes as 1 and 0.
QStringList fields(const Batch::Options &o)
{
    QString boxes;
    for (bool b : {o.table.boldTopRow, o.table.boldLeftColumn, o.table.border, o.table.fillEmpty,
                   o.table.stripQuotes, o.table.smallFont, o.table.centreAll, o.convertBreaks, o.mincho})
        boxes += b ? u'1' : u'0';
    return {Batch::commandName(o.command), o.inputs.join(u'|'), o.output, o.page.title, o.page.backUrl,
            QString::number(int(o.page.background)), o.page.backgroundImageUrl, o.descriptions, boxes};
}

const QString defaultTitle = QStringLiteral("ここにタイトルを入れて下さい");

} // namespace

class TestBatchCli : public QObject
{
    Q_OBJECT
private slots:
    void parsing_data();
    void parsing();
    void parseErrors_data();
    void parseErrors();
    void helpAndVersionFollowGnu();
    void pages_data();
    void pages();
    void linkPageWithDescriptions();
    void outputReplacedOnlyOnSuccess();
    void fifoOutputIsWrittenNeverReplaced();
};

// The long flags are also proven against the window, page by page.
void TestBatchCli::parsing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("parsed");
    QTest::newRow("defaults") << QStringList{"table", "in.csv"}
                              << QStringList{"table", "in.csv", "-", defaultTitle, "http://", "1", "http://", "",
                                             "111110010"};
    QTest::newRow("short forms, separate values, --")
        << QStringList{"--no-bold-top", "--no-fill-empty", "--centre", "--no-br", "-t", QStringLiteral("題"),
                       "-b", "http://example.org/", "-oout.html", "--background", "7", "text", "--", "-in.txt"}
        << QStringList{"text", "-in.txt", "out.html", QStringLiteral("題"), "http://example.org/", "7",
                       "http://", "", "011010100"};
    QTest::newRow("an image address alone picks the image")
        << QStringList{"text", "a", "--background-image=bg.gif"}
        << QStringList{"text", "a", "-", defaultTitle, "http://", "9", "bg.gif", "", "111110010"};
    // "none" is the caption "背景色なし" of the first button: white.
    QTest::newRow("an explicit background wins")
        << QStringList{"--background=none", "text", "a", "--background-image=bg.gif"}
        << QStringList{"text", "a", "-", defaultTitle, "http://", "1", "bg.gif", "", "111110010"};
    QTest::newRow("abbreviations, clusters, many inputs")
        << QStringList{"--tit=T", "--back-=http://c.example/", "--background=pink", "--no-bor", "--cent", "table",
                       "a.csv", "-", "-O", "out"}
        << QStringList{"table", "a.csv|-", "-", "T", "http://c.example/", "7", "http://", "", "110110110"};
    QTest::newRow("descriptions, empty title")
        << QStringList{"links", "dir", "-d", "desc.txt", "--title="}
        << QStringList{"links", "dir", "-", "", "http://", "1", "http://", "desc.txt", "111110010"};
}

void TestBatchCli::parsing()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, parsed);
    const Batch::ParseResult p = Batch::parseArguments(args);
    QVERIFY2(p.ok, qPrintable(p.message));
    QCOMPARE(fields(p.options), parsed);
}

void TestBatchCli::parseErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << QStringLiteral("コマンドがありません");
    QTest::newRow("unknown command") << QStringList{"page", "x"} << QStringLiteral("不明なコマンドです: page");
    QTest::newRow("no input") << QStringList{"text"} << QStringLiteral("入力が必要です");
    QTest::newRow("unknown option") << QStringList{"--colour=red", "text", "a"} << QStringLiteral("--colour");
    QTest::newRow("ambiguous abbreviation") << QStringList{"--bo", "table", "a"}
                                            << QStringLiteral("略し方が曖昧です: --bo");
    QTest::newRow("no background 0") << QStringList{"--background=0", "text", "a"}
                                     << QStringLiteral("「0」が正しくありません");
    QTest::newRow("many inputs need -O") << QStringList{"text", "a", "b"} << QStringLiteral("-O");
    QTest::newRow("-o and -O") << QStringList{"text", "a", "-o", "x", "-O", "d"}
                               << QStringLiteral("-o と -O は一緒に使えません");
    QTest::newRow("-O for links") << QStringList{"links", "a", "-O", "d"} << QStringLiteral("-O は table");
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
    QCOMPARE(r.out, QByteArray("tabulink-batch (Tabulink) 2.03\n"
                               "Copyright (C) 2004 the Tabulink authors.\n"
                               "License: see the copyright file of the Tabulink package.\n"));
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
    // At most 80 columns a line, wide characters counting two.
    for (const QString &line : help.split(u'\n')) {
        int columns = 0;
        for (const QChar c : line)
            columns += (c.unicode() >= 0x1100 && !(c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F)) ? 2 : 1;
        QVERIFY2(columns <= 80, qPrintable(line));
    }
    QVERIFY(help.endsWith(QStringLiteral("\n問題の報告先: http://www.example.com/tabulink/\n")));
    // Options and mistakes after --help or --version change nothing.
    QCOMPARE(runCli({"--frobnicate", "-hV", "--background=0"}).out, r.out);
}

// Each command once, to standard output, against pages written out by hand.
void TestBatchCli::pages_data()
{
    QTest::addColumn<QStringList>("args"); // the input file goes second
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("warning");

    // Shift_JIS with a lone LF and a lone CR: the editor makes both CR LF.
    QTest::newRow("text") << QStringList{"text", "--no-br", "--mincho", "-t", QStringLiteral("題名"), "-b",
                                         "http://a.example/", "--background=skyblue"}
                          << TestFiles::sjis(QStringLiteral("一行目\r\n<i>二</i>\nc\rd"))
                          << TestFiles::crlfSjis(TestFiles::pageLines(
                                 QStringLiteral("題名"), "http://a.example/", "<BODY bgcolor=\"#84FFFF\">", {},
                                 {"<table border=0>", "<tr><td align=left>", QStringLiteral("<FONT face=\"ＭＳ 明朝\">"),
                                  QStringLiteral("一行目"), "<i>二</i>", "c", "d", "</FONT>", "</td></tr>",
                                  "</table>", "</center>"}))
                          << QString();
    QTest::newRow("imode") << QStringList{"imode", "--back-url", "http://b.example/", "--background=image"}
                           << QByteArray("a\r\nb\r\n")
                           << TestFiles::crlfSjis({"<HTML>", "<HEAD>", "<TITLE>" + defaultTitle + "</TITLE>",
                                                   "</HEAD>", "<BODY>", defaultTitle, "<HR>", "a<br>", "b<br>", "",
                                                   "<HR>", QStringLiteral("<A href=\"http://b.example/\">戻　る</A>"),
                                                   "</BODY>", "</HTML>"})
                           << QString();

    auto cell = [](const QString &text) { return "<td nowrap align=\"center\">" + text + "</td>"; };
    QTest::newRow("table")
        << QStringList{"table", "--no-bold-left", "--no-border", "--small-font", "--center", "--background=none"}
        << TestFiles::sjis(QStringLiteral("\"名前\",値,備考\r\n  \r\n\"\"\"x\"\"\",,\"\"\r\nshort\n"))
        << TestFiles::crlfSjis(TestFiles::pageLines(
               defaultTitle, {}, "<BODY bgcolor=\"#ffffff\">",
               {"<STYLE TYPE =\"text/css\">", "<!--", "TABLE{font-size:8pt}", "P{font-size:12pt}",
                "div{font-size:12pt}", "body{font-size:12pt}", "-->", "</STYLE>"},
               {"<table border=\"0\">", "<tr>", cell(QStringLiteral("<b>名前</b>")), cell(QStringLiteral("<b>値</b>")),
                cell(QStringLiteral("<b>備考</b>")), "</tr>",
                // Quotes go once in the transfer and once more in the writer.
                "<tr>", cell("\"x\""), cell(QStringLiteral("　")), cell(QStringLiteral("　")), "</tr>",
                // A lone LF in a CR LF file stays in its line.
                "<tr>", cell("short\n"), cell("short\n"), cell("short\n"), "</tr>", "</TABLE>", "</CENTER>"}))
        << QString();
    const QByteArray csv = QStringLiteral("a,\"b\",😀\r\n1,2\r\n").toUtf8();
    QTest::newRow("csv, unmappable replaced") << QStringList{"csv"} << csv << QByteArray("a,b,?\r\n1,2,2\r\n")
                                              << QStringLiteral("1 文字");
    QTest::newRow("csv, quotes kept") << QStringList{"csv", "--no-strip-quotes"} << csv
                                      << QByteArray("a,\"\"b\"\",?\r\n1,2,2\r\n") << QStringLiteral("1 文字");
}

void TestBatchCli::pages()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    const QString in = dir.filePath("in");
    QVERIFY(TestFiles::writeAll(in, input));
    args.insert(1, in);
    const Run r = runCli(args);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, expected);
    if (warning.isEmpty())
        QCOMPARE(r.err, QString());
    else
        QVERIFY2(r.err.contains(warning), qPrintable(r.err));
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
    QCOMPARE(r.out, TestFiles::crlfSjis(TestFiles::pageLines(defaultTitle, {}, "<BODY bgcolor=\"#ffffff\">", {},
                                                             body)));
    // A name described twice takes the last description.
    QCOMPARE(Batch::linkRows({"a", "b"}, {"a,1", "a,2"}, nullptr), QStringList({"a,2", "b"}));
    QCOMPARE(runCli({"links", dir.filePath("missing")}).code, int(Batch::Failure));
}

void TestBatchCli::outputReplacedOnlyOnSuccess()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    QVERIFY(TestFiles::writeAll(in, "x"));
    const QString out = dir.filePath("keep.html");
    QVERIFY(TestFiles::writeAll(out, "old"));

    for (const QStringList &args : {QStringList{"table", dir.filePath("none.csv"), "-o", out},
                                    QStringList{"text", dir.path(), "-o", out},
                                    QStringList{"links", dir.path(), "-d", dir.filePath("none"), "-o", out}}) {
        const Run r = runCli(args);
        QCOMPARE(r.code, int(Batch::Failure));
        QVERIFY2(r.err.startsWith(QStringLiteral("tabulink-batch: ")), qPrintable(r.err));
        QCOMPARE(TestFiles::readAll(out), QByteArray("old"));
    }
    // An output that is a folder fails with the system's reason, and writes nothing.
    Run r = runCli({"text", in, "-o", dir.path()});
    QCOMPARE(r.code, int(Batch::Failure));
    QVERIFY(r.err.contains(dir.path()));

    // A longer old file is replaced whole.
    QVERIFY(TestFiles::writeAll(out, QByteArray(100000, 'z')));
    QCOMPARE(runCli({"text", in, "-o", out}).code, 0);
    QCOMPARE(TestFiles::readAll(out), runCli({"text", in}).out);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 2);
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
    const Outcome saved = SafeSave::writeBytes(fifo, "page");
    QVERIFY(!saved.ok && saved.message.contains(QStringLiteral("通常のファイルではない")));
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

QTEST_GUILESS_MAIN(TestBatchCli)
#include "tst_batchcli.moc"
