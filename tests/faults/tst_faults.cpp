// Faults the user's machine can throw at a save or a read: a full disk, a
// write-protected file or folder, a folder that vanishes, a FIFO or a folder
// named like a CSV file, a failing system call at any point of a save, a
// signal in its last moment, another user's file. Every case: no crash, no
// hang, the old file byte for byte intact, no temporary file left, and a
// message.

#include "WindowHarness.h"

#include "support/TestFiles.h"
#include "ui/BrowsePanel.h"
#include "ui/CsvTab.h"
#include "ui/TextTab.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>

using namespace tabulink;

namespace {

// Every save of the window goes through the one save procedure: the CSV
// file (the table editor's) and the text page (the text tab's) stand for
// them all, each with enough content to overflow a 64 KiB disk.
enum class Save { Csv, TextPage };

const char *buttonOf(Save s)
{
    return s == Save::Csv ? "Command4" : "Command9";
}

bool chattr(const QString &flag, const QString &path)
{
    return QProcess::execute(QStringLiteral("chattr"), {flag, path}) == 0;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

#ifdef TABULINK_FAULT_SHIM
const char *const shimPath = TABULINK_FAULT_SHIM;
#else
const char *const shimPath = nullptr;
#endif

// The system call shim (tests/faults/syscall_faults.cpp), preloaded into this
// process by ctest, set up for the life of the object; settings as its
// TABULINK_FAULT_* variables without the prefix.
class Faults
{
public:
    static bool available() { return configureFunction() != nullptr; }
    explicit Faults(const QMap<QString, QString> &settings)
        : m_names(settings.keys())
    {
        for (auto it = settings.begin(); it != settings.end(); ++it)
            qputenv(qPrintable(QStringLiteral("TABULINK_FAULT_") + it.key()), it.value().toUtf8());
        configureFunction()();
    }
    ~Faults()
    {
        for (const QString &name : m_names)
            qunsetenv(qPrintable(QStringLiteral("TABULINK_FAULT_") + name));
        configureFunction()();
    }

private:
    using Configure = void (*)();
    static Configure configureFunction()
    {
        return reinterpret_cast<Configure>(dlsym(RTLD_DEFAULT, "tabulink_faults_configure"));
    }
    QStringList m_names;
};

// The environment for tabulink-batch: the shim (where built) with the
// settings given as for Faults, and the temporary folder.
QProcessEnvironment batchEnvironment(const QMap<QString, QString> &faults, const QString &tempDir = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (shimPath)
        env.insert(QStringLiteral("LD_PRELOAD"), QString::fromUtf8(shimPath));
    for (auto it = faults.begin(); it != faults.end(); ++it)
        env.insert(QStringLiteral("TABULINK_FAULT_") + it.key(), it.value());
    if (!tempDir.isEmpty())
        env.insert(QStringLiteral("TMPDIR"), tempDir);
    return env;
}

struct BatchRun {
    int code = -1;
    QString err;
};

// Runs tabulink-batch, by another user where asUser holds setpriv's options.
BatchRun runBatch(const QStringList &args, const QMap<QString, QString> &faults,
                  const QStringList &asUser = {}, const QString &tempDir = QString())
{
    const QString batch = QStringLiteral(TABULINK_BATCH_BIN);
    QProcess p;
    p.setProcessEnvironment(batchEnvironment(faults, tempDir));
    if (asUser.isEmpty())
        p.start(batch, args);
    else
        p.start(QStringLiteral("setpriv"), asUser + QStringList{QStringLiteral("--"), batch} + args);
    BatchRun r;
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        r.code = p.exitCode();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The user nobody with a throwaway group of its own.
const QStringList unprivileged{"--reuid=65534", "--regid=65534", "--groups=4242"};

const QString defaultTitle = QStringLiteral("ここにタイトルを入れて下さい");

// The text page of the one-line text "本文" with the default options.
QByteArray textPage()
{
    return TestFiles::crlfSjis(TestFiles::pageLines(defaultTitle, {}, "<BODY bgcolor=\"#ffffff\">", {},
                                                    {"<table border=0>", "<tr><td align=left>", QStringLiteral("本文"),
                                                     "</td></tr>", "</table>", "</center>"}));
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fullDiskDuringEverySave_data();
    void fullDiskDuringEverySave();
    void writeProtectedFileAndFolder();
    void folderDeletedWhileShown();
    void fifoAndFolderAsCsvFile();
    void everyFailurePointOfASave_data();
    void everyFailurePointOfASave();
    void savesAsAnotherUser_data();
    void savesAsAnotherUser();
    void longNamesCanBeOverwritten_data();
    void longNamesCanBeOverwritten();
    void signalDuringSaveLeavesNoTemporary_data();
    void signalDuringSaveLeavesNoTemporary();

private:
    // Fills the window so that the save s writes well over 64 KiB.
    void prepare(WindowHarness &h, Save s);
    // Runs one save onto path, answering Yes to the overwrite question.
    void save(WindowHarness &h, Save s, const QString &path);

    QTemporaryDir m_source; // a large CSV file
};

void TestFaults::initTestCase()
{
    QByteArray csv;
    for (int r = 0; r < 800; ++r)
        csv += TestFiles::sjis(QStringLiteral("売上データ%1,%2,東京都千代田区の長いセルの内容です,%3\r\n").arg(r).arg(r * 3).arg(QString(40, u'x')));
    QVERIFY(TestFiles::writeAll(m_source.filePath(QStringLiteral("big.csv")), csv));
}

void TestFaults::prepare(WindowHarness &h, Save s)
{
    if (s == Save::Csv) {
        h.find<QTabWidget>("SSTab1")->setCurrentIndex(0);
        h.window->saveContext().setPathLabel(m_source.filePath(QStringLiteral("big.csv")));
        h.click("Command1");
        h.click("Command2");
    } else {
        h.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        h.window->textTab()->setEditorText(QString(30000, QChar(0x65E5)) + QStringLiteral("\r\n終わり"));
    }
}

void TestFaults::save(WindowHarness &h, Save s, const QString &path)
{
    h.dialogs.clear();
    h.dialogs.setNextFileName(path);
    h.dialogs.setNextAnswer(true);
    h.click(buttonOf(s));
}

void TestFaults::fullDiskDuringEverySave_data()
{
    // "named": as on file systems without unnamed files (FAT, NFS), where
    // the new file has a name from the start.
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("named");
    QTest::newRow("csv file") << int(Save::Csv) << false;
    QTest::newRow("text page") << int(Save::TextPage) << false;
    QTest::newRow("text page, named") << int(Save::TextPage) << true;
}

void TestFaults::fullDiskDuringEverySave()
{
    const QString disk = qEnvironmentVariable("TABULINK_SMALL_DISK");
    if (disk.isEmpty())
        QSKIP("no private mount namespace for a small disk (needs root)");
    QFETCH(int, kind);
    QFETCH(bool, named);
    if (named && !Faults::available())
        QSKIP("the system call shim is not preloaded (sanitizer build)");
    const Save s = Save(kind);
    WindowHarness h;
    prepare(h, s);
    const QString path = disk + QStringLiteral("/old.html");
    const QByteArray old = QByteArray(20000, 'o') + "\r\n";
    QVERIFY(TestFiles::writeAll(path, old));
    {
        std::optional<Faults> faults;
        if (named)
            faults.emplace(QMap<QString, QString>{{"DIR", disk}, {"NO_TMPFILE", "1"}});
        save(h, s, path);
    }

    QCOMPARE(h.dialogs.errors().size(), 1);
    QVERIFY2(h.dialogs.errors().first().contains(path), qPrintable(h.dialogs.errors().first()));
    QVERIFY(h.dialogs.notices().isEmpty()); // no completion notice
    QCOMPARE(TestFiles::readAll(path), old);
    QCOMPARE(entries(disk), QStringList({"old.html"}));
    QVERIFY(QFile::remove(path));

    // The window goes on saving where there is room.
    QTemporaryDir roomy;
    save(h, s, roomy.filePath(QStringLiteral("after.html")));
    QCOMPARE(h.dialogs.errors(), QStringList());
    QVERIFY(TestFiles::readAll(roomy.filePath(QStringLiteral("after.html"))).size() > 50000);
}

void TestFaults::writeProtectedFileAndFolder()
{
    const Save s = Save::TextPage;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("locked.html"));
    const QByteArray old("old content\r\n");
    QVERIFY(TestFiles::writeAll(file, old));
    if (!chattr(QStringLiteral("+i"), file))
        QSKIP("chattr +i is not available here");
    WindowHarness h;
    prepare(h, s);
    save(h, s, file);
    chattr(QStringLiteral("-i"), file);
    QCOMPARE(h.dialogs.errors().size(), 1);
    QVERIFY(h.dialogs.notices().isEmpty());
    QCOMPARE(TestFiles::readAll(file), old);
    QCOMPARE(entries(dir.path()), QStringList({"locked.html"}));

    // A new file in a protected folder.
    const QString folder = dir.filePath(QStringLiteral("locked folder"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(chattr(QStringLiteral("+i"), folder));
    save(h, s, folder + QStringLiteral("/new.html"));
    chattr(QStringLiteral("-i"), folder);
    QCOMPARE(h.dialogs.errors().size(), 1);
    QVERIFY(h.dialogs.notices().isEmpty());
    QCOMPARE(entries(folder), QStringList());
}

void TestFaults::folderDeletedWhileShown()
{
    QTemporaryDir dir;
    const QString shown = dir.filePath(QStringLiteral("消える"));
    QVERIFY(QDir().mkpath(shown));
    QVERIFY(TestFiles::writeAll(shown + QStringLiteral("/a.txt"), "a"));
    WindowHarness h;
    QVERIFY(h.window->browsePanel()->setFolder(shown));
    QVERIFY(QDir(shown).removeRecursively());
    h.trigger("fileupdate");
    QCOMPARE(h.window->browsePanel()->currentFolder(), dir.path());
    QVERIFY(!h.dialogs.errors().isEmpty());

    // The program goes on: a save into the folder now shown works.
    h.dialogs.clear();
    h.window->textTab()->setEditorText(QStringLiteral("続き"));
    h.dialogs.setNextFileName(dir.filePath(QStringLiteral("after.html")));
    h.click("Command9");
    QCOMPARE(h.dialogs.notices(), QStringList({"ｈｔｍｌファイル作成完了"}));
}

void TestFaults::fifoAndFolderAsCsvFile()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("x.csv"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("y.csv"));
    QVERIFY(QDir().mkpath(folder));
    const QString good = dir.filePath(QStringLiteral("z.csv"));
    QVERIFY(TestFiles::writeAll(good, "1,2\r\n3,4\r\n"));

    WindowHarness h;
    h.find<QTabWidget>("SSTab1")->setCurrentIndex(0);
    h.window->saveContext().setPathLabel(good);
    h.click("Command1");
    QCOMPARE(h.window->csvTab()->lines().size(), 2);
    for (const QString &bad : {fifo, folder}) {
        h.dialogs.clear();
        h.window->saveContext().setPathLabel(bad);
        h.click("Command1"); // must return: a FIFO without a writer would block a plain open
        QCOMPARE(h.dialogs.notices().size() + h.dialogs.errors().size(), 1);
        QCOMPARE(h.window->csvTab()->lines().size(), 2);
    }
}

// As SQLite tests its I/O: the Nth counted system call of one save fails
// (open, each write, fchown, fchmod, fsync, link, close, rename, the folder's
// open, fsync and close; in place also the copy of the old content), for
// N = 1, 2, ... until the save succeeds. After each run the file holds
// exactly the old bytes or exactly the new ones, the program said which, and
// no temporary file is left anywhere.
void TestFaults::everyFailurePointOfASave_data()
{
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("csv");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("inPlace"); // as a user who may write the file but not its folder
    for (bool window : {true, false}) {
        for (bool csv : {false, true}) {
            for (bool named : {false, true}) {
                QTest::addRow("%s, %s%s", window ? "window" : "tabulink-batch", csv ? "csv file" : "page",
                              named ? ", named" : "")
                    << window << csv << named << false;
            }
        }
    }
    QTest::newRow("tabulink-batch, page, in place") << false << false << false << true;
}

void TestFaults::everyFailurePointOfASave()
{
    QFETCH(bool, window);
    QFETCH(bool, csv);
    QFETCH(bool, named);
    QFETCH(bool, inPlace);
    if (!shimPath || (window && !Faults::available()))
        QSKIP("the system call shim is not preloaded (sanitizer build)");
    QTemporaryDir base;
    QCOMPARE(::chmod(QFile::encodeName(base.path()).constData(), 0755), 0);
    const QString run = base.filePath(QStringLiteral("run")); // every counted call is below it
    const QString folder = run + QStringLiteral("/out");
    const QString temp = run + QStringLiteral("/tmp");
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(temp));
    QCOMPARE(::chmod(QFile::encodeName(run).constData(), 0755), 0);
    QCOMPARE(::chmod(QFile::encodeName(temp).constData(), 01777), 0);
    const QString log = base.filePath(QStringLiteral("log"));
    const QString in = base.filePath(csv ? QStringLiteral("in.csv") : QStringLiteral("in.txt"));
    QVERIFY(TestFiles::writeAll(in, csv ? QByteArray("a,b\r\nc,d\r\n") : TestFiles::sjis(QStringLiteral("本文"))));
    const QString name = csv ? QStringLiteral("old.csv") : QStringLiteral("old.html");
    const QString target = folder + u'/' + name;
    const QByteArray old("OLD\r\n");
    const QByteArray expected = csv ? QByteArray("a,b\r\nc,d\r\n") : textPage();
    // Another user's file (root keeps owner and group), or a root's page that
    // the unprivileged user may write through its group.
    const uid_t owner = inPlace ? 0 : 4343;
    const mode_t mode = inPlace ? 0664 : 0640;

    std::unique_ptr<WindowHarness> h;
    if (window) {
        h = std::make_unique<WindowHarness>();
        if (csv) {
            h->find<QTabWidget>("SSTab1")->setCurrentIndex(0);
            h->window->saveContext().setPathLabel(in);
            h->click("Command1");
            h->click("Command2");
        } else {
            h->find<QTabWidget>("SSTab1")->setCurrentIndex(1);
            h->window->textTab()->setEditorText(QStringLiteral("本文"));
        }
    }

    bool saved = false;
    for (int n = 1; n < 60 && !saved; ++n) {
        QVERIFY(TestFiles::writeAll(target, old));
        const QByteArray native = QFile::encodeName(target);
        QCOMPARE(::chown(native.constData(), owner, 4242), 0);
        QCOMPARE(::chmod(native.constData(), mode), 0);
        QVERIFY(TestFiles::writeAll(log, ""));
        QCOMPARE(::chmod(QFile::encodeName(log).constData(), 0666), 0);
        const QMap<QString, QString> faults{{"DIR", run}, {"AT", QString::number(n)}, {"LOG", log},
                                            {"NO_TMPFILE", named ? "1" : "0"}};
        QString message;
        if (window) {
            const Faults armed(faults);
            qputenv("TMPDIR", temp.toUtf8());
            h->dialogs.clear();
            h->dialogs.setNextFileName(target);
            h->dialogs.setNextAnswer(true);
            h->click(csv ? "Command4" : "Command9");
            qunsetenv("TMPDIR");
            saved = h->dialogs.errors().isEmpty() && h->dialogs.notices().size() == 1;
            message = h->dialogs.errors().join(u'\n');
        } else {
            if (inPlace)
                QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
            const BatchRun r = runBatch({csv ? "csv" : "text", in, "-o", target}, faults,
                                        inPlace ? unprivileged : QStringList(), temp);
            saved = r.code == 0 && r.err.isEmpty();
            message = r.err;
            QVERIFY2(saved || r.code == 1, qPrintable(r.err));
        }
        const QString injected = QString::fromUtf8(TestFiles::readAll(log)).trimmed();
        const QByteArray now = TestFiles::readAll(target);
        const QString what = QStringLiteral("call %1 (%2): %3").arg(n).arg(injected, message);
        QCOMPARE(entries(folder), QStringList({name}));
        QCOMPARE(entries(temp), QStringList());
        if (saved) {
            QVERIFY2(now == expected, qPrintable(what));
        } else {
            QVERIFY2(!injected.isEmpty(), qPrintable(what)); // a failure only where one was made
            QVERIFY2(message.contains(QStringLiteral("Input/output error")) && message.contains(target), qPrintable(what));
            // Past the rename only the folder's sync can fail, and the message says the file is new.
            QVERIFY2(now == (message.contains(QStringLiteral("置き換えましたが")) ? expected : old), qPrintable(what));
        }
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
        QCOMPARE(st.st_uid, owner);
        QCOMPARE(st.st_gid, gid_t(4242));
        QCOMPARE(st.st_mode & 07777, mode);
    }
    QVERIFY(saved);
}

// Saved by a real unprivileged user: the owner's page keeps its group and
// mode; a group-writable page in a folder of root's is rewritten in place;
// a page that is not writable either is refused, naming the folder.
void TestFaults::savesAsAnotherUser_data()
{
    QTest::addColumn<uint>("folderOwner");
    QTest::addColumn<uint>("fileOwner");
    QTest::addColumn<uint>("mode");
    QTest::addColumn<bool>("written");
    QTest::newRow("own page of the web server's group") << 65534u << 65534u << 0640u << true;
    QTest::newRow("group-writable page, root's folder") << 0u << 0u << 0664u << true;
    QTest::newRow("read-only page, root's folder") << 0u << 0u << 0644u << false;
}

void TestFaults::savesAsAnotherUser()
{
    QFETCH(uint, folderOwner);
    QFETCH(uint, fileOwner);
    QFETCH(uint, mode);
    QFETCH(bool, written);
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty() || ::geteuid() != 0)
        QSKIP("needs root and setpriv");
    QTemporaryDir base;
    QCOMPARE(::chmod(QFile::encodeName(base.path()).constData(), 0755), 0);
    const QString folder = base.filePath(QStringLiteral("www"));
    const QString temp = base.filePath(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(temp));
    QCOMPARE(::chown(QFile::encodeName(folder).constData(), folderOwner, 0), 0);
    QCOMPARE(::chmod(QFile::encodeName(temp).constData(), 01777), 0);
    const QString in = base.filePath(QStringLiteral("in.txt"));
    QVERIFY(TestFiles::writeAll(in, TestFiles::sjis(QStringLiteral("本文"))));
    const QString target = folder + QStringLiteral("/index.html");
    const QByteArray native = QFile::encodeName(target);
    QVERIFY(TestFiles::writeAll(target, "OLD"));
    QCOMPARE(::chown(native.constData(), fileOwner, 4242), 0);
    QCOMPARE(::chmod(native.constData(), mode), 0);

    const BatchRun r = runBatch({"text", in, "-o", target}, {}, unprivileged, temp);
    QCOMPARE(r.code, written ? 0 : 1);
    QCOMPARE(TestFiles::readAll(target), written ? textPage() : QByteArray("OLD"));
    if (!written)
        QVERIFY2(r.err.contains(folder) && r.err.contains(QStringLiteral("Permission denied")), qPrintable(r.err));
    struct stat st;
    QCOMPARE(::stat(native.constData(), &st), 0);
    QCOMPARE(st.st_uid, uid_t(fileOwner));
    QCOMPARE(st.st_gid, gid_t(4242));
    QCOMPARE(st.st_mode & 07777, mode_t(mode));
    QCOMPARE(entries(folder), QStringList({"index.html"}));
    QCOMPARE(entries(temp), QStringList());
}

// A name of 255 bytes, the longest there is: the new file's name must still fit.
void TestFaults::longNamesCanBeOverwritten_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("unnamed new file") << false;
    QTest::newRow("named new file") << true;
}

