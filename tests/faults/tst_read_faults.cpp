// Reads that the user's machine can make hard: a file larger than the program
// holds, memory running out half-way, a FIFO as the settings file. Every
// case: no crash, no hang, a message, and the window keeps what it showed.

#include "WindowHarness.h"

#include "support/TestFiles.h"
#include "table/TableGrid.h"
#include "ui/CsvTab.h"
#include "ui/TextTab.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSemaphore>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <atomic>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TABULINK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TABULINK_ASAN 1
#endif

using namespace tabulink;

namespace {

constexpr qint64 MiB = 1024 * 1024;

// A file of the given size that takes no disk: a hole, read as zero bytes.
bool makeSparse(const QString &path, qint64 size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.resize(size);
}

// While it lives, the process may map only headroom more bytes than it has
// mapped now: the next large allocation fails as it would on a machine
// without the memory.
class AddressSpaceLimit
{
public:
    explicit AddressSpaceLimit(qint64 headroom)
    {
        ::getrlimit(RLIMIT_AS, &m_old);
        QFile statm(QStringLiteral("/proc/self/statm"));
        statm.open(QIODevice::ReadOnly);
        const qint64 mapped = statm.readAll().split(' ').value(0).toLongLong() * ::sysconf(_SC_PAGESIZE);
        rlimit tight = m_old;
        tight.rlim_cur = rlim_t(mapped + headroom);
        ::setrlimit(RLIMIT_AS, &tight);
    }
    ~AddressSpaceLimit() { ::setrlimit(RLIMIT_AS, &m_old); }
    AddressSpaceLimit(const AddressSpaceLimit &) = delete;
    AddressSpaceLimit &operator=(const AddressSpaceLimit &) = delete;

private:
    rlimit m_old {};
};

// Should a reader block on the FIFO, opens it for writing every few seconds,
// so that the reader gets end-of-file and the test fails instead of hanging.
class FifoWatchdog
{
public:
    explicit FifoWatchdog(const QByteArray &fifo)
        : m_thread([this, fifo] {
              while (!m_done.tryAcquire(1, 3000)) {
                  const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0) {
                      m_fired = true;
                      ::close(fd);
                  }
              }
          })
    {
    }
    ~FifoWatchdog() { m_done.release(); m_thread.join(); }
    bool fired() const { return m_fired; }

private:
    QSemaphore m_done;
    std::atomic<bool> m_fired {false};
    std::thread m_thread;
};

enum class Read { Csv, Editor };

} // namespace

class TestReadFaults : public QObject
{
    Q_OBJECT
private slots:
    void fifoAsSettingsFile();
    void init();
    void cleanup();
    void refusedRead_data();
    void refusedRead();
    void memoryRunningOutDuringTransfer();

private:
    // Opens the window with a small CSV read and a text in the editor: what
    // must survive.
    void fillWindow();
    // Names the file in the path label or the open dialog, as a double-click
    // in the file list or the user would, and presses the read button.
    void read(Read kind, const QString &name);
    void expectWindowKept();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<WindowHarness> h;
};

void TestReadFaults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestReadFaults::cleanup()
{
    h.reset();
    m_dir.reset();
}

void TestReadFaults::read(Read kind, const QString &name)
{
    h->dialogs.clear();
    if (kind == Read::Csv) {
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(0);
        h->window->saveContext().setPathLabel(m_dir->filePath(name));
        h->click("Command1");
    } else {
        h->find<QTabWidget>("SSTab1")->setCurrentIndex(1);
        h->dialogs.setNextFileName(m_dir->filePath(name));
        h->click("Command11");
    }
}

void TestReadFaults::fillWindow()
{
    h = std::make_unique<WindowHarness>();
    QVERIFY(TestFiles::writeAll(m_dir->filePath(QStringLiteral("small.csv")), "1,2,3\r\n4,5,6\r\n"));
    read(Read::Csv, QStringLiteral("small.csv"));
    QVERIFY(TestFiles::writeAll(m_dir->filePath(QStringLiteral("small.txt")), "\x96\x7B\x95\xB6\r\n"));
    read(Read::Editor, QStringLiteral("small.txt"));
    QCOMPARE(h->find<QPlainTextEdit>("rtext1")->toPlainText(), QStringLiteral("本文\n"));
}

