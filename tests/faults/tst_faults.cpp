// Faults the user's machine throws at a save or a read: a full disk, a
// failing system call at any point of a save, another user's or a
// write-protected file, a signal in the save's last moment, a file larger
// than the program reads, a FIFO where a file belongs. Every case: no crash, no
// hang, a message, the old file byte for byte intact, no temporary file
// left, and the window keeps what it showed.

#include "WindowHarness.h"

#include "support/TestFiles.h"
#include "table/TableGrid.h"
#include "ui/CsvTab.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <optional>

#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tabulink;

namespace {

// The system call shim (syscall_faults.cpp), preloaded by ctest where it is
// built: not in the sanitizer build.
const bool shim = dlsym(RTLD_DEFAULT, "tabulink_faults_configure") != nullptr;

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool chownMode(const QString &path, uid_t owner, gid_t group, mode_t mode)
{
    const QByteArray native = QFile::encodeName(path);
    return ::chown(native.constData(), owner, group) == 0 && ::chmod(native.constData(), mode) == 0;
}

// Sets the shim's TABULINK_FAULT_* variables (named here without the prefix)
// for this process and the tabulink-batch it starts; none disarms it.
void arm(const QMap<QString, QString> &faults = {})
{
    for (const char *name : {"DIR", "AT", "LOG", "NO_TMPFILE", "STALL"})
        qputenv(qPrintable(QStringLiteral("TABULINK_FAULT_") + name), faults.value(name).toUtf8());
    if (shim)
        reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "tabulink_faults_configure"))();
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void refusedRead_data();
    void refusedRead();
    void everyFailurePointOfASave_data();
    void everyFailurePointOfASave();
    void everyFailurePointOfAManyPageRun();

private:
    // Names the CSV file in the path label and reads it (into the grid too if
    // asked), or the text file in the open dialog.
    static void read(WindowHarness &h, bool csv, const QString &path, bool toGrid = false)
    {
        h.dialogs.clear();
        h.find<QTabWidget>("SSTab1")->setCurrentIndex(csv ? 0 : 1);
        if (csv)
            h.window->saveContext().setPathLabel(path);
        else
            h.dialogs.setNextFileName(path);
        h.click(csv ? "Command1" : "Command11");
        if (toGrid)
            h.click("Command2");
    }
    // Saves the CSV file or the text page onto path, answering Yes to the overwrite question.
    static void save(WindowHarness &h, bool csv, const QString &path)
    {
        h.dialogs.clear();
        h.dialogs.setNextFileName(path);
        h.dialogs.setNextAnswer(true);
        h.click(csv ? "Command4" : "Command9");
    }
};

// A read the window refuses with a message, keeping the CSV file and the text it shows.
void TestFaults::refusedRead_data()
{
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QString>("make"); // the shell's command making "bad"
    QTest::addColumn<QString>("message"); // an error or a notice, of the file's path
    const QString tooLarge = QStringLiteral("ファイルが大きすぎるため読み込めません（上限 %1 MB）。\n%2");
    const QString notFile = QStringLiteral("\n%1\nファイルがありません！\n");
    QTest::newRow("csv past the limit") << true << "truncate -s 268435457 bad" << tooLarge.arg(256);
    QTest::newRow("text past the limit") << false << "truncate -s 16777217 bad" << tooLarge.arg(16);
    // A FIFO without a writer would block a plain open.
    QTest::newRow("csv file a FIFO") << true << "mkfifo bad" << notFile;
    QTest::newRow("csv file a folder") << true << "mkdir bad" << notFile;
}