void TestFaults::longNamesCanBeOverwritten()
{
    QFETCH(bool, named);
    if (named && !Faults::available())
        QSKIP("the system call shim is not preloaded (sanitizer build)");
    QTemporaryDir dir;
    const QString name = QStringLiteral("a") + QString(83, QChar(0x3042)) + QStringLiteral(".html");
    QCOMPARE(QFile::encodeName(name).size(), 255);
    const QString target = dir.filePath(name);
    QVERIFY(TestFiles::writeAll(target, "OLD"));
    WindowHarness h;
    h.find<QTabWidget>("SSTab1")->setCurrentIndex(1);
    h.window->textTab()->setEditorText(QStringLiteral("本文"));
    std::optional<Faults> faults;
    if (named)
        faults.emplace(QMap<QString, QString>{{"DIR", dir.path()}, {"NO_TMPFILE", "1"}});
    save(h, Save::TextPage, target);
    QCOMPARE(h.dialogs.errors(), QStringList());
    QCOMPARE(TestFiles::readAll(target), textPage());
    QCOMPARE(entries(dir.path()), QStringList({name}));
}

// SIGINT or SIGTERM while the new file has a name in the folder (stopped
// just before the rename): the program ends by the signal and leaves the
// folder as it was.
void TestFaults::signalDuringSaveLeavesNoTemporary_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("named");
    QTest::newRow("SIGINT, named") << int(SIGINT) << true;
    QTest::newRow("SIGTERM, named") << int(SIGTERM) << true;
    QTest::newRow("SIGTERM, unnamed") << int(SIGTERM) << false;
}