void TestReadFaults::expectWindowKept()
{
    QCOMPARE(h->window->csvTab()->lines().size(), 2);
    QCOMPARE(h->window->csvTab()->lines().entry(1), QStringLiteral("4,5,6"));
    QCOMPARE(h->window->csvTab()->grid().rowCount(), 2);
    QCOMPARE(h->window->csvTab()->grid().colCount(), 3);
    QCOMPARE(h->find<QComboBox>("Combo1")->currentText(), QStringLiteral("2"));
    QCOMPARE(h->find<QComboBox>("Combo2")->currentText(), QStringLiteral("3"));
    QCOMPARE(h->find<QPlainTextEdit>("rtext1")->toPlainText(), QStringLiteral("本文\n"));
    QCOMPARE(h->find<QLabel>("Label7")->text(), QStringLiteral(" 6"));
}

void TestReadFaults::refusedRead_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("memoryLeft"); // 0: as much as the machine has
    QTest::addColumn<QString>("message");
    const QString tooLarge = QStringLiteral("ファイルが大きすぎるため読み込めません（上限 %1 MB）。\n");
    const QString noMemory = QStringLiteral("メモリが足りないため読み込めません。\n");
    QTest::newRow("csv past the limit") << int(Read::Csv) << "huge.csv" << 256 * MiB + 1 << qint64(0) << tooLarge.arg(256);
    QTest::newRow("text past the limit") << int(Read::Editor) << "huge.txt" << 16 * MiB + 1 << qint64(0) << tooLarge.arg(16);
    // Under the limit, far over the memory left.
    QTest::newRow("csv without memory") << int(Read::Csv) << "large.csv" << 200 * MiB << 8 * MiB << noMemory;
    QTest::newRow("text without memory") << int(Read::Editor) << "large.txt" << 15 * MiB << 8 * MiB << noMemory;
}

void TestReadFaults::refusedRead()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(qint64, memoryLeft);
    QFETCH(QString, message);
#ifdef TABULINK_ASAN
    if (memoryLeft > 0)
        QSKIP("AddressSanitizer maps terabytes of shadow memory and aborts on a failed allocation");
#endif
    fillWindow();
    const QString path = m_dir->filePath(name);
    QVERIFY(makeSparse(path, size));
    const QString label = h->find<QLabel>("Label1")->text();
    {
        std::optional<AddressSpaceLimit> limit;
        if (memoryLeft > 0)
            limit.emplace(memoryLeft);
        read(Read(kind), name);
    }
    QCOMPARE(h->dialogs.errors(), QStringList({message + path}));
    expectWindowKept();
    if (Read(kind) == Read::Editor)
        QCOMPARE(h->find<QLabel>("Label1")->text(), label);
}

void TestReadFaults::memoryRunningOutDuringTransfer()
{
#ifdef TABULINK_ASAN
    QSKIP("AddressSanitizer maps terabytes of shadow memory and aborts on a failed allocation");
#endif
    // One line of 100,000 characters without a comma: every column repeats it.
    const QString line(100000, u'x');
    QVERIFY(TestFiles::writeAll(m_dir->filePath(QStringLiteral("wide.csv")), line.toLatin1() + "\r\n"));
    h = std::make_unique<WindowHarness>();
    read(Read::Csv, QStringLiteral("wide.csv"));
    h->click("Command2");
    auto *model = h->find<QTableView>("grd1")->model();
    QCOMPARE(model->index(0, 0).data().toString(), line);

    // 3,000 columns of it would take 600 MB.
    auto *combo2 = h->find<QComboBox>("Combo2");
    combo2->setEditText(QStringLiteral("3000"));
    QTest::keyClick(combo2->lineEdit(), Qt::Key_Return);
    QCOMPARE(h->window->csvTab()->grid().colCount(), 3000);
    h->dialogs.clear();
    {
        const AddressSpaceLimit limit(8 * MiB);
        h->click("Command2");
    }
    QCOMPARE(h->dialogs.errors(), QStringList({QStringLiteral("メモリが足りないため、この操作を行えませんでした。")}));
    QCOMPARE(model->index(0, 0).data().toString(), line);
    QCOMPARE(model->index(0, 1).data().toString(), QString());
    QCOMPARE(model->index(0, 2999).data().toString(), QString());
}

// Runs first, before anything in the process has used the settings store:
// QSettings works out its folder once, on first use.
void TestReadFaults::fifoAsSettingsFile()
{
    QTemporaryDir config;
    const QString fifo = config.filePath(QStringLiteral("tablomi.ini"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    bool fired = false;
    {
        const FifoWatchdog watchdog(QFile::encodeName(fifo));
        h = std::make_unique<WindowHarness>();
        h->window->close(); // stores the folder shown
        fired = watchdog.fired();
    }
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QVERIFY2(!fired, "start-up or close blocked on the FIFO");
    struct stat st;
    QCOMPARE(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
    QVERIFY(h->dialogs.errors().isEmpty());
}

QTEST_MAIN(TestReadFaults)
#include "tst_read_faults.moc"
