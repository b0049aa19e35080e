#include "support/TestFiles.h"
#include "textio/FileReading.h"
#include "textio/LineFile.h"
#include "textio/LineSink.h"
#include "textio/SafeSave.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tabulink;

class TestSafeSave : public QObject
{
    Q_OBJECT
private slots:
    void lineSinkEndsEveryLineWithCrLf();
    void lineSinkReportsFailedWrites();
    void replacesExistingLongerFile();
    void failureKeepsOldFileAndLeavesNoTemporary();
    void writesThroughSymbolicLinks();
    void readsOnlyRegularFiles();
    void fullDiskKeepsOldFile();
};

void TestSafeSave::lineSinkEndsEveryLineWithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    qsizetype replaced = 0;
    QVERIFY(LineFile::save(path, Cp932::Unmappable::QuestionMark, [](LineSink &sink) {
        sink.line(QStringLiteral("表"));
        sink.line(QString());
        sink.line(QStringLiteral("a\r\nb😀"));
    }, &replaced).ok);
    QCOMPARE(replaced, 1);
    QCOMPARE(TestFiles::readAll(path), TestFiles::sjis(QStringLiteral("表")) + "\r\n\r\na\r\nb?\r\n");
}

void TestSafeSave::lineSinkReportsFailedWrites()
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly); // takes no byte, as a full disk
    LineSink sink(&device, Cp932::Unmappable::NumericReference);
    for (int i = 0; i < 10; ++i)
        sink.line(QStringLiteral("0123456789"));
    QVERIFY(!sink.finish());
}

void TestSafeSave::replacesExistingLongerFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QVERIFY(TestFiles::writeAll(path, QByteArray(10000, 'x')));
    QVERIFY(SafeSave::writeBytes(path, "short\r\n").ok);
    QCOMPARE(TestFiles::readAll(path), QByteArray("short\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"page.html"}));
}

void TestSafeSave::failureKeepsOldFileAndLeavesNoTemporary()
{
    QTemporaryDir dir;
    // The target is a folder.
    const QString folder = dir.filePath(QStringLiteral("taken.html"));
    QVERIFY(QDir().mkpath(folder));
    Outcome saved = SafeSave::writeBytes(folder, "x");
    QVERIFY(!saved.ok && !saved.message.isEmpty());
    // The folder does not exist.
    saved = SafeSave::writeBytes(dir.filePath(QStringLiteral("gone/a.html")), "x");
    QVERIFY(!saved.ok && !saved.message.isEmpty());
    QVERIFY(SafeSave::failureMessage(QStringLiteral("/x/a.html"), saved.message).contains(QStringLiteral("/x/a.html")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// A page published through a link (public_html/index.html -> ../pages/a.html,
// itself a link) is written in the file at the end; every link stays.
void TestSafeSave::writesThroughSymbolicLinks()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("pages"))));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("public_html"))));
    const QString file = dir.filePath(QStringLiteral("pages/b.html"));
    QVERIFY(TestFiles::writeAll(file, "old"));
    QCOMPARE(::symlink("b.html", QFile::encodeName(dir.filePath(QStringLiteral("pages/a.html"))).constData()), 0);
    const QString link = dir.filePath(QStringLiteral("public_html/index.html"));
    QCOMPARE(::symlink("../pages/a.html", QFile::encodeName(link).constData()), 0);
    const Outcome saved = SafeSave::writeBytes(link, "new\r\n");
    QVERIFY2(saved.ok, qPrintable(saved.message));
    QCOMPARE(TestFiles::readAll(file), QByteArray("new\r\n"));
    QVERIFY(QFileInfo(link).isSymLink() && QFileInfo(dir.filePath(QStringLiteral("pages/a.html"))).isSymLink());
    QCOMPARE(QDir(dir.filePath(QStringLiteral("pages"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"a.html", "b.html"}));
}

void TestSafeSave::readsOnlyRegularFiles()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("x.csv"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FileReading::Result r = FileReading::readText(fifo);
    QVERIFY(!r.ok);
    QVERIFY(!r.message.isEmpty());

    r = FileReading::readText(dir.path());
    QVERIFY(!r.ok);
    r = FileReading::readText(dir.filePath(QStringLiteral("missing.csv")));
    QVERIFY(!r.ok);

    const QString file = dir.filePath(QStringLiteral("a.txt"));
    QVERIFY(TestFiles::writeAll(file, TestFiles::sjis(QStringLiteral("一行目\r\n二行目"))));
    r = FileReading::readText(file);
    QVERIFY(r.ok);
    QCOMPARE(r.text, QStringLiteral("一行目\r\n二行目"));
}

// Runs in a child process with a private mount namespace, so that a 64 KiB
// tmpfs can stand in for a full disk. Exit codes: 0 passed, 77 no namespace
// (not root or not allowed), anything else a failure.
static int fullDiskChild(const QByteArray &mountPoint)
{
    if (::unshare(CLONE_NEWNS) != 0)
        return 77;
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return 77;
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        return 77;
    const QString dir = QFile::decodeName(mountPoint);
    const QString path = dir + QStringLiteral("/page.html");
    const QByteArray old(20000, 'o');
    if (!TestFiles::writeAll(path, old))
        return 2;
    const Outcome saved = SafeSave::writeBytes(path, QByteArray(200000, 'n'));
    if (saved.ok)
        return 3; // a cut-off copy reported as success
    if (saved.message.isEmpty())
        return 4;
    if (TestFiles::readAll(path) != old)
        return 5;
    if (QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System) != QStringList({"page.html"}))
        return 6;
    // A save that fits still works.
    if (!SafeSave::writeBytes(path, "small\r\n").ok)
        return 7;
    return TestFiles::readAll(path) == "small\r\n" ? 0 : 8;
}

void TestSafeSave::fullDiskKeepsOldFile()
{
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(fullDiskChild(mountPoint));
    int status = 0;
    QCOMPARE(::waitpid(pid, &status, 0), pid);
    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        QSKIP("no private mount namespace here (needs root)");
    QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safesave.moc"
