// The installed shape of tabulink-batch: the real program, run as a script
// would run it, on the benchmark generator's data at a small size.

#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
    QVERIFY2(err.startsWith(QStringLiteral("tabulink-batch: 標準出力に書き込めませんでした。\ntabulink-batch: ") + reason),
             r.err.constData());
}

QTEST_GUILESS_MAIN(TestBatchSmoke)
#include "tst_batch_smoke.moc"