void TestFaults::refusedRead()
{
    QFETCH(bool, csv);
    QFETCH(QString, make);
    QFETCH(QString, message);
    QTemporaryDir dir;
    WindowHarness h;
    const QString script = "cd \"$0\" && printf '1,2,3\\r\\n4,5,6\\r\\n' > small.csv && printf '\\226\\173\\225\\266\\r\\n' > small.txt && ";
    QCOMPARE(QProcess::execute(QStringLiteral("sh"), {"-c", script + make, dir.path()}), 0);
    read(h, true, dir.filePath(QStringLiteral("small.csv")), true);
    read(h, false, dir.filePath(QStringLiteral("small.txt")));
    const QString label = h.find<QLabel>("Label1")->text();
    const QString path = dir.filePath(QStringLiteral("bad"));
    read(h, csv, path);
    QCOMPARE(h.dialogs.errors() + h.dialogs.notices(), QStringList({message.arg(path)}));
    QCOMPARE(h.window->csvTab()->lines().entry(1), QStringLiteral("4,5,6"));
    QCOMPARE(h.window->csvTab()->grid().colCount(), 3);
    QCOMPARE(h.find<QPlainTextEdit>("rtext1")->toPlainText(), QStringLiteral("本文\n"));
    QCOMPARE(h.find<QLabel>("Label1")->text(), csv ? path : label);
}

// As SQLite tests its I/O: the Nth counted system call of one save fails,
// for N = 1, 2, ... until the save succeeds (open, each write, fchown,
// fchmod, fsync, link, close, rename, the folder's calls; in place also the
// copy of the old content). After each run the file holds exactly the old
// bytes or exactly the new ones, the program said which, the owner, group
// and mode stay and no temporary file is left anywhere. A page that cannot
// be written at all is refused without a fault; SIGINT or SIGTERM while the
// new file waits beside the old one (stopped just before the rename) ends
// the program by the signal, leaving the folder as it was. The target's
// name has 255 bytes, the longest there is: the new file's name must still fit.
void TestFaults::everyFailurePointOfASave_data()
{
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("csv");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("byNobody"); // a user of the page's group 4242, or root
    QTest::addColumn<uint>("owner"); // of the folder and the page
    QTest::addColumn<uint>("mode"); // of the page
    QTest::addColumn<QString>("refused"); // the reason or the signal, or empty: the page is written
    for (bool window : {true, false}) {
        for (bool csv : {false, true}) {
            for (bool named : {false, true}) // another user's page: root keeps owner and group
                QTest::addRow("%s, %s%s", window ? "window" : "tabulink-batch", csv ? "csv file" : "page",
                              named ? ", named" : "") << window << csv << named << false << 4343u << 0640u << QString();
        }
    }
    QTest::newRow("group-writable page, root's folder: in place") << false << false << false << true << 0u << 0664u << QString();
    QTest::newRow("nobody's page") << false << false << false << true << 65534u << 0640u << QString();
    QTest::newRow("read-only page, root's folder") << false << false << false << true << 0u << 0644u << "Permission denied";
    QTest::newRow("immutable page") << false << false << false << false << 0u << 0644u << "Operation not permitted";
    QTest::newRow("SIGINT, named") << false << false << true << false << 4343u << 0640u << "SIGINT";
    QTest::newRow("SIGTERM") << false << false << false << false << 4343u << 0640u << "SIGTERM";
    // On a 64 KiB disk of its own (in_small_disk.sh).
    const QString full = QStringLiteral("No space left on device");
    QTest::newRow("full disk, window, csv file") << true << true << false << false << 0u << 0644u << full;
    QTest::newRow("full disk, window, page, named") << true << false << true << false << 0u << 0644u << full;
    QTest::newRow("full disk, tabulink-batch, page") << false << false << false << false << 0u << 0644u << full;
}

