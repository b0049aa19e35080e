// The installed shape of tabulink-batch: the real program, run as a script
// would run it, on the benchmark generator's data at a small size.

#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tabulink;

namespace {

struct Result {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Result runProgram(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProgram(program);
    p.setArguments(args);
    p.start();
    Result r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

const QString batch = QStringLiteral(TABULINK_BATCH_BIN);

} // namespace

class TestBatchSmoke : public QObject
{
    Q_OBJECT
private slots:
    void generatedDataThroughTheProgram();
    void versionUsageAndFailureCodes();
    void fullDiskKeepsTheOldFile();
    void failedStandardOutputIsReported_data();
    void failedStandardOutputIsReported();
    void shellJobs_data();
    void shellJobs();
};

void TestBatchSmoke::generatedDataThroughTheProgram()
{
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        QSKIP("python3 is not installed");
    QTemporaryDir dir;
    const Result gen = runProgram(python, {QStringLiteral(TABULINK_SOURCE_DIR "/bench/gen_data.py"), dir.path(),
                                           "--small"});
    QVERIFY2(gen.code == 0, gen.err.constData());
    const QString data = dir.path();
    const QByteArray firstCsv = TestFiles::readAll(data + "/csv_200.csv");
    QVERIFY(firstCsv.startsWith(TestFiles::sjis(QStringLiteral("番号,氏名,住所"))));
    QCOMPARE(firstCsv.count("\r\n"), 200);
    QCOMPARE(QDir(data + "/files_100").entryList(QDir::Files).size(), 100);


    const QList<QStringList> jobs{{"table", data + "/csv_1000.csv"},
                                  {"csv", data + "/csv_200.csv"},
                                  {"links", data + "/files_100", "-d", data + "/files_100.desc"},
                                  {"text", data + "/text_5000.txt"},
                                  {"imode", data + "/text_5000.txt"}};
    for (const QStringList &job : jobs) {
        const QString out = dir.filePath(job.first() + ".out");
        const Result toFile = runProgram(batch, job + QStringList{"-o", out});
        QVERIFY2(toFile.code == 0, toFile.err.constData());
        QVERIFY2(toFile.err.isEmpty(), toFile.err.constData());
        const Result toStdout = runProgram(batch, job + QStringList{"-o", "-"});
        QCOMPARE(toStdout.code, 0);
        QCOMPARE(toStdout.out, TestFiles::readAll(out));
        if (job.first() == "csv")
            QCOMPARE(toStdout.out, QByteArray(firstCsv).replace('"', "")); // quotes go in the transfer
        else
            QVERIFY(toStdout.out.startsWith("<HTML>\r\n"));
    }
}

// The exit status, and the stream each kind of answer goes to.
void TestBatchSmoke::versionUsageAndFailureCodes()
{
    const struct {
        QStringList args;
        int code;
        QByteArray outStart;
        QByteArray errHas;
    } cases[] = {
        {{"--version"}, 0, "tabulink-batch (Tabulink) 2.03\n", ""},
        {{"--help"}, 0, "使い方: tabulink-batch", ""},
        {{"--frobnicate"}, 2, "", "tabulink-batch: "},
        {{"table", "/nonexistent/x.csv"}, 1, "", "/nonexistent/x.csv"},
    };
    for (const auto &c : cases) {
        const Result r = runProgram(batch, c.args);
        QCOMPARE(r.code, c.code);
        QVERIFY2(c.outStart.isEmpty() ? r.out.isEmpty() : r.out.startsWith(c.outStart), r.out.constData());
        QVERIFY2(r.err.contains(c.errHas), r.err.constData());
    }
}

// The page streams into the new file; on a full disk the old one must stay
// whole and no temporary file may be left. Runs in a private mount namespace
// with a 64 KiB file system, where one can be made (root).
void TestBatchSmoke::fullDiskKeepsTheOldFile()
{
    if (QStandardPaths::findExecutable("unshare").isEmpty()
        || QProcess::execute("unshare", {"-m", "--propagation", "private", "true"}) != 0)
        QSKIP("no private mount namespace here");
    QTemporaryDir dir;
    const QString in = dir.filePath("big.txt");
    QVERIFY(TestFiles::writeAll(in, QByteArray(300000, 'x')));
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 99\n"
        "printf old > \"$1/page.html\"\n"
        "\"$2\" text \"$3\" -o \"$1/page.html\"; code=$?\n"
        "printf '%s|' \"$code\"; cat \"$1/page.html\"; printf '|'; ls -A \"$1\"\n");
    QVERIFY(QDir().mkpath(dir.filePath("mnt")));
    const Result r = runProgram("unshare", {"-m", "--propagation", "private", "sh", "-c", script, "sh",
                                            dir.filePath("mnt"), batch, in});
    QCOMPARE(r.code, 0);
    QCOMPARE(QString::fromUtf8(r.out).trimmed(), QStringLiteral("1|old|page.html"));
    QVERIFY2(r.err.contains("tabulink-batch: "), r.err.constData());
}

// Output that standard output does not take (a full device or disk, a
// closed descriptor) is a failure with a message, even for a page far
// smaller than any buffer.
void TestBatchSmoke::failedStandardOutputIsReported_data()
{
    QTest::addColumn<QString>("script"); // $0 the program, $1 an input text, $2 a mount point
    QTest::addColumn<QString>("reason");
    const QString full = QStringLiteral("No space left on device");
    const QString closed = QStringLiteral("Bad file descriptor");
    QTest::newRow("page onto /dev/full") << "\"$0\" text \"$1\" > /dev/full" << full;
    QTest::newRow("help onto /dev/full") << "\"$0\" --help > /dev/full" << full;
    QTest::newRow("page, standard output closed") << "\"$0\" text \"$1\" >&-" << closed;
    QTest::newRow("version, standard output closed") << "\"$0\" --version >&-" << closed;
    QTest::newRow("page onto a full disk")
        << "unshare -m --propagation private sh -c 'mount -t tmpfs -o size=64k tmpfs \"$3\" || exit 99\n"
           "cat /dev/zero > \"$3/fill\" 2>/dev/null\n"
           "\"$1\" text \"$2\" -o - > \"$3/memo.html\"' sh \"$0\" \"$1\" \"$2\""
        << full;
}

void TestBatchSmoke::failedStandardOutputIsReported()
{
    QFETCH(QString, script);
    QFETCH(QString, reason);
    if (script.startsWith("unshare") && QProcess::execute("unshare", {"-m", "--propagation", "private", "true"}) != 0)
        QSKIP("no private mount namespace here");
    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt");
    QVERIFY(TestFiles::writeAll(in, "x"));
    QVERIFY(QDir().mkpath(dir.filePath("mnt")));
    const Result r = runProgram("sh", {"-c", script, batch, in, dir.filePath("mnt")});
    QCOMPARE(r.code, 1);
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(err.startsWith(QStringLiteral("tabulink-batch: 標準出力: ") + reason),
             r.err.constData());
}

// Jobs as a script runs them, in bash in a fresh folder holding in.csv
// ("a,b" CR LF "1,2" CR LF) and in.txt ("x" LF); $0 is the program. The C
// locale gives the system's reasons in English.
void TestBatchSmoke::shellJobs_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    const QByteArray csv = "a,b\r\n1,2\r\n";
    auto row = [](const char *name, const QByteArray &script, const QByteArray &out, const QByteArray &err) {
        QTest::newRow(name) << script << out << err;
    };