void TestFaults::signalDuringSaveLeavesNoTemporary()
{
    QFETCH(int, signal);
    QFETCH(bool, named);
    if (!shimPath)
        QSKIP("the system call shim is not built (sanitizer build)");
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    const QString in = dir.filePath(QStringLiteral("in.txt"));
    QVERIFY(TestFiles::writeAll(in, "text"));
    const QString target = folder + QStringLiteral("/index.html");
    QVERIFY(TestFiles::writeAll(target, "OLD"));
    const QString log = dir.filePath(QStringLiteral("log"));

    QProcess p;
    p.setProcessEnvironment(batchEnvironment(
        {{"DIR", folder}, {"STALL", "rename"}, {"LOG", log}, {"NO_TMPFILE", named ? "1" : "0"}}));
    p.start(QStringLiteral(TABULINK_BATCH_BIN), {"text", in, "-o", target});
    QTRY_VERIFY_WITH_TIMEOUT(TestFiles::readAll(log).startsWith("stalled"), 20000);
    QCOMPARE(entries(folder).size(), 2); // the new file, named, waits beside the old one
    QCOMPARE(::kill(pid_t(p.processId()), signal), 0);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    QCOMPARE(TestFiles::readAll(target), QByteArray("OLD"));
    QCOMPARE(entries(folder), QStringList({"index.html"}));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