void TestFaults::everyFailurePointOfASave()
{
    QFETCH(bool, window);
    QFETCH(bool, csv);
    QFETCH(bool, named);
    QFETCH(bool, byNobody);
    QFETCH(uint, owner);
    QFETCH(uint, mode);
    QFETCH(QString, refused);
    const bool immutable = refused == QLatin1String("Operation not permitted");
    const bool full = refused == QLatin1String("No space left on device");
    const int signal = refused == QLatin1String("SIGINT") ? SIGINT : refused == QLatin1String("SIGTERM") ? SIGTERM : 0;
    const QString disk = qEnvironmentVariable("TABULINK_SMALL_DISK");
    if (!shim || ::geteuid() != 0 || (full && disk.isEmpty()))
        QSKIP("needs root, a private mount namespace and the preloaded system call shim (not in the sanitizer build)");
    QTemporaryDir base;
    const QString run = base.filePath(QStringLiteral("run")); // every counted call is below it
    const QString folder = full ? disk : run + QStringLiteral("/out"), temp = run + QStringLiteral("/tmp");
    const QString log = base.filePath(QStringLiteral("log")), in = base.filePath(QStringLiteral("in"));
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(temp) && chownMode(base.path(), 0, 0, 0755));
    QVERIFY(chownMode(run, 0, 0, 0755) && chownMode(folder, owner, 0, 0755) && chownMode(temp, 0, 0, 01777));
    const QByteArray big = (QByteArray("abcdefgh,").repeated(8) + "\r\n").repeated(1000); // over 64 KiB
    QVERIFY(TestFiles::writeAll(in, full ? big : csv ? QByteArray("a,b\r\nc,d\r\n") : QByteArray("\x96\x7B\x95\xB6")));
    const QString name = QString::fromLatin1(csv ? "ab" : "a") + QString(83, QChar(0x3042)) + QString::fromLatin1(csv ? ".csv" : ".html");
    QCOMPARE(QFile::encodeName(name).size(), 255);
    const QString target = folder + u'/' + name;
    // The text page of "本文" with the default options.
    const QByteArray expected = csv ? QByteArray("a,b\r\nc,d\r\n") : TestFiles::crlfSjis(TestFiles::pageLines(
        QStringLiteral("ここにタイトルを入れて下さい"), {}, "<BODY bgcolor=\"#ffffff\">", {},
        {"<table border=0>", "<tr><td align=left>", QStringLiteral("本文"), "</td></tr>", "</table>", "</center>"}));
    std::optional<WindowHarness> h;
    if (window)
        read(h.emplace(), csv, in, csv);
    bool saved = false;
    for (int n = refused.isEmpty() ? 1 : 0; n < 60 && !saved; ++n) {
        QVERIFY(TestFiles::writeAll(target, "OLD\r\n") && chownMode(target, owner, 4242, mode));
        QVERIFY(TestFiles::writeAll(log, "") && chownMode(log, 0, 0, 0666));
        if (immutable && QProcess::execute(QStringLiteral("chattr"), {"+i", target}) != 0)
            QSKIP("chattr +i does not work here");
        arm({{"DIR", full ? folder : run}, {"AT", QString::number(n)}, {"LOG", log}, {"NO_TMPFILE", named ? "1" : "0"},
             {"STALL", signal ? "rename" : ""}});
        qputenv("TMPDIR", temp.toUtf8());
        QProcess batch;
        const QStringList args{csv ? "csv" : "text", in, "-o", target};
        if (window)
            save(*h, csv, target);
        else if (byNobody)
            batch.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--groups=4242", "--", TABULINK_BATCH_BIN} + args);
        else
            batch.start(TABULINK_BATCH_BIN, args);
        if (signal) {
            QTRY_VERIFY_WITH_TIMEOUT(TestFiles::readAll(log).startsWith("stalled"), 20000);
            QCOMPARE(entries(folder).size(), 2);
            QCOMPARE(::kill(pid_t(batch.processId()), signal), 0);
        }
        QVERIFY(window || (batch.waitForFinished() && batch.exitStatus() == (signal ? QProcess::CrashExit : QProcess::NormalExit)));
        qunsetenv("TMPDIR");
        arm();
        if (immutable)
            QProcess::execute(QStringLiteral("chattr"), {"-i", target});
        const QString message = window ? h->dialogs.errors().join(u'\n') : QString::fromUtf8(batch.readAllStandardError());
        saved = !signal && (window ? message.isEmpty() && h->dialogs.notices().size() == 1 : batch.exitCode() == 0 && message.isEmpty());
        const QString injected = QString::fromUtf8(TestFiles::readAll(log)).trimmed();
        const QString what = QStringLiteral("call %1 (%2): %3").arg(n).arg(injected, message);
        if (!saved && !signal) {
            QVERIFY2(window || batch.exitCode() == 1, qPrintable(what));
            QVERIFY2(n == 0 || !injected.isEmpty(), qPrintable(what)); // a failure only where one was made
            QVERIFY2(message.contains(n ? QStringLiteral("Input/output error") : refused), qPrintable(what));
            QVERIFY2(message.contains(n ? target : folder), qPrintable(what));
        }
        // Past the rename only the folder's sync can fail, and the message says the file is new.
        const bool isNew = saved || message.contains(QStringLiteral("置き換えましたが"));
        QVERIFY2(TestFiles::readAll(target) == (isNew ? expected : QByteArray("OLD\r\n")), qPrintable(what));
        QCOMPARE(entries(folder), QStringList({name}));
        QCOMPARE(entries(temp), QStringList());
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
        QCOMPARE(QList<uint>({st.st_uid, st.st_gid, st.st_mode & 07777}), QList<uint>({owner, 4242, mode}));
        if (!refused.isEmpty())
            return (void)QFile::remove(target);
    }
    QVERIFY(saved);
}