    row("many inputs into a folder, one missing",
        "printf 'c\\r\\n' > y.data.csv; cp in.csv nodot; mkdir out\n"
        "\"$0\" csv in.csv missing.csv y.data.csv nodot -O out; echo \" $?\"; cat out/*; ls out",
        " 1\n" + csv + csv + "c\r\nin.txt\nnodot.txt\ny.txt\n",
        "tabulink-batch: missing.csv: No such file or directory\n");
    row("two inputs, one output name",
        "mkdir o; cp in.csv a.x.csv; \"$0\" csv in.csv a.x.csv in.y.csv -O o; echo \" $?\"; ls o",
        " 1\na.txt\nin.txt\n",
        "tabulink-batch: in.y.csv: 出力 in.txt は前の入力のものと重なります\n");
    row("standard input, a pipe, a FIFO, /dev/stdin",
        "cat in.csv | \"$0\" csv -; \"$0\" csv <(printf 'p\\r\\n'); \"$0\" csv /dev/stdin < in.csv\n"
        "mkfifo f; printf 'f\\r\\n' > f & \"$0\" csv f",
        csv + "p\r\n" + csv + "f\r\n", "");
    row("a pipe past the limit", "head -c 16777217 /dev/zero | \"$0\" text -; echo \" $?\"", " 1\n",
        "tabulink-batch: -: File too large\xef\xbc\x88\xe4\xb8\x8a\xe9\x99\x90 16 MB\xef\xbc\x89\n");
    row("descriptor outputs keep what the shell wrote",
        "{ echo HEADER; \"$0\" csv in.csv -o /dev/stdout; } > page; echo log > log\n"
        "\"$0\" csv in.csv -o /dev/stdout >> log; \"$0\" csv in.csv -o /dev/fd/3 3>> log\n"
        "\"$0\" csv in.csv -o /proc/self/fd/2 2>> log; cat page log",
        "HEADER\n" + csv + "log\n" + csv + csv + csv, "");
    row("output onto the input",
        "ln in.csv hard.csv; ln -s in.csv link.csv\n"
        "\"$0\" csv in.csv -o ./in.csv; \"$0\" csv hard.csv -o link.csv; echo \" $?\"; cat in.csv",
        " 1\n" + csv,
        "tabulink-batch: ./in.csv: 入力ファイル in.csv と同じファイルには書き出せません\n"
        "tabulink-batch: link.csv: 入力ファイル hard.csv と同じファイルには書き出せません\n");
    row("a link page in its own folder, twice",
        "mkdir d; cp in.txt d; \"$0\" links d -o d/index.html && cp d/index.html first\n"
        "\"$0\" links d -o d/./index.html && cmp first d/index.html && grep -c 'index.html' first",
        "0\n", "");
    row("backgrounds are the window's nine",
        "\"$0\" text in.txt --background=none | grep -a '<BODY'; \"$0\" text in.txt --background=1 | grep -a '<BODY'\n"
        "\"$0\" text in.txt --background=0; echo \" $?\"",
        "<BODY bgcolor=\"#ffffff\">\r\n<BODY bgcolor=\"#ffffff\">\r\n 2\n",
        "tabulink-batch: --background の値「0」が正しくありません（white, skyblue, yellow, orange, "
        "green, indigo, pink, purple, image または 1〜9）\n"
        "詳しくは 'tabulink-batch --help' を実行して下さい。\n");
    row("GNU options",
        "\"$0\" -Vh --frob | head -c 10; \"$0\" --vers --bogus; \"$0\" text in.txt --tit=T | grep -a TITLE\n"
        "\"$0\" text in.txt --b; echo \" $?\"",
        "使い方:tabulink-batch (Tabulink) 2.03\nCopyright (C) 2004 the Tabulink authors.\n"
        "License: see the copyright file of the Tabulink package.\n<TITLE>T</TITLE>\r\n 2\n",
        "tabulink-batch: 不明なオプションか、略し方が曖昧です: --b\n"
        "詳しくは 'tabulink-batch --help' を実行して下さい。\n");
    row("one-line errors",
        "\"$0\" table /nonexistent/x.csv; \"$0\" text .; \"$0\" links in.txt; \"$0\" text in.txt -o no/x.html",
        "",
        "tabulink-batch: /nonexistent/x.csv: No such file or directory\n"
        "tabulink-batch: .: Is a directory\n"
        "tabulink-batch: in.txt: Not a directory\n"
        "tabulink-batch: no/x.html: フォルダ no に新しいファイルを作れません（No such file or directory）\n");
    // 題 is C2 EA in EUC-JP, 91 E8 in Shift_JIS.
    row("arguments in the locale's encoding",
        "localedef -i ja_JP -f EUC-JP loc/ja_JP.eucJP 2>/dev/null || exit 77\n"
        "LOCPATH=$PWD/loc LC_ALL=ja_JP.eucJP \"$0\" text in.txt -t $'\\xc2\\xea' | grep -a TITLE\n"
        "env -i \"$0\" text in.txt -t 題 | grep -a TITLE\n"
        "LC_ALL=C.UTF-8 \"$0\" text in.txt -t $'\\xc2\\xea'; echo \" $?\"",
        "<TITLE>\x91\xe8</TITLE>\r\n<TITLE>\x91\xe8</TITLE>\r\n 2\n",
        "tabulink-batch: 引数 4 は文字コード UTF-8 として正しくありません\n");
}

void TestBatchSmoke::shellJobs()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("loc")));
    QVERIFY(TestFiles::writeAll(dir.filePath("in.csv"), "a,b\r\n1,2\r\n"));
    QVERIFY(TestFiles::writeAll(dir.filePath("in.txt"), "x\n"));
    const Result r = runProgram("bash", {"-c", "cd \"$1\" || exit 99\nexport LC_ALL=C\n" + QString::fromUtf8(script), batch, dir.path()});
    if (r.code == 77)
        QSKIP("no EUC-JP locale can be made here");
    QCOMPARE(r.err, err);
    QCOMPARE(r.out, out);
}

QTEST_GUILESS_MAIN(TestBatchSmoke)
#include "tst_batch_smoke.moc"