// tabulink-batch writing two pages into a folder (-O) on two threads, with
// the Nth counted call failing, up to the folder's sync after all pages.
// Each run: status 1 and the reason, each page absent or whole, nothing
// else in the folder; a failed sync of the folder is reported although
// both pages are there.
void TestFaults::everyFailurePointOfAManyPageRun()
{
    if (!shim)
        QSKIP("needs the preloaded system call shim (not in the sanitizer build)");
    QTemporaryDir base;
    const QString folder = base.filePath(QStringLiteral("out")), log = base.filePath(QStringLiteral("log"));
    QVERIFY(QDir().mkpath(folder));
    QStringList args{"text"};
    for (const char *name : {"a.txt", "b.txt"}) {
        args << base.filePath(QString::fromLatin1(name));
        QVERIFY(TestFiles::writeAll(args.last(), "\x96\x7B\x95\xB6"));
    }
    args << "-O" << folder;
    const QByteArray expected = TestFiles::crlfSjis(TestFiles::pageLines(
        QStringLiteral("ここにタイトルを入れて下さい"), {}, "<BODY bgcolor=\"#ffffff\">", {},
        {"<table border=0>", "<tr><td align=left>", QStringLiteral("本文"), "</td></tr>", "</table>", "</center>"}));
    bool saved = false;
    bool folderSyncFailed = false;
    for (int n = 1; n < 80 && !saved; ++n) {
        for (const QString &page : entries(folder))
            QVERIFY(QFile::remove(folder + u'/' + page));
        QVERIFY(TestFiles::writeAll(log, ""));
        arm({{"DIR", folder}, {"AT", QString::number(n)}, {"LOG", log}});
        QProcess batch;
        batch.start(TABULINK_BATCH_BIN, args);
        QVERIFY(batch.waitForFinished() && batch.exitStatus() == QProcess::NormalExit);
        arm();
        const QString message = QString::fromUtf8(batch.readAllStandardError());
        const QString injected = QString::fromUtf8(TestFiles::readAll(log)).trimmed();
        const QString what = QStringLiteral("call %1 (%2): %3").arg(n).arg(injected, message);
        saved = batch.exitCode() == 0;
        QVERIFY2(saved ? message.isEmpty() : batch.exitCode() == 1 && message.contains(QStringLiteral("Input/output error")),
                 qPrintable(what));
        const QStringList pages = entries(folder);
        for (const QString &page : pages)
            QVERIFY2(TestFiles::readAll(folder + u'/' + page) == expected, qPrintable(what));
        QVERIFY2(QStringList({"a.html", "b.html"}).join(u' ').contains(pages.join(u' ')), qPrintable(what));
        if (!saved && pages.size() == 2) {
            QVERIFY2(message.contains(folder + QStringLiteral(": ")), qPrintable(what));
            folderSyncFailed = true;
        }
    }
    QVERIFY(saved);
    QVERIFY(folderSyncFailed);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
